#include "nira/uiplugin/foundation/deviceinfo/BidiCapability.h"

#include <strsafe.h>

#include <new>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/QueryRow.h"
#include "nira/uiplugin/foundation/deviceinfo/NetworkDeviceInfo.h"
#include "nira/uiplugin/foundation/deviceinfo/UsbDeviceInfo.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"

namespace {

constexpr char kCapabilityQuery[] = "SELECT EAC,DS FROM UI_BIDI_INFO";
constexpr int kColumnEac = 0;
constexpr int kColumnDs = 1;

}  // namespace

CNiraBidiCapability::CNiraBidiCapability(INiraDeviceSettingsSource* deviceSettings)
    : m_deviceSettings(deviceSettings),
      m_databasePath(nullptr),
      m_database(nullptr),
      m_callback(nullptr),
      m_callbackArgument(nullptr),
      m_errorText(nullptr),
      m_lastResult(0),
      m_record(nullptr),
      m_flags(0)
{}

CNiraBidiCapability::~CNiraBidiCapability()
{
    CloseDatabase();
    LocalFree(m_record);
    LocalFree(m_databasePath);
    FreeQueryError(m_errorText);
}

void CNiraBidiCapability::CloseDatabase()
{
    if (m_database != nullptr) {
        CloseDatabaseCopy(m_database);
        m_database = nullptr;
    }
}

int CNiraBidiCapability::OnRow(void* argument, int columnCount, char** values, char**)
{
    auto* record = static_cast<BidiCapabilityRecord*>(argument);
    record->EAC = ReadColumnInt(columnCount, values, kColumnEac);
    record->DS = ReadColumnInt(columnCount, values, kColumnDs);
    return 0;
}

LONG CNiraBidiCapability::ReadCapability(HANDLE printer)
{
    CNiraPrinterAccess access(printer);
    access.FindDriverIni(FALSE);
    if (m_databasePath == nullptr) {
        m_databasePath = static_cast<LPWSTR>(LocalAlloc(LPTR, MAX_PATH * sizeof(WCHAR)));
    }
    if (m_record == nullptr) {
        m_record = static_cast<BidiCapabilityRecord*>(LocalAlloc(LPTR, sizeof(BidiCapabilityRecord)));
    }
    if (m_databasePath == nullptr || m_record == nullptr) {
        return 0;
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    access.GetComponentPath(kCapabilityDatabaseKey, path);
    StringCchCopyW(m_databasePath, MAX_PATH, path);

    CloseDatabase();
    if (OpenDatabaseCopy(m_databasePath, &m_database) != SQLITE_OK) {
        m_database = nullptr;
        return 0;
    }
    m_callback = OnRow;
    m_callbackArgument = m_record;
    FreeQueryError(m_errorText);
    m_errorText = nullptr;
    m_lastResult = ExecuteQuery(m_database, kCapabilityQuery, m_callback, m_callbackArgument, &m_errorText);
    return 0;
}

LONG CNiraBidiCapability::EvaluateFlags()
{
    if (m_record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_flags = 0;
    if (m_record->EAC == 1) {
        m_flags |= kFlagUsb;
    }
    if (m_record->DS == 1) {
        m_flags |= kFlagNetwork;
    }
    return 0;
}

INiraDeviceInfo* CNiraBidiCapability::CreateDeviceInfoProvider(HANDLE printer, int* created)
{
    if (created != nullptr) {
        *created = 0;
    }
    if (printer == nullptr) {
        return nullptr;
    }
    ReadCapability(printer);
    EvaluateFlags();
    INiraDeviceInfo* provider = nullptr;
    if (m_flags != 0) {
        CNiraPrinterAccess access(printer);
        DWORD portType = NIRA_PORT_PATH;
        if (!access.GetPortType(&portType)) {
            portType = NIRA_PORT_PATH;
        }
        if (portType == NIRA_PORT_OTHER && (m_flags & kFlagNetwork)) {
            provider = new (std::nothrow) CNiraNetworkDeviceInfo(printer);
        } else if (portType == NIRA_PORT_USB && (m_flags & kFlagUsb)) {
            provider = new (std::nothrow) CNiraUsbDeviceInfo(printer, m_deviceSettings);
        }
    }
    CloseDatabase();
    if (created != nullptr && provider != nullptr) {
        *created = 1;
    }
    return provider;
}
