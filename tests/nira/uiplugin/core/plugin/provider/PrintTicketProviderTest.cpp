// The plug-in's PrintTicket provider over the sample package, bound by the simulated core driver:
// its version and namespace, the argument checks, and settings carried DEVMODE -> ticket -> DEVMODE
// by the feature handlers and by the section's snapshot.
#include "printticket/converters/ConverterFixture.h"

#include <nirasim/CoreDriver.h>
#include <nirasim/InjectedFailures.h>
#include <nirasim/Machine.h>

#include <memory>
#include <utility>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrintTicketSnapshot.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "printticket/XDVocabulary.h"

namespace {

constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");
const WString kSnapshots =
    TEXT("/f:PrintTicket/f:ParameterInit[@name='ns0000:PageZQPrivateDevmodeSnapshot']");
const WString kMediaSize = TEXT("/f:PrintTicket/f:Feature[@name='psk:PageMediaSize']/f:Option/@name");
const WString kOrientation = TEXT("/f:PrintTicket/f:Feature[@name='psk:PageOrientation']/f:Option/@name");
const WString kA4Landscape = TEXT(
    "<{f}Feature name='{k}PageMediaSize'><{f}Option name='{k}ISOA4'>"
    "<{f}ScoredProperty name='{k}MediaSizeWidth'><{f}Value xsi:type='xsd:integer'>210000</{f}Value>"
    "</{f}ScoredProperty><{f}ScoredProperty name='{k}MediaSizeHeight'>"
    "<{f}Value xsi:type='xsd:integer'>297000</{f}Value></{f}ScoredProperty></{f}Option></{f}Feature>"
    "<{f}Feature name='{k}PageOrientation'><{f}Option name='{k}Landscape'/></{f}Feature>"
    "<{f}Feature name='{k}PageOutputQuality'><{f}Option name='{k}Draft'/></{f}Feature>");
const WString kQuality = TEXT("/f:PrintTicket/f:Feature[@name='psk:PageOutputQuality']/f:Option/@name");

PrivateDevMode* SectionOf(std::vector<BYTE>& devMode)
{
    PrivateDevMode* section = nullptr;
    return FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(devMode.data()), &section) ? section : nullptr;
}

class PrintTicketProviderTest : public ConverterTest {
protected:
    void SetUp() override
    {
        ConverterTest::SetUp();
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        ASSERT_TRUE(machine.InitializePrinter(kPrinter));  // its default settings stored
        core = std::make_unique<nirasim::CoreDriver>(kPrinter);
        ASSERT_TRUE(core->IsOpen());
    }
    void TearDown() override
    {
        m_dom.Reset();
        core.reset();
        ConverterTest::TearDown();
    }

    nirasim::CoreDriverInstance& Core() { return **core; }
    IPrintOemPrintTicketProvider* Bound()
    {
        EXPECT_EQ(Core().BindPrintTicketProvider(1).bindResult, S_OK);
        return Core().PrintTicketProvider();
    }

    // The ticket written from the DEVMODE, loaded again as the platform hands it on.
    void WriteTicket(const std::vector<BYTE>& devMode)
    {
        LoadTicket(WString());
        ASSERT_EQ(Core().DevModeToPrintTicket(devMode, m_dom.Get()), S_OK);
        Reload();
    }
    // The DEVMODE read from the current ticket, starting from the printer's default.
    std::vector<BYTE> ReadTicket()
    {
        std::vector<BYTE> devMode = Core().DefaultDevMode().devMode;
        EXPECT_EQ(Core().PrintTicketToDevMode(m_dom.Get(), devMode), S_OK);
        return devMode;
    }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
};

TEST_F(PrintTicketProviderTest, BindsVersionOneOnly)
{
    nirasim::PrintTicketBinding binding = Core().BindPrintTicketProvider(1);
    EXPECT_EQ(binding.versionsResult, S_OK);
    EXPECT_EQ(binding.versions, std::vector<INT>{1});
    EXPECT_EQ(binding.publishResult, S_OK);
    EXPECT_EQ(binding.bindResult, S_OK);
    EXPECT_EQ(binding.flags, static_cast<DWORD>(OEMPT_NOSNAPSHOT));
    EXPECT_EQ(binding.namespaces, std::vector<std::u16string>{XDVocabulary::kPrivateNamespace});

    binding = Core().BindPrintTicketProvider(2);
    EXPECT_EQ(binding.bindResult, static_cast<HRESULT>(0x80040001));
    EXPECT_TRUE(binding.namespaces.empty());
}

