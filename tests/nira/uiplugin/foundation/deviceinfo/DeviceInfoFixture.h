// A simulated machine with the sample package, a USB printer and a network printer whose device
// answers on the simulated network.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <nirasim/Machine.h>
#include <nirasim/NetworkDevice.h>

#include <string>
#include "support/WString.h"
#include <utility>
#include <vector>

#include "nira/uiplugin/foundation/deviceinfo/DeviceInfoUpdater.h"
#include "nira/uiplugin/interfaces/INiraDeviceSettings.h"

extern const WCHAR kUsbPrinter[];
extern const WCHAR kNetworkPrinter[];
extern const WCHAR kNetworkPort[];

nirasim::Machine& TestMachine();

// The settings engine's device settings, as nirauip hands them to the USB provider.
INiraDeviceSettingsSource* DeviceSettings();

// A list of (name, object id) pairs as the PML object-id reader hands it over.
PmlOidEntry* MakeObjectIdList(const std::vector<std::pair<WString, WString>>& entries);

// An updater that asks for the list the test gives it.
class ListUpdater : public CNiraDeviceInfoUpdater {
public:
    ListUpdater(HANDLE printer, CNiraPrinterAccess* access) : CNiraDeviceInfoUpdater(printer, access) {}
    std::vector<std::pair<WString, WString>> objectIds;

protected:
    PmlOidEntry* ReadObjectIds() override { return MakeObjectIdList(objectIds); }
};

class DeviceInfoTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HANDLE OpenTestPrinter(const WString& name);
    // Installs a printer on `port` whose driver INI names a capability database with the given
    // UI_BIDI_INFO rows (SQL values, e.g. "(1, 1)"; none for an empty table).
    void InstallBidiPrinter(const WString& name, const WString& port, const std::string& rows);
    // A printer of the sample driver with other dependent files.
    void InstallPrinterWithFiles(const WString& name, const WString& port,
                                 const std::vector<WString>& dependentFiles);

    // The per-printer GUID as stored; empty when absent.
    WString PrinterGuid(const WString& printer);
    // A value of the printer's answers under HKCU; false when absent.
    bool ReadAnswer(const WString& printer, const WString& name, DWORD* type, std::string* bytes);
    static std::string WideBytes(const WString& text);  // with the terminator
    static std::string DwordBytes(DWORD value);

    std::vector<HANDLE> opened;
};
