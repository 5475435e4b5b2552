#include "nira/uiplugin/foundation/store/FeatureRegistryStore.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/foundation/strings/WordCursor.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

#include <strsafe.h>
#include <winspool.h>

#include <new>

namespace {

constexpr DWORD kPathChars = 260;
constexpr DWORD kGuidBytes = 260;
constexpr DWORD kGuidChars = kGuidBytes / sizeof(WCHAR);

const WCHAR kPrintersKey[] = TEXT("System\\CurrentControlSet\\Control\\Print\\Printers\\");
const WCHAR kUserRoot[] = TEXT("Software\\Norvell-Ashby\\");
const WCHAR kStoreKey[] = TEXT("RegFeatureDataStore");
const WCHAR kStoreValue[] = TEXT("RegFeatureStore");
const WCHAR kSeparator[] = TEXT("\\");

constexpr REGSAM kCreateAccess = KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE;

// What the store keeps of one feature until the blob is written.
struct FeatureValues {
    int featureState;
    int option;
    int optionState;
};

class RegKey {
public:
    RegKey() : m_key(nullptr) {}
    ~RegKey()
    {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
    }
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key;
};

int IdOf(const CNiraPtrList::Node* node)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(node->value));
}

// The user key of the printer's restricted-user GUID: "Software\Norvell-Ashby\<GUID>". FALSE when
// the printer's preset root does not exist (nothing may be stored for it then: *noStore), a path
// does not fit or a read fails. An absent GUID leaves it empty, as every reader of the store does;
// a GUID that could not be read would put the values under another key.
BOOL FormUserPath(HANDLE printer, LPCWSTR printerName, LPWSTR path, bool* noStore)
{
    WCHAR presetRoot[kPathChars] = {};
    if (FAILED(StringCchPrintfW(presetRoot, kPathChars, TEXT("%s%s%s%s"), kPrintersKey, printerName,
                                kSeparator, kPresetRootKey))) {
        return FALSE;
    }
    RegKey root;
    const LSTATUS opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, presetRoot, 0, KEY_QUERY_VALUE, root.Out());
    if (opened != ERROR_SUCCESS) {
        *noStore = opened == ERROR_FILE_NOT_FOUND;
        return FALSE;
    }
    WCHAR guid[kGuidChars] = {};
    DWORD type = 0;
    DWORD needed = 0;
    const DWORD read = GetPrinterDataExW(printer, const_cast<LPWSTR>(kPresetRootKey),
                                         const_cast<LPWSTR>(kRestrictedUserGuidValue), &type,
                                         reinterpret_cast<LPBYTE>(guid), kGuidBytes, &needed);
    if (read == ERROR_FILE_NOT_FOUND) {
        guid[0] = 0;
    } else if (read != ERROR_SUCCESS) {
        return FALSE;
    }
    guid[kGuidChars - 1] = 0;
    return SUCCEEDED(StringCchCopyW(path, kPathChars, kUserRoot)) &&
           SUCCEEDED(StringCchCatW(path, kPathChars, guid));
}

void FreeValues(CNiraIdMap& map)
{
    for (int i = 0; i < map.GetCount(); ++i) {
        void** value = map.GetValueAt(i);
        delete static_cast<FeatureValues*>(value != nullptr ? *value : nullptr);
    }
    map.RemoveAll();
}

}  // namespace

CNiraFeatureRegistryStore::CNiraFeatureRegistryStore() : m_settings(nullptr) {}

CNiraFeatureRegistryStore::~CNiraFeatureRegistryStore() = default;

CNiraFeatureRegistryStore* CNiraFeatureRegistryStore::Attach(INiraUISettings* settings)
{
    m_settings = settings;
    return this;
}

int CNiraFeatureRegistryStore::ReadInt32(BYTE*& cursor)
{
    if (cursor == nullptr) {
        return 0;
    }
    const DWORD bits = static_cast<DWORD>(cursor[0]) | (static_cast<DWORD>(cursor[1]) << 8) |
                       (static_cast<DWORD>(cursor[2]) << 16) | (static_cast<DWORD>(cursor[3]) << 24);
    cursor += sizeof(DWORD);
    const LONG value = static_cast<LONG>(bits);
    return value < 0 ? 0 : value;
}

int CNiraFeatureRegistryStore::SaveFeatures(CNiraPtrList* featureIds, INiraCoreServices* services)
{
    if (featureIds == nullptr || m_settings == nullptr) {
        return 0;
    }
    WCHAR* name = nullptr;
    if (services == nullptr || services->GetPrinterName(&name) != 0 || name == nullptr) {
        if (name != nullptr) {
            LocalFree(name);
        }
        return NIRA_STATUS_FAILED;
    }
    CNiraPrinterAccess access(name);
    bool noStore = false;
    const int status = Save(featureIds, access, name, &noStore);
    LocalFree(name);
    return status;
}