TEST_F(PrintTicketProviderTest, SlotsThatLookAtNothing)
{
    IPrintOemPrintTicketProvider* provider = Bound();
    LoadTicket(WString());
    EXPECT_EQ(provider->ValidatePrintTicket(m_dom.Get()), static_cast<HRESULT>(0x00040001));
    EXPECT_EQ(provider->ValidatePrintTicket(nullptr), static_cast<HRESULT>(0x00040001));
    EXPECT_EQ(provider->ExpandIntentOptions(m_dom.Get()), S_OK);
    BSTR uri = nullptr;
    EXPECT_EQ(provider->QueryDeviceDefaultNamespace(&uri), E_NOTIMPL);
    EXPECT_EQ(uri, nullptr);
    EXPECT_EQ(provider->CompletePrintCapabilities(m_dom.Get(), nullptr), S_OK);
    INT* versions = nullptr;
    EXPECT_EQ(provider->GetSupportedVersions(Core().Printer(), &versions, nullptr), E_NOTIMPL);
}

TEST_F(PrintTicketProviderTest, ConversionsCheckTheirArguments)
{
    IPrintOemPrintTicketProvider* provider = Bound();
    LoadTicket(WString());
    std::vector<BYTE> devMode = Core().DefaultDevMode().devMode;
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devMode.data());
    PrivateDevMode* section = SectionOf(devMode);
    ASSERT_NE(section, nullptr);
    const std::vector<BYTE> before = devMode;
    struct Case {
        ULONG devModeSize;
        DEVMODEW* devMode;
        ULONG privateSize;
        void* privateDevMode;
        HRESULT expected;
    };
    for (const Case& c :
         {Case{220, nullptr, 6892, section, E_NOTIMPL}, Case{220, publicPart, 6892, nullptr, E_NOTIMPL},
          Case{219, publicPart, 6892, section, E_INVALIDARG},
          Case{220, publicPart, 6891, section, E_INVALIDARG},
          Case{220, publicPart, 0, section, E_INVALIDARG}}) {
        EXPECT_EQ(provider->ConvertDevModeToPrintTicket(c.devModeSize, c.devMode, c.privateSize,
                                                        c.privateDevMode, m_dom.Get()),
                  c.expected);
        EXPECT_EQ(provider->ConvertPrintTicketToDevMode(m_dom.Get(), c.devModeSize, c.devMode, c.privateSize,
                                                        c.privateDevMode),
                  c.expected);
    }
    EXPECT_EQ(provider->ConvertPrintTicketToDevMode(nullptr, 220, publicPart, 6892, section), E_NOTIMPL);
    EXPECT_EQ(devMode, before);
}

TEST_F(PrintTicketProviderTest, SettingsTravelThroughTheHandlersAndTheSnapshot)
{
    Bound();
    LoadTicket(kA4Landscape);
    std::vector<BYTE> changed = ReadTicket();
    ASSERT_TRUE(HasValidPrivateDevMode(reinterpret_cast<DEVMODEW*>(changed.data())));

    // Written back: the handlers' features and exactly one snapshot of the section, also when the
    // ticket held one before.
    WriteTicket(changed);
    EXPECT_EQ(Text(kMediaSize), TEXT("psk:ISOA4"));
    EXPECT_EQ(Text(kOrientation), TEXT("psk:Landscape"));
    EXPECT_EQ(Text(kQuality), TEXT("psk:Draft"));
    ASSERT_EQ(Core().DevModeToPrintTicket(changed, m_dom.Get()), S_OK);
    Reload();
    EXPECT_EQ(Count(kSnapshots), 1);
    const WString snapshot = Text(kSnapshots + TEXT("/f:Value"));
    EXPECT_EQ(snapshot.size(), 9192u);

    // A ticket holding the snapshot alone restores the settings, but those whose handler reads a
    // missing feature as its default (the paper size as Letter, the orientation as portrait).
    LoadTicket(TEXT("<{f}ParameterInit name='{n}PageZQPrivateDevmodeSnapshot'><{f}Value>") + snapshot +
               TEXT("</{f}Value></{f}ParameterInit>"));
    std::vector<BYTE> restored = ReadTicket();
    WriteTicket(restored);
    EXPECT_EQ(Text(kQuality), TEXT("psk:Draft"));
    EXPECT_EQ(Text(kMediaSize), TEXT("psk:NorthAmericaLetter"));

    // Without it, and without features, the defaults stay.
    LoadTicket(WString());
    WriteTicket(ReadTicket());
    EXPECT_EQ(Text(kQuality), TEXT("psk:Normal"));
    EXPECT_EQ(Text(kOrientation), TEXT("psk:Portrait"));
}

