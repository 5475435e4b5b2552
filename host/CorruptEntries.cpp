#include "host/CorruptEntries.h"

#include <nirasim/InjectedFailures.h>
#include <objbase.h>
#include <oleauto.h>
#include <winspool.h>

#include <cstring>

#include "host/EmfDocument.h"
#include "printticket/XDComPtr.h"
#include "support/PublicOnlyDevMode.h"

namespace {

const char kApplication[] = "C:\\Program Files\\Writer\\writer.exe";
const char kSpooler[] = "C:\\Windows\\System32\\spoolsv.exe";
constexpr INT kPrintTicketVersion = 1;
constexpr int kJobDpi = 72;
constexpr size_t kOlderPublicSize = offsetof(DEVMODEW, dmICMMethod);  // up to dmDisplayFrequency
constexpr WORD kOlderSpecVersion = 0x0320;
constexpr size_t kNewerPublicGrowth = 16;
constexpr WORD kNewerSpecVersion = 0x0402;

// Draft quality changes a packed setting, landscape a public field.
const char16_t kChangedTicket[] = TEXT(
    "<psf:PrintTicket "
    "xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' ")
    TEXT("xmlns:psk='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords' version='1'>")
        TEXT("<psf:Feature name='psk:PageOutputQuality'><psf:Option name='psk:Draft'/></psf:Feature>")
            TEXT("<psf:Feature name='psk:PageOrientation'><psf:Option name='psk:Landscape'/></psf:Feature>")
                TEXT("</psf:PrintTicket>");

CXDComPtr<IXMLDOMDocument2> NewTicket(nirasim::CoreDriverInstance& core)
{
    CXDComPtr<IXMLDOMDocument2> document;
    *&document = core.NewSchemaDocument(TEXT("PrintTicket"));
    return document;
}

WORD ReadWord(const std::vector<BYTE>& bytes, size_t offset)
{
    WORD value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

// The DEVMODE with its public part cut to an older size, or grown by zero bytes to a newer one.
std::vector<BYTE> WithPublicSize(const std::vector<BYTE>& devMode, size_t publicSize, WORD specVersion)
{
    const size_t size = ReadWord(devMode, offsetof(DEVMODEW, dmSize));
    std::vector<BYTE> resized(devMode.begin(),
                              devMode.begin() + static_cast<std::ptrdiff_t>(std::min(size, publicSize)));
    resized.resize(publicSize, 0);
    resized.insert(resized.end(), devMode.begin() + static_cast<std::ptrdiff_t>(size), devMode.end());
    auto* d = reinterpret_cast<DEVMODEW*>(resized.data());
    d->dmSize = static_cast<WORD>(publicSize);
    d->dmSpecVersion = specVersion;
    return resized;
}

}  // namespace

CCorruptEntries::CCorruptEntries(HostMachine& host)
    : m_host(host), m_printerName(host.printerName()), m_core(host.printerName())
{
    m_ready = Prepare() && MakeSeeds();
}

CCorruptEntries::~CCorruptEntries()
{
    if (m_printer != nullptr) {
        ClosePrinter(m_printer);
    }
}

const char* CCorruptEntries::Name(int entry)
{
    static const char* const kNames[kEntryCount] = {
        "DocumentPropertiesW merge", "plug-in convert",       "plug-in merge",
        "document events",           "PrintTicket both ways", "print processor EMF job"};
    return entry >= 0 && entry < kEntryCount ? kNames[entry] : "unknown";
}

bool CCorruptEntries::Prepare()
{
    m_host.machine().SetProcessPath(kApplication);
    if (!OpenPrinterW(m_printerName.data(), &m_printer, nullptr)) {
        HostMachine::Print("the printer cannot be opened");
        return false;
    }
    m_devModeSize = DocumentPropertiesW(nullptr, m_printer, m_printerName.data(), nullptr, nullptr, 0);
    if (m_devModeSize <= 0 || !m_core.IsOpen() || m_core->Plugin() == nullptr) {
        HostMachine::Print("the core driver could not start the printer's UI plug-in");
        return false;
    }
    if (FAILED(m_core->BindPrintTicketProvider(kPrintTicketVersion).bindResult)) {
        HostMachine::Print("the PrintTicket provider could not be bound");
        return false;
    }
    if (!m_processor.Loaded()) {
        HostMachine::Print("the print processor nirapp.dll could not be loaded");
        return false;
    }
    return true;
}

bool CCorruptEntries::MakeSeeds()
{
    const std::vector<BYTE> defaults = m_core->DefaultDevMode().devMode;
    if (defaults.size() < sizeof(DEVMODEW)) {
        HostMachine::Print("the core driver has no default DEVMODE");
        return false;
    }
    std::vector<BYTE> changed = defaults;
    CXDComPtr<IXMLDOMDocument2> ticket = NewTicket(*m_core);
    BSTR xml = SysAllocString(kChangedTicket);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const bool made = ticket && ticket->loadXML(xml, &loaded) == S_OK && loaded == VARIANT_TRUE &&
                      m_core->PrintTicketToDevMode(ticket.Get(), changed) == S_OK;
    SysFreeString(xml);
    if (!made) {
        HostMachine::Print("a DEVMODE with changed settings could not be made");
        return false;
    }
    m_seeds = {{"the default", defaults},
               {"changed settings", changed},
               {"an older public size", WithPublicSize(changed, kOlderPublicSize, kOlderSpecVersion)},
               {"a newer public size",
                WithPublicSize(changed, sizeof(DEVMODEW) + kNewerPublicGrowth, kNewerSpecVersion)},
               {"an application's", PublicOnlyDevMode(DMPAPER_A4, DMORIENT_LANDSCAPE)}};
    return true;
}

EntryOutcome CCorruptEntries::Run(int entry, const std::vector<BYTE>& devMode)
{
    switch (entry) {
    case kDocumentProperties:
        return MergeThroughDocumentProperties(devMode);
    case kPluginConvert:
        return Convert(OEMDM_CONVERT, devMode);
    case kPluginMerge:
        return Convert(OEMDM_MERGE, devMode);
    case kDocumentEvents:
        return DocumentEvents(devMode);
    case kPrintTicketBothWays:
        return PrintTicketBothWays(devMode);
    case kProcessorJob:
        return ProcessorJob(devMode);
    default:
        return {};
    }
}

EntryOutcome CCorruptEntries::MergeThroughDocumentProperties(const std::vector<BYTE>& devMode)
{
    std::vector<BYTE> in = devMode;
    std::vector<BYTE> out(static_cast<size_t>(m_devModeSize));
    const LONG answer =
        DocumentPropertiesW(nullptr, m_printer, m_printerName.data(), reinterpret_cast<DEVMODEW*>(out.data()),
                            reinterpret_cast<DEVMODEW*>(in.data()), DM_IN_BUFFER | DM_OUT_BUFFER);
    EntryOutcome outcome;
    outcome.succeeded = answer == IDOK;
    if (outcome.succeeded) {
        outcome.handedOut.push_back(std::move(out));
    }
    return outcome;
}

EntryOutcome CCorruptEntries::Convert(DWORD mode, const std::vector<BYTE>& devMode)
{
    std::vector<BYTE> out;
    EntryOutcome outcome;
    outcome.succeeded = m_core->ConvertDevMode(mode, devMode, out) == S_OK;
    if (outcome.succeeded) {
        outcome.handedOut.push_back(std::move(out));
    }
    return outcome;
}

EntryOutcome CCorruptEntries::DocumentEvents(const std::vector<BYTE>& devMode)
{
    nirasim::PrintJobTrace trace = m_core->RunPrintJob(devMode, nirasim::PrintJobOptions());
    EntryOutcome outcome;
    outcome.succeeded = !trace.calls.empty();
    for (std::vector<BYTE>* handedOut : {&trace.createDCDevMode, &trace.resetDCDevMode}) {
        if (!handedOut->empty()) {
            outcome.handedOut.push_back(std::move(*handedOut));
        }
    }
    return outcome;
}

// The damaged DEVMODE into a ticket, and that ticket into the default DEVMODE.
EntryOutcome CCorruptEntries::PrintTicketBothWays(const std::vector<BYTE>& devMode)
{
    EntryOutcome outcome;
    CXDComPtr<IXMLDOMDocument2> ticket = NewTicket(*m_core);
    if (!ticket || m_core->DevModeToPrintTicket(devMode, ticket.Get()) != S_OK) {
        return outcome;
    }
    std::vector<BYTE> back = m_seeds.front().bytes;
    outcome.succeeded = m_core->PrintTicketToDevMode(ticket.Get(), back) == S_OK;
    if (outcome.succeeded) {
        outcome.handedOut.push_back(std::move(back));
    }
    return outcome;
}

// A page of EMF spooled with the DEVMODE and printed by the print processor inside the spooler.
EntryOutcome CCorruptEntries::ProcessorJob(const std::vector<BYTE>& devMode)
{
    m_host.machine().SetProcessPath(kSpooler);
    // The job keeps the application's DEVMODE; GDI spools the page's as the driver completed it,
    // with a whole public part.
    const std::vector<BYTE> page =
        devMode.size() >= sizeof(DEVMODEW) &&
                reinterpret_cast<const DEVMODEW*>(devMode.data())->dmSize < sizeof(DEVMODEW)
            ? WithPublicSize(devMode, sizeof(DEVMODEW), DM_SPECVERSION)
            : devMode;
    nirasim::PrintJobSpec job = NumberedJob(
        m_printerName, 1, kJobDpi, std::string(reinterpret_cast<const char*>(page.data()), page.size()));
    job.devmode = devMode;
    const nirasim::PrintJobRun run = m_processor.Run(job);
    m_host.machine().SetProcessPath(kApplication);
    EntryOutcome outcome;
    outcome.succeeded = run.printed != FALSE;
    return outcome;
}
