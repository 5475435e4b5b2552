// Applying a printing shortcut: the soft-link features of the shortcuts page configured from the
// shortcut's rows, the real features set once the user has chosen or reset a shortcut (with the
// booklet, two-sided and grey interlocks), the real features' values mirrored into the soft-link
// features when the driver state is built, and the reference values later changes are compared
// with.
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"

#include <algorithm>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kLockShown = 3;
constexpr int kLockKept = 1;
constexpr int kMaxDpiQuality = 5;
constexpr int kQualityHidesPhotoFix1 = 1;
constexpr int kQualityHidesPhotoFix2 = 6;
constexpr int kGrayOptionAuto = 4;
constexpr int kOptionNameBytes = 520;
// The photo shortcut, which a printer that prints directly does not offer.
constexpr int kPhotoShortcut = 3;

bool IsTwoSided(int option)
{
    return option == 2 || option == 3;
}

// The options of a feature in the order of its option map.
std::vector<int> OptionsOf(INiraCoreServices* services, int featureId)
{
    std::vector<int> options;
    if (services == nullptr) {
        return options;
    }
    services->EnumerateOptions(
        featureId,
        [](int, int optionId, int, WCHAR*, void* userData) {
            static_cast<std::vector<int>*>(userData)->push_back(optionId);
            return 0;
        },
        &options);
    return options;
}

}  // namespace

int CNiraShortcutsHandler::FindSoftLinkFeature(int featureId, int* found, int* softLinkId, int* twoLinks)
{
    *found = 0;
    *softLinkId = 0;
    *twoLinks = 0;
    if (m_services == nullptr || featureId <= 0) {
        return 0;
    }
    for (int id = SOFT_LINK_FIRST; id <= SOFT_LINK_LAST; ++id) {
        int feature = id;
        FeatureEntry* entry = nullptr;
        if (m_services->FindFeature(&feature, &entry) != 0 || entry == nullptr ||
            entry->uiRecord == nullptr || entry->uiRecord->softLink == 0) {
            continue;
        }
        if (entry->uiRecord->softLinkFeatureId == featureId) {
            *found = 1;
            *softLinkId = id;
            *twoLinks = entry->uiRecord->softLinkFeatureId2 != 0 ? 1 : 0;
        } else if (entry->uiRecord->softLinkFeatureId2 == featureId) {
            *found = 1;
            *softLinkId = id;
            *twoLinks = 1;
        }
    }
    return 0;
}

int CNiraShortcutsHandler::IsOptionListed(int featureId, int option, int* listed)
{
    *listed = 0;
    if (m_services == nullptr) {
        return 0;
    }
    const int count = m_services->GetOptionCount(featureId);
    for (int index = 0; index < count; ++index) {
        int optionIndex = 0;
        int optionId = 0;
        int bitmapId = 0;
        int iconId = 0;
        int state = 0;
        WCHAR name[kOptionNameBytes / sizeof(WCHAR)] = {};
        if (m_services->GetOptionByIndex(index, featureId, &optionIndex, &optionId, name, &bitmapId, &iconId,
                                         &state) != 0) {
            break;
        }
        if (optionId == option) {
            *listed = 1;
            break;
        }
    }
    return 0;
}

int CNiraShortcutsHandler::ResetSoftLinkFeatures()
{
    for (int id = SOFT_LINK_FIRST; id <= SOFT_LINK_LAST && m_services != nullptr; ++id) {
        if (m_services->HasFeature(id) == 0) {
            continue;
        }
        Show(id, DISPLAY_STATE_HIDDEN);
        m_services->SetSoftLinks(m_featureId, id, 0, 0, 0);
        m_services->ClearLinkedOptions(id);
    }
    return 0;
}

void CNiraShortcutsHandler::AddRowFeature(int featureId)
{
    m_rowFeatures.insert(m_rowFeatures.begin(), featureId);
}

