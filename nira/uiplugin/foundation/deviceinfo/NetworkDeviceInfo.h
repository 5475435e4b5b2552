// Device information of a printer on a network port, fetched by the device-information updater
// through the driver package's device servers.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/deviceinfo/DeviceInfo.h"

class CNiraPrinterAccess;
class CNiraDeviceInfoUpdater;

class CNiraNetworkDeviceInfo : public CNiraDeviceInfoBase {
public:
    // Borrows the printer handle, which must outlive the provider.
    explicit CNiraNetworkDeviceInfo(HANDLE printer);
    ~CNiraNetworkDeviceInfo() override;
    CNiraNetworkDeviceInfo(const CNiraNetworkDeviceInfo&) = delete;
    CNiraNetworkDeviceInfo& operator=(const CNiraNetworkDeviceInfo&) = delete;

    // Runs the updater (its result is the answer), then refreshes an unknown serial number.
    int Refresh(HANDLE printer) override;
    // Code 4221: 1 in *value when the device reported a duplex path.
    int QueryDuplexUnit(int queryCode, int* value) override;

protected:
    // For tests: the provider with an updater of their own (taken over; may be null).
    CNiraNetworkDeviceInfo(HANDLE printer, CNiraPrinterAccess* access, CNiraDeviceInfoUpdater* updater);
    CNiraPrinterAccess* GetAccess() const { return m_access; }

private:
    int RunUpdater();
    void RefreshSerialNumber(HANDLE printer);

    [[maybe_unused]] HANDLE m_printer;  // the caller's handle, kept as the record holds it
    CNiraPrinterAccess* m_access;
    CNiraDeviceInfoUpdater* m_updater;
};
