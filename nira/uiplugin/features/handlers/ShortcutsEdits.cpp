// The user's edits on the shortcuts page: choosing a shortcut, changing a soft-link feature or any
// feature a shortcut covers, putting the shortcut's settings back, typing a name, saving the
// settings as a new custom shortcut or over one of the same name, and deleting a custom shortcut.
// Changes since the choice are collected in the working record "Customized Settings".
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"

#include <algorithm>
#include <cstdlib>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/StringIds.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kLastEditedSoftLink = 6417;
constexpr int kCommandPaperDimensions = 24;
constexpr int kCommandCustomSizeLimits = 37;
constexpr int kFeaturePaperDimensionsText = 4211;
constexpr int kWidgetToolbox = 6005;
constexpr int kWidgetCustomSize = 6015;
constexpr int kWidgetPicture = 6025;
constexpr int kFeaturePosterTileMask = 4303;
constexpr int kFeaturePopupChoices = 6334;
constexpr int kGrayOptionsDisabled = 5;
constexpr LANGID kHebrew = 1037;
constexpr LANGID kArabic = 1025;
constexpr int kMessageChars = 260;
constexpr WCHAR kBlank = ' ';
constexpr int kWidgetPosterTiles = 6349;
constexpr int kTray2Bin = 9;

bool IsTwoSided(int option)
{
    return option == 2 || option == 3;
}

UINT RightToLeft()
{
    const LANGID language = GetUserDefaultUILanguage();
    return language == kHebrew || language == kArabic ? MB_RTLREADING : 0;
}

bool SameName(const WCHAR* first, const WCHAR* second)
{
    return CompareStringSafe(first, second) == S_OK;
}

// Both names upper-cased over their 260 characters, as the user sees names without case.
bool SameNameIgnoringCase(const WCHAR* first, const WCHAR* second)
{
    WCHAR a[kShortcutNameChars] = {};
    WCHAR b[kShortcutNameChars] = {};
    CopyStringSafeN(a, kShortcutNameChars, first, kShortcutNameMaxChars);
    CopyStringSafeN(b, kShortcutNameChars, second, kShortcutNameMaxChars);
    CharUpperBuffW(a, kShortcutNameChars);
    CharUpperBuffW(b, kShortcutNameChars);
    return SameName(a, b);
}

}  // namespace

int CNiraShortcutsHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    switch (widgetId) {
    case WIDGET_SHORTCUT_NAME:
        return OnNameChanged();
    case WIDGET_SHORTCUT_DELETE:
        return OnDelete();
    case WIDGET_SHORTCUT_SAVE:
        return OnSave();
    case FEATURE_PRINTING_SHORTCUTS:
        return OnShortcutChosen();
    case FEATURE_SHORTCUT_RESET:
        return OnReset();
    default:
        break;
    }
    if (widgetId >= SOFT_LINK_FIRST && widgetId <= kLastEditedSoftLink) {
        return OnSoftLinkChanged(widgetId);
    }
    return 0;
}

// --- the name box ---

int CNiraShortcutsHandler::OnNameChanged()
{
    const int option = CurrentOr(WIDGET_SHORTCUT_NAME, 0);
    CNiraLocalBuffer<OptionInfo> info(NewOptionInfo());
    if (!info) {
        return NIRA_STATUS_FAILED;
    }
    m_services->GetOptionInfo(WIDGET_SHORTCUT_NAME, option, info.Get());
    WCHAR* text = info->displayName;
    text[kOptionTextLength - 1] = 0;
    size_t length = 0;
    GetStringLengthSafe(text, kOptionTextLength, &length);
    while (length > 1 && text[length - 1] == kBlank) {
        text[--length] = 0;
    }
    const size_t leading =
        std::find_if(text, text + length, [](WCHAR unit) { return unit != kBlank; }) - text;
    std::copy(text + leading, text + length + 1, text);
    length -= leading;
    if (length <= static_cast<size_t>(kNameLimit)) {
        CopyStringSafe(m_pendingName, kShortcutNameChars, text);
        m_hasPendingName = true;
    } else {
        // The box gets the name last taken back.
        CopyStringSafe(info->displayName, kOptionTextLength, m_pendingName);
        m_services->SetOptionInfo(m_featureId, WIDGET_SHORTCUT_NAME, option, info.Get());
        CopyStringSafe(text, kOptionTextLength, m_pendingName);
    }
    GetStringLengthSafe(text, kOptionTextLength, &length);
    const bool blank = std::all_of(text, text + length, [](WCHAR unit) { return unit == kBlank; });
    Show(WIDGET_SHORTCUT_SAVE, blank ? DISPLAY_STATE_GREYED : DISPLAY_STATE_ENABLED);
    return 0;
}