int CNiraShortcutsHandler::ApplyShortcutRows(int* option, int applyingCustomBase, int isRetry)
{
    if (option == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (!HasOptionOf(FEATURE_PRINTING_SHORTCUTS, *option)) {
        DefaultOf(FEATURE_PRINTING_SHORTCUTS, option);
        applyingCustomBase = 0;
    }
    m_applyingCustomBase = applyingCustomBase;
    m_rowFeatures.clear();
    m_modifiedFeatures.clear();
    const int count = RunQuery(*option, kQueryCount);
    RunQuery(*option, kQueryRows);
    if (count == 0 && isRetry == 0) {
        DefaultOf(FEATURE_PRINTING_SHORTCUTS, option);
        return ApplyShortcutRows(option, 0, 1);
    }
    for (int id = SOFT_LINK_FIRST; id <= SOFT_LINK_LAST; ++id) {
        if (m_services->HasFeature(id) != 0 && m_services->GetOptionCount(id) == 0) {
            Show(id, DISPLAY_STATE_HIDDEN);
        }
    }
    return 0;
}

int CNiraShortcutsHandler::ApplyShortcutRow(const ShortcutRow& row)
{
    int softLink = row.featureId;
    const int first = row.softLinkFeatureId;
    const int second = row.softLinkFeatureId2;
    int defaultOption = row.defaultOption;
    int keep = -1;
    FeatureEntry* entry = nullptr;
    if (m_services == nullptr || m_services->FindFeature(&softLink, &entry) != 0 || entry == nullptr) {
        return 0;
    }
    AddRowFeature(row.featureId);
    if (entry->uiRecord != nullptr) {
        entry->uiRecord->softLink = row.softLink;
        entry->uiRecord->softLinkFeatureId = first;
        entry->uiRecord->softLinkFeatureId2 = second;
        entry->uiRecord->auxIndex = row.auxIndex;
        entry->uiRecord->auxBitMask = row.auxBit;
        entry->uiRecord->stringId = row.stringId;
        entry->uiRecord->helpId = row.helpId;
    }
    m_services->SetFeatureLock(row.featureId, kLockShown);
    // With the device-management data the fixed shortcut takes the real features' own defaults.
    const bool deviceDefaults = m_dmcPresent == 1 && row.optionId == SHORTCUT_FIXED_OPTION;
    FeatureRecord* record = entry->record;
    if (record != nullptr) {
        if (deviceDefaults) {
            DefaultOf(first, &keep);
            record->defaultOption = keep;
            if (keep != record->currentOption) {
                record->previousOption = record->currentOption;
                record->currentOption = keep;
            }
            defaultOption = keep;
        } else {
            record->defaultOption = defaultOption;
        }
    }
    if (first == FEATURE_PRINT_QUALITY || second == FEATURE_PRINT_QUALITY) {
        m_qualityRowShortcut = row.optionId;
        m_qualityRowMaxDpi = row.maxDpiSupported;
    }
    m_services->BuildLinkedOptions(row.featureId, keep);
    if (deviceDefaults && second != 0 && record != nullptr) {
        const int linked = Link(row.featureId, first, keep);
        defaultOption = linked;
        if (record->defaultOption != linked) {
            record->previousOption = record->currentOption;
            record->currentOption = linked;
            record->defaultOption = linked;
        }
    }
    if (m_services->IsFeatureLocked(first) != 0) {
        Show(row.featureId, DISPLAY_STATE_GREYED);
        m_services->SetFeatureLock(row.featureId, kLockKept);
    }
    const bool fixedGreyed = row.optionId == SHORTCUT_FIXED_OPTION && m_applyingCustomBase != 1;
    Show(row.featureId, fixedGreyed ? DISPLAY_STATE_GREYED : DISPLAY_STATE_ENABLED);
    if (m_applyValues == 1) {
        State(row.featureId, defaultOption, OPTION_STATE_SELECTABLE);
        Set(row.featureId, defaultOption);
        int source = 0;
        int sourceOption = 0;
        if (second == 0 ||
            m_services->GetLinkedOptionSource(row.featureId, defaultOption, &source, &sourceOption) != 0) {
            State(first, defaultOption, OPTION_STATE_SELECTABLE);
            Set(first, defaultOption);
        } else {
            ApplyLinkedSource(source, sourceOption, 0);
        }
    }
    // Two-sided settings only with two-sided printing; the photo fix only for the better qualities.
    const int duplex = CurrentOr(FEATURE_DUPLEX, 0);
    if (duplex != 1 && CurrentOr(FEATURE_BOOKLET, 0) == 1) {
        Show(FEATURE_DUPLEX_EDGE, DISPLAY_STATE_ENABLED);
        Show(FEATURE_BOOKLET, DISPLAY_STATE_ENABLED);
    }
    if (duplex == 1) {
        Show(FEATURE_DUPLEX_EDGE, DISPLAY_STATE_GREYED);
        Show(FEATURE_BOOKLET, DISPLAY_STATE_GREYED);
    }
    const int quality = CurrentOr(FEATURE_PRINT_QUALITY, 0);
    Show(FEATURE_PHOTO_FIX, quality == kQualityHidesPhotoFix1 || quality == kQualityHidesPhotoFix2
                                ? DISPLAY_STATE_GREYED
                                : DISPLAY_STATE_ENABLED);
    return 0;
}

// Sets the real feature a linked option stands for, with the interlocks of booklet and two-sided
// printing and of the grey options. The reason is 4 when the option conflicts.
void CNiraShortcutsHandler::ApplyLinkedSource(int featureId, int option, int)
{
    Show(featureId, DISPLAY_STATE_ENABLED);
    const int reason =
        OptionStateOf(featureId, option) == OPTION_STATE_CONFLICT ? OPTION_STATE_CONFLICT : kReasonByHandler;
    Set(featureId, option, reason, 1);
    if (featureId == FEATURE_DUPLEX && IsTwoSided(option)) {
        Set(FEATURE_BOOKLET, 1);
    }
    if (featureId == FEATURE_BOOKLET && IsTwoSided(option)) {
        SetBookletDuplex();
        Set(FEATURE_PAGES_PER_SHEET, 2);
        Show(FEATURE_DUPLEX_EDGE, DISPLAY_STATE_ENABLED);
        Show(FEATURE_PAGE_ORDER_NUP, DISPLAY_STATE_ENABLED);
    }
    if (featureId == FEATURE_GRAY_OPTIONS) {
        Set(FEATURE_GRAY_LINKED, 2);
    }
    Show(featureId, DISPLAY_STATE_ENABLED);
    Set(featureId, option, reason, 0);
}

// A booklet is printed on both sides: long edge when the printer offers it, else short edge.
void CNiraShortcutsHandler::SetBookletDuplex()
{
    Set(FEATURE_DUPLEX, HasOptionOf(FEATURE_DUPLEX, 2) ? 2 : (HasOptionOf(FEATURE_DUPLEX, 3) ? 3 : 1));
}

int CNiraShortcutsHandler::LinkWithFallback(int softLinkId, int featureId, int option)
{
    int linked = Link(softLinkId, featureId, option);
    if (linked != 0 || m_services == nullptr) {
        return linked;
    }
    if (featureId == FEATURE_DUPLEX) {
        m_services->RebuildLinkedOptions(softLinkId);
        return Link(softLinkId, featureId, option);
    }
    int hasFirst = 0;
    int first = 0;
    int second = 0;
    int hasSecond = 0;
    m_services->GetSoftLinks(softLinkId, &hasFirst, &first, &second, &hasSecond);
    const int other = first == featureId ? second : first;
    return Link(softLinkId, other, CurrentOr(other, 0));
}

int CNiraShortcutsHandler::SyncPrintQualityLink(int featureId, int softLinkId, int currentShortcut)
{
    for (int option : OptionsOf(m_services, featureId)) {
        const int state = OptionStateOf(featureId, option);
        if (HasOptionOf(softLinkId, option)) {
            if (option == kMaxDpiQuality && m_qualityRowShortcut == currentShortcut) {
                m_maxDpiAllowed = m_qualityRowMaxDpi;
            }
            if (state == OPTION_STATE_UNAVAILABLE) {
                RemoveOptionOf(softLinkId, option);
            }
        }
        if (m_maxDpiAllowed != 0 && option == kMaxDpiQuality && state == OPTION_STATE_SELECTABLE) {
            AddOptionFrom(softLinkId, kMaxDpiQuality, featureId, kMaxDpiQuality);
        }
    }
    return 0;
}

int CNiraShortcutsHandler::SyncGrayOptionsLink(int featureId, int softLinkId)
{
    const int gray = CurrentOr(featureId, 0);
    for (int option : OptionsOf(m_services, featureId)) {
        const int state = OptionStateOf(featureId, option);
        const int linked = Link(softLinkId, featureId, option);
        const bool listed = HasOptionOf(softLinkId, linked);
        if (listed && option == kGrayOptionAuto && state == OPTION_STATE_UNAVAILABLE && gray == 2) {
            RemoveOptionOf(softLinkId, linked);
        }
        if (option == kGrayOptionAuto && state == OPTION_STATE_SELECTABLE && !listed &&
            m_services != nullptr) {
            int added = 0;
            m_services->AddLinkedOption(softLinkId, &added, featureId, kGrayOptionAuto);
            if (added != 0) {
                AddOptionFrom(softLinkId, added, featureId, kGrayOptionAuto);
                State(softLinkId, added, OPTION_STATE_SELECTABLE);
            }
        }
    }
    const int inGray = CurrentOr(FEATURE_PRINT_IN_GRAY, 0);
    const int linked = inGray == 1 ? Link(softLinkId, FEATURE_GRAY_LINKED, 1)
                                   : (inGray == 2 ? Link(softLinkId, featureId, gray) : 0);
    if (linked != 0) {
        Set(softLinkId, linked);
    }
    return 0;
}

int CNiraShortcutsHandler::DropLinkedDuplexOption(int featureId, int softLinkId)
{
    const int linked = Link(softLinkId, featureId, 2);
    if (linked != 0 && HasOptionOf(softLinkId, linked)) {
        int fallback = 0;
        if (DefaultOf(softLinkId, &fallback) && fallback == linked) {
            Set(softLinkId, 1);
        }
        RemoveOptionOf(softLinkId, linked);
    }
    return 0;
}

int CNiraShortcutsHandler::RestoreFixedShortcut()
{
    std::vector<int> options = OptionsOf(m_services, FEATURE_PRINTING_SHORTCUTS);
    for (auto option = options.rbegin(); option != options.rend(); ++option) {
        if (*option != SHORTCUT_FIXED_OPTION) {
            RemoveOptionOf(FEATURE_PRINTING_SHORTCUTS, *option);
        }
    }
    const int status = Set(FEATURE_PRINTING_SHORTCUTS, SHORTCUT_FIXED_OPTION, kReasonByHandler, 0, 1);
    ShortcutRecord record;
    if (m_store.LoadShortcutRecord(record, kCustomizedSettingsName) == 0 &&
        CompareStringSafe(record.name, kCustomizedSettingsName) == S_OK &&
        !HasOptionOf(FEATURE_PRINTING_SHORTCUTS, record.baseOptionId)) {
        record.baseOptionId = SHORTCUT_FIXED_OPTION;
        DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, SHORTCUT_FIXED_OPTION, record.baseName);
        if (m_store.DeleteShortcutValue(kCustomizedSettingsName) == 0) {
            m_store.SaveShortcutRecord(&record);
        }
    }
    return status;
}

