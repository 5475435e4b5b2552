// The device-model configuration's values in a printer's data: the snapshot records, their
// count, whether a configuration was ever read, the outcome and time of the last capture, and
// whether a capture is running. Each value is read or written through a CNiraPrinterDataValue.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/dmc/DmcSnapshotRecord.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

// The snapshot operations' answer for a null argument (and a missing printer when writing).
constexpr LONG kDmcNullArgument = 0x20000001;

// DMCStatus: the outcome of the last capture.
enum DmcStatus : int {
    DMC_STATUS_RUN_FAILED = 0,
    DMC_STATUS_NO_VALUES = 1,
    DMC_STATUS_NOT_APPLIED = 2,  // no wrapper, or the values could not be pushed
    DMC_STATUS_APPLIED = 3,      // values pushed and the snapshot written
};

class CNiraDmcPrinterData {
public:
    CNiraDmcPrinterData() : m_printer(nullptr) {}
    ~CNiraDmcPrinterData() {}

    void Attach(HANDLE printer) { m_printer = printer; }
    // The stored count of snapshot records; 0 when it cannot be read.
    int GetFeatureCount();
    // The setters answer 0, NIRA_STATUS_FAILED when the value cannot be written, or
    // ERROR_INVALID_HANDLE without a printer (SetFeatureCount then NIRA_STATUS_FAILED).
    LONG SetFeatureCount(int count);
    // Writes "True" when exist is set; otherwise nothing.
    LONG SetExist(int exist);
    LONG SetStatus(int status);
    // The stored value is the opposite: 1 while a capture runs (complete 0), 0 once it ended.
    LONG SetInstallComplete(int complete);
    LONG SetInstallDate();
    // The current UTC time as "MM/DD/YYYY:hh:mm:ss"; 0 or NIRA_STATUS_FAILED (also for an
    // empty name).
    LONG WriteDate(LPCWSTR valueName);
    // Writes the stored count of records; kDmcNullArgument for null records or no printer.
    LONG WriteSnapshotData(const DmcSnapshotRecord* records);
    // Applies the stored snapshot to the settings; 0 (also when nothing could be read),
    // kDmcNullArgument for null settings, ERROR_INVALID_HANDLE without a printer.
    LONG ApplySnapshotData(INiraUISettings* settings);

private:
    LONG WriteValue(LPCWSTR name, DWORD type, const void* data, DWORD size);
    LONG WriteDword(LPCWSTR name, DWORD value);
    // The stored records in a LocalAlloc block (at most the count, at most what is stored).
    DmcSnapshotRecord* ReadSnapshot(int* count);

    HANDLE m_printer;
};
