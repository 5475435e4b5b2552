// Whether a printer model reports device information back, and over which kind of port: the row
// of the capability database's UI_BIDI_INFO table, and the provider that matches it.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"

class INiraDeviceInfo;
class INiraDeviceSettingsSource;

// The UI_BIDI_INFO row: EAC (1: a USB printer reports through the language monitor) and DS (1: a
// network printer reports through the device servers).
struct BidiCapabilityRecord {
    int EAC;
    int DS;
};
static_assert(sizeof(BidiCapabilityRecord) == 8, "BidiCapabilityRecord is 8 bytes");

class CNiraBidiCapability {
public:
    // A USB provider reaches the settings helper module through deviceSettings (borrowed).
    explicit CNiraBidiCapability(INiraDeviceSettingsSource* deviceSettings);
    ~CNiraBidiCapability();
    CNiraBidiCapability(const CNiraBidiCapability&) = delete;
    CNiraBidiCapability& operator=(const CNiraBidiCapability&) = delete;

    // The provider for the printer's port, owned by the caller, or null; *created is 1 exactly
    // when a provider is returned.
    INiraDeviceInfo* CreateDeviceInfoProvider(HANDLE printer, int* created);
    // Reads the capability row of the printer's driver; always 0 (query errors stay in the object).
    LONG ReadCapability(HANDLE printer);
    // Sets the flags from the row: 0, or NIRA_STATUS_FAILED without a row record.
    LONG EvaluateFlags();

    static constexpr int kFlagUsb = 0x1;      // EAC = 1
    static constexpr int kFlagNetwork = 0x2;  // DS = 1
    int GetFlags() const { return m_flags; }

private:
    static int OnRow(void* argument, int columnCount, char** values, char** names);
    void CloseDatabase();

    INiraDeviceSettingsSource* m_deviceSettings;
    LPWSTR m_databasePath;
    sqlite3* m_database;
    NiraQueryRowCallback m_callback;
    void* m_callbackArgument;
    char* m_errorText;
    int m_lastResult;
    BidiCapabilityRecord* m_record;
    int m_flags;
};