int CNiraShortcutsHandler::ClearModifiedFeatures()
{
    for (int featureId : m_modifiedFeatures) {
        int option = 0;
        if (Current(featureId, &option)) {
            m_referenceValues[featureId] = option;
        }
    }
    m_modifiedFeatures.clear();
    return Set(FEATURE_SHORTCUT_MODIFIED, 1);
}

void CNiraShortcutsHandler::ShowModified(int modified, bool custom)
{
    if (modified == 1) {
        Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
        Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
        if (custom) {
            Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_ENABLED);
        }
    } else if (modified == 2) {
        Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_ENABLED);
        Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_ENABLED);
        Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_GREYED);
    }
}

int CNiraShortcutsHandler::InitializeStates()
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (m_services->IsFeatureLockRequested(FEATURE_PRINTING_SHORTCUTS) != 0) {
        RestoreFixedShortcut();
    }
    m_store.SetRestrictedUser(m_store.ProbePrinterDataAccess());
    std::vector<ShortcutListEntry> entries;
    m_store.LoadShortcutList(entries);
    m_customCount = static_cast<int>(entries.size());
    m_predefinedCount = m_services->GetOptionCount(FEATURE_PRINTING_SHORTCUTS);
    m_services->GetRangeMax(FEATURE_PRINTING_SHORTCUTS, &m_maxShortcuts);
    for (const ShortcutListEntry& entry : entries) {
        InsertCustomOption(entry.optionId, entry.baseOptionId, entry.name, entry.baseOptionId);
    }

    int printsDirectly = 0;
    int localPrinter = 0;
    ReadPrinterFacts(&printsDirectly, &localPrinter);
    int acceptable = 0;
    if (printsDirectly == 1 &&
        m_services->IsOptionAcceptable(FEATURE_PRINTING_SHORTCUTS, kPhotoShortcut, &acceptable) == 0 &&
        acceptable != 0) {
        RemoveOptionOf(FEATURE_PRINTING_SHORTCUTS, kPhotoShortcut);
    }

    Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
    Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
    int current = CurrentOr(FEATURE_PRINTING_SHORTCUTS, 0);
    int isCustom = 0;
    IsCustomShortcutId(current, &isCustom);
    ShortcutRecord record;
    bool haveRecord = false;
    if (isCustom == 0) {
        ResetSoftLinkFeatures();
        ApplyShortcutRows(&current, 0, 0);
        Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_GREYED);
    } else {
        WCHAR name[kShortcutNameChars];
        haveRecord = DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, current, name) &&
                     m_store.LoadShortcutRecord(record, name) == 0;
        ResetSoftLinkFeatures();
        int base = ResolvePredefinedBase(haveRecord ? record.baseOptionId : 0);
        ApplyShortcutRows(&base, 1, 0);
        Show(WIDGET_SHORTCUT_DELETE, DISPLAY_STATE_ENABLED);
        Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_GREYED);
        Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_GREYED);
    }

    for (int featureId = kFirstSettingsFeature; featureId <= kLastShortcutFeature; ++featureId) {
        MirrorFeature(featureId, current, haveRecord ? &record : nullptr, printsDirectly, localPrinter);
    }
    if (current == SHORTCUT_FIXED_OPTION) {
        for (int featureId : m_rowFeatures) {
            Show(featureId, DISPLAY_STATE_GREYED);
        }
    }
    FillReferenceValues();
    m_bulkChange = 0;
    return m_services->SendHandlerCommand(m_featureId, FEATURE_APP_PROFILE, kCommandApplyAppProfile, nullptr,
                                          nullptr);
}

