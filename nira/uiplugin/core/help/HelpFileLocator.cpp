#include "nira/uiplugin/core/help/HelpFileLocator.h"

#include <new>
#include <setupapi.h>
#include <strsafe.h>
#include <winspool.h>

#include "common/SafeString.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

namespace {

constexpr DWORD kDriverInfoLevel = 3;
constexpr size_t kEntryChars = 256;
constexpr size_t kNameChars = 256;
constexpr DWORD kFolderChars = 256;
constexpr int kNamePrefixChars = 3;
constexpr WCHAR kCabinetMark[] = TEXT("ZQFHL");
constexpr WCHAR kTokenSeparators[] = TEXT("L.");
constexpr WCHAR kHelpExtension[] = TEXT(".CHM");
constexpr WCHAR kVersionFolder[] = TEXT("\\3");
constexpr WORD kPrimaryLanguageMask = 0x3FF;
constexpr int kSubLanguageShift = 10;

struct LanguageRow {
    DWORD primary;
    DWORD sub;
    WCHAR code[CNiraHelpFileLocator::kLanguageCodeChars];
};

// Searched in this order: a row with sub 0 stands for every sublanguage not listed before it.
constexpr LanguageRow kLanguages[] = {
    {0, 0, TEXT("EN")},  {1, 0, TEXT("AR")},  {3, 0, TEXT("CA")},  {4, 2, TEXT("HC")},  {4, 3, TEXT("HT")},
    {4, 4, TEXT("HC")},  {4, 5, TEXT("HT")},  {4, 1, TEXT("HT")},  {5, 0, TEXT("CS")},  {6, 0, TEXT("DA")},
    {7, 0, TEXT("DE")},  {8, 0, TEXT("EL")},  {9, 0, TEXT("EN")},  {10, 0, TEXT("ES")}, {11, 0, TEXT("FI")},
    {12, 0, TEXT("FR")}, {13, 0, TEXT("HE")}, {14, 0, TEXT("HU")}, {16, 0, TEXT("IT")}, {17, 0, TEXT("JA")},
    {18, 0, TEXT("KO")}, {19, 0, TEXT("NL")}, {20, 0, TEXT("NO")}, {21, 0, TEXT("PL")}, {22, 0, TEXT("PT")},
    {25, 0, TEXT("RU")}, {27, 0, TEXT("SK")}, {29, 0, TEXT("SV")}, {30, 0, TEXT("TH")}, {31, 0, TEXT("TR")},
};

struct ExtractContext {
    LPCWSTR helpPath;
    LPCWSTR helpName;
};

CNiraHelpFileLocator* g_locator = nullptr;

bool IsSeparator(WCHAR c)
{
    for (const WCHAR* s = kTokenSeparators; *s != 0; ++s) {
        if (c == *s) {
            return true;
        }
    }
    return false;
}

// The next non-empty token of text at *at, into token (kNameChars); FALSE when none is left.
BOOL NextToken(LPCWSTR text, size_t* at, WCHAR* token)
{
    while (text[*at] != 0 && IsSeparator(text[*at])) {
        ++*at;
    }
    size_t start = *at;
    while (text[*at] != 0 && !IsSeparator(text[*at])) {
        ++*at;
    }
    if (*at == start) {
        return FALSE;
    }
    return SUCCEEDED(StringCchCopyNW(token, kNameChars, text + start, *at - start));
}

// The dependent file whose upper-case name holds the cabinet mark, as its file name (upper case).
BOOL FindHelpCabinet(HANDLE printer, WCHAR* cabinetName)
{
    DWORD needed = 0;
    GetPrinterDriverW(printer, nullptr, kDriverInfoLevel, nullptr, 0, &needed);
    if (needed < sizeof(DRIVER_INFO_3W)) {
        return FALSE;
    }
    CNiraLocalBuffer<BYTE> buffer(static_cast<BYTE*>(LocalAlloc(LPTR, needed)));
    if (!buffer || !GetPrinterDriverW(printer, nullptr, kDriverInfoLevel, buffer.Get(), needed, &needed)) {
        return FALSE;
    }
    const auto* info = reinterpret_cast<const DRIVER_INFO_3W*>(buffer.Get());
    const auto* end = reinterpret_cast<const WCHAR*>(buffer.Get() + needed);
    const WCHAR* file = info->pDependentFiles;
    if (file == nullptr || file < reinterpret_cast<const WCHAR*>(buffer.Get()) || file >= end) {
        return FALSE;
    }
    // The list ends with an empty entry; an entry is never read past the buffer.
    while (file < end && *file != 0) {
        size_t length = 0;
        if (FAILED(StringCchLengthW(file, static_cast<size_t>(end - file), &length))) {
            return FALSE;
        }
        WCHAR entry[kEntryChars] = {};
        StringCchCopyNW(entry, kEntryChars, file, length);
        CharUpperW(entry);
        if (wcsstr(entry, kCabinetMark) != nullptr) {
            const WCHAR* slash = wcsrchr(entry, TEXT('\\'));
            return SUCCEEDED(StringCchCopyW(cabinetName, kNameChars, slash != nullptr ? slash + 1 : entry));
        }
        file += length + 1;
    }
    return FALSE;
}

}  // namespace

CNiraHelpFileLocator* GetHelpFileLocator()
{
    if (g_locator == nullptr) {
        g_locator = new (std::nothrow) CNiraHelpFileLocator();
    }
    return g_locator;
}

BOOL CNiraHelpFileLocator::EnsureBuffer()
{
    if (m_path == nullptr) {
        m_path = static_cast<WCHAR*>(LocalAlloc(LPTR, kPathChars * sizeof(WCHAR)));
    }
    return m_path != nullptr;
}

