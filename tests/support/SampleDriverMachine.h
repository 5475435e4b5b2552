// A simulated machine with the sample package installed, and modules of the driver directory
// loaded as a test, fuzzer or benchmark of the settings library reaches them. Going away, it
// clears the settings module handles, frees the modules it loaded (the last first), then the
// machine.
#pragma once

#include <windows.h>

#include <nirasim/Machine.h>

#include <memory>
#include <string>
#include "support/WString.h"
#include <vector>

#include "nira/uiplugin/settings/engine/SettingsInstance.h"

class CSampleDriverMachine {
public:
    // The UI language of the tests that read the sample package's English texts.
    static constexpr LANGID kEnglishUS = 1033;
    // Keeps the machine's own UI language.
    static constexpr LANGID kDefaultLanguage = 0;

    explicit CSampleDriverMachine(LANGID uiLanguage = kDefaultLanguage)
        : m_machine(std::make_unique<nirasim::Machine>())
    {
        if (uiLanguage != kDefaultLanguage) {
            m_machine->SetUILanguage(uiLanguage);
        }
        m_machine->InstallSamplePackage(NIRA_BUILD_DIR);
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

    nirasim::Machine& Machine() { return *m_machine; }

    // A module of the driver directory by its file name; nullptr when it does not load.
    HMODULE LoadDriverModule(const WString& file)
    {
        const WString path = nirasim::Machine::DriverVersionDirectory() + TEXT("\\") + file;
        const HMODULE module = LoadLibraryW(path.c_str());
        if (module != nullptr) {
            m_modules.push_back(module);
        }
        return module;
    }

private:
    std::unique_ptr<nirasim::Machine> m_machine;
    std::vector<HMODULE> m_modules;
};