int CNiraFeatureRegistryStore::SaveFeaturesByHandle(CNiraPtrList* featureIds, HANDLE printer, bool* noStore)
{
    bool absent = false;
    if (noStore == nullptr) {
        noStore = &absent;
    }
    *noStore = false;
    if (featureIds == nullptr || m_settings == nullptr) {
        return 0;
    }
    if (printer == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPrinterAccess access(printer);
    WCHAR name[kPathChars] = {};
    if (!access.GetPrinterName(name, kPathChars)) {
        return NIRA_STATUS_FAILED;
    }
    return Save(featureIds, access, name, noStore);
}

int CNiraFeatureRegistryStore::Save(CNiraPtrList* featureIds, CNiraPrinterAccess& access, LPCWSTR printerName,
                                    bool* noStore)
{
    if (access.GetHandle() == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR path[kPathChars] = {};
    if (!FormUserPath(access.GetHandle(), printerName, path, noStore)) {
        return NIRA_STATUS_FAILED;
    }
    DWORD size = 0;
    BYTE* blob = BuildBlob(featureIds, &size);
    if (blob == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int status = NIRA_STATUS_FAILED;
    RegKey userKey;
    RegKey storeKey;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, kCreateAccess, nullptr, userKey.Out(),
                        nullptr) == ERROR_SUCCESS &&
        RegCreateKeyExW(userKey.Get(), kStoreKey, 0, nullptr, 0, kCreateAccess, nullptr, storeKey.Out(),
                        nullptr) == ERROR_SUCCESS &&
        RegSetValueExW(storeKey.Get(), kStoreValue, 0, REG_BINARY, blob, size) == ERROR_SUCCESS) {
        status = 0;
    }
    LocalFree(blob);
    return status;
}

// Collects the values per id in an id map (a repeated id keeps its first place and takes its last
// values) and writes the map's entries in walk order, newest id first, then the zero trailer.
BYTE* CNiraFeatureRegistryStore::BuildBlob(CNiraPtrList* featureIds, DWORD* size)
{
    CNiraIdMap map;
    int remaining = featureIds->GetCount();
    for (CNiraPtrList::Node* node = featureIds->GetHead(); node != nullptr && remaining > 0;
         node = node->next, --remaining) {
        int id = IdOf(node);
        FeatureValues values = {};
        int isSet = 0;
        m_settings->GetCurrentOption(id, &values.option, &isSet);
        m_settings->GetOptionState(id, values.option, &values.optionState);
        m_settings->QueryFeatureState(&id, &values.featureState);
        void** slot = map.Lookup(id);
        if (slot == nullptr) {
            FreeValues(map);
            return nullptr;
        }
        if (*slot == nullptr) {
            *slot = new (std::nothrow) FeatureValues();
            if (*slot == nullptr) {
                FreeValues(map);
                return nullptr;
            }
        }
        *static_cast<FeatureValues*>(*slot) = values;
    }
    *size = static_cast<DWORD>(map.GetCount()) * kRecordBytes + kTrailerBytes;
    BYTE* blob = static_cast<BYTE*>(LocalAlloc(LPTR, *size));
    BYTE* cursor = blob;
    for (int i = 0; blob != nullptr && i < map.GetCount(); ++i) {
        const NiraIdEntry* entry = map.GetEntryAt(i);
        const FeatureValues* values = static_cast<const FeatureValues*>(entry->value);
        WriteWordToCursor(&cursor, entry->key);
        WriteWordToCursor(&cursor, values->featureState);
        WriteWordToCursor(&cursor, values->option);
        WriteWordToCursor(&cursor, values->optionState);
    }
    FreeValues(map);
    return blob;
}

int CNiraFeatureRegistryStore::LoadFeatures(int count, INiraCoreServices* services)
{
    if (services == nullptr || m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR* name = nullptr;
    if (services->GetPrinterName(&name) != 0 || name == nullptr) {
        if (name != nullptr) {
            LocalFree(name);
        }
        return NIRA_STATUS_FAILED;
    }
    CNiraPrinterAccess access(name);
    WCHAR path[kPathChars] = {};
    bool noStore = false;
    const BOOL located = access.GetHandle() != nullptr &&
                         FormUserPath(access.GetHandle(), name, path, &noStore) &&
                         SUCCEEDED(StringCchCatW(path, kPathChars, kSeparator)) &&
                         SUCCEEDED(StringCchCatW(path, kPathChars, kStoreKey));
    LocalFree(name);
    if (!located) {
        return NIRA_STATUS_FAILED;
    }
    RegKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, key.Out()) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), kStoreValue, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    BYTE* blob = static_cast<BYTE*>(LocalAlloc(LPTR, size != 0 ? size : 1));
    if (blob == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    DWORD read = size;
    int status = NIRA_STATUS_FAILED;
    if (RegQueryValueExW(key.Get(), kStoreValue, nullptr, nullptr, blob, &read) == ERROR_SUCCESS) {
        status = ApplyRecords(blob, read < size ? read : size, count, services);
    }
    LocalFree(blob);
    return status;
}

// Applies the records in stored order, never past the last whole record before the trailer.
int CNiraFeatureRegistryStore::ApplyRecords(const BYTE* blob, DWORD size, int count,
                                            INiraCoreServices* services)
{
    const DWORD stored = size >= kTrailerBytes ? (size - kTrailerBytes) / kRecordBytes : 0;
    BYTE* cursor = const_cast<BYTE*>(blob);
    int status = 0;
    for (DWORD applied = 0; count > 0 && applied < stored; --count, ++applied) {
        int id = ReadInt32(cursor);
        const int featureState = ReadInt32(cursor);
        int option = ReadInt32(cursor);
        const int optionState = ReadInt32(cursor);
        int owner = 0;
        services->GetFeatureClassId(id, &owner);
        services->SetValue(owner, &id, &option, optionState, 0, 0, 0);
        m_settings->SetDisplayState(id, featureState);
        status = m_settings->SetOptionState(id, option, optionState, 0);
    }
    return status;
}
