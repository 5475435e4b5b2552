#include "host/MonitorDelivery.h"

#include <nirasim/Printer.h>

namespace printer = nirasim::printer;

namespace {

const char kSamplePort[] = "USB001";
constexpr DWORD kSampleCounter = 28;
constexpr DWORD kSampleCounterDigits = 5;
constexpr DWORD kCounterLanguage = 4;
const char kSampleCounterName[] = "CTR:00028";
const char kSampleCounterValue[] = "1342";
const char kIdleStatus[] = "$AC0$FC0,ff,DN,IDLE,CUT,K0,C0,SM";
constexpr DWORD kSpoolerWriteSize = 4096;

// A real spooler sends the print processor's output as the spooled job itself; the simulated
// one keeps the output as a document of its own, which leaves the queue here so that the job
// reaches the port as the only one queued.
void LeaveOnlyTheJob(HostMachine& host, DWORD jobId)
{
    WString printerName = host.printerName();
    HANDLE spooler = nullptr;
    if (!OpenPrinterW(printerName.data(), &spooler, nullptr)) {
        return;
    }
    for (const nirasim::SpoolerJob& other : host.machine().Jobs()) {
        if (other.id != jobId && !other.deleted && other.printer == printerName) {
            SetJobW(spooler, other.id, 0, nullptr, JOB_CONTROL_DELETE);
        }
    }
    ClosePrinter(spooler);
}

}  // namespace

MonitorDelivery DeliverThroughLanguageMonitor(HostMachine& host, DWORD jobId, const std::string& bytes,
                                              const WString& document)
{
    MonitorDelivery delivery;
    nirasim::Machine& machine = host.machine();
    machine.SetWindowsVersion(5, 0);
    machine.SetPrinterDword(host.printerName(), "ZQSETCTR", kSampleCounter);
    machine.SetPrinterDword(host.printerName(), "ZQDynCtrDigits", kSampleCounterDigits);
    machine.SetPrinterDword(host.printerName(), "ZQPrintingLanguage", kCounterLanguage);
    printer::SetDeviceId(kSamplePort, printer::DeviceId(kIdleStatus));
    printer::SetJobCounter(kSamplePort, kSampleCounter, {kSampleCounterDigits, kSampleCounterValue});
    const std::string before = printer::BytesReceived(kSamplePort);
    LeaveOnlyTheJob(host, jobId);
    {
        printer::LanguageMonitor monitor("niralm.dll");
        HANDLE port =
            monitor.Initialize() != nullptr ? monitor.OpenPort(kSamplePort, host.printerName()) : nullptr;
        if (port == nullptr) {
            delivery.error = GetLastError();
            return delivery;
        }
        machine.SetJobPrinting(jobId, true);
        delivery.delivered = monitor.DeliverJob(port, host.printerName(), jobId, document, bytes,
                                                kSpoolerWriteSize, &delivery.error) != FALSE;
    }
    delivery.received = printer::BytesReceived(kSamplePort).substr(before.size());
    delivery.counterName = kSampleCounterName;
    machine.GetPrinterData(host.printerName(), kSampleCounterName, delivery.counterStored);
    return delivery;
}