void CNiraShortcutsHandler::InsertCustomOption(int optionId, int beforeOptionId, const WCHAR* name,
                                               int bitmapOf)
{
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr) {
        return;
    }
    info->optionIndex = optionId;
    info->featureId = FEATURE_PRINTING_SHORTCUTS;
    CopyStringSafeN(info->displayName, kOptionTextLength, name, kShortcutNameMaxChars);
    info->state = OPTION_STATE_SELECTABLE;
    GetShortcutBitmapId(&info->bitmapId, bitmapOf);
    if (info->bitmapId == 0) {
        int fallback = 0;
        DefaultOf(FEATURE_PRINTING_SHORTCUTS, &fallback);
        GetShortcutBitmapId(&info->bitmapId, fallback);
    }
    InsertOwnedOption(*m_services, m_featureId, FEATURE_PRINTING_SHORTCUTS, beforeOptionId, optionId, info);
}

void CNiraShortcutsHandler::ReadPrinterFacts(int* printsDirectly, int* localPrinter)
{
    WCHAR* printerName = nullptr;
    if (m_services != nullptr && m_services->GetPrinterName(&printerName) == 0 && printerName != nullptr) {
        CNiraPrinterAccess access(printerName);
        access.IsDirectPrinting(printsDirectly);
        *localPrinter = access.IsLocalPrinter() ? 1 : 0;
    }
    LocalFree(printerName);
}