int CNiraHelpFileLocator::Locate(LPCWSTR printerName, WCHAR** out)
{
    CNiraPrinterAccess access(printerName);
    if (access.GetHandle() == nullptr) {
        return 0;
    }
    if (!EnsureBuffer()) {
        return 0;
    }
    // Whatever the last printer left is not this printer's file.
    m_path[0] = 0;
    if (out != nullptr) {
        *out = m_path;
    }
    WCHAR cabinetName[kNameChars] = {};
    if (!FindHelpCabinet(access.GetHandle(), cabinetName) || !FormHelpName(cabinetName)) {
        return 0;
    }
    WCHAR cabinetPath[kPathChars] = {};
    DWORD needed = 0;
    BOOL cabinetKnown = GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(cabinetPath),
                                                   kFolderChars * sizeof(WCHAR), &needed) &&
                        SUCCEEDED(StringCchCatW(cabinetPath, kPathChars, kVersionFolder)) &&
                        SUCCEEDED(StringCchCatW(cabinetPath, kPathChars, TEXT("\\"))) &&
                        SUCCEEDED(StringCchCatW(cabinetPath, kPathChars, cabinetName));
    WCHAR helpPath[kPathChars] = {};
    DWORD tempLength = GetTempPathW(kFolderChars, helpPath);
    BOOL helpKnown = tempLength != 0 && tempLength < kFolderChars &&
                     SUCCEEDED(StringCchCatW(helpPath, kPathChars, m_path));
    if (helpKnown) {
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(helpPath, &found);
        if (search == INVALID_HANDLE_VALUE) {
            Extract(helpPath, cabinetKnown ? cabinetPath : nullptr);
        } else {
            FindClose(search);
            if (!IsFresh(helpPath, cabinetPath)) {
                Extract(helpPath, cabinetKnown ? cabinetPath : nullptr);
            }
        }
    }
    return 1;
}

BOOL CNiraHelpFileLocator::FormHelpName(LPCWSTR cabinetName)
{
    size_t at = 0;
    WCHAR first[kNameChars] = {};
    WCHAR second[kNameChars] = {};
    if (!NextToken(cabinetName, &at, first) || !NextToken(cabinetName, &at, second)) {
        return FALSE;
    }
    WCHAR code[kLanguageCodeChars] = {};
    GetLanguageCode(code);
    WCHAR name[kNameChars] = {};
    if (FAILED(StringCchCopyNW(name, kNameChars, first, kNamePrefixChars)) ||
        FAILED(StringCchCatW(name, kNameChars, code)) || FAILED(StringCchCatW(name, kNameChars, second)) ||
        FAILED(StringCchCatW(name, kNameChars, kHelpExtension))) {
        return FALSE;
    }
    return SUCCEEDED(StringCchCopyW(m_path, kPathChars, name));
}

void CNiraHelpFileLocator::GetLanguageCode(WCHAR* code)
{
    if (code == nullptr) {
        return;
    }
    code[0] = 0;
    LANGID language = GetUserDefaultUILanguage();
    DWORD primary = language & kPrimaryLanguageMask;
    DWORD sub = static_cast<DWORD>(language >> kSubLanguageShift);
    const LanguageRow* lastOfPrimary = nullptr;
    for (const LanguageRow& row : kLanguages) {
        if (row.primary != primary) {
            continue;
        }
        if (row.sub == sub || row.sub == 0) {
            StringCchCopyW(code, kLanguageCodeChars, row.code);
            return;
        }
        lastOfPrimary = &row;
    }
    if (lastOfPrimary != nullptr) {
        StringCchCopyW(code, kLanguageCodeChars, lastOfPrimary->code);
    }
}

namespace {

// A file that cannot be opened counts as time zero.
FILETIME LastWriteTimeOf(LPCWSTR path)
{
    FILETIME time = {};
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        if (!GetFileTime(file, nullptr, nullptr, &time)) {
            time = FILETIME{};
        }
        CloseHandle(file);
    }
    return time;
}

}  // namespace

int CNiraHelpFileLocator::IsFresh(LPCWSTR helpPath, LPCWSTR cabinetPath)
{
    FILETIME helpTime = LastWriteTimeOf(helpPath);
    FILETIME cabinetTime = LastWriteTimeOf(cabinetPath);
    if (CompareFileTime(&helpTime, &cabinetTime) != 0 || !EnsureBuffer()) {
        return 0;
    }
    StringCchCopyW(m_path, kPathChars, helpPath);
    return 1;
}

int CNiraHelpFileLocator::Extract(LPCWSTR helpPath, LPCWSTR cabinetPath)
{
    if (cabinetPath == nullptr || !EnsureBuffer()) {
        return 0;
    }
    ExtractContext context = {helpPath, m_path};
    SetupIterateCabinetW(cabinetPath, 0, &CNiraHelpFileLocator::OnCabinetFile, &context);
    // A cabinet that could not be read leaves no file there; the help viewer then says so.
    StringCchCopyW(m_path, kPathChars, helpPath);
    return 1;
}

UINT CALLBACK CNiraHelpFileLocator::OnCabinetFile(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR)
{
    if (notification != SPFILENOTIFY_FILEINCABINET) {
        return NO_ERROR;
    }
    auto* extract = static_cast<ExtractContext*>(context);
    auto* info = reinterpret_cast<FILE_IN_CABINET_INFO_W*>(param1);
    if (extract == nullptr || info == nullptr || info->NameInCabinet == nullptr) {
        return FILEOP_ABORT;
    }
    if (CompareStringNoCaseSafe(info->NameInCabinet, extract->helpName) != 0) {
        return FILEOP_SKIP;
    }
    StringCchCopyW(info->FullTargetName, MAX_PATH, extract->helpPath);
    return FILEOP_DOIT;
}
