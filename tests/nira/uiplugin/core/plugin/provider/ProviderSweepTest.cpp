// The plug-in's conversions with each of their injectable calls failing in turn: a DEVMODE into a
// ticket, a ticket into a DEVMODE, the PrintCapabilities, and a caller's DEVMODE converted and
// merged. Each run gives the unfailed run's document or DEVMODE, or reports the failure.
#include "printticket/converters/ConverterFixture.h"

#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>

#include <memory>
#include <optional>
#include <vector>

#include "support/FailureSweep.h"

namespace {

constexpr const WCHAR* kPrinter = TEXT("Nira Sweep Inkjet");
// Features of several handlers, with sub-features and scored properties.
const WString kTicketBody = TEXT(
    "<{f}Feature name='{k}PageMediaSize'><{f}Option name='{k}ISOA4'>"
    "<{f}ScoredProperty name='{k}MediaSizeWidth'><{f}Value xsi:type='xsd:integer'>210000</{f}Value>"
    "</{f}ScoredProperty><{f}ScoredProperty name='{k}MediaSizeHeight'>"
    "<{f}Value xsi:type='xsd:integer'>297000</{f}Value></{f}ScoredProperty></{f}Option></{f}Feature>"
    "<{f}Feature name='{k}PageOrientation'><{f}Option name='{k}Landscape'/></{f}Feature>"
    "<{f}Feature name='{k}PageOutputQuality'><{f}Option name='{k}Draft'/></{f}Feature>"
    "<{f}Feature name='{k}JobDuplexAllDocumentsContiguously'><{f}Option name='{k}TwoSidedLongEdge'/>"
    "</{f}Feature>"
    "<{f}Feature name='{k}DocumentNUp'><{f}Option><{f}ScoredProperty name='{k}PagesPerSheet'>"
    "<{f}Value xsi:type='xsd:integer'>2</{f}Value></{f}ScoredProperty></{f}Option></{f}Feature>");

class ProviderSweepTest : public ConverterTest {
protected:
    void SetUp() override
    {
        ConverterTest::SetUp();
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        ASSERT_TRUE(machine.InitializePrinter(kPrinter));
        // The DEVMODE the ticket makes, read without failures: what the writes start from. The
        // first core driver's modules stay loaded, so that each run does not load them again.
        Start();
        keptCore = std::move(core);
        Start();
        LoadTicket(kTicketBody);
        changed = Core().DefaultDevMode().devMode;
        ASSERT_EQ(Core().PrintTicketToDevMode(m_dom.Get(), changed), S_OK);
    }
    void TearDown() override
    {
        m_dom.Reset();
        core.reset();
        keptCore.reset();
        ConverterTest::TearDown();
    }

    // A core driver with the plug-in's provider bound afresh, so that no run inherits another's state.
    void Start()
    {
        m_dom.Reset();
        core.reset();
        core = std::make_unique<nirasim::CoreDriver>(kPrinter);
        ASSERT_TRUE(core->IsOpen());
        ASSERT_EQ(Core().BindPrintTicketProvider(1).bindResult, S_OK);
    }

    nirasim::CoreDriverInstance& Core() { return **core; }

    std::optional<WString> WriteTicket(CFailureSweep& sweep)
    {
        Start();
        LoadTicket(WString());
        const HRESULT written =
            sweep.Armed([&] { return Core().DevModeToPrintTicket(changed, m_dom.Get()); });
        return written == S_OK ? std::optional<WString>(Xml()) : std::nullopt;
    }

    std::optional<std::vector<BYTE>> ReadTicket(CFailureSweep& sweep)
    {
        Start();
        LoadTicket(kTicketBody);
        std::vector<BYTE> devMode = Core().DefaultDevMode().devMode;
        const HRESULT read = sweep.Armed([&] { return Core().PrintTicketToDevMode(m_dom.Get(), devMode); });
        return read == S_OK ? std::optional<std::vector<BYTE>>(devMode) : std::nullopt;
    }

    std::optional<WString> WriteCapabilities(CFailureSweep& sweep)
    {
        Start();
        LoadTicket(kTicketBody);
        CXDComPtr<IXMLDOMDocument2> ticket(std::move(m_dom));
        LoadCapabilities(WString());
        const HRESULT written =
            sweep.Armed([&] { return Core().CompletePrintCapabilities(ticket.Get(), m_dom.Get()); });
        return written == S_OK ? std::optional<WString>(Xml()) : std::nullopt;
    }

    std::optional<std::vector<BYTE>> ConvertDevMode(CFailureSweep& sweep, DWORD mode)
    {
        Start();
        std::vector<BYTE> out = Core().DefaultDevMode().devMode;
        const HRESULT converted = sweep.Armed([&] { return Core().ConvertDevMode(mode, changed, out); });
        return converted == S_OK ? std::optional<std::vector<BYTE>>(out) : std::nullopt;
    }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
    std::unique_ptr<nirasim::CoreDriver> keptCore;
    std::vector<BYTE> changed;
};

// The ticket sweeps build the driver state afresh for each of their injected failures and take
// longer than a test may; they are run by name (--gtest_also_run_disabled_tests) until each run
// can start from a state built once.
TEST_F(ProviderSweepTest, DISABLED_TicketWritesReportTheirFailures)
{
    CFailureSweep::Sweep<WString>("DEVMODE to PrintTicket",
                                  [&](CFailureSweep& sweep) { return WriteTicket(sweep); });
    CFailureSweep::Sweep<WString>("PrintCapabilities",
                                  [&](CFailureSweep& sweep) { return WriteCapabilities(sweep); });
}

TEST_F(ProviderSweepTest, DISABLED_TicketReadsReportTheirFailures)
{
    CFailureSweep::Sweep<std::vector<BYTE>>("PrintTicket to DEVMODE",
                                            [&](CFailureSweep& sweep) { return ReadTicket(sweep); });
}

TEST_F(ProviderSweepTest, DevModeConversionsReportTheirFailures)
{
    for (DWORD mode : {static_cast<DWORD>(OEMDM_CONVERT), static_cast<DWORD>(OEMDM_MERGE)}) {
        CFailureSweep::Sweep<std::vector<BYTE>>(
            mode == OEMDM_CONVERT ? "DEVMODE convert" : "DEVMODE merge",
            [&](CFailureSweep& sweep) { return ConvertDevMode(sweep, mode); });
    }
}

}  // namespace
