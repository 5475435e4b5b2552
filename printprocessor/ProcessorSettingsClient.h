// CNiraProcessorSettingsClient: the print processor's own client of the settings library. It
// loads the UI plug-in library (which holds the settings engine) into the spooler once per
// process, makes a settings manager, a block unpacker and a block packer through that library's
// factory, and passes the settings operations to the manager after its own range checks. It
// reads and writes the settings in a DEVMODE's private section.
//
// Made on the stack for one task: Initialize, LoadPrivateBlock, get and set, SavePrivateBlock.
// No exception leaves an operation; failures answer false.
#pragma once

#include <windows.h>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"

class CNiraProcessorSettingsClient : public INiraSettingsAccess {
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
    BOOLEAN UpdateFromPullProviders() override;
    BOOLEAN UpdateFromPushProviders() override;

    BOOLEAN GetFlag(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetByte(LONG index, BYTE* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetWord(LONG index, WORD* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetInt(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetFloat(LONG index, FLOAT* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetDouble(LONG index, double* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetIntRef(LONG index, LONG* value, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetString(LONG index, CNiraString** copy, BYTE refresh, BYTE dispatch) override;
    BOOLEAN GetBlob(LONG index, BYTE** copy, DWORD* length, BYTE refresh, BYTE dispatch) override;

    BOOLEAN SetFlag(LONG index, BYTE value, BYTE notify) override;
    BOOLEAN SetByte(LONG index, BYTE value, BYTE notify) override;
    BOOLEAN SetWord(LONG index, WORD value, BYTE notify) override;
    BOOLEAN SetInt(LONG index, LONG value, BYTE notify) override;
    BOOLEAN SetFloat(LONG index, FLOAT value, BYTE notify) override;
    BOOLEAN SetDouble(LONG index, double value, BYTE notify) override;
    BOOLEAN SetIntRef(LONG index, const LONG* value, BYTE notify) override;
    BOOLEAN SetString(LONG index, const CNiraString* value, BYTE notify) override;
    BOOLEAN SetBlob(LONG index, const BYTE* data, DWORD length, BYTE notify) override;

    void ReleaseString(CNiraString* copy) override;
    void ReleaseBlob(BYTE* copy) override;

    BOOLEAN IsFlagPresent(LONG index) override;
    BOOLEAN IsBytePresent(LONG index) override;
    BOOLEAN IsWordPresent(LONG index) override;
    BOOLEAN IsIntPresent(LONG index) override;
    BOOLEAN IsFloatPresent(LONG index) override;
    BOOLEAN IsDoublePresent(LONG index) override;
    BOOLEAN IsIntRefPresent(LONG index) override;
    BOOLEAN IsStringPresent(LONG index) override;
    BOOLEAN IsBlobPresent(LONG index) override;

    INiraSettingsStore* GetStore() override;
    BOOLEAN IsHandled(LONG kind, LONG index) override;

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

    INiraSettingsAccess* m_manager;
    INiraSettingsProvider* m_unpacker;
    INiraSettingsProvider* m_packer;
};

// Loads the settings library named by the printer's driver INI (key NIRA_UI_PLUGIN) once per
// process; TRUE when it is loaded. Guarded, so that two jobs starting at once load it once.
BOOL LoadSettingsLibrary(LPCWSTR printerName);
// Frees the settings library at process detach.
void FreeSettingsLibrary();
