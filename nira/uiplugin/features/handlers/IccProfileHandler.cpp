#include "nira/uiplugin/features/handlers/IccProfileHandler.h"

#include <cstdio>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr int kColorSpaceProfiles = 4304;
constexpr int kProfileOption = 1;
constexpr int kSrgb = 1;
constexpr int kAdobeRgb = 2;
constexpr int kMediaProfile = 4;
constexpr size_t kQueryChars = 520;
constexpr DWORD kProfileFileName = 2;
const WCHAR kSrgbProfile[] = TEXT("sRGB Color Space Profile.icm");
const WCHAR kAdobeRgbProfile[] = TEXT("Adobe RGB (1998) D65 WP 2.2 Gamma.icc");

// The part of the platform's UI object the query reads: its second field must be set.
struct UiObjectHead {
    void* first;
    void* second;
};

}  // namespace

int CNiraIccProfileHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database)
{
    CNiraFeatureHandler::Attach(services, handlerId, database);
    m_database = database;
    m_ownId = handlerId;
    return 0;
}

int CNiraIccProfileHandler::InitializeStates()
{
    return RefreshProfileOption();
}

int CNiraIccProfileHandler::OnConstraintAction(int, const char*, const char*, const char*)
{
    return RefreshProfileOption();
}

void CNiraIccProfileHandler::ReplaceProfileOption(OptionInfo* info)
{
    int feature = FEATURE_ICC_PROFILE;
    int option = kProfileOption;
    if (m_services->RemoveOption(CLASS_ICC_PROFILE, &feature, &option) != 0) {
        LocalFree(info);
        return;
    }
    AddOwnedOption(*m_services, CLASS_ICC_PROFILE, FEATURE_ICC_PROFILE, kProfileOption, info);
}

int CNiraIccProfileHandler::RefreshProfileOption()
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int colorSpace = 0;
    int isSet = 0;
    int status = m_services->GetValue(FEATURE_INPUT_COLOR_SPACE, &colorSpace, &isSet);
    if (colorSpace == kSrgb || colorSpace == kAdobeRgb) {
        OptionInfo* info = NewOptionInfo();
        if (info != nullptr && m_services->GetOptionInfo(kColorSpaceProfiles, colorSpace, info) == 0) {
            ReplaceProfileOption(info);
        } else {
            LocalFree(info);
        }
        return status;
    }
    if (colorSpace == kMediaProfile) {
        return LoadProfileFromDatabase();
    }
    return NIRA_STATUS_FAILED;
}

int CNiraIccProfileHandler::SetProfileFromRow(void* argument, int columns, char** values, char**)
{
    auto* handler = static_cast<CNiraIccProfileHandler*>(argument);
    if (columns < 1 || values == nullptr || values[0] == nullptr) {
        return 0;
    }
    LPWSTR converted = nullptr;
    if (!ConvertToWide(&converted, values[0], CP_ACP) || converted == nullptr) {
        return 0;
    }
    WCHAR name[kProfileNameChars] = {};
    CopyStringSafeN(name, kProfileNameChars, converted, kProfileNameChars - 1);
    delete[] converted;
    CopyStringSafe(handler->m_lastProfile, kProfileNameChars, name);
    OptionInfo* info = NewOptionInfo();
    if (info != nullptr) {
        CopyStringSafe(info->displayName, kProfileNameChars, name);
        CopyStringSafe(info->optionName, kProfileNameChars, name);
        handler->ReplaceProfileOption(info);
    }
    return 0;
}

int CNiraIccProfileHandler::LoadProfileFromDatabase()
{
    if (m_database == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    LONG mode = m_database->SetMode(FEATURE_ICC_PROFILE);
    if (mode != 0) {
        return mode;
    }
    m_database->SetCallback(&SetProfileFromRow, this);
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int media = 0;
    int isSet = 0;
    int status = m_services->GetValue(FEATURE_MEDIA_TYPE, &media, &isSet);
    if (status != 0) {
        return status;
    }
    char query[kQueryChars];
    std::snprintf(query, sizeof(query), "SELECT ICCProfileName FROM FDT4227 WHERE MediatypeIndex=\"%u\"",
                  static_cast<unsigned>(media));
    return m_database->Execute(query);
}

HRESULT CNiraIccProfileHandler::GetColorProfileName(HANDLE printer, void* uiObject, DEVMODEW* publicDevMode,
                                                    void* oemDevMode, DWORD queryMode, void* buffer,
                                                    DWORD* size, DWORD* dataType)
{
    if (printer == INVALID_HANDLE_VALUE || uiObject == nullptr ||
        static_cast<UiObjectHead*>(uiObject)->second == nullptr || publicDevMode == nullptr ||
        oemDevMode == nullptr || queryMode != 0 || size == nullptr || dataType == nullptr ||
        m_services == nullptr) {
        return E_FAIL;
    }
    int colorSpace = 0;
    int isSet = 0;
    m_services->GetValue(FEATURE_INPUT_COLOR_SPACE, &colorSpace, &isSet);
    const WCHAR* name = nullptr;
    if (colorSpace == kSrgb) {
        name = kSrgbProfile;
    } else if (colorSpace == kAdobeRgb) {
        name = kAdobeRgbProfile;
    } else if (colorSpace == kMediaProfile) {
        LoadProfileFromDatabase();
        name = m_lastProfile[0] != 0 ? m_lastProfile : nullptr;
    }
    if (name == nullptr) {
        return E_FAIL;
    }
    size_t length = 0;
    GetStringLengthSafe(name, kProfileNameChars, &length);
    DWORD needed = static_cast<DWORD>((length + 1) * sizeof(WCHAR));
    if (*size < needed || buffer == nullptr) {
        *size = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return E_FAIL;
    }
    CopyStringSafe(static_cast<WCHAR*>(buffer), kProfileNameChars, name);
    *dataType = kProfileFileName;
    return S_OK;
}
