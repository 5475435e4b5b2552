#include "nira/uiplugin/foundation/deviceinfo/NetworkDeviceInfo.h"

#include <winspool.h>

#include <new>

#include "nira/uiplugin/foundation/deviceinfo/DeviceInfoUpdater.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

namespace {

constexpr WCHAR kSerialNumberValue[] = TEXT("SerialNumber");
constexpr WCHAR kUnavailable[] = TEXT("<unavailable>");
constexpr DWORD kSerialNumberBytes = 260;

}  // namespace

CNiraNetworkDeviceInfo::CNiraNetworkDeviceInfo(HANDLE printer)
    : m_printer(printer), m_access(new(std::nothrow) CNiraPrinterAccess(printer)), m_updater(nullptr)
{
    if (m_access != nullptr) {
        m_access->FindDriverIni(FALSE);
        m_updater = new (std::nothrow) CNiraDeviceInfoUpdater(printer, m_access);
    }
}

CNiraNetworkDeviceInfo::CNiraNetworkDeviceInfo(HANDLE printer, CNiraPrinterAccess* access,
                                               CNiraDeviceInfoUpdater* updater)
    : m_printer(printer), m_access(access), m_updater(updater)
{}

CNiraNetworkDeviceInfo::~CNiraNetworkDeviceInfo()
{
    delete m_updater;  // borrows the printer access
    delete m_access;
}

int CNiraNetworkDeviceInfo::Refresh(HANDLE printer)
{
    int result = RunUpdater();
    RefreshSerialNumber(printer);
    return result;
}

int CNiraNetworkDeviceInfo::RunUpdater()
{
    if (m_updater == nullptr || !m_updater->Open()) {
        return 0;
    }
    return m_updater->Update(0) ? 1 : 0;
}

void CNiraNetworkDeviceInfo::RefreshSerialNumber(HANDLE printer)
{
    WCHAR serial[kSerialNumberBytes / sizeof(WCHAR) + 1] = {};
    DWORD type = 0;
    DWORD needed = 0;
    if (m_access == nullptr ||
        GetPrinterDataW(printer, const_cast<LPWSTR>(kSerialNumberValue), &type,
                        reinterpret_cast<BYTE*>(serial), kSerialNumberBytes, &needed) != ERROR_SUCCESS) {
        return;
    }
    if (type == REG_SZ && wcscmp(serial, kUnavailable) == 0) {
        m_access->UpdateSerialNumber();
    }
}

int CNiraNetworkDeviceInfo::QueryDuplexUnit(int queryCode, int* value)
{
    if (FindDeviceQueryKind(queryCode) != DEVICE_QUERY_DUPLEX_UNIT || value == nullptr ||
        m_updater == nullptr) {
        return 0;
    }
    return m_updater->GetDuplexUnit(value) ? 1 : 0;
}
