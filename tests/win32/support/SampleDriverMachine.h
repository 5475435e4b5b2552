// The sample machine of the tests as Windows runs them: no simulated machine, the driver's DLLs
// loaded from the test program's own folder (the build puts both in bin/). Going away, it clears
// the settings module handles and frees the modules it loaded, the last first.
#pragma once

#include <windows.h>

#include <vector>

#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "support/WString.h"

class CSampleDriverMachine {
public:
    static constexpr LANGID kEnglishUS = 1033;
    static constexpr LANGID kDefaultLanguage = 0;

    explicit CSampleDriverMachine(LANGID uiLanguage = kDefaultLanguage)
    {
        if (uiLanguage != kDefaultLanguage) {
            SetThreadUILanguage(uiLanguage);
        }
    }
    ~CSampleDriverMachine()
    {
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, nullptr);
        SetSettingsModuleHandle(SETTINGS_MODULE_COMPONENT, nullptr);
        for (auto module = m_modules.rbegin(); module != m_modules.rend(); ++module) {
            FreeLibrary(*module);
        }
    }
    CSampleDriverMachine(const CSampleDriverMachine&) = delete;
    CSampleDriverMachine& operator=(const CSampleDriverMachine&) = delete;

    // A module beside the test program by its file name; nullptr when it does not load.
    HMODULE LoadDriverModule(const WString& file)
    {
        const HMODULE module = LoadLibraryW((ProgramFolder() + file).c_str());
        if (module != nullptr) {
            m_modules.push_back(module);
        }
        return module;
    }

private:
    static WString ProgramFolder()
    {
        WCHAR path[MAX_PATH] = {};
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        WString folder(path, length < MAX_PATH ? length : 0);
        const auto slash = folder.find_last_of(TEXT("\\/"));
        return slash == WString::npos ? WString() : folder.substr(0, slash + 1);
    }

    std::vector<HMODULE> m_modules;
};
