#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"
#include "common/SafeString.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr LANGID kEnglishUS = 1033;
constexpr LANGID kJapanese = 1041;
// Columns of the rows statement, in its order.
enum RowColumn {
    kColumnOptionId,
    kColumnName,
    kColumnBitmapId,
    kColumnFeatureId,
    kColumnFeatureName,
    kColumnStringId,
    kColumnSoftLink,
    kColumnSoftLinkFeature,
    kColumnSoftLinkFeature2,
    kColumnDefaultOption,
    kColumnAuxIndex,
    kColumnAuxBit,
    kColumnHelpId,
    kColumnDefaultNonUS,
    kColumnDefaultJapanese,
    kColumnMaxDpi,
    kRowColumns,
};
constexpr int kLeastRowColumns = kColumnSoftLinkFeature2 + 1;
constexpr size_t kCountStatementChars = 70;
constexpr size_t kRowsStatementChars = 260;
constexpr size_t kBitmapStatementChars = 68;
constexpr unsigned kLargestQueryId = 9999;  // ids are written in at most four digits
const char kCountStatement[] = "SELECT COUNT(FeatureID) FROM FDT%u WHERE PSOptionID=\"%u\"";
const char kRowsStatement[] =
    "SELECT PSOptionID, PSName ,CustomBitmapID, FeatureID, FeatureName, StringID, SoftLinkState, "
    "SoftLinkedFID1, "
    "SoftLinkedFID2, DefaultOptionID, AuxIndex, AuxBit, HelpID, DefaultNonUS, DefaultJapanese, "
    "MaxDPISupported "
    "FROM FDT%u WHERE PSOptionID=\"%u\"";
const char kBitmapStatement[] = "SELECT CustomBitmapID FROM FDT%u WHERE PSOptionID=\"%u\"";

int Column(int columnCount, char** values, int column)
{
    return column < columnCount && values[column] != nullptr ? std::atoi(values[column]) : 0;
}

LPWSTR WideColumn(int columnCount, char** values, int column)
{
    LPWSTR wide = nullptr;
    if (column < columnCount && values[column] != nullptr && !ConvertToWide(&wide, values[column], CP_ACP)) {
        wide = nullptr;
    }
    return wide;
}

int DefaultColumnForLanguage()
{
    LANGID language = 0;
    if (GetUserUILanguage(&language) != 0 || language == 0) {
        language = kEnglishUS;
    }
    return language == kEnglishUS ? kColumnDefaultOption
                                  : (language == kJapanese ? kColumnDefaultJapanese : kColumnDefaultNonUS);
}

}  // namespace

CNiraShortcutsHandler::CNiraShortcutsHandler()
    : m_database(nullptr),
      m_featureId(0),
      m_pendingName(),
      m_hasPendingName(false),
      m_linkedOptions(),
      m_customCount(0),
      m_predefinedCount(0),
      m_maxShortcuts(0),
      m_applyValues(0),
      m_applyingCustomBase(0),
      m_bulkChange(0),
      m_maxDpiAllowed(0),
      m_dmcPresent(0),
      m_resetting(0),
      m_qualityRowShortcut(0),
      m_qualityRowMaxDpi(0)
{}

CNiraShortcutsHandler::~CNiraShortcutsHandler()
{
    CNiraShortcutsHandler::Detach();
}

int CNiraShortcutsHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database)
{
    if (services != nullptr) {
        m_services = services;
    }
    if (database != nullptr) {
        m_database = database;
    }
    m_featureId = handlerId;
    m_store.SetServices(m_services);
    m_rowFeatures.clear();
    m_modifiedFeatures.clear();
    WCHAR* printerName = nullptr;
    if (m_services != nullptr && m_services->GetPrinterName(&printerName) == 0 && printerName != nullptr) {
        CNiraPrinterAccess access(printerName);
        int present = 0;
        m_dmcPresent = access.IsDmcPresent(&present) == 0 && present == 1 ? 1 : 0;
    }
    LocalFree(printerName);
    return 0;
}

int CNiraShortcutsHandler::Detach()
{
    if (m_services != nullptr) {
        m_store.DeleteShortcutValue(kCustomizedSettingsName);
    }
    m_services = nullptr;
    m_store.SetServices(nullptr);
    m_modifiedFeatures.clear();
    m_rowFeatures.clear();
    m_referenceValues.clear();
    return 0;
}

// --- the table of predefined shortcuts ---