int CNiraShortcutsHandler::FindShortcutByName(bool custom, int* found, WCHAR* outName, int* option)
{
    *found = 0;
    if (!m_hasPendingName || m_services == nullptr) {
        return 0;
    }
    const int count = m_services->GetOptionCount(FEATURE_PRINTING_SHORTCUTS);
    for (int index = 0; index < count; ++index) {
        int optionIndex = 0;
        int optionId = 0;
        int bitmapId = 0;
        int iconId = 0;
        int state = 0;
        WCHAR name[kOptionTextLength] = {};
        if (m_services->GetOptionByIndex(index, FEATURE_PRINTING_SHORTCUTS, &optionIndex, &optionId, name,
                                         &bitmapId, &iconId, &state) != 0) {
            break;
        }
        int isCustom = 0;
        IsCustomShortcutId(optionId, &isCustom);
        if ((isCustom != 0) == custom && SameNameIgnoringCase(name, m_pendingName)) {
            *found = 1;
            if (outName != nullptr) {
                CopyStringSafeN(outName, kShortcutNameChars, name, kShortcutNameMaxChars);
            }
            if (option != nullptr) {
                *option = optionId;
            }
            break;
        }
    }
    return 0;
}

int CNiraShortcutsHandler::FindPredefinedShortcutByName(int* found, WCHAR* outName)
{
    return FindShortcutByName(false, found, outName, nullptr);
}

int CNiraShortcutsHandler::FindCustomShortcutByName(int* found, WCHAR* outName)
{
    return FindShortcutByName(true, found, outName, nullptr);
}

// --- choosing and resetting ---

// Two-sided printing without the duplex unit: short edge and the booklets leave the soft-link
// feature; setSoftLink chooses whether the soft-link feature or two-sided printing itself is set.
void CNiraShortcutsHandler::ApplyDuplexWithoutUnit(bool setSoftLink)
{
    int found = 0;
    int softLink = 0;
    int two = 0;
    FindSoftLinkFeature(FEATURE_DUPLEX, &found, &softLink, &two);
    if (CurrentOr(FEATURE_DUPLEX_UNIT, 0) != 2 || !HasOptionOf(FEATURE_DUPLEX, 3)) {
        return;
    }
    const bool longEdge = HasOptionOf(FEATURE_DUPLEX, 2);
    if (!longEdge) {
        DropBookletLinks(softLink);
    }
    const int shortEdge = Link(softLink, FEATURE_DUPLEX, 3);
    if (shortEdge != 0) {
        RemoveOptionOf(softLink, shortEdge);
    }
    int fallback = 0;
    const bool twoSided = DefaultOf(softLink, &fallback) && (fallback == 2 || fallback == 3);
    if (!longEdge) {
        Set(softLink, 1);
        Set(FEATURE_PAGES_PER_SHEET, 1);
        Set(FEATURE_DUPLEX, 1);
    } else {
        Set(setSoftLink ? softLink : FEATURE_DUPLEX, twoSided ? 2 : 1);
    }
    State(FEATURE_DUPLEX, 3, OPTION_STATE_UNAVAILABLE);
}

