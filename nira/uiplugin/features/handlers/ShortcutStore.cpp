#include "nira/uiplugin/features/handlers/ShortcutStore.h"

#include <winspool.h>

#include <memory>

#include "common/NiraStatus.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

const WCHAR kPrinterStoreKey[] = TEXT("ZQPresetRoot\\CustomShortcutPoolData");
const WCHAR kUserStoreKey[] = TEXT("CustomShortcutPoolData");
WCHAR kProbeValue[] = TEXT("ZQDUMMY");
// Stored shortcuts are a few kilobytes; a value beyond this is not one of them.
constexpr DWORD kLargestStoredValue = 1 << 20;

// The printer the services work for, opened by name for one operation.
class CStorePrinter {
public:
    explicit CStorePrinter(INiraCoreServices* services)
    {
        WCHAR* name = nullptr;
        if (services != nullptr && services->GetPrinterName(&name) == 0 && name != nullptr) {
            m_name.Reset(name);
            m_access = std::make_unique<CNiraPrinterAccess>(name);
        } else {
            LocalFree(name);
        }
    }
    HANDLE Handle() const { return m_access ? m_access->GetHandle() : nullptr; }
    LPWSTR Name() const { return m_name.Get(); }

private:
    CNiraLocalBuffer<WCHAR> m_name;
    std::unique_ptr<CNiraPrinterAccess> m_access;
};

}  // namespace

int CNiraShortcutStore::ProbePrinterDataAccess()
{
    CStorePrinter printer(m_services);
    DWORD zero = 0;
    if (printer.Handle() != nullptr &&
        SetPrinterDataW(printer.Handle(), kProbeValue, REG_DWORD, reinterpret_cast<BYTE*>(&zero),
                        sizeof(zero)) == ERROR_SUCCESS) {
        return 0;
    }
    CNiraOpenedPrinter administered;
    PRINTER_DEFAULTSW rights = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (printer.Name() != nullptr && OpenPrinterW(printer.Name(), &administered, &rights)) {
        return 0;
    }
    return 1;
}

bool CNiraShortcutStore::ReadValue(Store store, LPCWSTR valueName, std::vector<BYTE>& data)
{
    CStorePrinter printer(m_services);
    if (printer.Handle() == nullptr || valueName == nullptr) {
        return false;
    }
    DWORD type = 0;
    DWORD needed = 0;
    if (store == Store::Printer) {
        LONG status =
            GetPrinterDataExW(printer.Handle(), kPrinterStoreKey, valueName, &type, nullptr, 0, &needed);
        if ((status != ERROR_MORE_DATA && status != ERROR_SUCCESS) || needed > kLargestStoredValue) {
            return false;
        }
        data.assign(needed, 0);
        DWORD read = 0;
        return GetPrinterDataExW(printer.Handle(), kPrinterStoreKey, valueName, &type, data.data(), needed,
                                 &read) == ERROR_SUCCESS &&
               read == needed;
    }
    // The user store holds nothing for a printer without its GUID text.
    WCHAR guid[CNiraUserFormsKey::kGuidChars] = {};
    CNiraRegKey key;
    if (!CNiraUserFormsKey::ReadGuidText(printer.Handle(), FALSE, guid) ||
        CNiraUserFormsKey::OpenSubkey(guid, kUserStoreKey, KEY_READ, FALSE, &key) != ERROR_SUCCESS ||
        RegQueryValueExW(key.Get(), valueName, nullptr, &type, nullptr, &needed) != ERROR_SUCCESS ||
        needed > kLargestStoredValue) {
        return false;
    }
    data.assign(needed, 0);
    DWORD read = needed;
    return RegQueryValueExW(key.Get(), valueName, nullptr, &type, data.data(), &read) == ERROR_SUCCESS &&
           read == needed;
}

int CNiraShortcutStore::LoadShortcutList(std::vector<ShortcutListEntry>& entries)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    std::vector<BYTE> data;
    if (ReadValue(Store::Printer, kShortcutListValue, data)) {
        ParseShortcutList(data.data(), static_cast<DWORD>(data.size()), entries);
    }
    if (m_restrictedUser == 1 && ReadValue(Store::User, kShortcutListValue, data)) {
        ParseShortcutList(data.data(), static_cast<DWORD>(data.size()), entries);
    }
    return 0;
}

