#include "nira/uiplugin/core/plugin/DocEventHandler.h"

#include <string.h>
#include <winddiui.h>
#include <winspool.h>

#include "common/NiraException.h"
#include "common/NiraStatus.h"
#include "common/ProcessIdentity.h"
#include "nira/uiplugin/core/plugin/DevModeSync.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/uicore/UICore.h"

namespace {

// The x64 record that DOCUMENTEVENT_CREATEDCPRE brings.
constexpr ULONG kCreateDCRecordSize = sizeof(DOCEVENT_CREATEDCPRE);
static_assert(kCreateDCRecordSize == 32, "DOCEVENT_CREATEDCPRE is 32 bytes on x64");

// The events the plug-in asks the spooler for, in this order.
constexpr DWORD kFilterEvents[] = {
    DOCUMENTEVENT_STARTDOCPOST, DOCUMENTEVENT_STARTDOCPRE, DOCUMENTEVENT_CREATEDCPRE,
    DOCUMENTEVENT_CREATEDCPOST, DOCUMENTEVENT_RESETDCPRE,  DOCUMENTEVENT_RESETDCPOST,
    DOCUMENTEVENT_STARTPAGE,    DOCUMENTEVENT_ENDPAGE,
};
constexpr UINT kFilterEventCount = sizeof(kFilterEvents) / sizeof(kFilterEvents[0]);
constexpr ULONG kFilterHeaderSize = offsetof(DOCEVENT_FILTER, aDocEventCall);

constexpr size_t kBaseNameChars = 25;
// A program whose create-DC events are left alone.
const char kCreateDCExemptProgram[] = "Photoshop.exe";

void Refuse(LONG code)
{
    throw CNiraException(code);
}

bool IsCreateDCExempt(INT escape)
{
    if (escape != DOCUMENTEVENT_CREATEDCPRE && escape != DOCUMENTEVENT_CREATEDCPOST) {
        return false;
    }
    char baseName[kBaseNameChars + 1] = {};
    size_t length = 0;
    return GetProcessBaseName(baseName, sizeof(baseName), &length) == 0 &&
           _stricmp(baseName, kCreateDCExemptProgram) == 0;
}

// Writes as many of the events as the spooler made room for; the count needed tells it to ask
// again with more room.
void AnswerFilter(ULONG outSize, PVOID out, PINT result)
{
    if (out == nullptr || outSize < kFilterHeaderSize) {
        return;
    }
    auto* filter = static_cast<DOCEVENT_FILTER*>(out);
    UINT room = filter->cElementsAllocated;
    const UINT fits = static_cast<UINT>((outSize - kFilterHeaderSize) / sizeof(DWORD));
    room = room < fits ? room : fits;
    const UINT written = room < kFilterEventCount ? room : kFilterEventCount;
    for (UINT i = 0; i < written; ++i) {
        filter->aDocEventCall[i] = kFilterEvents[i];
    }
    filter->cElementsNeeded = kFilterEventCount;
    filter->cElementsReturned = written;
    if (result != nullptr) {
        *result = DOCUMENTEVENT_SUCCESS;
    }
}

// The DEVMODE handed out at the pre event comes back at the post event to be freed.
void FreeHandedOut(PVOID in)
{
    DEVMODEW* handedOut = in != nullptr ? *static_cast<DEVMODEW**>(in) : nullptr;
    if (handedOut == nullptr) {
        return;
    }
    HGLOBAL block = GlobalHandle(handedOut);
    if (block != nullptr) {
        GlobalUnlock(block);
        GlobalFree(block);
    }
}

DWORD WholeSize(const DEVMODEW* devMode)
{
    return static_cast<DWORD>(devMode->dmSize) + devMode->dmDriverExtra;
}

}  // namespace

