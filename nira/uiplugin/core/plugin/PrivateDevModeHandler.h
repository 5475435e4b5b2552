// The plug-in's answers to the core driver about its private DEVMODE section: signature, version
// and size, a default section, and the conversion or merge of a caller's section.
#pragma once

#include <windows.h>

#include <printoem.h>

class CNiraPrivateDevModeHandler {
public:
    CNiraPrivateDevModeHandler() = default;
    virtual ~CNiraPrivateDevModeHandler() = default;

    // Modes 1 (signature) and 3 (version) into a buffer of at least 4 bytes; *needed = 4.
    virtual HRESULT GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed);
    // Modes 1 (size), 2 (default section), 3 (convert) and 4 (merge); E_FAIL for any refusal.
    virtual HRESULT HandleDevMode(DWORD mode, POEMDMPARAM param);

private:
    static void ConvertSection(const OEMDMPARAM& param);
};