int CNiraShortcutStore::LoadShortcutRecord(ShortcutRecord& record, LPCWSTR valueName)
{
    std::vector<BYTE> data;
    bool found = ReadValue(Store::Printer, valueName, data) ||
                 (m_restrictedUser == 1 && ReadValue(Store::User, valueName, data));
    return found && ParseShortcutRecord(data.data(), static_cast<DWORD>(data.size()), record)
               ? 0
               : NIRA_STATUS_FAILED;
}

int CNiraShortcutStore::LoadShortcutRecordHead(ShortcutRecord& record, LPCWSTR valueName, int* fromUserStore)
{
    std::vector<BYTE> data;
    int user = 0;
    bool found = ReadValue(Store::Printer, valueName, data);
    if (!found && m_restrictedUser == 1) {
        found = ReadValue(Store::User, valueName, data);
        user = 1;
    }
    if (!found || !ParseShortcutRecordHead(data.data(), static_cast<DWORD>(data.size()), record)) {
        return NIRA_STATUS_FAILED;
    }
    if (fromUserStore != nullptr) {
        *fromUserStore = user;
    }
    return 0;
}

int CNiraShortcutStore::WriteValue(const std::vector<BYTE>& data, LPCWSTR valueName)
{
    if (m_restrictedUser == 1) {
        return WriteUserShortcutValue(data.data(), static_cast<DWORD>(data.size()), valueName);
    }
    CStorePrinter printer(m_services);
    if (printer.Handle() == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return SetPrinterDataExW(printer.Handle(), kPrinterStoreKey, valueName, REG_BINARY,
                             const_cast<BYTE*>(data.data()), static_cast<DWORD>(data.size())) == ERROR_SUCCESS
               ? 0
               : NIRA_STATUS_FAILED;
}

int CNiraShortcutStore::SaveShortcutRecord(ShortcutRecord* record)
{
    if (record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    for (ShortcutItem& item : record->items) {
        item.displayState =
            m_services != nullptr ? m_services->GetDisplayState(item.featureId) : item.displayState;
    }
    return WriteValue(SerializeShortcutRecord(*record), record->name);
}

int CNiraShortcutStore::SaveShortcutList(const ShortcutListEntry* entries, int count)
{
    if (entries == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WriteValue(SerializeShortcutList(entries, count), kShortcutListValue);
    return 0;
}

int CNiraShortcutStore::ReplaceShortcutList(const ShortcutListEntry* entries, int count)
{
    if (entries == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    DeleteShortcutList();
    return SaveShortcutList(entries, count);
}

int CNiraShortcutStore::DeleteShortcutValue(LPCWSTR valueName)
{
    if (valueName == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (m_restrictedUser == 1) {
        DeleteUserShortcutValue(valueName);
        return 0;
    }
    CStorePrinter printer(m_services);
    if (printer.Handle() == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return static_cast<int>(DeletePrinterDataExW(printer.Handle(), kPrinterStoreKey, valueName));
}

int CNiraShortcutStore::DeleteShortcutList()
{
    return DeleteShortcutValue(kShortcutListValue);
}

int CNiraShortcutStore::WriteUserShortcutValue(const BYTE* data, DWORD size, LPCWSTR valueName)
{
    CNiraRegKey key;
    if (valueName == nullptr ||
        CNiraUserFormsKey::OpenSubkeyForPrinter(m_services, TRUE, kUserStoreKey, KEY_WRITE, TRUE, &key) !=
            ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    return RegSetValueExW(key.Get(), valueName, 0, REG_BINARY, data, size) == ERROR_SUCCESS
               ? 0
               : NIRA_STATUS_FAILED;
}

int CNiraShortcutStore::DeleteUserShortcutValue(LPCWSTR valueName)
{
    CNiraRegKey key;
    if (valueName == nullptr ||
        CNiraUserFormsKey::OpenSubkeyForPrinter(m_services, TRUE, kUserStoreKey, KEY_WRITE, TRUE, &key) !=
            ERROR_SUCCESS) {
        return NIRA_STATUS_FAILED;
    }
    return RegDeleteValueW(key.Get(), valueName) == ERROR_SUCCESS ? 0 : NIRA_STATUS_FAILED;
}