int CNiraShortcutsHandler::OnShortcutChosen()
{
    m_applyValues = 1;
    m_bulkChange = 1;
    m_store.SetRestrictedUser(m_store.ProbePrinterDataAccess());
    m_referenceValues.clear();
    int current = CurrentOr(FEATURE_PRINTING_SHORTCUTS, 0);
    m_store.DeleteShortcutValue(kCustomizedSettingsName);
    int isCustom = 0;
    IsCustomShortcutId(current, &isCustom);
    if (isCustom == 0) {
        m_services->ResetToDefaults(FEATURE_PRINTING_SHORTCUTS);
        ResetSoftLinkFeatures();
        m_services->SetForceNotify(1);
        ApplyShortcutRows(&current, 0, 0);
        m_services->SetForceNotify(0);
        if (current == SHORTCUT_FIXED_OPTION) {
            m_services->ResetToDefaults(FEATURE_PRINTING_SHORTCUTS);
            Command(kFeaturePopupChoices, kCommandResetPopupChoices);
            Command(kWidgetPicture, kCommandPictureReset);
            Command(kFeaturePosterTileMask, kCommandSelectAllTiles);
            Command(kWidgetCustomSize, kCommandCustomSizeLimits);
        }
        Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_GREYED);
    } else {
        ApplyCustomShortcut(current);
    }
    Command(FEATURE_APP_PROFILE, kCommandApplyAppProfile);
    Command(kFeaturePaperDimensionsText, kCommandPaperDimensions);
    int installed = 0;
    m_services->SendHandlerCommand(m_featureId, kWidgetToolbox, kCommandToolboxInstalled, nullptr,
                                   &installed);
    Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
    Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
    State(FEATURE_GRAY_OPTIONS, kGrayOptionsDisabled, OPTION_STATE_UNAVAILABLE);

    int printsDirectly = 0;
    int localPrinter = 0;
    ReadPrinterFacts(&printsDirectly, &localPrinter);
    for (int featureId = kFirstSettingsFeature; featureId <= kLastShortcutFeature; ++featureId) {
        int value = 0;
        if (!Current(featureId, &value)) {
            continue;
        }
        m_referenceValues[featureId] = value;
        int found = 0;
        int softLink = 0;
        int two = 0;
        FindSoftLinkFeature(featureId, &found, &softLink, &two);
        if (featureId == FEATURE_DUPLEX && localPrinter == 0 && found != 0) {
            DropLinkedDuplexOption(FEATURE_DUPLEX, softLink);
        }
        if (featureId == FEATURE_POSTER && value != 1) {
            Show(kWidgetPosterTiles, DISPLAY_STATE_ENABLED);
        }
        if (featureId == FEATURE_DUPLEX) {
            ApplyDuplexWithoutUnit(false);
        }
        if (featureId == FEATURE_INPUT_BIN && HasOptionOf(FEATURE_INPUT_BIN, kTray2Bin) &&
            CurrentOr(FEATURE_TRAY2, 0) == 2) {
            // Written in the input bin's own name.
            m_services->SetOptionState(FEATURE_INPUT_BIN, FEATURE_INPUT_BIN, kTray2Bin,
                                       OPTION_STATE_UNAVAILABLE);
        }
        if (printsDirectly == 1 && found != 0 &&
            (featureId == FEATURE_DUPLEX || featureId == FEATURE_PAGES_PER_SHEET)) {
            Show(softLink, DISPLAY_STATE_GREYED);
        }
    }
    m_bulkChange = 0;
    return 0;
}

int CNiraShortcutsHandler::OnReset()
{
    m_applyValues = 1;
    m_resetting = 1;
    int current = CurrentOr(FEATURE_PRINTING_SHORTCUTS, 0);
    m_services->ResetToDefaults(FEATURE_PRINTING_SHORTCUTS);
    int printsDirectly = 0;
    int localPrinter = 0;
    ReadPrinterFacts(&printsDirectly, &localPrinter);
    const std::vector<int> rowFeatures = m_rowFeatures;
    for (int softLink : rowFeatures) {
        OnWidgetChanged(softLink);
    }
    m_resetting = 0;
    Command(kFeaturePosterTileMask, kCommandSelectAllTiles);
    Command(kWidgetPicture, kCommandPictureReset);
    Command(FEATURE_POSTER, kCommandOfferPosters);
    int isCustom = 0;
    IsCustomShortcutId(current, &isCustom);
    if (isCustom == 0) {
        ResetSoftLinkFeatures();
        ApplyShortcutRows(&current, 0, 0);
        ApplyDuplexWithoutUnit(true);
    } else {
        ApplyCustomShortcut(current);
    }
    Command(FEATURE_APP_PROFILE, kCommandApplyAppProfile);
    if (printsDirectly == 1) {
        for (int id = SOFT_LINK_FIRST; id <= SOFT_LINK_LAST; ++id) {
            int hasFirst = 0;
            int first = 0;
            int second = 0;
            int hasSecond = 0;
            if (m_services->HasFeature(id) != 0 &&
                m_services->GetSoftLinks(id, &hasFirst, &first, &second, &hasSecond) == 0 &&
                (first == FEATURE_DUPLEX || first == FEATURE_PAGES_PER_SHEET)) {
                Show(id, DISPLAY_STATE_GREYED);
            }
        }
    }
    Command(kFeaturePaperDimensionsText, kCommandPaperDimensions);
    Command(kWidgetCustomSize, kCommandCustomSizeLimits);
    m_store.DeleteShortcutValue(kCustomizedSettingsName);
    Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
    Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
    return 0;
}

