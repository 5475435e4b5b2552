// Where custom printing shortcuts are kept: the printer's data (key
// "ZQPresetRoot\CustomShortcutPoolData") or, for a user who may not write the printer's data, the
// user's registry under the printer's GUID text (HKEY_CURRENT_USER\Software\Norvell-Ashby\<GUID
// text>\CustomShortcutPoolData). Records are stored under their own names, the list of custom
// shortcuts under "CustomShortcutsDataSnapShot". The printer is opened by name for each operation.
#pragma once

#include <windows.h>

#include <vector>

#include "nira/uiplugin/features/handlers/ShortcutRecords.h"

class INiraCoreServices;

class CNiraShortcutStore {
public:
    CNiraShortcutStore() = default;

    void SetServices(INiraCoreServices* services) { m_services = services; }
    // 1: writes and deletes go to the user's registry, and a record the printer's data lacks is
    // looked for there too.
    void SetRestrictedUser(int restricted) { m_restrictedUser = restricted; }
    int IsRestrictedUser() const { return m_restrictedUser; }

    // 1 when the user may neither write the printer's data (the DWORD "ZQDUMMY", left in place) nor
    // open the printer with every right, else 0.
    int ProbePrinterDataAccess();

    // The printer's list and, for a restricted user, the user's list after it; a damaged or absent
    // list adds nothing. 0, or NIRA_STATUS_FAILED without services.
    int LoadShortcutList(std::vector<ShortcutListEntry>& entries);
    // 0 when a store held the value undamaged, else NIRA_STATUS_FAILED with the record untouched.
    int LoadShortcutRecord(ShortcutRecord& record, LPCWSTR valueName);
    // optionId and name only; *fromUserStore tells which store held the value.
    int LoadShortcutRecordHead(ShortcutRecord& record, LPCWSTR valueName, int* fromUserStore);
    // Stores the record under its name, each item's displayState refreshed from the settings;
    // NIRA_STATUS_FAILED for a null record or when it could not be stored.
    int SaveShortcutRecord(ShortcutRecord* record);
    int SaveShortcutList(const ShortcutListEntry* entries, int count);
    // Deletes the stored list, then saves this one.
    int ReplaceShortcutList(const ShortcutListEntry* entries, int count);
    // The printer store's deletion result (0 on success); 0 for the user store;
    // NIRA_STATUS_FAILED for a null name or an unreachable printer.
    int DeleteShortcutValue(LPCWSTR valueName);
    int DeleteShortcutList();

    // The user store's writes: the printer's GUID text (made and stored when missing), the keys
    // made, the value written or deleted. NIRA_STATUS_FAILED when any step fails.
    int WriteUserShortcutValue(const BYTE* data, DWORD size, LPCWSTR valueName);
    int DeleteUserShortcutValue(LPCWSTR valueName);

private:
    enum class Store { Printer, User };
    // The value's bytes from one store; false when it is not there (or cannot be read).
    bool ReadValue(Store store, LPCWSTR valueName, std::vector<BYTE>& data);
    int WriteValue(const std::vector<BYTE>& data, LPCWSTR valueName);

    INiraCoreServices* m_services = nullptr;
    int m_restrictedUser = 0;
};

// The value name of the list of custom shortcuts.
constexpr WCHAR kShortcutListValue[] = TEXT("CustomShortcutsDataSnapShot");