// Step by step, what a real feature's value makes of its soft-link feature when the driver state
// is built, and whether the settings differ from the chosen shortcut.
void CNiraShortcutsHandler::MirrorFeature(int featureId, int current, const ShortcutRecord* record,
                                          int printsDirectly, int localPrinter)
{
    int value = 0;
    if (!Current(featureId, &value)) {
        return;
    }
    int isCustom = 0;
    IsCustomShortcutId(current, &isCustom);
    int found = 0;
    int softLink = 0;
    int two = 0;
    FindSoftLinkFeature(featureId, &found, &softLink, &two);
    if (found == 0) {
        ShowModified(CurrentOr(FEATURE_SHORTCUT_MODIFIED, 0), isCustom != 0);
        return;
    }
    int linked = value;
    if (two != 0) {
        linked = Link(softLink, featureId, value);
        if (linked != 0 && featureId == FEATURE_DUPLEX && localPrinter == 0) {
            DropLinkedDuplexOption(FEATURE_DUPLEX, softLink);
        }
        if (linked == 0) {
            linked = LinkWithFallback(softLink, featureId, value);
        }
    }
    if (featureId == FEATURE_PRINT_QUALITY) {
        SyncPrintQualityLink(featureId, softLink, current);
    }
    if (featureId == FEATURE_GRAY_OPTIONS) {
        SyncGrayOptionsLink(featureId, softLink);
    }
    int listed = 0;
    IsOptionListed(softLink, linked, &listed);
    if (listed == 0) {
        MirrorUnlistedOption(featureId, value, softLink);
        ShowModified(2, false);
        if (isCustom != 0) {
            ShowModified(1, true);
        }
    }
    int hasFirst = 0;
    int first = 0;
    int second = 0;
    int hasSecond = 0;
    m_services->GetSoftLinks(softLink, &hasFirst, &first, &second, &hasSecond);
    const bool bookletLink = first == FEATURE_BOOKLET || second == FEATURE_BOOKLET;
    if (!bookletLink || CurrentOr(FEATURE_DUPLEX_UNIT, 0) == 1 ||
        m_services->HasFeature(FEATURE_DUPLEX_UNIT) == 0) {
        State(softLink, linked, OPTION_STATE_SELECTABLE);
        Set(softLink, linked);
    }
    if (current != SHORTCUT_FIXED_OPTION && featureId != FEATURE_BOOKLET) {
        const int display = m_services->GetDisplayState(featureId);
        if (display == DISPLAY_STATE_GREYED || display == DISPLAY_STATE_ENABLED) {
            Show(softLink, display);
        }
    }
    if (featureId == FEATURE_DUPLEX && CurrentOr(FEATURE_DUPLEX_UNIT, 0) == 2) {
        linked = MirrorDuplexWithoutUnit(softLink, value);
    }
    if (printsDirectly == 1 && (featureId == FEATURE_DUPLEX || featureId == FEATURE_PAGES_PER_SHEET)) {
        Show(softLink, DISPLAY_STATE_GREYED);
    }
    CompareWithShortcut(featureId, value, softLink, two, linked, isCustom != 0, record);
}