// --- the working record ---

// Loads the working record; false when there is none of that name.
bool CNiraShortcutsHandler::LoadWorkingRecord(ShortcutRecord& record)
{
    return m_store.LoadShortcutRecord(record, kCustomizedSettingsName) == 0 &&
           SameName(record.name, kCustomizedSettingsName);
}

// A new working record for the current shortcut, with the items of a custom one.
ShortcutRecord CNiraShortcutsHandler::NewWorkingRecord(int current)
{
    ShortcutRecord record;
    record.optionId = CUSTOMIZED_SETTINGS_ID;
    CopyStringSafe(record.name, kShortcutNameChars, kCustomizedSettingsName);
    record.baseOptionId = current;
    DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, current, record.baseName);
    int isCustom = 0;
    IsCustomShortcutId(current, &isCustom);
    if (isCustom != 0) {
        CopyShortcutItems(current, &record);
    }
    return record;
}

// Updates (or adds) the feature's item of the record; false when the update took out its last
// item, which deletes the stored record.
bool CNiraShortcutsHandler::UpdateItem(ShortcutRecord& record, const ShortcutItem& change, int updateKind,
                                       int isDefault)
{
    int removed = 0;
    if (UpdateShortcutItem(change.featureId, updateKind, change.value, record.items, &removed, isDefault) ==
        0) {
        record.items.insert(record.items.begin(), change);
    }
    if (removed != 0 && record.items.empty()) {
        m_store.DeleteShortcutValue(kCustomizedSettingsName);
        return false;
    }
    return true;
}

void CNiraShortcutsHandler::StoreWorkingRecord(ShortcutRecord& record)
{
    m_store.DeleteShortcutValue(kCustomizedSettingsName);
    m_store.SaveShortcutRecord(&record);
}

int CNiraShortcutsHandler::OnSoftLinkChanged(int widgetId)
{
    const int value = CurrentOr(widgetId, 0);
    const int current = CurrentOr(FEATURE_PRINTING_SHORTCUTS, 0);
    int fallback = 0;
    const int isDefault = DefaultOf(widgetId, &fallback) && fallback == value ? 1 : 0;
    const ShortcutItem change = {widgetId, SHORTCUT_ITEM_VALUE, value, 0, 0};
    ShortcutRecord record;
    if (LoadWorkingRecord(record)) {
        if (record.optionId == CUSTOMIZED_SETTINGS_ID) {
            record.baseOptionId = current;
            if (current != 0 && !record.items.empty() &&
                !UpdateItem(record, change, SHORTCUT_ITEM_VALUE, isDefault)) {
                return 0;
            }
            StoreWorkingRecord(record);
        }
    } else {
        record = NewWorkingRecord(current);
        if (!UpdateItem(record, change, SHORTCUT_ITEM_VALUE, isDefault)) {
            return 0;
        }
        m_store.SaveShortcutRecord(&record);
    }

    int id = widgetId;
    FeatureEntry* entry = nullptr;
    if (m_services->FindFeature(&id, &entry) == 0 && entry != nullptr && entry->uiRecord != nullptr &&
        entry->uiRecord->softLink != 0) {
        int target = entry->uiRecord->softLinkFeatureId;
        int targetOption = value;
        const bool two = entry->uiRecord->softLinkFeatureId2 != 0;
        if (two && m_services->GetLinkedOptionSource(widgetId, value, &target, &targetOption) != 0) {
            target = entry->uiRecord->softLinkFeatureId;
            targetOption = value;
        }
        const int reason = OptionStateOf(target, targetOption) == OPTION_STATE_CONFLICT
                               ? OPTION_STATE_CONFLICT
                               : kReasonByHandler;
        Show(target, DISPLAY_STATE_ENABLED);
        Set(target, targetOption, reason, two ? 0 : (m_resetting != 0 ? 0 : 1));
        if (two) {
            ApplyPairInterlocks(target, value, targetOption);
        }
        Show(target, DISPLAY_STATE_ENABLED);
        Set(target, targetOption, reason, 1);
    }
    return Command(FEATURE_APP_PROFILE, kCommandApplyAppProfile);
}