// A snapshot that is not an intact section of this driver is not restored: the DEVMODE keeps a
// valid section of its own (here the default's), never another driver's header or settings that
// fail their checksum.
TEST_F(PrintTicketProviderTest, ADamagedSnapshotLeavesTheSectionItsOwn)
{
    Bound();
    LoadTicket(kA4Landscape);
    std::vector<BYTE> changed = ReadTicket();
    PrivateDevMode* section = nullptr;
    ASSERT_TRUE(FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(changed.data()), &section));
    struct Case {
        const char* name;
        void (*damage)(PrivateDevMode& s);
    };
    const Case cases[] = {
        {"another driver's signature", [](PrivateDevMode& s) { s.signature = 0x12345678; }},
        {"settings that fail their checksum", [](PrivateDevMode& s) { s.payload.stream[0] ^= 0x5A; }},
        {"another size", [](PrivateDevMode& s) { s.size = 0x7FFFFFFF; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PrivateDevMode damaged = *section;
        c.damage(damaged);
        std::vector<WCHAR> text(CNiraPrintTicketSnapshot::EncodedLength(sizeof(damaged)) + 1);
        ASSERT_TRUE(CNiraPrintTicketSnapshot::EncodeBase64(reinterpret_cast<const BYTE*>(&damaged),
                                                           sizeof(damaged), text.data(), text.size()));
        LoadTicket(TEXT("<{f}ParameterInit name='{n}PageZQPrivateDevmodeSnapshot'><{f}Value>") +
                   WString(text.data()) + TEXT("</{f}Value></{f}ParameterInit>"));
        std::vector<BYTE> read = ReadTicket();
        EXPECT_TRUE(HasValidPrivateDevMode(reinterpret_cast<DEVMODEW*>(read.data())));
        WriteTicket(read);
        EXPECT_EQ(Text(kQuality), TEXT("psk:Normal"));
    }
}

// A call failing anywhere inside a conversion (memory for a ticket's text included) gives the
// conversion's answer; nothing thrown inside a handler leaves the provider into its caller.
TEST_F(PrintTicketProviderTest, AFailedCallInsideAConversionIsAnAnswerNotAnException)
{
    Bound();
    const std::vector<BYTE> devMode = Core().DefaultDevMode().devMode;
    LoadTicket(WString());
    nirasim::failures::ResetCallCount();
    ASSERT_EQ(Core().DevModeToPrintTicket(devMode, m_dom.Get()), S_OK);
    const unsigned long calls = nirasim::failures::CallCount();
    constexpr unsigned long kRuns = 150;
    const unsigned long step = calls / kRuns + 1;
    for (unsigned long number = 1; number <= calls; number += step) {
        SCOPED_TRACE(number);
        LoadTicket(WString());
        nirasim::failures::ResetCallCount();
        nirasim::failures::FailCallNumber(number);
        Core().DevModeToPrintTicket(devMode, m_dom.Get());
        nirasim::failures::FailCallNumber(0);
    }
}

TEST_F(PrintTicketProviderTest, CapabilitiesDescribeTheSnapshotAndTheFeatures)
{
    Bound();
    LoadTicket(WString());
    CXDComPtr<IXMLDOMDocument2> ticket(std::move(m_dom));
    LoadCapabilities(WString());
    EXPECT_EQ(Core().CompletePrintCapabilities(ticket.Get(), m_dom.Get()), S_OK);
    Reload();
    EXPECT_EQ(Count(TEXT("/f:PrintCapabilities/f:ParameterDef[@name='ns0000:PageZQPrivateDevmodeSnapshot']")),
              1);
    EXPECT_GT(Count(TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageMediaSize']/f:Option")), 1);
}

}  // namespace
