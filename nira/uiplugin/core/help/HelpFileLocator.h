// The help file of the property sheets: a compiled HTML help file shipped inside a cabinet among the
// printer driver's dependent files. The locator finds the cabinet, forms the help file's name from
// the cabinet's name and the user's UI language, extracts it into the user's temporary folder when
// it is missing or not current, and hands out the path of that copy. One object per process; the
// extracted copies are never deleted.
#pragma once

#include <windows.h>

class CNiraHelpFileLocator {
public:
    CNiraHelpFileLocator() = default;
    // The process-wide locator is never destroyed: its buffer stays valid for every caller.
    ~CNiraHelpFileLocator() { LocalFree(m_path); }
    CNiraHelpFileLocator(const CNiraHelpFileLocator&) = delete;
    CNiraHelpFileLocator& operator=(const CNiraHelpFileLocator&) = delete;

    // 1 when the help file of the printer could be named, with *out pointing to the path buffer
    // (the copy in the temporary folder); 0 when the printer cannot be opened or its driver ships
    // no help cabinet whose name gives a help file's name, with the path buffer left empty so that
    // no earlier printer's file is handed out. The buffer lives as long as the process.
    int Locate(LPCWSTR printerName, WCHAR** out);
    // The two-letter code of the user's UI language (kLanguageCodeChars), empty without one.
    void GetLanguageCode(WCHAR* code);
    // 1 when the copy at helpPath has the cabinet's last-write time.
    int IsFresh(LPCWSTR helpPath, LPCWSTR cabinetPath);
    // Extracts the member named as the help file into helpPath; 0 without a cabinet path.
    int Extract(LPCWSTR helpPath, LPCWSTR cabinetPath);
    static UINT CALLBACK OnCabinetFile(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2);

    static constexpr int kPathChars = 260;
    static constexpr int kLanguageCodeChars = 4;

private:
    // The help file's name from the cabinet's file name; FALSE when it cannot be formed or does
    // not fit.
    BOOL FormHelpName(LPCWSTR cabinetName);
    BOOL EnsureBuffer();

    WCHAR* m_path = nullptr;  // LocalAlloc'd once, kPathChars characters
};

// The process-wide locator, made at the first call; null without memory.
CNiraHelpFileLocator* GetHelpFileLocator();