// What a choice on the soft-link feature of two-sided printing and booklets brings along.
void CNiraShortcutsHandler::ApplyPairInterlocks(int target, int value, int targetOption)
{
    if (target == FEATURE_DUPLEX && (IsTwoSided(value) || targetOption == 3)) {
        Set(FEATURE_BOOKLET, 1);
    }
    if (target == FEATURE_DUPLEX && value == 1) {
        Show(FEATURE_BOOKLET, DISPLAY_STATE_GREYED);
        Show(FEATURE_PAGE_ORDER_NUP, DISPLAY_STATE_GREYED);
        Show(FEATURE_DUPLEX_EDGE, DISPLAY_STATE_GREYED);
    }
    if (target == FEATURE_BOOKLET && IsTwoSided(targetOption)) {
        SetBookletDuplex();
    }
    if (target == FEATURE_GRAY_OPTIONS) {
        Set(FEATURE_GRAY_LINKED, 2);
    }
}

// --- saving ---

int CNiraShortcutsHandler::OnSave()
{
    const int current = CurrentOr(FEATURE_PRINTING_SHORTCUTS, 0);
    if (!m_hasPendingName) {
        CNiraLocalBuffer<OptionInfo> info(NewOptionInfo());
        if (info && m_services->GetOptionInfo(WIDGET_SHORTCUT_NAME, CurrentOr(WIDGET_SHORTCUT_NAME, 0),
                                              info.Get()) == 0) {
            CopyStringSafeN(m_pendingName, kShortcutNameChars, info->displayName, kNameLimit);
            m_hasPendingName = true;
        }
    }
    int found = 0;
    WCHAR name[kShortcutNameChars] = {};
    FindShortcutByName(false, &found, name, nullptr);
    if (found != 0) {
        WCHAR text[kMessageChars] = {};
        LoadResourceString(kStringShortcutPredefined, text);
        MessageBoxW(nullptr, text, name, MB_OK | MB_ICONHAND | MB_TASKMODAL);
    } else {
        int existing = 0;
        FindShortcutByName(true, &found, name, &existing);
        if (found != 0) {
            WCHAR text[kMessageChars] = {};
            LoadResourceString(kStringShortcutOverwrite, text);
            if (MessageBoxW(nullptr, text, name,
                            MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL | RightToLeft()) == IDOK) {
                OverwriteShortcut(existing, current);
            }
        } else {
            SaveNewShortcut(current);
        }
    }
    RemoveOptionOf(WIDGET_SHORTCUT_NAME, 1);
    ClearModifiedFeatures();
    return 0;
}

// Entries based on the shortcut that gives up its place get its old base, and so do their
// stored records.
void CNiraShortcutsHandler::RebaseDependants(std::vector<ShortcutListEntry>& entries, int oldOption,
                                             int newBase, const WCHAR* newBaseName)
{
    for (ShortcutListEntry& entry : entries) {
        if (entry.optionId == oldOption || entry.baseOptionId != oldOption) {
            continue;
        }
        entry.baseOptionId = newBase;
        ShortcutRecord record;
        if (m_store.LoadShortcutRecord(record, entry.name) == 0) {
            record.baseOptionId = newBase;
            CopyStringSafe(record.baseName, kShortcutNameChars, newBaseName);
            m_store.DeleteShortcutValue(record.name);
            m_store.SaveShortcutRecord(&record);
        }
    }
}

