// The settings library as a test, fuzzer or benchmark reaches it: a simulated machine with the
// sample package installed, nirauip loaded from the driver directory, and the settings objects
// made through its factory (GetSettingsInstance of this program resolves to it).
#pragma once

#include "nira/uiplugin/settings/block/BlockPacker.h"
#include "nira/uiplugin/settings/block/BlockUnpacker.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include "support/SampleDriverMachine.h"

class CSettingsLibrary {
public:
    CSettingsLibrary() : m_module(m_sample.LoadDriverModule(TEXT("nirauip.dll")))
    {
        SetSettingsModuleHandle(SETTINGS_MODULE_SELF, m_module);
    }
    CSettingsLibrary(const CSettingsLibrary&) = delete;
    CSettingsLibrary& operator=(const CSettingsLibrary&) = delete;

    bool Loaded() const { return m_module != nullptr; }

    // A settings manager attached to itself, without providers or with the given pull providers.
    INiraSettingsAccess* NewOwner(const SettingsProviderList* pulls = nullptr)
    {
        auto* owner = Make<INiraSettingsAccess>(kSettingsGuidManager);
        if (owner != nullptr && owner->Attach(owner, pulls, nullptr) != TRUE) {
            owner->Release();
            return nullptr;
        }
        return owner;
    }
    CNiraBlockPacker* NewPacker()
    {
        return static_cast<CNiraBlockPacker*>(Make<INiraSettingsProvider>(kSettingsGuidPacker));
    }
    CNiraBlockUnpacker* NewUnpacker()
    {
        return static_cast<CNiraBlockUnpacker*>(Make<INiraSettingsProvider>(kSettingsGuidUnpacker));
    }

private:
    template <typename Object>
    static Object* Make(const GUID& id)
    {
        void* object = nullptr;
        GetSettingsInstance(&id, &object);
        return static_cast<Object*>(object);
    }

    CSampleDriverMachine m_sample;
    HMODULE m_module = nullptr;
};