HRESULT CNiraDocEventHandler::DocumentEvent(CNiraUICore* core, CNiraDevModeSync* devModeSync, HANDLE printer,
                                            HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize,
                                            PVOID out, PINT result, IPrintCoreHelper* coreHelper)
{
    const bool processed = !IsCreateDCExempt(escape);
    if (escape == DOCUMENTEVENT_QUERYFILTER) {
        AnswerFilter(outSize, out, result);
    } else if (result != nullptr && processed) {
        switch (escape) {
        case DOCUMENTEVENT_CREATEDCPOST:
        case DOCUMENTEVENT_RESETDCPOST:
            FreeHandedOut(in);
            *result = DOCUMENTEVENT_SUCCESS;
            break;
        case DOCUMENTEVENT_CREATEDCPRE:
        case DOCUMENTEVENT_RESETDCPRE: {
            m_core = core;
            m_devModeSync = devModeSync;
            m_coreHelper = coreHelper;
            const INT before = *result;
            try {
                RepairDevMode(printer, dc, escape, inSize, in, outSize, out, result);
            } catch (const CNiraException&) {
                // The job goes on with its own DEVMODE.
                FreeCopy();
                *result = before;
            }
            break;
        }
        default:
            break;
        }
    }
    Reset();
    return S_OK;
}

void CNiraDocEventHandler::RepairDevMode(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in,
                                         ULONG outSize, PVOID out, PINT result)
{
    // The DEVMODE handed out goes into out: it must hold a pointer.
    if (in == nullptr || out == nullptr || outSize < sizeof(DEVMODEW*)) {
        Refuse(ERROR_INVALID_PARAMETER);
    }
    DEVMODEW* job = nullptr;
    if (escape == DOCUMENTEVENT_CREATEDCPRE) {
        if (inSize != kCreateDCRecordSize) {
            Refuse(ERROR_INVALID_PARAMETER);
        }
        job = static_cast<DOCEVENT_CREATEDCPRE*>(in)->pdm;
    } else {
        job = *static_cast<DEVMODEW**>(in);
        if (job == nullptr) {
            Refuse(ERROR_INVALID_PARAMETER);
        }
    }
    DEVMODEW* defaults = nullptr;
    DEVMODEW* work = job;
    if (job != nullptr && !HasValidPrivateDevMode(job)) {
        defaults = ReadDefaultDevMode(printer, job);
        work = defaults;
    }
    try {
        if (!HasValidPrivateDevMode(work)) {
            Refuse(ERROR_INVALID_DATA);
        }
        m_source = work;
        if (CopyDevMode() != NIRA_STATUS_OK) {
            Refuse(ERROR_INVALID_DATA);
        }
        // A section that was never converted holds no two-sided value (0): the DEVMODE's stands.
        const LONG duplex = m_section->duplexAtConvert;
        if (duplex >= DMDUP_SIMPLEX && duplex <= DMDUP_HORIZONTAL && duplex != m_copy->dmDuplex) {
            m_copy->dmDuplex = static_cast<short>(duplex);
            m_copy->dmFields |= DM_DUPLEX;
        }
        m_devModeSync->SetTarget(m_publicCopy);
        m_devModeSync->UnpackSection(m_section);
        if (!m_devModeSync->TargetDiffers()) {
            OutputDebugStringW(
                TEXT("[PERF] >>>>>>>>>>>>>>>>>>>>>Skipping Doc-Event Processing!<<<<<<<<<<<<<<<<"));
            m_devModeSync->PackSection(m_section);
        } else {
            OutputDebugStringW(
                TEXT("[PERF] >>>>>>>>>>>>>>>>>>>>>Continuing Doc-Event Processing!!<<<<<<<<<<<<<<<<"));
            if (m_core != nullptr) {
                // A core that built its state in an earlier event imports this job's settings now.
                if (m_core->IsDriverStateBuilt() && ImportIntoUI() != NIRA_STATUS_OK) {
                    Refuse(ERROR_INVALID_DATA);
                }
                m_core->DocumentEvent(printer, dc, escape, inSize, in, outSize, out, result, this, m_source);
            }
            if (m_core != nullptr && m_coreHelper != nullptr) {
                WritePublicFields(m_core, m_publicCopy, m_copySize, m_coreHelper);
            }
            *static_cast<DEVMODEW**>(out) = nullptr;
            if (!m_devModeSync->SaveToSection(m_section, m_core)) {
                Refuse(ERROR_INVALID_DATA);
            }
        }
    } catch (const CNiraException&) {
        LocalFree(defaults);
        throw;
    }
    LocalFree(defaults);
    *static_cast<DEVMODEW**>(out) = m_copy;
    *result = DOCUMENTEVENT_SUCCESS;
    // Handed out: the post event frees it.
    m_copy = nullptr;
}