// The real feature's option is not among the soft-link feature's: it is added (as itself, or as
// a linked option of a pair) and chosen there.
void CNiraShortcutsHandler::MirrorUnlistedOption(int featureId, int value, int softLink)
{
    int* last = LinkedOption(softLink);
    if (last != nullptr && *last > 0 && *last != value) {
        RemoveOptionOf(softLink, *last);
    }
    const int state = OptionStateOf(featureId, value);
    if (!HasOptionOf(softLink, value)) {
        if (last != nullptr) {
            *last = value;
        }
        const bool refused =
            state == OPTION_STATE_CONFLICT || (featureId == FEATURE_PRINT_QUALITY &&
                                               value == kMaxDpiQuality && state == OPTION_STATE_UNAVAILABLE);
        if (!refused) {
            AddOptionFrom(softLink, value, featureId, value);
            State(softLink, value, OPTION_STATE_SELECTABLE);
            Set(softLink, value);
        }
        return;
    }
    int hasFirst = 0;
    int first = 0;
    int second = 0;
    int hasSecond = 0;
    m_services->GetSoftLinks(softLink, &hasFirst, &first, &second, &hasSecond);
    if (hasSecond == 0 || (first != featureId && second != featureId) || state == OPTION_STATE_CONFLICT) {
        return;
    }
    int source = featureId;
    int sourceOption = value;
    if (featureId == FEATURE_BOOKLET && value == 1) {
        source = FEATURE_DUPLEX;
        sourceOption = CurrentOr(FEATURE_DUPLEX, 0);
        const int linked = Link(softLink, source, sourceOption);
        if (linked != 0) {
            Set(softLink, linked);
            return;
        }
    }
    int added = 0;
    m_services->AddLinkedOption(softLink, &added, source, sourceOption);
    if (added != 0) {
        AddOptionFrom(softLink, added, source, sourceOption);
        State(softLink, added, OPTION_STATE_SELECTABLE);
        Set(softLink, added);
    }
}

// Two-sided printing without the duplex unit: short-edge and booklet options leave the soft-link
// feature of two-sided printing. Answers the linked option that stands last.
int CNiraShortcutsHandler::MirrorDuplexWithoutUnit(int softLink, int value)
{
    int longEdge = 0;
    int shortEdge = 0;
    IsOptionListed(FEATURE_DUPLEX, 2, &longEdge);
    IsOptionListed(FEATURE_DUPLEX, 3, &shortEdge);
    int linked = 0;
    if (shortEdge != 0 && value == 3) {
        RemoveOptionOf(FEATURE_DUPLEX, 3);
        if (longEdge == 0) {
            Set(softLink, 1);
        } else {
            Set(softLink, 2);
            Set(FEATURE_DUPLEX, 2);
        }
    }
    if (shortEdge != 0) {
        if (!HasOptionOf(FEATURE_DUPLEX, 2)) {
            DropBookletLinks(softLink);
        }
        linked = Link(softLink, FEATURE_DUPLEX, 3);
        if (linked != 0) {
            RemoveOptionOf(softLink, linked);
        }
        int fallback = 0;
        Set(softLink, longEdge == 0 || !DefaultOf(softLink, &fallback) || fallback != 3 ? 1 : 2);
        State(FEATURE_DUPLEX, 3, OPTION_STATE_UNAVAILABLE);
    }
    return linked;
}

