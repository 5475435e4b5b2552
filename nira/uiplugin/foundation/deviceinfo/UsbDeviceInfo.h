// Device information of a printer on a USB port: the language monitor fetches the device status
// when the printer is sent an empty job ("SerialNumberJob"), and the settings helper module reads
// the values the driver asks for from it.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/deviceinfo/DeviceInfo.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

class INiraDeviceSettings;
class INiraDeviceSettingsSource;

class CNiraUsbDeviceInfo : public CNiraDeviceInfoBase {
public:
    // Borrows the printer handle, which must outlive the provider. The helper module's questions
    // go through device settings made by settingsSource (none: they stay unanswered).
    CNiraUsbDeviceInfo(HANDLE printer, INiraDeviceSettingsSource* settingsSource);
    ~CNiraUsbDeviceInfo() override;
    CNiraUsbDeviceInfo(const CNiraUsbDeviceInfo&) = delete;
    CNiraUsbDeviceInfo& operator=(const CNiraUsbDeviceInfo&) = delete;

    // 1 when an earlier serial-number job succeeded (DSQUERY = 1); otherwise runs the job on the
    // given handle and answers 0.
    int Refresh(HANDLE printer) override;
    // Code 4308: the device's value of the feature, through the helper module; *handled is 1.
    int QueryFeature(int queryCode, int* handled, int* value) override;
    // Code 4221: 1 in *value when a duplex unit is installed, through the helper module.
    int QueryDuplexUnit(int queryCode, int* value) override;

private:
    enum DsQueryMode { kReadDsQuery, kWriteDsQuery };

    // Read: TRUE and *value when DSQUERY could be read (an absent value is created as 1 and
    // counts as unread). Write: stores *value.
    BOOL AccessDsQuery(DsQueryMode mode, DWORD* value);
    // The job's steps work on the handle Refresh was given.
    int RunSerialNumberJob(HANDLE printer);
    BOOL ProbePrinterDataAccess(HANDLE printer, LPCWSTR printerName);
    BOOL IsStatusStringReadable(HANDLE printer);
    BOOL ResetStatusString();
    BOOL SendSerialNumberJob(HANDLE printer);
    BOOL OpenDriverDataKey(HKEY* key);

    // The path of the settings helper module; FALSE without one or without device settings.
    BOOL FindHelperModule(WCHAR (&path)[CNiraPrinterAccess::kComponentPathChars]);
    int QueryHelperDuplexUnit(int* value);
    int QueryHelperFeature(int* value);

    [[maybe_unused]] HANDLE m_printer;  // the caller's handle, kept as the record holds it
    CNiraPrinterAccess* m_access;
    INiraDeviceSettings* m_settings;
};
