#include "nira/uiplugin/features/handlers/AddedMediaHandler.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/base/RegistryText.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/features/handlers/StringIds.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

const WCHAR kAddNewPaperKey[] = TEXT("SOFTWARE\\NorvellAshby\\AddNewPaper");
const WCHAR kMediaListKey[] = TEXT("MediaList");
const WCHAR kPathValue[] = TEXT("Path");
const WCHAR kNameValue[] = TEXT("Name");
const WCHAR kIccProfileValue[] = TEXT("ICCProfile");
const WCHAR kCategoryValue[] = TEXT("Category");
const WCHAR kQualityValue[] = TEXT("Quality");
const WCHAR kQualityNormal[] = TEXT("Normal");
const WCHAR kQualityBest[] = TEXT("Best");
const WCHAR kQualityMaxDpi[] = TEXT("MaxDPI");
constexpr INT kCodeNormal = 3;
constexpr INT kCodeBest = 4;
constexpr INT kCodeMaxDpi = 5;
constexpr size_t kTextChars = AddedMediaRecord::kTextChars;
constexpr size_t kQueryChars = 520;
constexpr int kAddPaperFeature = 4306;
constexpr int kAddPaperEnabled = 1;
constexpr int kCheckOption = 254;
constexpr int kNewMediumChange = 7;
constexpr size_t kRecentMedia = 3;
constexpr int kHeadingOption = 999;
constexpr int kHeadingSupport = 2;
constexpr int kPaperSupport = 1;
constexpr int kHeadingLevel = 2;
constexpr int kPaperLevel = 3;
constexpr int kMediaGroup = 100;

// The category between double quotes of an SQL text: each quote doubled, so no stored value can
// end the literal.
std::string QuotedForQuery(const char* text)
{
    std::string quoted;
    for (const char* c = text; *c != 0; ++c) {
        quoted += *c;
        if (*c == '"') {
            quoted += '"';
        }
    }
    return quoted;
}

}  // namespace

CNiraAddedMediaHandler::CNiraAddedMediaHandler() = default;

CNiraAddedMediaHandler::~CNiraAddedMediaHandler()
{
    delete m_printer;
    for (int i = 0; i < m_media.GetCount(); ++i) {
        void** record = m_media.GetValueAt(i);
        if (record != nullptr) {
            LocalFree(*record);
        }
    }
    m_media.RemoveAll();
    LocalFree(m_printerName);
}

INT CNiraAddedMediaHandler::QualityCode(LPCWSTR quality)
{
    if (CompareStringNoCaseSafe(quality, kQualityNormal) == S_OK) {
        return kCodeNormal;
    }
    if (CompareStringNoCaseSafe(quality, kQualityBest) == S_OK) {
        return kCodeBest;
    }
    return CompareStringNoCaseSafe(quality, kQualityMaxDpi) == S_OK ? kCodeMaxDpi : 0;
}

const AddedMediaRecord* CNiraAddedMediaHandler::Media(int optionId) const
{
    for (int i = 0; i < m_media.GetCount(); ++i) {
        NiraIdEntry* entry = m_media.GetEntryAt(i);
        if (entry != nullptr && entry->key == optionId) {
            return static_cast<const AddedMediaRecord*>(entry->value);
        }
    }
    return nullptr;
}

int CNiraAddedMediaHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database)
{
    if (database != nullptr) {
        m_database = database;
    }
    if (services != nullptr && m_printer == nullptr) {
        services->GetPrinterName(&m_printerName);
        if (m_printerName != nullptr) {
            m_printer = new (std::nothrow) CNiraPrinterAccess(m_printerName);
        }
    }
    CNiraMediaTypeHandler::Attach(services, handlerId, database);
    if (m_loaded == 0) {
        LoadAddedMedia();
        m_loaded = 1;
    }
    return 0;
}