void CNiraShortcutsHandler::OverwriteShortcut(int existing, int current)
{
    std::vector<ShortcutListEntry> entries;
    m_store.LoadShortcutList(entries);
    ShortcutRecord working;
    const bool haveWorking = LoadWorkingRecord(working);
    WCHAR existingName[kShortcutNameChars] = {};
    DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, existing, existingName);
    ShortcutRecord old;
    m_store.LoadShortcutRecord(old, existingName);
    auto found = std::find_if(entries.begin(), entries.end(), [existing](const ShortcutListEntry& entry) {
        return entry.optionId == existing;
    });
    const int oldBase = found != entries.end() ? found->baseOptionId : old.baseOptionId;
    int newBase = oldBase;
    WCHAR newBaseName[kShortcutNameChars] = {};
    CopyStringSafe(newBaseName, kShortcutNameChars, old.baseName);
    if (current != existing) {
        newBase = current;
        CopyStringSafe(newBaseName, kShortcutNameChars, haveWorking ? working.baseName : TEXT(""));
        if (!haveWorking) {
            DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, current, newBaseName);
        }
    }
    if (found != entries.end()) {
        found->baseOptionId = newBase;
    }
    RebaseDependants(entries, existing, oldBase, old.baseName);
    m_store.ReplaceShortcutList(entries.data(), static_cast<int>(entries.size()));

    CNiraLocalBuffer<OptionInfo> info(NewOptionInfo());
    if (info && m_services->GetOptionInfo(FEATURE_PRINTING_SHORTCUTS, existing, info.Get()) == 0) {
        GetShortcutBitmapId(&info->bitmapId, current);
        RemoveOptionOf(FEATURE_PRINTING_SHORTCUTS, existing);
        InsertOwnedOption(*m_services, m_featureId, FEATURE_PRINTING_SHORTCUTS, newBase, existing,
                          info.Detach());
    }
    State(FEATURE_PRINTING_SHORTCUTS, existing, OPTION_STATE_SELECTABLE);
    Set(FEATURE_PRINTING_SHORTCUTS, existing);

    m_store.DeleteShortcutValue(m_pendingName);
    if (haveWorking) {
        working.optionId = existing;
        CopyStringSafe(working.name, kShortcutNameChars, m_pendingName);
        working.baseOptionId = newBase;
        CopyStringSafe(working.baseName, kShortcutNameChars, newBaseName);
        m_store.DeleteShortcutValue(kCustomizedSettingsName);
        m_store.SaveShortcutRecord(&working);
    }
    Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
    Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
    Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_ENABLED);
    for (int featureId : m_rowFeatures) {
        Show(featureId, DISPLAY_STATE_ENABLED);
    }
}

void CNiraShortcutsHandler::SaveNewShortcut(int current)
{
    if (m_predefinedCount + m_customCount >= m_maxShortcuts) {
        WCHAR text[kMessageChars] = {};
        WCHAR caption[kMessageChars] = {};
        LoadResourceString(kStringShortcutLimit, text);
        LoadResourceString(kStringShortcutsCaption, caption);
        MessageBoxW(nullptr, text, caption, MB_OK | MB_ICONEXCLAMATION | MB_TASKMODAL);
        return;
    }
    int id = 0;
    if (FindFreeShortcutId(&id, CUSTOM_SHORTCUT_FIRST_ID) != 0) {
        return;
    }
    std::vector<ShortcutListEntry> entries;
    m_store.LoadShortcutList(entries);
    ShortcutListEntry entry = {id, current, {}};
    CopyStringSafe(entry.name, kShortcutNameChars, m_pendingName);
    entries.push_back(entry);
    m_store.ReplaceShortcutList(entries.data(), static_cast<int>(entries.size()));
    InsertCustomOption(id, current, m_pendingName, current);
    State(FEATURE_PRINTING_SHORTCUTS, id, OPTION_STATE_SELECTABLE);
    Set(FEATURE_PRINTING_SHORTCUTS, id);
    Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
    Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
    Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_ENABLED);
    if (GetShortcutBase(current) == SHORTCUT_FIXED_OPTION) {
        for (int featureId : m_rowFeatures) {
            Show(featureId, DISPLAY_STATE_ENABLED);
        }
    }
    ShortcutRecord working;
    if (LoadWorkingRecord(working)) {
        working.optionId = id;
        CopyStringSafe(working.name, kShortcutNameChars, m_pendingName);
        m_store.DeleteShortcutValue(kCustomizedSettingsName);
        m_store.SaveShortcutRecord(&working);
    }
    ++m_customCount;
}

// --- deleting ---

