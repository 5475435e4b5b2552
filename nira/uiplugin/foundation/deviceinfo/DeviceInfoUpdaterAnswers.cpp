// The device-information updater: asking the device and storing its answers under the printer's
// GUID in the current user's registry.
#include "nira/uiplugin/foundation/deviceinfo/DeviceInfoUpdater.h"

#include <objbase.h>
#include <strsafe.h>
#include <winspool.h>

#include "common/ScopedResources.h"
#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/foundation/printer/PrinterInfo.h"

namespace {

constexpr WCHAR kAnswerRootKey[] = TEXT("Software\\Norvell-Ashby\\");
constexpr WCHAR kAnswerKey[] = TEXT("ZQBIDIInfo");
constexpr DWORD kGuidDataBytes = 520;
constexpr DWORD kKeyPathChars = 600;

constexpr WCHAR kModelName[] = TEXT("MODEL_NAME");
constexpr WCHAR kMediaPathType2[] = TEXT("prtMediaPathType2");
constexpr WCHAR kMediaNamesAvailable[] = TEXT("MEDIA-NAMES-AVAILABLE");
constexpr WCHAR kMemorySize[] = TEXT("hrMemorySize");
constexpr WCHAR kMemorySizeOid[] = TEXT("1.3.6.1.2.1.25.2.2.0");
constexpr WCHAR kMemorySizeRetryOid[] = TEXT("1.3.6.1.2.1.25.2.2");

// What a value holds until the device answered it: a blank string (a blank and the terminator).
constexpr WCHAR kPlaceholder[] = TEXT(" ");
constexpr DWORD kPlaceholderBytes = sizeof(kPlaceholder);
// "prtMediaPathType2" when the device did not answer it: no duplex path.
constexpr DWORD kNoMediaPath = 6400;
// The first four bytes of the placeholder read as a number.
constexpr DWORD kPlaceholderAsNumber = 32;

// A device answer larger than this is no value the driver asks for; it is not stored.
constexpr DWORD kMaxAnswerBytes = 0x10000;

// Prefixes of text answers: two bytes that say how the text after them is encoded.
constexpr BYTE kAsciiPrefix = 0x01;
constexpr BYTE kAsciiPrefixKinds[] = {0x15, 0x0B};
constexpr BYTE kUtf16Prefix[] = {0x02, 0x4E};
constexpr BYTE kUtf8Prefix[] = {0xFD, 0xE8};
constexpr DWORD kPrefixBytes = 2;

// Connection settings: the server's defaults, one retry.
constexpr int kUseDefaults = 0;
constexpr int kReservedSetting = 0;
constexpr int kRetries = 1;
constexpr int kServerDefault = -1;

BOOL IsPrintableByte(BYTE value)
{
    return value >= 0x20 && value <= 0x7E;
}

// TRUE when every byte is printable, a single NUL as the last byte allowed.
BOOL IsPrintable(const BYTE* data, DWORD length)
{
    for (DWORD i = 0; i < length; ++i) {
        if (!IsPrintableByte(data[i]) && !(data[i] == 0 && i + 1 == length)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL IsTextType(BYTE type)
{
    return type == NIRA_MGMT_TYPE_OCTETS || type == NIRA_MGMT_TYPE_STRING || type == NIRA_MGMT_TYPE_OBJECT_ID;
}

BOOL IsIntegerType(BYTE type)
{
    return type == NIRA_MGMT_TYPE_INTEGER || type == NIRA_MGMT_TYPE_COUNTER ||
           type == NIRA_MGMT_TYPE_UNSIGNED;
}

BOOL HasPrefix(const BYTE* data, DWORD length, const BYTE (&prefix)[kPrefixBytes])
{
    return length > 1 && data[0] == prefix[0] && data[1] == prefix[1];
}

BOOL HasAsciiPrefix(const BYTE* data, DWORD length)
{
    return length > 1 && data[0] == kAsciiPrefix &&
           (data[1] == kAsciiPrefixKinds[0] || data[1] == kAsciiPrefixKinds[1]);
}

BOOL IsPlaceholder(const BYTE* data, DWORD size, DWORD type)
{
    if (type != REG_SZ || size < sizeof(WCHAR)) {
        return FALSE;
    }
    WCHAR text[2] = {};
    memcpy(text, data, size < sizeof(text) ? size : sizeof(text));
    return text[0] == kPlaceholder[0] && (size < sizeof(text) || text[1] == 0);
}

}  // namespace

// --- where the answers live ---

BOOL CNiraDeviceInfoUpdater::ReadGuid(LPWSTR guid, DWORD capacity)
{
    WCHAR value[kGuidDataBytes / sizeof(WCHAR) + 1] = {};
    DWORD type = 0;
    DWORD needed = 0;
    if (GetPrinterDataExW(m_printer, kPresetRootKey, kRestrictedUserGuidValue, &type,
                          reinterpret_cast<BYTE*>(value), kGuidDataBytes, &needed) != ERROR_SUCCESS ||
        type != REG_SZ || value[0] == 0) {
        return FALSE;
    }
    return SUCCEEDED(StringCchCopyW(guid, capacity, value));
}

BOOL CNiraDeviceInfoUpdater::GetAnswerKeyPath(LPWSTR path, DWORD capacity)
{
    WCHAR guid[kGuidDataBytes / sizeof(WCHAR) + 1];
    return ReadGuid(guid, ARRAYSIZE(guid)) && SUCCEEDED(StringCchCopyW(path, capacity, kAnswerRootKey)) &&
           SUCCEEDED(StringCchCatW(path, capacity, guid)) &&
           SUCCEEDED(StringCchCatW(path, capacity, TEXT("\\"))) &&
           SUCCEEDED(StringCchCatW(path, capacity, kAnswerKey));
}

BOOL CNiraDeviceInfoUpdater::WriteAnswer(LPCWSTR name, DWORD type, const BYTE* data, DWORD size)
{
    WCHAR path[kKeyPathChars];
    if (!GetAnswerKeyPath(path, kKeyPathChars)) {
        return FALSE;
    }
    CNiraRegKey key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        return FALSE;
    }
    return RegSetValueExW(key.Get(), name, 0, type, data, size) == ERROR_SUCCESS;
}

BOOL CNiraDeviceInfoUpdater::WriteAnswerText(LPCWSTR name, DWORD type, LPCWSTR text, DWORD chars)
{
    // A trailing NUL of the device's text is its own terminator, not part of the value.
    while (chars > 0 && text[chars - 1] == 0) {
        --chars;
    }
    // The limit is the stored value's bytes, as the reader checks it: a text widened past it could
    // never be read back, so nothing is written, as for any answer over the limit.
    if ((static_cast<ULONGLONG>(chars) + 1) * sizeof(WCHAR) > kMaxAnswerBytes) {
        return TRUE;
    }
    auto value = CNiraLocalBuffer<WCHAR>::Allocate((chars + 1) * sizeof(WCHAR));
    if (!value) {
        return FALSE;
    }
    if (chars > 0) {
        memcpy(value.Get(), text, chars * sizeof(WCHAR));
    }
    return WriteAnswer(name, type, reinterpret_cast<const BYTE*>(value.Get()), (chars + 1) * sizeof(WCHAR));
}

BOOL CNiraDeviceInfoUpdater::ReadAnswerValue(LPCWSTR name, BYTE** data, DWORD* size, DWORD* type)
{
    *data = nullptr;
    *size = 0;
    *type = REG_NONE;
    WCHAR path[kKeyPathChars];
    if (!GetAnswerKeyPath(path, kKeyPathChars)) {
        return FALSE;
    }
    // The buffer is zero-filled beyond the value, so that it always holds a terminated text and
    // at least a number's four bytes.
    const DWORD kSlack = sizeof(DWORD) + sizeof(WCHAR);
    CNiraRegKey key;
    DWORD needed = 0;
    CNiraLocalBuffer<BYTE> buffer;
    BOOL read = FALSE;
    const LSTATUS opened = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key);
    if (opened == ERROR_SUCCESS) {
        if (RegQueryValueExW(key.Get(), name, nullptr, type, nullptr, &needed) == ERROR_SUCCESS &&
            needed <= kMaxAnswerBytes) {
            buffer = CNiraLocalBuffer<BYTE>::Allocate(needed + kSlack);
            read = buffer &&
                   RegQueryValueExW(key.Get(), name, nullptr, type, buffer.Get(), &needed) == ERROR_SUCCESS;
        }
    } else if (opened == ERROR_FILE_NOT_FOUND) {
        // Without answers of the user's own, the printer's data answers; a key that could not be
        // opened is no such case.
        DWORD status = GetPrinterDataW(m_printer, const_cast<LPWSTR>(name), type, nullptr, 0, &needed);
        if ((status == ERROR_MORE_DATA || status == ERROR_SUCCESS) && needed <= kMaxAnswerBytes) {
            buffer = CNiraLocalBuffer<BYTE>::Allocate(needed + kSlack);
            read = buffer && GetPrinterDataW(m_printer, const_cast<LPWSTR>(name), type, buffer.Get(), needed,
                                             &needed) == ERROR_SUCCESS;
        }
    }
    if (!read) {
        return FALSE;
    }
    *data = buffer.Detach();
    *size = needed;
    return TRUE;
}

// --- the update's passes over the list ---

BOOL CNiraDeviceInfoUpdater::ResetAnswers(const PmlOidEntry* list, AnswerPass pass)
{
    for (const PmlOidEntry* entry = list; entry != nullptr; entry = entry->next) {
        if (entry->name == nullptr) {
            continue;
        }
        if (pass == kWritePlaceholders) {
            if (!WriteAnswer(entry->name, REG_SZ, reinterpret_cast<const BYTE*>(kPlaceholder),
                             kPlaceholderBytes)) {
                return FALSE;
            }
            continue;
        }
        BYTE* data = nullptr;
        DWORD size = 0;
        DWORD type = 0;
        if (!ReadAnswerValue(entry->name, &data, &size, &type)) {
            return FALSE;
        }
        BOOL isModelName = wcscmp(entry->name, kModelName) == 0;
        BOOL answered = !IsPlaceholder(data, size, type);
        LocalFree(data);
        // The model name is the last thing the device reports; once it is there, the set is complete.
        if (isModelName) {
            return answered;
        }
    }
    return TRUE;
}

BOOL CNiraDeviceInfoUpdater::QueryDevice(const PmlOidEntry* list, BOOL* answered)
{
    *answered = FALSE;
    void* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_NiraMgmtConnection, nullptr, kDeviceServerContext,
                                IID_INiraMgmtConnection, &object))) {
        return FALSE;
    }
    auto* connection = static_cast<INiraMgmtConnection*>(object);
    PRINTER_INFO_2W* info = ReadPrinterInfo2(m_printer);
    BOOL opened =
        info != nullptr && info->pPrinterName != nullptr && connection->Open(info->pPrinterName) == S_OK;
    if (info != nullptr) {
        LocalFree(info);
    }
    if (!opened) {
        connection->Release();
        return FALSE;
    }
    connection->Configure(kUseDefaults, kReservedSetting, kRetries, kServerDefault, kServerDefault,
                          kServerDefault, kServerDefault);
    object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_NiraMgmtRequest, nullptr, kDeviceServerContext, IID_INiraMgmtRequest,
                                &object))) {
        connection->Close();
        connection->Release();
        return FALSE;
    }
    auto* request = static_cast<INiraMgmtRequest*>(object);

    // A request that could not be sent, or an answer that could not be taken or stored, fails
    // the query: what the device said would be lost while the update looked complete.
    BOOL memorySizeFailed = FALSE;
    int answers = 0;
    BOOL queried = TRUE;
    const PmlOidEntry* chunk = list;
    while (chunk != nullptr && queried) {
        int count = 0;
        const PmlOidEntry* next = chunk;
        for (; next != nullptr && count < kMaxRequestEntries; next = next->next) {
            ++count;
        }
        queried = SendRequest(connection, request, chunk, count, &answers, &memorySizeFailed);
        chunk = next;
    }

    // Some devices answer the memory size only without its instance number.
    if (queried && memorySizeFailed) {
        queried = AskMemorySizeAgain(connection, request, &answers);
    }
    connection->Close();
    request->Clear();
    request->Release();
    connection->Release();
    *answered = answers > 0;
    return queried;
}

