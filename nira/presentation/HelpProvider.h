// The process's help provider: opens a topic of the driver's compiled HTML help file. Made by the
// first help request that names a help file, deleted when the library leaves the process.
#pragma once

#include <windows.h>

class CNiraHelpProvider {
public:
    explicit CNiraHelpProvider(LPCWSTR helpFilePath);
    virtual int OpenTopic(HWND window, int helpId, int controlId, int kind);
    virtual int ShowHelp(HWND window, int helpId, int controlId);
    virtual int ShowContextHelp(HWND window, int helpId, int controlId);
    virtual ~CNiraHelpProvider();
    CNiraHelpProvider(const CNiraHelpProvider&) = delete;
    CNiraHelpProvider& operator=(const CNiraHelpProvider&) = delete;

private:
    WCHAR* m_path;  // 260 characters
};

// The process's provider, made with the path at the first call that names one; later paths are
// ignored. Null while no provider exists and the path is null, or when memory runs out: without a
// help file there is no help to show.
CNiraHelpProvider* GetHelpProvider(LPCWSTR helpFilePath);
void DeleteHelpProvider();
