#include "nira/uiplugin/foundation/dmc/NiraDmcHandler.h"

#include <new>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcCore.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcPrinterData.h"

namespace {

#define DMC_CORE_KEY TEXT("NIRA_DMC_CORE_DLL")
#define DMC_CONFIG_KEY TEXT("NIRA_DMC_CONFIG_FILE")

}  // namespace

int CNiraDmcHandler::Bind(CNiraPrinterAccess* access, INiraUISettings* settings)
{
    if (access != nullptr) {
        m_access = access;
    }
    if (settings != nullptr) {
        m_settings = settings;
    }
    return 1;
}

void CNiraDmcHandler::ComponentPath(LPCWSTR key, LPWSTR path)
{
    if (!m_access->GetComponentPath(key, path)) {
        path[0] = 0;
    }
}

int CNiraDmcHandler::CaptureDeviceModel()
{
    if (m_access == nullptr) {
        return 0;
    }
    HANDLE printer = m_access->GetHandle();
    if (printer == nullptr) {
        return 1;
    }
    CNiraDmcPrinterData data;
    data.Attach(printer);
    m_access->FindDriverIni(FALSE);
    WCHAR libraryPath[CNiraPrinterAccess::kComponentPathChars] = {};
    WCHAR configPath[CNiraPrinterAccess::kComponentPathChars] = {};
    ComponentPath(DMC_CORE_KEY, libraryPath);
    ComponentPath(DMC_CONFIG_KEY, configPath);

    data.SetInstallComplete(0);
    int status = RunCore(libraryPath, configPath, data);
    data.SetStatus(status);
    data.SetInstallDate();
    data.SetInstallComplete(1);
    return 1;
}

int CNiraDmcHandler::RunCore(LPCWSTR libraryPath, LPCWSTR configPath, CNiraDmcPrinterData& data)
{
    CNiraDmcCore* core = new (std::nothrow) CNiraDmcCore(libraryPath, configPath, m_access);
    if (core == nullptr) {
        return DMC_STATUS_NOT_APPLIED;
    }
    int status = DMC_STATUS_RUN_FAILED;
    if (core->Run() == 0) {
        status = DMC_STATUS_NO_VALUES;
        int count = core->GetItemCount();
        data.SetFeatureCount(count);
        data.SetExist(1);
        if (count > 0) {
            status = DMC_STATUS_NOT_APPLIED;
            DmcSnapshotRecord* records =
                core->ApplyToSettings(m_settings) == 0
                    ? static_cast<DmcSnapshotRecord*>(LocalAlloc(LPTR, count * sizeof(DmcSnapshotRecord)))
                    : nullptr;
            if (records != nullptr) {
                status = DMC_STATUS_APPLIED;
                core->CopySnapshot(records, count);
                data.WriteSnapshotData(records);
                LocalFree(records);
            }
        }
    }
    delete core;
    return status;
}

int CNiraDmcHandler::ApplySnapshot()
{
    if (m_access == nullptr || m_access->GetHandle() == nullptr) {
        return 0;
    }
    int present = 0;
    if (m_access->IsDmcPresent(&present) != NIRA_STATUS_OK || present == 0) {
        return 0;
    }
    CNiraDmcPrinterData data;
    data.Attach(m_access->GetHandle());
    if (data.GetFeatureCount() <= 0) {
        return 0;
    }
    return data.ApplySnapshotData(m_settings) == NIRA_STATUS_OK ? 1 : 0;
}