BOOL CNiraDeviceInfoUpdater::AskMemorySizeAgain(INiraMgmtConnection* connection, INiraMgmtRequest* request,
                                                int* answers)
{
    request->Clear();
    int error = 0;
    if (request->Add(0, kMemorySizeRetryOid) != S_OK || connection->Get(request) != S_OK ||
        request->GetError(0, &error) != S_OK) {
        return FALSE;
    }
    return error != 0 || TakeAnswer(request, 0, kMemorySize, answers);
}

BOOL CNiraDeviceInfoUpdater::TakeAnswer(INiraMgmtRequest* request, int index, LPCWSTR name, int* answers)
{
    BYTE type = 0;
    BYTE* data = nullptr;
    DWORD length = 0;
    if (request->GetValue(index, &type, &data, &length) != S_OK) {
        CoTaskMemFree(data);
        return FALSE;
    }
    BOOL stored = TRUE;
    if (name != nullptr) {
        stored = StoreAnswer(name, data, data != nullptr ? length : 0, type);
        ++*answers;
    }
    CoTaskMemFree(data);
    return stored;
}

BOOL CNiraDeviceInfoUpdater::SendRequest(INiraMgmtConnection* connection, INiraMgmtRequest* request,
                                         const PmlOidEntry* first, int count, int* answers,
                                         BOOL* memorySizeFailed)
{
    request->Clear();
    const PmlOidEntry* entry = first;
    for (int index = 0; index < count; ++index, entry = entry->next) {
        if (request->Add(index, entry->oid != nullptr ? entry->oid : TEXT("")) != S_OK) {
            return FALSE;
        }
    }
    if (connection->Get(request) != S_OK) {
        return FALSE;
    }
    entry = first;
    for (int index = 0; index < count; ++index, entry = entry->next) {
        int error = 0;
        if (request->GetError(index, &error) != S_OK) {
            return FALSE;
        }
        if (error == 0) {
            if (!TakeAnswer(request, index, entry->name, answers)) {
                return FALSE;
            }
            continue;
        }
        if (entry->oid != nullptr && wcscmp(entry->oid, kMemorySizeOid) == 0) {
            *memorySizeFailed = TRUE;
        }
        DWORD noPath = kNoMediaPath;
        if (entry->name != nullptr && wcscmp(entry->name, kMediaPathType2) == 0 &&
            !WriteAnswer(kMediaPathType2, REG_DWORD, reinterpret_cast<const BYTE*>(&noPath),
                         sizeof(noPath))) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL CNiraDeviceInfoUpdater::StoreAnswer(LPCWSTR name, const BYTE* data, DWORD length, BYTE type)
{
    WCHAR path[kKeyPathChars];
    if (!GetAnswerKeyPath(path, kKeyPathChars)) {
        return FALSE;
    }
    if (length > kMaxAnswerBytes) {
        return TRUE;  // nothing is written
    }
    if (IsIntegerType(type)) {
        if (length != sizeof(DWORD)) {
            return TRUE;
        }
        DWORD number = 0;
        memcpy(&number, data, sizeof(number));
        return WriteAnswer(name, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    }
    if (!IsTextType(type)) {
        return TRUE;
    }

    // The type of what is stored so far decides how unprefixed bytes are kept.
    // A type that could not be read (other than of no value) fails: guessing it could store the
    // answer in another form.
    DWORD storedType = REG_NONE;
    CNiraRegKey key;
    LSTATUS status = RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key);
    if (status == ERROR_SUCCESS) {
        status = RegQueryValueExW(key.Get(), name, nullptr, &storedType, nullptr, nullptr);
    }
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        return FALSE;
    }
    DWORD textType = storedType == REG_EXPAND_SZ ? REG_EXPAND_SZ : REG_SZ;
    if (length == 0) {
        return WriteAnswerText(name, textType, TEXT(""), 0);
    }

    const BYTE* text = data;
    DWORD textLength = length;
    if (HasAsciiPrefix(data, length) && IsPrintable(data + kPrefixBytes, length - kPrefixBytes)) {
        text = data + kPrefixBytes;
        textLength = length - kPrefixBytes;
    } else if (HasPrefix(data, length, kUtf16Prefix)) {
        DWORD chars = length / sizeof(WCHAR) - 1;
        LPWSTR wide = static_cast<LPWSTR>(LocalAlloc(LPTR, (chars + 1) * sizeof(WCHAR)));
        if (wide == nullptr) {
            return FALSE;
        }
        memcpy(wide, data + kPrefixBytes, chars * sizeof(WCHAR));
        BOOL written = WriteAnswerText(name, textType, wide, chars);
        LocalFree(wide);
        return written;
    } else if (HasPrefix(data, length, kUtf8Prefix)) {
        const char* utf8 = reinterpret_cast<const char*>(data + kPrefixBytes);
        int bytes = static_cast<int>(length - kPrefixBytes);
        int chars = bytes > 0 ? MultiByteToWideChar(CP_UTF8, 0, utf8, bytes, nullptr, 0) : 0;
        LPWSTR wide = static_cast<LPWSTR>(LocalAlloc(LPTR, (chars + 1) * sizeof(WCHAR)));
        if (wide == nullptr) {
            return FALSE;
        }
        if (chars > 0 && MultiByteToWideChar(CP_UTF8, 0, utf8, bytes, wide, chars) != chars) {
            LocalFree(wide);
            return FALSE;
        }
        BOOL written = WriteAnswerText(name, REG_SZ, wide, static_cast<DWORD>(chars));
        LocalFree(wide);
        return written;
    } else if (!((IsPrintable(data, length) || storedType == REG_SZ) &&
                 wcscmp(name, kMediaNamesAvailable) != 0)) {
        return WriteAnswer(name, REG_BINARY, data, length);
    }

    // Single-byte text, widened byte by byte.
    LPWSTR wide = static_cast<LPWSTR>(LocalAlloc(LPTR, (textLength + 1) * sizeof(WCHAR)));
    if (wide == nullptr) {
        return FALSE;
    }
    for (DWORD i = 0; i < textLength; ++i) {
        wide[i] = text[i];
    }
    BOOL written = WriteAnswerText(name, textType, wide, textLength);
    LocalFree(wide);
    return written;
}

BOOL CNiraDeviceInfoUpdater::GetDuplexUnit(int* installed)
{
    BYTE* data = nullptr;
    DWORD size = 0;
    DWORD type = 0;
    if (installed == nullptr || !ReadAnswerValue(kMediaPathType2, &data, &size, &type)) {
        return FALSE;
    }
    DWORD first = 0;
    memcpy(&first, data, sizeof(first));  // the buffer holds at least four bytes, zero beyond the value
    BOOL noDuplexPath =
        first == kNoMediaPath || first == kPlaceholderAsNumber || IsPlaceholder(data, size, type);
    *installed = noDuplexPath ? 0 : 1;
    LocalFree(data);
    return TRUE;
}
