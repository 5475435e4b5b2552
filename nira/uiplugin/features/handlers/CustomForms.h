// The user's custom forms: the record stored per form in the user's registry, the form as the
// handlers hold it, and the per-printer user key the forms live under
// (HKEY_CURRENT_USER\Software\Norvell-Ashby\<GUID text>\ZQCustomForms).
#pragma once

#include <windows.h>

class INiraCoreServices;

// The value data of one form: 40 bytes, the platform's 32-bit FORM_INFO_1W followed by the
// borders choice and the form's paper index. The name slot is written 0 and never read: the
// value's name is the form's name.
struct CustomFormRecord {
    DWORD flags;     // 0, a user form
    DWORD nameSlot;  // 0
    LONG width;      // micrometres
    LONG height;
    LONG imageableLeft;
    LONG imageableTop;
    LONG imageableRight;
    LONG imageableBottom;
    LONG borderless;  // 1 borderless, 0 with borders
    LONG paperIndex;  // 501 and up
};
static_assert(sizeof(CustomFormRecord) == 40, "a stored form is 40 bytes");
static_assert(offsetof(CustomFormRecord, width) == 8 && offsetof(CustomFormRecord, borderless) == 32 &&
                  offsetof(CustomFormRecord, paperIndex) == 36,
              "stored form layout");

// A form as the handlers hand it on (commands 12 and 26): the record and the form's name.
struct CustomForm {
    static constexpr size_t kNameChars = 260;
    CustomFormRecord record;
    WCHAR name[kNameChars];
};

constexpr int kFirstFormIndex = 501;
constexpr int kNoFormIndex = 500;

// The GUID text that names the printer's per-user key: "%lx-%04x-%04x-%04x-" of Data1, Data2,
// Data3 and the first two bytes of Data4 as a little-endian number, then the other six bytes as
// three little-endian numbers of four digits.
void FormatUserGuidText(const GUID& guid, LPWSTR text, size_t chars);

class CNiraUserFormsKey {
public:
    static constexpr size_t kGuidChars = 130;  // the printer data is read into 260 bytes

    // Reads the printer's GUID text; with create, makes and stores a new one when it is missing.
    // FALSE when there is none (or it could not be stored).
    static BOOL ReadGuidText(HANDLE printer, BOOL create, WCHAR (&text)[kGuidChars]);
    // Opens (or creates) the forms key of the GUID text with the given rights.
    static LSTATUS Open(LPCWSTR guidText, REGSAM rights, HKEY* key);
    // Opens the forms key of the printer the services work for; ERROR_NOT_FOUND when the printer
    // has no GUID text (and none could be made, with createGuid).
    static LSTATUS OpenForPrinter(INiraCoreServices* services, BOOL createGuid, REGSAM rights, HKEY* key);
    // Opens a key of the GUID's per-user key (making both with create, else only opening it).
    static LSTATUS OpenSubkey(LPCWSTR guidText, LPCWSTR subkey, REGSAM rights, BOOL create, HKEY* key);
    // The same for the printer the services work for; ERROR_NOT_FOUND without its GUID text.
    static LSTATUS OpenSubkeyForPrinter(INiraCoreServices* services, BOOL createGuid, LPCWSTR subkey,
                                        REGSAM rights, BOOL create, HKEY* key);
};
