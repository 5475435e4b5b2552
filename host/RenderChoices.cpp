#include "host/RenderChoices.h"

namespace {

const WCHAR kRenderSettingsKey[] = TEXT("SOFTWARE\\NiraSample\\RenderModule");

void SetChoice(const WCHAR* setting, DWORD type, const BYTE* data, DWORD size)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kRenderSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, setting, 0, type, data, size);
        RegCloseKey(key);
    }
}

}  // namespace

void ChooseRenderSetting(const WCHAR* setting, DWORD value)
{
    SetChoice(setting, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void ChooseRenderText(const WCHAR* setting, const std::u16string& text)
{
    if (!text.empty()) {
        SetChoice(setting, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                  static_cast<DWORD>((text.size() + 1) * sizeof(char16_t)));
    }
}