int CNiraShortcutsHandler::OnShortcutQueryRow(void* argument, int columnCount, char** values, char**)
{
    ShortcutQuery* query = static_cast<ShortcutQuery*>(argument);
    if (query == nullptr) {
        return 0;
    }
    if (query->mode == kQueryCount || query->mode == kQueryValue) {
        if (values != nullptr && columnCount != 0) {
            query->result = Column(columnCount, values, 0);
        }
        return 0;
    }
    if (query->mode != kQueryRows || values == nullptr || columnCount < kLeastRowColumns ||
        query->rowFunction == nullptr) {
        return 0;
    }
    LPWSTR name = WideColumn(columnCount, values, kColumnName);
    LPWSTR featureName = WideColumn(columnCount, values, kColumnFeatureName);
    ShortcutRow row = {};
    row.optionId = Column(columnCount, values, kColumnOptionId);
    row.name = name;
    row.bitmapId = Column(columnCount, values, kColumnBitmapId);
    row.featureId = Column(columnCount, values, kColumnFeatureId);
    row.featureName = featureName;
    row.stringId = Column(columnCount, values, kColumnStringId);
    row.softLink = Column(columnCount, values, kColumnSoftLink);
    row.softLinkFeatureId = Column(columnCount, values, kColumnSoftLinkFeature);
    row.softLinkFeatureId2 = Column(columnCount, values, kColumnSoftLinkFeature2);
    row.defaultOption = Column(columnCount, values, DefaultColumnForLanguage());
    row.auxIndex = Column(columnCount, values, kColumnAuxIndex);
    row.auxBit = Column(columnCount, values, kColumnAuxBit);
    row.helpId = Column(columnCount, values, kColumnHelpId);
    row.maxDpiSupported = Column(columnCount, values, kColumnMaxDpi);
    query->rowFunction(query->owner, row);
    delete[] name;
    delete[] featureName;
    return 0;
}

int CNiraShortcutsHandler::DispatchShortcutRow(CNiraShortcutsHandler* owner, const ShortcutRow& row)
{
    return owner != nullptr ? owner->ApplyShortcutRow(row) : NIRA_STATUS_FAILED;
}

// Runs one statement of the shortcuts table for the shortcut; the query's result, or -1 when it
// did not run.
int CNiraShortcutsHandler::RunQuery(int option, int mode)
{
    if (m_database == nullptr || option < 0 || static_cast<unsigned>(option) > kLargestQueryId) {
        return -1;
    }
    const char* format =
        mode == kQueryCount ? kCountStatement : (mode == kQueryRows ? kRowsStatement : kBitmapStatement);
    const size_t chars = mode == kQueryCount
                             ? kCountStatementChars
                             : (mode == kQueryRows ? kRowsStatementChars : kBitmapStatementChars);
    std::vector<char> statement(chars, 0);
    if (std::snprintf(statement.data(), statement.size(), format,
                      static_cast<unsigned>(FEATURE_PRINTING_SHORTCUTS),
                      static_cast<unsigned>(option)) >= static_cast<int>(statement.size())) {
        return -1;
    }
    ShortcutQuery query = {};
    query.mode = mode;
    query.owner = this;
    query.rowFunction = mode == kQueryRows ? &DispatchShortcutRow : nullptr;
    m_database->SetMode(FEATURE_PRINTING_SHORTCUTS);
    m_database->SetCallback(&OnShortcutQueryRow, &query);
    m_database->Execute(statement.data());
    return query.result;
}

int CNiraShortcutsHandler::GetShortcutBitmapId(int* bitmapId, int option)
{
    if (bitmapId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int isCustom = 0;
    IsCustomShortcutId(option, &isCustom);
    const int predefined = isCustom != 0 ? ResolvePredefinedBase(option) : option;
    *bitmapId = std::max(RunQuery(predefined, kQueryValue), 0);
    return 0;
}

// --- ids ---

int CNiraShortcutsHandler::IsCustomShortcutId(int id, int* isCustom)
{
    if (isCustom != nullptr) {
        *isCustom = id >= CUSTOM_SHORTCUT_FIRST_ID ? 1 : 0;
    }
    return 0;
}

int CNiraShortcutsHandler::FindFreeShortcutId(int* out, int start)
{
    if (out == nullptr || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    for (int id = start; id < CUSTOMIZED_SETTINGS_ID; ++id) {
        int found = 0;
        if (m_services->HasOption(FEATURE_PRINTING_SHORTCUTS, id, &found) == 0 && found == 0) {
            *out = id;
            return 0;
        }
    }
    return NIRA_STATUS_FAILED;
}

bool CNiraShortcutsHandler::DisplayNameOf(int featureId, int option, WCHAR (&name)[kShortcutNameChars])
{
    name[0] = 0;
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr || m_services == nullptr || m_services->GetOptionInfo(featureId, option, info) != 0) {
        LocalFree(info);
        return false;
    }
    CopyStringSafeN(name, kShortcutNameChars, info->displayName, kShortcutNameMaxChars);
    LocalFree(info);
    return true;
}

int CNiraShortcutsHandler::GetShortcutBase(int option)
{
    int isCustom = 0;
    IsCustomShortcutId(option, &isCustom);
    if (option == 0) {
        int fallback = 0;
        DefaultOf(FEATURE_PRINTING_SHORTCUTS, &fallback);
        return fallback;
    }
    if (isCustom == 0) {
        return option;
    }
    WCHAR name[kShortcutNameChars];
    ShortcutRecord record;
    if (!DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, option, name) ||
        m_store.LoadShortcutRecord(record, name) != 0) {
        return option;
    }
    return record.baseOptionId;
}