// Booklets need long-edge two-sided printing: without it their linked options go.
void CNiraShortcutsHandler::DropBookletLinks(int softLink)
{
    for (int booklet : {2, 3}) {
        const int linked = Link(softLink, FEATURE_BOOKLET, booklet);
        if (linked != 0) {
            RemoveOptionOf(softLink, linked);
        }
        State(FEATURE_BOOKLET, booklet, OPTION_STATE_UNAVAILABLE);
    }
}

// Whether the feature's value is what the chosen shortcut stands for; for a custom shortcut its
// item of the feature decides, and the item's options are offered on the soft-link feature.
void CNiraShortcutsHandler::CompareWithShortcut(int featureId, int value, int softLink, int two, int linked,
                                                bool custom, const ShortcutRecord* record)
{
    int fallback = 0;
    if (!DefaultOf(softLink, &fallback)) {
        return;
    }
    if (!custom) {
        if (fallback != linked) {
            Show(WIDGET_SHORTCUT_SAVE_AS, DISPLAY_STATE_ENABLED);
            Show(FEATURE_SHORTCUT_RESET, DISPLAY_STATE_ENABLED);
        }
        return;
    }
    const ShortcutItem* item = nullptr;
    if (record != nullptr) {
        auto found =
            std::find_if(record->items.begin(), record->items.end(),
                         [featureId](const ShortcutItem& each) { return each.featureId == featureId; });
        item = found != record->items.end() ? &*found : nullptr;
    }
    if (item == nullptr) {
        if (fallback != value) {
            ShowModified(2, true);
        }
        return;
    }
    const int shown = two != 0 ? Link(softLink, featureId, item->value) : item->value;
    int accepted = 0;
    m_services->IsOptionAcceptable(softLink, shown, &accepted);
    int extraAccepted = 1;
    if (item->extraOption > 0) {
        m_services->IsOptionAcceptable(softLink, item->extraOption, &extraAccepted);
        if (extraAccepted == 0) {
            AddOptionFrom(softLink, item->extraOption, featureId, item->extraOption);
        }
    }
    if (accepted == 0 && extraAccepted != 0) {
        AddOptionFrom(softLink, shown, featureId, item->value);
        if (featureId == FEATURE_DUPLEX && CurrentOr(FEATURE_DUPLEX_UNIT, 0) == 2) {
            const int shortEdge = Link(softLink, FEATURE_DUPLEX, 3);
            if (shortEdge != 0) {
                RemoveOptionOf(softLink, shortEdge);
            }
        }
    }
    if (item->value != value) {
        ShowModified(2, true);
    }
}

void CNiraShortcutsHandler::FillReferenceValues()
{
    m_referenceValues.clear();
    for (int featureId = kFirstSettingsFeature; featureId <= kLastShortcutFeature; ++featureId) {
        int own = 0;
        if (!DefaultOf(featureId, &own) || m_services->HasFeature(featureId) == 0) {
            continue;
        }
        int found = 0;
        int softLink = 0;
        int two = 0;
        FindSoftLinkFeature(featureId, &found, &softLink, &two);
        int reference = own;
        if (featureId != FEATURE_GRAY_OPTIONS && found != 0 && !DefaultOf(softLink, &reference)) {
            continue;
        }
        m_referenceValues[featureId] = reference;
    }
}

int CNiraShortcutsHandler::ApplyCustomShortcut(int option)
{
    WCHAR name[kShortcutNameChars];
    ShortcutRecord record;
    ShortcutRecord head;
    int fromUserStore = 0;
    const bool loaded = DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, option, name) &&
                        m_store.LoadShortcutRecord(record, name) == 0 &&
                        m_store.LoadShortcutRecordHead(head, name, &fromUserStore) == 0;
    int status = 0;
    if (loaded) {
        m_services->ResetToDefaults(FEATURE_PRINTING_SHORTCUTS);
        ResetSoftLinkFeatures();
        int base = ResolvePredefinedBase(record.baseOptionId);
        status = ApplyShortcutRows(&base, 1, 0);
        for (const ShortcutItem& item : record.items) {
            ApplyCustomItem(item);
        }
    }
    // A restricted user may delete only the shortcuts of the user's own store.
    const bool deletable = m_store.IsRestrictedUser() == 0 || (loaded && fromUserStore == 1);
    Show(WIDGET_SHORTCUT_DELETE, deletable ? DISPLAY_STATE_ENABLED : DISPLAY_STATE_GREYED);
    return status;
}