DEVMODEW* CNiraDocEventHandler::ReadDefaultDevMode(HANDLE printer, const DEVMODEW* job)
{
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    auto* info = static_cast<PRINTER_INFO_2W*>(needed != 0 ? LocalAlloc(LPTR, needed) : nullptr);
    if (info == nullptr || !GetPrinterW(printer, 2, reinterpret_cast<LPBYTE>(info), needed, &needed) ||
        info->pPrinterName == nullptr) {
        LocalFree(info);
        Refuse(ERROR_INVALID_DATA);
    }
    const LONG size = DocumentPropertiesW(nullptr, printer, info->pPrinterName, nullptr, nullptr, 0);
    auto* defaults = static_cast<DEVMODEW*>(size > 0 ? LocalAlloc(LPTR, static_cast<SIZE_T>(size)) : nullptr);
    const bool read = defaults != nullptr && DocumentPropertiesW(nullptr, printer, info->pPrinterName,
                                                                 defaults, nullptr, DM_OUT_BUFFER) == IDOK;
    LocalFree(info);
    if (size <= 0) {
        Refuse(ERROR_INVALID_DATA);
    }
    if (defaults == nullptr) {
        Refuse(ERROR_NOT_ENOUGH_MEMORY);
    }
    // The default must lie whole inside what the driver said it would write.
    if (!read || defaults->dmSize < sizeof(DEVMODEW) || WholeSize(defaults) > static_cast<DWORD>(size)) {
        LocalFree(defaults);
        Refuse(ERROR_INVALID_DATA);
    }
    if (job->dmSpecVersion == defaults->dmSpecVersion && job->dmSize == defaults->dmSize) {
        // The job's public part over the default's; the private area, and so its size, stays
        // the default's.
        const WORD driverExtra = defaults->dmDriverExtra;
        memcpy(defaults, job, job->dmSize);
        defaults->dmDriverExtra = driverExtra;
    }
    return defaults;
}

int CNiraDocEventHandler::CopyDevMode()
{
    try {
        if (m_source == nullptr) {
            Refuse(ERROR_INVALID_DATA);
        }
        m_copySize = WholeSize(m_source);
        HGLOBAL block = GlobalAlloc(GHND, m_copySize);
        m_copy = block != nullptr ? static_cast<DEVMODEW*>(GlobalLock(block)) : nullptr;
        if (m_copy == nullptr) {
            GlobalFree(block);
            Refuse(ERROR_NOT_ENOUGH_MEMORY);
        }
        m_publicCopy = m_copy;
        memcpy(m_copy, m_source, m_copySize);
        if (m_devModeSync == nullptr) {
            Refuse(ERROR_INVALID_PARAMETER);
        }
        if (!FindPrivateDevMode(m_copy, &m_section)) {
            Refuse(ERROR_INVALID_DATA);
        }
    } catch (const CNiraException&) {
        return NIRA_STATUS_FAILED;
    }
    return NIRA_STATUS_OK;
}

void CNiraDocEventHandler::FreeCopy()
{
    if (m_copy != nullptr) {
        HGLOBAL block = GlobalHandle(m_copy);
        GlobalUnlock(block);
        GlobalFree(block);
    }
    m_copy = nullptr;
    m_publicCopy = nullptr;
    m_section = nullptr;
}

void CNiraDocEventHandler::Reset()
{
    FreeCopy();
    m_core = nullptr;
    m_devModeSync = nullptr;
    m_coreHelper = nullptr;
    m_source = nullptr;
    m_copySize = 0;
}