int CNiraAddedMediaHandler::LoadAddedMedia()
{
    WCHAR path[kTextChars] = {};
    if (m_printerName == nullptr || FAILED(StringCchPrintfW(path, kTextChars, TEXT("%s\\%s\\%s"),
                                                            kAddNewPaperKey, m_printerName, kMediaListKey))) {
        return 0;
    }
    CNiraRegKey list;
    LSTATUS opened =
        RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &list);
    if (opened == ERROR_FILE_NOT_FOUND) {
        return 1;
    }
    if (opened != ERROR_SUCCESS) {
        return 0;
    }
    for (DWORD index = 0;; ++index) {
        WCHAR subkey[kTextChars] = {};
        DWORD chars = kTextChars;
        if (RegEnumKeyExW(list.Get(), index, subkey, &chars, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        CNiraRegKey paper;
        if (RegOpenKeyExW(list.Get(), subkey, 0, KEY_QUERY_VALUE, &paper) != ERROR_SUCCESS) {
            break;
        }
        auto* record = static_cast<AddedMediaRecord*>(LocalAlloc(LPTR, sizeof(AddedMediaRecord)));
        if (record == nullptr) {
            break;
        }
        ReadRegistryText(paper.Get(), kNameValue, record->name, kTextChars);
        ReadRegistryText(paper.Get(), kIccProfileValue, record->iccProfile, kTextChars);
        ReadRegistryText(paper.Get(), kCategoryValue, record->category, kTextChars);
        ReadRegistryText(paper.Get(), kQualityValue, record->quality, kTextChars);
        record->qualityCode = QualityCode(record->quality);
        m_media.SetAt(kFirstAddedOption + static_cast<LONG>(index), record);
    }
    return 0;
}

void CNiraAddedMediaHandler::AddMediaTreeRow(int optionId, int supportOption, int stringId, int levelId,
                                             LPCWSTR text)
{
    int caller = optionId == kHeadingOption ? CLASS_ADDED_MEDIA : m_ownId;
    AddTreeViewRow(*m_services, caller,
                   {FEATURE_MEDIA_TYPE, optionId, supportOption, stringId, levelId, kMediaGroup}, text);
}

void CNiraAddedMediaHandler::AddPaperOption(int optionId, const AddedMediaRecord& record)
{
    OptionInfo* info = NewOptionInfo();
    if (info == nullptr) {
        return;
    }
    info->optionIndex = optionId;
    info->featureId = FEATURE_MEDIA_TYPE;
    info->stringId = 0;
    CopyStringSafeN(info->displayName, kTextChars, record.name, kTextChars - 1);
    int acceptable = 0;
    if (m_services->IsOptionAcceptable(FEATURE_MEDIA_TYPE, kCheckOption, &acceptable) == 0 &&
        acceptable != 0) {
        info->state = kOptionStateUnavailable;
        info->defaultState = kOptionStateUnavailable;
    }
    AddOwnedOption(*m_services, m_ownId, FEATURE_MEDIA_TYPE, optionId, info);
}

int CNiraAddedMediaHandler::OnFeaturesEnumerated()
{
    if (m_media.GetCount() == 0 || m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR heading[kTextChars] = {};
    for (int k = kFirstAddedOption; k < kFirstAddedOption + m_media.GetCount(); ++k) {
        const AddedMediaRecord* record = Media(k);
        if (record == nullptr) {
            continue;
        }
        AddPaperOption(k, *record);
        if (m_headerPending != 0) {
            LoadResourceString(kStringAddedMediaHeading, heading);
            AddMediaTreeRow(kHeadingOption, kHeadingSupport, kStringAddedMediaHeading, kHeadingLevel,
                            heading);
            m_headerPending = 0;
        }
        AddMediaTreeRow(k, kPaperSupport, 0, kPaperLevel, record->name);
    }
    return 0;
}

bool CNiraAddedMediaHandler::ReadAddNewPaperPath()
{
    CNiraRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAddNewPaperKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return false;
    }
    return ReadRegistryText(key.Get(), kPathValue, m_programPath, kTextChars) && m_programPath[0] != 0;
}

int CNiraAddedMediaHandler::InitializeStates()
{
    if (m_services != nullptr) {
        bool local = m_printer != nullptr && m_printer->IsLocalPrinter();
        int enabled = 0;
        int isSet = 0;
        m_services->GetValue(kAddPaperFeature, &enabled, &isSet);
        bool havePath = enabled == kAddPaperEnabled && ReadAddNewPaperPath();
        if (enabled == kAddPaperEnabled && havePath && local) {
            OptionInfo* info = NewOptionInfo();
            if (info != nullptr) {
                info->optionIndex = kAddPaperOption;
                info->featureId = FEATURE_MEDIA_TYPE;
                info->stringId = kStringAddNewPaper;
                info->state = kOptionStateAvailable;
                info->defaultState = kOptionStateAvailable;
                LoadResourceString(kStringAddNewPaper, info->displayName);
                AddOwnedOption(*m_services, m_ownId, FEATURE_MEDIA_TYPE, kAddPaperOption, info);
            }
        }
    }
    CNiraMediaTypeHandler::InitializeStates();
    return 0;
}

int CNiraAddedMediaHandler::SetBaseMediaFromRow(void* argument, int columns, char** values, char**)
{
    auto* handler = static_cast<CNiraAddedMediaHandler*>(argument);
    if (columns > 0 && values != nullptr && values[0] != nullptr && handler->m_services != nullptr) {
        int feature = FEATURE_BASE_MEDIA;
        int option = std::atoi(values[0]);
        handler->m_services->SetValue(handler->m_ownId, &feature, &option, kReasonByHandler, 0, 0, 0);
    }
    return 0;
}

void CNiraAddedMediaHandler::LookupBaseMedia(int optionId)
{
    const AddedMediaRecord* record = Media(optionId);
    if (record == nullptr || m_database == nullptr || m_database->SetMode(FEATURE_BASE_MEDIA) != 0) {
        return;
    }
    LPSTR category = nullptr;
    if (!ConvertToNarrow(record->category, &category, CP_UTF8) || category == nullptr) {
        return;
    }
    std::string quoted = QuotedForQuery(category);
    delete[] category;
    char query[kQueryChars];
    if (std::snprintf(query, sizeof(query), "SELECT OptionID FROM FDT4307 WHERE BaseMediaName =\"%s\"",
                      quoted.c_str()) >= static_cast<int>(sizeof(query))) {
        return;  // a category that does not fit is no medium of the table
    }
    m_database->SetCallback(&SetBaseMediaFromRow, this);
    m_database->Execute(query);
}

int CNiraAddedMediaHandler::OnWidgetChanged(int widgetId)
{
    int option = 0;
    int isSet = 0;
    if (m_services != nullptr && widgetId == FEATURE_MEDIA_TYPE &&
        m_services->GetValue(FEATURE_MEDIA_TYPE, &option, &isSet) == 0) {
        if (option == kAddPaperOption) {
            int previous = 0;
            if (m_services->GetPreviousOption(FEATURE_MEDIA_TYPE, &previous, &isSet) != 0) {
                m_services->GetDefaultOption(FEATURE_MEDIA_TYPE, &previous);
            }
            if (m_printer != nullptr) {
                m_printer->LaunchProgram(m_programPath);
            }
            int feature = FEATURE_MEDIA_TYPE;
            m_services->SetValue(m_ownId, &feature, &previous, kReasonByHandler, 0, 0, 1);
        } else if (static_cast<unsigned>(option) >= static_cast<unsigned>(kFirstAddedOption)) {
            LookupBaseMedia(option);
        }
    }
    return CNiraMediaTypeHandler::OnWidgetChanged(widgetId);
}

void CNiraAddedMediaHandler::RememberRecentMedium(int option)
{
    for (CNiraPtrList::Node* node = m_optionIds.GetHead(); node != nullptr; node = node->next) {
        if (static_cast<int>(reinterpret_cast<INT_PTR>(node->value)) == option) {
            return;
        }
    }
    if (static_cast<size_t>(m_optionIds.GetCount()) >= kRecentMedia) {
        CNiraPtrList::Node* oldest = m_optionIds.GetTail();
        int oldestOption = static_cast<int>(reinterpret_cast<INT_PTR>(oldest->value));
        int acceptable = 0;
        if (m_services->IsOptionAcceptable(FEATURE_MEDIA_TYPE, oldestOption, &acceptable) == 0 &&
            acceptable != 0) {
            m_services->SetOptionState(m_ownId, FEATURE_MEDIA_TYPE, oldestOption, kOptionStateUnavailable);
        }
        if (!m_optionIds.Remove(oldest)) {
            return;
        }
    }
    m_optionIds.AddHead(reinterpret_cast<void*>(static_cast<INT_PTR>(option)));
}

int CNiraAddedMediaHandler::OnFeatureChanged(int featureId, int changeKind)
{
    if (featureId != FEATURE_MEDIA_TYPE || changeKind != kNewMediumChange || m_services == nullptr) {
        return 0;
    }
    int current = 0;
    int isSet = 0;
    m_services->GetValue(FEATURE_MEDIA_TYPE, &current, &isSet);
    int acceptable = 0;
    if (m_services->IsOptionAcceptable(FEATURE_MEDIA_TYPE, kCheckOption, &acceptable) != 0 ||
        acceptable == 0) {
        return 0;
    }
    int defaultOption = 0;
    m_services->GetDefaultOption(FEATURE_MEDIA_TYPE, &defaultOption);
    if (current == kCheckOption || current == kAddPaperOption || current == defaultOption) {
        return 0;
    }
    RememberRecentMedium(current);
    return 0;
}