bool CNiraShortcutsHandler::HasNamedOption(int featureId, int option, OptionInfo* info)
{
    return m_services->GetOptionInfo(featureId, option, info) == 0 && info->displayName[0] != 0;
}

void CNiraShortcutsHandler::ApplyCustomItem(const ShortcutItem& item)
{
    const int featureId = item.featureId;
    int found = 0;
    int softLink = 0;
    int two = 0;
    FindSoftLinkFeature(featureId, &found, &softLink, &two);
    FeatureEntry* softEntry = nullptr;
    int softId = softLink;
    const bool softLinked = found != 0 && m_services->FindFeature(&softId, &softEntry) == 0 &&
                            softEntry != nullptr && softEntry->uiRecord != nullptr &&
                            softEntry->uiRecord->softLink != 0;
    const bool settable = m_applyValues == 1 || IsSoftLinkFeatureId(featureId) == 0;
    CNiraLocalBuffer<OptionInfo> info(NewOptionInfo());
    if (!info) {
        return;
    }
    switch (item.kind) {
    case SHORTCUT_ITEM_VALUE:
        if (settable) {
            State(featureId, item.value, OPTION_STATE_SELECTABLE);
            Set(featureId, item.value);
            Show(featureId, item.displayState);
        }
        if (found != 0) {
            int display = item.displayState;
            int linked = item.value;
            if (two != 0) {
                linked = LinkWithFallback(softLink, featureId, item.value);
                display = DISPLAY_STATE_ENABLED;
            }
            const bool skipped =
                (featureId == FEATURE_GRAY_OPTIONS && CurrentOr(FEATURE_GRAY_LINKED, 0) == 1) ||
                (featureId == FEATURE_DUPLEX && IsTwoSided(CurrentOr(FEATURE_BOOKLET, 0)));
            if (!skipped) {
                State(softLink, linked, OPTION_STATE_SELECTABLE);
                Set(softLink, linked);
                Show(softLink, display);
            }
        } else {
            ApplyOwnSoftLink(featureId, item.value);
        }
        break;
    case SHORTCUT_ITEM_EXTRA:
        if (softLinked) {
            const int target = softEntry->uiRecord->softLinkFeatureId;
            if (HasNamedOption(target, item.extraOption, info.Get())) {
                AddOwnedOption(*m_services, m_featureId, softLink, item.extraOption, info.Detach());
                Set(target, item.extraOption);
            }
        }
        break;
    case SHORTCUT_ITEM_BOTH: {
        const bool named = HasNamedOption(featureId, item.extraOption, info.Get());
        if (settable) {
            State(featureId, item.value, OPTION_STATE_SELECTABLE);
            if (named) {
                Set(featureId, item.value);
            }
        }
        if (softLinked && named) {
            AddOwnedOption(*m_services, m_featureId, softLink, item.extraOption, info.Detach());
            if (m_applyValues == 1) {
                State(softLink, item.extraOption, OPTION_STATE_SELECTABLE);
                Set(softLink, item.extraOption);
            }
        }
        break;
    }
    default:
        break;
    }
}

// An item of a soft-link feature that no real feature names: its own link says what to set.
void CNiraShortcutsHandler::ApplyOwnSoftLink(int featureId, int option)
{
    int id = featureId;
    FeatureEntry* entry = nullptr;
    if (m_applyValues != 1 || m_services->FindFeature(&id, &entry) != 0 || entry == nullptr ||
        entry->uiRecord == nullptr || entry->uiRecord->softLink == 0) {
        return;
    }
    int target = entry->uiRecord->softLinkFeatureId;
    int targetOption = option;
    if (entry->uiRecord->softLinkFeatureId2 != 0) {
        m_services->GetLinkedOptionSource(featureId, option, &target, &targetOption);
    }
    State(target, targetOption, OPTION_STATE_SELECTABLE);
    Set(target, targetOption);
}