int CNiraShortcutsHandler::OnDelete()
{
    int current = 0;
    int isCustom = 1;
    if (Current(FEATURE_PRINTING_SHORTCUTS, &current)) {
        IsCustomShortcutId(current, &isCustom);
    }
    if (isCustom == 0) {
        return 0;
    }
    WCHAR text[kMessageChars] = {};
    WCHAR caption[kMessageChars] = {};
    LoadResourceString(kStringDeleteQuestion, text);
    LoadResourceString(kStringShortcutsCaption, caption);
    if (MessageBoxW(GetForegroundWindow(), text, caption, MB_OKCANCEL | MB_ICONEXCLAMATION | RightToLeft()) !=
        IDOK) {
        return 0;
    }
    std::vector<ShortcutListEntry> entries;
    m_store.LoadShortcutList(entries);
    // The entries other than the deleted one, also when the list and the options are out of step.
    entries.erase(
        std::remove_if(entries.begin(), entries.end(),
                       [current](const ShortcutListEntry& entry) { return entry.optionId == current; }),
        entries.end());
    WCHAR name[kShortcutNameChars] = {};
    DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, current, name);
    ShortcutRecord deleted;
    m_store.LoadShortcutRecord(deleted, name);
    const int base = GetShortcutBase(current);
    RebaseDependants(entries, current, base, deleted.baseName);

    int chosen = base;
    if (Set(FEATURE_PRINTING_SHORTCUTS, chosen) == 0) {
        OnWidgetChanged(FEATURE_PRINTING_SHORTCUTS);
    }
    m_store.ReplaceShortcutList(entries.data(), static_cast<int>(entries.size()));
    m_store.DeleteShortcutValue(name);
    RemoveOptionOf(FEATURE_PRINTING_SHORTCUTS, current);
    if (m_customCount > 0 && --m_customCount == 0) {
        m_store.DeleteShortcutList();
    }
    return 0;
}

// --- changes the constraint engine reports ---

int CNiraShortcutsHandler::OnConstraintAction(int featureId, const char* data1, const char*, const char*)
{
    if (m_services == nullptr || featureId != FEATURE_PRINTING_SHORTCUTS) {
        return m_services == nullptr ? NIRA_STATUS_FAILED : 0;
    }
    const int changed = data1 != nullptr ? std::atoi(data1) : 0;
    const int current = CurrentOr(FEATURE_PRINTING_SHORTCUTS, 0);
    int isCustom = 0;
    IsCustomShortcutId(current, &isCustom);
    const int value = CurrentOr(changed, 0);
    int found = 0;
    int softLink = 0;
    int two = 0;
    FindSoftLinkFeature(changed, &found, &softLink, &two);
    int linked = value;
    int listed = 0;
    if (found != 0) {
        linked = MirrorChange(changed, value, softLink, two, current, &listed);
    }

    bool tracked = false;
    if (m_bulkChange == 0 && !m_referenceValues.empty()) {
        tracked = true;
        auto reference = m_referenceValues.find(changed);
        const int wanted = reference != m_referenceValues.end() ? reference->second : 0;
        auto position = std::find(m_modifiedFeatures.begin(), m_modifiedFeatures.end(), changed);
        if (value == wanted) {
            if (position != m_modifiedFeatures.end()) {
                m_modifiedFeatures.erase(position);
            }
        } else if (position == m_modifiedFeatures.end()) {
            m_modifiedFeatures.insert(m_modifiedFeatures.begin(), changed);
        }
        Set(FEATURE_SHORTCUT_MODIFIED, m_modifiedFeatures.empty() ? 1 : 2);
    }
    const bool differs = tracked && !m_modifiedFeatures.empty();

    // The item of the change, and whether its value is the shortcut's own again.
    int fallback = 0;
    const int defaultFeature = found != 0 ? softLink : changed;
    const int isDefault =
        DefaultOf(defaultFeature, &fallback) && fallback == (found != 0 ? linked : value) ? 1 : 0;
    int autoSelected = 0;
    m_services->IsAutoSelectedOption(changed, value, &autoSelected);
    const bool valueItem = found == 0 || listed != 0;
    if (!valueItem && autoSelected != 0) {
        ShowModified(differs ? 2 : 1, isCustom != 0);
        return 0;
    }
    const ShortcutItem change = valueItem ? ShortcutItem{changed, SHORTCUT_ITEM_VALUE, value, 0, 0}
                                          : ShortcutItem{changed, SHORTCUT_ITEM_BOTH, value, value, 0};
    const int updateKind = valueItem ? SHORTCUT_ITEM_VALUE : SHORTCUT_ITEM_BOTH;

    ShortcutRecord record;
    if (LoadWorkingRecord(record)) {
        const bool onlyThisChange = record.optionId == CUSTOMIZED_SETTINGS_ID &&
                                    record.baseOptionId == current && record.items.size() == 1 &&
                                    record.items[0].featureId == changed &&
                                    record.items[0].kind == SHORTCUT_ITEM_VALUE && isDefault != 0 && two == 0;
        if (onlyThisChange) {
            m_store.DeleteShortcutValue(kCustomizedSettingsName);
        }
        if (!differs) {
            Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
            Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
            Show(WIDGET_SHORTCUT_DELETE, isCustom != 0 ? DISPLAY_STATE_ENABLED : DISPLAY_STATE_GREYED);
            return 0;
        }
        if (!UpdateItem(record, change, updateKind, valueItem ? isDefault : 0)) {
            return 0;
        }
        StoreWorkingRecord(record);
    } else {
        record = NewWorkingRecord(current);
        if (!UpdateItem(record, change, updateKind, valueItem ? isDefault : 0)) {
            return 0;
        }
        m_store.SaveShortcutRecord(&record);
    }
    if (!differs) {
        ShowModified(1, isCustom != 0);
    } else {
        Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_GREYED);
        Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_ENABLED);
        Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_ENABLED);
    }
    return 0;
}

