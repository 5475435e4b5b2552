// The string-resource library: the driver's user-visible texts live as string tables in a
// resource-only module (named by the driver INI key NIRA_STRING_DLL). CNiraStringDll loads it
// without running its code and looks texts up by id in the user's UI language, falling back to
// another language of the same primary language, else US English. One instance per library
// (module) is shared through a reference-counted holder.
//
// The record is handed between the UI plug-in and the presentation library, which reads it with
// its own copy of this code; its layout is a contract (x64: language 0, uiLanguage 2, module 8).
#pragma once

#include <windows.h>

class CNiraStringDll {
public:
    explicit CNiraStringDll(LPCWSTR path);
    ~CNiraStringDll();
    CNiraStringDll(const CNiraStringDll&) = delete;
    CNiraStringDll& operator=(const CNiraStringDll&) = delete;

    // Copies the text of *id into out (size characters, cut to fit and terminated). Id 0 gives an
    // empty text and 0. On failure *outLength (when given) receives the text's length when the
    // entry exists but no output was given, else the size passed in.
    LONG GetString(const UINT* id, LPWSTR out, DWORD size, DWORD* outLength);
    // 0 with the entry's length in *size and its text in out (at most *size - 1 characters);
    // NIRA_STATUS_FAILED when the module is not loaded, the block or the entry is missing or
    // empty, or no output is given.
    LONG FindString(const UINT* id, LPWSTR out, DWORD* size);
    // Chooses the lookup language from the languages of the first string block.
    void SelectLanguage();

    LANGID GetLanguage() const { return m_language; }
    LANGID GetUILanguage() const { return m_uiLanguage; }
    HMODULE GetModule() const { return m_module; }

private:
    static void CheckLayout();

    WORD m_language;
    WORD m_uiLanguage;
    HMODULE m_module;
};

// The process-wide instance: made for `path` at the first acquisition (a later path is ignored),
// counted; null when it cannot be made.
CNiraStringDll* AcquireStringDll(LPCWSTR path);
// 0 and the instance while it is acquired; NIRA_STATUS_FAILED otherwise.
LONG GetStringDll(CNiraStringDll** out);
// Lowers the count; the last release unloads the library ("String Dll freed" to the debugger).
void ReleaseStringDll();
