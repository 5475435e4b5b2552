// Services around the driver's files and the user's settings that the job dialogs and the
// preview share: texts of the string-resource library in the user's language, the printer
// driver's information and directory, a binary value under the user's settings key of the driver
// maker, and context help for a control. A helper without modules is valid; every operation
// checks what it needs.
#pragma once

#include <windows.h>
#include <winspool.h>

class CNiraResourceHelper {
public:
    static constexpr int kTextCapacity = 256;

    // Sets the library's string language to the user's UI language.
    CNiraResourceHelper();
    // Frees the driver information and the picture module when the helper loaded it; the string
    // module belongs to the dialog that set it.
    ~CNiraResourceHelper();
    CNiraResourceHelper(const CNiraResourceHelper&) = delete;
    CNiraResourceHelper& operator=(const CNiraResourceHelper&) = delete;

    void SetStringModule(HMODULE module) { m_stringModule = module; }
    HMODULE GetStringModule() const { return m_stringModule; }
    // ownsModule: the helper loaded it and frees it.
    void SetPictureModule(HMODULE module, BOOL ownsModule);
    HMODULE GetPictureModule() const { return m_pictureModule; }

    // TRUE when the string module holds a non-empty text for id, copied into buffer
    // (kTextCapacity characters); else the buffer is not to be used.
    BOOL LoadText(UINT id, LPWSTR buffer) const;
    // The printer driver's DRIVER_INFO_3 in LocalAlloc memory that the caller frees. Without a
    // handle the printer is opened by name with the DEVMODE for the call.
    BOOL GetDriverInfo(HANDLE printer, LPWSTR printerName, LPDEVMODEW devMode, PDRIVER_INFO_3W* out) const;
    // The directory of the driver file, a backslash and fileName (only the directory and the
    // backslash when fileName is null), in LocalAlloc memory that the caller frees.
    BOOL GetDriverFilePath(HANDLE printer, LPCWSTR fileName, LPWSTR* out) const;
    // Writes a REG_BINARY value under HKCU "Software\<maker>\<subKey>" (the maker's key itself when
    // the sub-key is null or too long).
    BOOL WriteUserBinaryValue(LPCWSTR subKey, LPCWSTR valueName, const BYTE* data, DWORD size) const;
    // Shows the help popup of helpContextId for a control (HtmlHelpW, HH_TP_HELP_WM_HELP).
    HWND ShowControlHelp(HWND control, DWORD controlId, DWORD helpContextId, LPCWSTR helpFile) const;

private:
    HMODULE m_stringModule;
    HMODULE m_pictureModule;
    BOOL m_ownsPictureModule;
    PDRIVER_INFO_3W m_driverInfo;
};
