#include "host/RenderChoices.h"

namespace {

const WCHAR kRenderSettingsKey[] = TEXT("SOFTWARE\\NiraSample\\RenderModule");

}  // namespace

void ChooseRenderSetting(const WCHAR* setting, DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRenderSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, setting, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
        RegCloseKey(key);
    }
}