// The changed feature's value shown on its soft-link feature; answers the soft-link feature's
// option for it and whether that option is listed there.
int CNiraShortcutsHandler::MirrorChange(int changed, int value, int softLink, int two, int current,
                                        int* listed)
{
    int linked = value;
    if (two != 0) {
        linked = Link(softLink, changed, value);
        if (linked != 0 && changed == FEATURE_DUPLEX && value == 3 && CurrentOr(FEATURE_BOOKLET, 0) != 1) {
            Set(FEATURE_BOOKLET, 1);
        }
        if (linked == 0) {
            linked = LinkWithFallback(softLink, changed, value);
            if (changed == FEATURE_DUPLEX && CurrentOr(FEATURE_BOOKLET, 0) != 1) {
                Set(FEATURE_BOOKLET, 1);
            }
        }
    }
    if (changed == FEATURE_GRAY_OPTIONS) {
        SyncGrayOptionsLink(changed, softLink);
    }
    IsOptionListed(softLink, linked, listed);
    const int display = m_services->GetDisplayState(changed);
    if (*listed == 0) {
        int autoSelected = 0;
        m_services->IsAutoSelectedOption(changed, value, &autoSelected);
        if (autoSelected == 0) {
            MirrorUnlistedOption(changed, value, softLink);
        }
        if (current != SHORTCUT_FIXED_OPTION &&
            (display == DISPLAY_STATE_GREYED || display == DISPLAY_STATE_ENABLED)) {
            Show(softLink, display);
        }
    } else {
        if (changed == FEATURE_GRAY_OPTIONS) {
            const int inGray = CurrentOr(FEATURE_PRINT_IN_GRAY, 0);
            const int option = inGray == 1 ? Link(softLink, FEATURE_GRAY_LINKED, 1)
                                           : (inGray == 2 ? Link(softLink, changed, value) : 0);
            if (option != 0) {
                Set(softLink, option);
            }
        } else if (changed != FEATURE_DUPLEX || CurrentOr(FEATURE_BOOKLET, 0) == 1) {
            State(softLink, linked, OPTION_STATE_SELECTABLE);
            Set(softLink, linked, kReasonByHandler, 0, 1);
        }
        if (changed != FEATURE_BOOKLET && changed != FEATURE_GRAY_OPTIONS) {
            if (display == DISPLAY_STATE_GREYED) {
                Show(softLink, DISPLAY_STATE_GREYED);
            } else if (display == DISPLAY_STATE_ENABLED && current != SHORTCUT_FIXED_OPTION) {
                Show(softLink, DISPLAY_STATE_ENABLED);
            }
        }
    }
    if (changed == FEATURE_PRINT_QUALITY) {
        SyncPrintQualityLink(changed, softLink, current);
    }
    return linked;
}
