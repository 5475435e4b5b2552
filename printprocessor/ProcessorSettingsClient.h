// CNiraProcessorSettingsClient: the print processor's own client of the settings library. It
// loads the UI plug-in library (which holds the settings engine) into the spooler once per
// process, makes a settings manager, a block unpacker and a block packer through that library's
// factory, and passes the settings operations to the manager after the range checks of every
// settings client. It reads and writes the settings in a DEVMODE's private section.
//
// Made on the stack for one task: Initialize, LoadPrivateBlock, get and set, SavePrivateBlock.
// No exception leaves an operation; failures answer false.
#pragma once

#include <windows.h>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/settings/engine/CheckedSettingsAccess.h"

class CNiraProcessorSettingsClient : public CNiraCheckedSettingsAccess {
public:
    CNiraProcessorSettingsClient();
    ~CNiraProcessorSettingsClient() override;
    CNiraProcessorSettingsClient(const CNiraProcessorSettingsClient&) = delete;
    CNiraProcessorSettingsClient& operator=(const CNiraProcessorSettingsClient&) = delete;

    BOOLEAN Attach(INiraSettingsAccess* owner, const SettingsProviderList* pullProviders,
                   const SettingsProviderList* pushProviders) override;
    void Release() override;
    INT_PTR Reserved1() override;
    void Reserved2(ULONG_PTR) override;
    // Loads the settings library for the printer when no job has yet, then attaches.
    virtual BOOLEAN Initialize(LPCWSTR printerName);
    // The unpacker reads the block's values into this client.
    virtual BOOLEAN LoadPrivateBlock(PrivateDevMode* block);
    // The packer writes this client's values into the block.
    virtual BOOLEAN SavePrivateBlock(PrivateDevMode* block);
    // Forgets the three objects without releasing them.
    virtual void Clear();
    // Releases manager, unpacker and packer, then Clear.
    virtual void ReleaseObjects();

private:
    void RunBlockProvider(INiraSettingsProvider* provider, PrivateDevMode* block);

    INiraSettingsProvider* m_unpacker;
    INiraSettingsProvider* m_packer;
};

// Loads the settings library named by the printer's driver INI (key NIRA_UI_PLUGIN) once per
// process; TRUE when it is loaded. Guarded, so that two jobs starting at once load it once.
BOOL LoadSettingsLibrary(LPCWSTR printerName);
// Frees the settings library at process detach.
void FreeSettingsLibrary();
