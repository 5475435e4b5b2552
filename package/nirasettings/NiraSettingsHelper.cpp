// The settings helper module: a pull provider of the values the device reports about itself,
// read from the printer's device ID. Entries:
//   kind 3, 2020  the calibration state the device reports ("CAL:"), used as feature 4308's default
//   kind 6, 120   the duplex unit ("DU:"): its Sync answers true only when one is installed
//   kind 6, 121   the pen set installed ("PS:")
#include <windows.h>

#include <new>

#include "DeviceIdFields.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/providers/INiraPrinterSettingsProvider.h"

namespace {

constexpr char kCalibrationKey[] = "CAL";
constexpr char kDuplexUnitKey[] = "DU";
constexpr char kPenSetKey[] = "PS";

class CDeviceSettingsProvider : public INiraPrinterSettingsProvider {
public:
    BOOLEAN Attach(INiraSettingsAccess* owner) override
    {
        m_owner = owner;
        return owner != nullptr ? TRUE : FALSE;
    }
    void Release() override { delete this; }
    INT_PTR Reserved1() override { return 0; }
    void Reserved2(ULONG_PTR) override {}

    BOOLEAN UpdateAll() override
    {
        if (m_owner == nullptr) {
            return FALSE;
        }
        SyncInt(kHelperDeviceFeatureInt);
        SyncIntRef(kHelperDuplexUnitIntRef);
        SyncIntRef(kHelperPenSetIntRef);
        return TRUE;
    }

    BOOLEAN SyncFlag(LONG) override { return FALSE; }
    BOOLEAN SyncByte(LONG) override { return FALSE; }
    BOOLEAN SyncWord(LONG) override { return FALSE; }
    BOOLEAN SyncFloat(LONG) override { return FALSE; }
    BOOLEAN SyncDouble(LONG) override { return FALSE; }
    BOOLEAN SyncString(LONG) override { return FALSE; }
    BOOLEAN SyncBlob(LONG) override { return FALSE; }

    BOOLEAN SyncInt(LONG index) override
    {
        LONG calibration = 0;
        if (index != kHelperDeviceFeatureInt || !ReadField(kCalibrationKey, &calibration)) {
            return FALSE;
        }
        return m_owner->SetInt(index, calibration, FALSE);
    }

    BOOLEAN SyncIntRef(LONG index) override
    {
        LONG value = 0;
        if (index == kHelperDuplexUnitIntRef) {
            if (!ReadField(kDuplexUnitKey, &value) || value != 1) {
                return FALSE;
            }
        } else if (index != kHelperPenSetIntRef || !ReadField(kPenSetKey, &value)) {
            return FALSE;
        }
        return m_owner->SetIntRef(index, &value, FALSE);
    }

    BOOLEAN HandlesFlag(LONG) override { return FALSE; }
    BOOLEAN HandlesByte(LONG) override { return FALSE; }
    BOOLEAN HandlesWord(LONG) override { return FALSE; }
    BOOLEAN HandlesInt(LONG index) override { return index == kHelperDeviceFeatureInt ? TRUE : FALSE; }
    BOOLEAN HandlesFloat(LONG) override { return FALSE; }
    BOOLEAN HandlesDouble(LONG) override { return FALSE; }
    BOOLEAN HandlesIntRef(LONG index) override
    {
        return index == kHelperDuplexUnitIntRef || index == kHelperPenSetIntRef ? TRUE : FALSE;
    }
    BOOLEAN HandlesString(LONG) override { return FALSE; }
    BOOLEAN HandlesBlob(LONG) override { return FALSE; }

    // The three entries are answered by index; the module keeps no mask of them.
    INiraSettingsMask* GetHandledMask() override { return nullptr; }

    BOOLEAN SetTarget(HANDLE printer) override
    {
        if (printer == nullptr || printer == INVALID_HANDLE_VALUE) {
            return FALSE;
        }
        m_printer = printer;
        return TRUE;
    }

private:
    // The device ID is read anew each time: the language monitor updates it while jobs print.
    bool ReadField(LPCSTR key, LONG* value)
    {
        if (m_owner == nullptr || m_printer == nullptr) {
            return false;
        }
        LPSTR deviceId = ReadDeviceId(m_printer);
        const bool found = deviceId != nullptr && FindDeviceIdNumber(deviceId, key, value);
        LocalFree(deviceId);
        return found;
    }

    INiraSettingsAccess* m_owner = nullptr;
    HANDLE m_printer = nullptr;
};

}  // namespace

#ifndef NIRA_HELPER_WITHOUT_FACTORY
extern "C" __declspec(dllexport) BOOLEAN CreateSettingsInstance(const GUID* interfaceId, void** out)
{
    if (out == nullptr) {
        return FALSE;
    }
    *out = nullptr;
    if (interfaceId == nullptr || !IsEqualGUID(*interfaceId, kSettingsGuidHelperProvider)) {
        return FALSE;
    }
    INiraSettingsProvider* provider = new (std::nothrow) CDeviceSettingsProvider();
    *out = provider;
    return provider != nullptr ? TRUE : FALSE;
}
#endif

// Called with the printer when the driver loads the module; nothing needs preparing.
extern "C" __declspec(dllexport) BOOL LoadHelper(HANDLE printer)
{
    return printer != nullptr ? TRUE : FALSE;
}
