#include "nira/uiplugin/features/handlers/PopupChoiceStore.h"

#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"

namespace {

const WCHAR kPopupKey[] = TEXT("ZQopupSettings");
constexpr size_t kValueNameChars = 16;
constexpr BYTE kSecondOptionDigit = '2';
// A stored value is one byte; a few more are read so that a longer one still counts as stored.
constexpr DWORD kReadBytes = 8;

bool ValueName(int featureId, WCHAR (&name)[kValueNameChars])
{
    return SUCCEEDED(StringCchPrintfW(name, kValueNameChars, TEXT("%d"), featureId));
}

}  // namespace

CNiraPopupChoiceStore::ReadResult CNiraPopupChoiceStore::ReadChoice(INiraCoreServices* services,
                                                                    int featureId, int* option)
{
    CNiraRegKey key;
    if (CNiraUserFormsKey::OpenSubkeyForPrinter(services, FALSE, kPopupKey, KEY_QUERY_VALUE, FALSE, &key) !=
        ERROR_SUCCESS) {
        return NoKey;
    }
    WCHAR name[kValueNameChars] = {};
    BYTE data[kReadBytes] = {};
    DWORD size = sizeof(data);
    LSTATUS status = ValueName(featureId, name)
                         ? RegQueryValueExW(key.Get(), name, nullptr, nullptr, data, &size)
                         : ERROR_FILE_NOT_FOUND;
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) {
        return NoValue;
    }
    bool second = status == ERROR_SUCCESS && size > 0 && data[0] == kSecondOptionDigit;
    if (option != nullptr) {
        *option = second ? 2 : 1;
    }
    return Read;
}

int CNiraPopupChoiceStore::WriteChoice(INiraCoreServices* services, int featureId, int option)
{
    WCHAR digits[kValueNameChars] = {};
    WCHAR name[kValueNameChars] = {};
    if (option == 0 || FAILED(StringCchPrintfW(digits, kValueNameChars, TEXT("%d"), option)) ||
        !ValueName(featureId, name)) {
        return NIRA_STATUS_FAILED;
    }
    CNiraRegKey key;
    if (CNiraUserFormsKey::OpenSubkeyForPrinter(services, FALSE, kPopupKey,
                                                KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, TRUE,
                                                &key) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    BYTE digit = static_cast<BYTE>(digits[0]);
    return RegSetValueExW(key.Get(), name, 0, REG_BINARY, &digit, 1) == ERROR_SUCCESS ? 0
                                                                                      : NIRA_STATUS_FAILED;
}