// Follows the bases of custom shortcuts to a predefined one. Stored records may name each other in
// a ring: the walk stops at an id it met before, or after one step more than there are custom
// shortcuts, and then gives the default shortcut.
int CNiraShortcutsHandler::ResolvePredefinedBase(int option)
{
    int fallback = 0;
    DefaultOf(FEATURE_PRINTING_SHORTCUTS, &fallback);
    std::unordered_set<int> seen;
    int current = option;
    for (int steps = 0; steps <= m_customCount + 1; ++steps) {
        int isCustom = 0;
        IsCustomShortcutId(current, &isCustom);
        if (isCustom == 0) {
            return current == 0 ? fallback : current;
        }
        if (!seen.insert(current).second) {
            return fallback;
        }
        const int base = GetShortcutBase(current);
        if (base == current) {
            return fallback;
        }
        current = base;
    }
    return fallback;
}

int CNiraShortcutsHandler::CopyShortcutItems(int customOption, ShortcutRecord* destination)
{
    int isCustom = 0;
    IsCustomShortcutId(customOption, &isCustom);
    if (destination == nullptr || isCustom == 0) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR name[kShortcutNameChars];
    ShortcutRecord source;
    if (!DisplayNameOf(FEATURE_PRINTING_SHORTCUTS, customOption, name) ||
        m_store.LoadShortcutRecord(source, name) != 0) {
        return NIRA_STATUS_FAILED;
    }
    // Each copy goes first, as the items of a loaded record do.
    for (const ShortcutItem& item : source.items) {
        destination->items.insert(destination->items.begin(), item);
    }
    return 0;
}

// --- the notation of the steps ---

int CNiraShortcutsHandler::Set(int featureId, int option, int reason, int byUser, int fromOwner)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return m_services->SetValue(m_featureId, &featureId, &option, reason, byUser, 0, fromOwner);
}

void CNiraShortcutsHandler::State(int featureId, int option, int state)
{
    if (m_services != nullptr) {
        m_services->SetOptionState(m_featureId, featureId, option, state);
    }
}

void CNiraShortcutsHandler::Show(int featureId, int state)
{
    if (m_services != nullptr) {
        m_services->SetDisplayState(m_featureId, featureId, state);
    }
}

int CNiraShortcutsHandler::Link(int softLinkId, int featureId, int option)
{
    int linked = 0;
    int found = 0;
    if (m_services == nullptr ||
        m_services->FindLinkedOption(softLinkId, featureId, option, &linked, &found) != 0 || found == 0) {
        return 0;
    }
    return linked;
}

bool CNiraShortcutsHandler::Current(int featureId, int* option)
{
    int isSet = 0;
    return m_services != nullptr && m_services->GetValue(featureId, option, &isSet) == 0;
}

int CNiraShortcutsHandler::CurrentOr(int featureId, int fallback)
{
    int option = 0;
    return Current(featureId, &option) ? option : fallback;
}

bool CNiraShortcutsHandler::DefaultOf(int featureId, int* option)
{
    return m_services != nullptr && m_services->GetDefaultOption(featureId, option) == 0;
}

bool CNiraShortcutsHandler::HasOptionOf(int featureId, int option)
{
    int found = 0;
    return m_services != nullptr && m_services->HasOption(featureId, option, &found) == 0 && found != 0;
}

int CNiraShortcutsHandler::OptionStateOf(int featureId, int option)
{
    int state = 0;
    return m_services != nullptr && m_services->GetOptionState(featureId, option, &state) == 0 ? state : 0;
}

void CNiraShortcutsHandler::RemoveOptionOf(int featureId, int option)
{
    if (m_services != nullptr) {
        m_services->RemoveOption(m_featureId, &featureId, &option);
    }
}

// Adds option `option` to the soft-link feature with the record of the source feature's option.
void CNiraShortcutsHandler::AddOptionFrom(int softLinkId, int option, int sourceFeature, int sourceOption)
{
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr || m_services == nullptr) {
        LocalFree(info);
        return;
    }
    m_services->GetOptionInfo(sourceFeature, sourceOption, info);
    AddOwnedOption(*m_services, m_featureId, softLinkId, option, info);
}

int CNiraShortcutsHandler::Command(int target, int command)
{
    return m_services != nullptr
               ? m_services->SendHandlerCommand(m_featureId, target, command, nullptr, nullptr)
               : NIRA_STATUS_FAILED;
}

int* CNiraShortcutsHandler::LinkedOption(int softLinkId)
{
    return IsSoftLinkFeatureId(softLinkId) ? &m_linkedOptions[softLinkId - SOFT_LINK_FIRST] : nullptr;
}

int CNiraShortcutsHandler::IsSoftLinkFeatureId(int id)
{
    return id >= SOFT_LINK_FIRST && id <= SOFT_LINK_LAST ? 1 : 0;
}
