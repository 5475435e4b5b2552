// The printer services: the toolbox found through the registry (also its 32-bit view), widget 6005
// hidden without it, command 31, the command lines that start it, and the calibration handler's
// private PrintTicket and PrintCapabilities features.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <algorithm>
#include <memory>

#include "printticket/converters/ConverterFixture.h"
#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/CalibrationHandler.h"
#include "nira/uiplugin/features/handlers/ServicesHandler.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";
const WCHAR kConfigRoot[] = TEXT("SOFTWARE\\Norvell-Ashby\\ZQLW Printing System Config\\");

void SetText(const WString& path, const WCHAR* name, const WString& value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(WCHAR)));
    RegCloseKey(key);
}

class ServicesTest : public ConverterTest {
protected:
    void SetUp() override
    {
        ConverterTest::SetUp();
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter);
        services.printerName = nirasim::Wide(kPrinter);
        handler.Attach(&services, 4135, nullptr);
    }
    void TearDown() override
    {
        handler.Detach();
        machine.reset();
        ConverterTest::TearDown();
    }
    static WString DriverKey() { return kConfigRoot + nirasim::Machine::SamplePackageDriver().name; }
    bool Hidden() const
    {
        return std::find(services.calls.begin(), services.calls.end(),
                         Call{"SetDisplayState", 4135, 6005, 0}) != services.calls.end() &&
               std::find(services.calls.begin(), services.calls.end(),
                         Call{"SetDefaultDisplayState", 4135, 6005, 0}) != services.calls.end();
    }
    std::u16string Started()
    {
        auto started = machine->ProcessesStarted();
        return started.empty() ? TEXT("<none>") : started.back().commandLine;
    }

    std::unique_ptr<nirasim::Machine> machine;
    FakeCoreServices services;
    CNiraServicesHandler handler;
};

}  // namespace

TEST(ToolboxCommandLine, TheProgramPartIsQuotedWhenItHoldsABlank)
{
    struct Case {
        LPCWSTR program;
        LPCWSTR arguments;
        LPCWSTR line;
    } cases[] = {
        {TEXT("C:\\Tools\\tb.exe"), TEXT(" \"P\" "), TEXT("C:\\Tools\\tb.exe \"P\" ")},
        {TEXT("C:\\Program Files\\tb.exe"), TEXT(" \"P\" "), TEXT("\"C:\\Program Files\\tb.exe\" \"P\" ")},
        {TEXT("C:\\Program Files\\tb"), nullptr, TEXT("\"C:\\Program Files\\tb.exe\"")},
        {TEXT("\"C:\\Program Files\\tb.EXE\""), nullptr, TEXT("\"C:\\Program Files\\tb.EXE\"")},
        {TEXT("C:\\Program Files\\tb.EXE /quiet"), nullptr, TEXT("\"C:\\Program Files\\tb.EXE\" /quiet")},
    };
    for (const Case& c : cases) {
        WCHAR line[260] = {};
        EXPECT_TRUE(CNiraServicesHandler::MakeCommandLine(c.program, c.arguments, line, 260));
        EXPECT_EQ(WString(line), WString(c.line)) << Narrow(c.program);
    }
    WCHAR shortLine[8] = {};
    EXPECT_FALSE(CNiraServicesHandler::MakeCommandLine(TEXT("C:\\Tools\\tb.exe"), nullptr, shortLine, 8));
    EXPECT_EQ(shortLine[0], 0);
}

TEST_F(ServicesTest, WithoutToolboxPathTheToolboxWidgetIsHidden)
{
    EXPECT_EQ(handler.InitializeStates(), 0);
    EXPECT_TRUE(Hidden());
    int result = 7;
    EXPECT_EQ(handler.OnCommand(4143, 31, nullptr, &result), 1);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(handler.OnCommand(4143, 30, nullptr, &result), 0);
    EXPECT_EQ(result, 0);
}

TEST_F(ServicesTest, TheToolboxPathIsFoundInEitherView)
{
    for (const WString& key :
         {DriverKey(), WString(TEXT("SOFTWARE\\WOW6432Node\\Norvell-Ashby\\ZQLW Printing "
                                    "System Config\\")) +
                           nirasim::Machine::SamplePackageDriver().name}) {
        machine.reset();
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter);
        SetText(key, TEXT("ToolboxPath"), TEXT("C:\\Tools\\tb.exe"));
        services.calls.clear();
        handler.InitializeStates();
        EXPECT_FALSE(Hidden()) << Narrow(key);
        EXPECT_EQ(WString(handler.ToolboxPath()), TEXT("C:\\Tools\\tb.exe"));
        int result = 0;
        EXPECT_EQ(handler.OnCommand(4143, 31, nullptr, &result), 1);
        EXPECT_EQ(result, 1);
    }
}

TEST_F(ServicesTest, TheThreeWaysOfStartingTheToolbox)
{
    // A path with a drive letter is started as it is, with the printer's name.
    SetText(DriverKey(), TEXT("ToolboxPath"), TEXT("C:\\Program Files\\Tools\\tb.exe"));
    handler.InitializeStates();
    EXPECT_EQ(handler.OnWidgetChanged(6005), 0);
    EXPECT_EQ(Started(), TEXT("\"C:\\Program Files\\Tools\\tb.exe\" \"Nira Sample\" "));

    // A path without one: the toolbox of the driver's folder.
    SetText(DriverKey(), TEXT("ToolboxPath"), TEXT("Tools"));
    handler.InitializeStates();
    handler.OnWidgetChanged(6005);
    EXPECT_EQ(Started(),
              TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\niratoolbox.exe \"Nira Sample\" "));

    // A registered toolbox is started by its own command line, without the printer.
    SetText(TEXT("SOFTWARE\\Norvell-Ashby\\ZQ Printers\\niratoolbox.exe"), TEXT("Executable"),
            TEXT("C:\\Program Files\\Tools\\tb"));
    handler.OnWidgetChanged(6005);
    EXPECT_EQ(Started(), TEXT("\"C:\\Program Files\\Tools\\tb.exe\""));

    // A program that does not start is not reported.
    machine->SetCreateProcessFailure(ERROR_FILE_NOT_FOUND);
    handler.OnWidgetChanged(6005);
    EXPECT_TRUE(machine->MessageBoxes().empty());
}

TEST_F(ServicesTest, NoToolboxNoStart)
{
    handler.InitializeStates();
    machine->ClearJournals();
    handler.OnWidgetChanged(6005);
    EXPECT_TRUE(machine->ProcessesStarted().empty());
}

namespace {

class CalibrationTest : public ServicesTest {
protected:
    void SetUp() override
    {
        ServicesTest::SetUp();
        calibration.Attach(&services, 4262, nullptr);
    }
    void TearDown() override
    {
        calibration.Detach();
        ServicesTest::TearDown();
    }
    LONG CountFeatures(const WCHAR* name)
    {
        return Count(WString(TEXT("//f:Feature[@name='")) + name + TEXT("']"));
    }
    WString Property(const WCHAR* name)
    {
        return Text(WString(TEXT("//f:ScoredProperty[@name='")) + name + TEXT("']/f:Value"));
    }

    CNiraCalibrationHandler calibration;
};

}  // namespace

TEST_F(CalibrationTest, TheTicketCarriesTheCommandAndTheFlagOnce)
{
    SetText(kConfigRoot + nirasim::Wide(kPrinter), TEXT("ToolboxPath"), TEXT("tb.exe"));
    LoadTicket(TEXT(""));
    EXPECT_EQ(calibration.WritePrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(calibration.WritePrintTicket(m_dom.Get()), 0);
    Reload();
    EXPECT_NE(Xml().find(TEXT("xmlns:bpe=\"urn:schemas-norvell-ashby:printing:bpe\"")), WString::npos);
    EXPECT_EQ(CountFeatures(TEXT("bpe:JobAPPrinterUtilityPath")), 1);
    EXPECT_EQ(CountFeatures(TEXT("bpe:JobBPECalibrationDue")), 1);
    EXPECT_EQ(
        Property(TEXT("bpe:FullyQualifiedPath")),
        TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\tb.exe \"Nira Sample\" /run ServicesPlugin"));
    EXPECT_EQ(Property(TEXT("bpe:CalibrationFlag")), TEXT("true"));
    EXPECT_EQ(calibration.ReadPrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(calibration.ReadPrintTicket(nullptr), static_cast<int>(E_FAIL));
    EXPECT_EQ(calibration.WritePrintTicket(nullptr), static_cast<int>(E_FAIL));
}

TEST_F(CalibrationTest, TheFlagFollowsTheDefaultOf4308AndTheViewIsTried)
{
    SetText(WString(TEXT("SOFTWARE\\WOW6432Node\\Norvell-Ashby\\ZQLW Printing System Config\\")) +
                nirasim::Wide(kPrinter),
            TEXT("ToolboxPath"), TEXT("x86\\tb.exe"));
    services.defaults[4308] = 2;
    LoadTicket(TEXT(""));
    EXPECT_EQ(calibration.WritePrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(Property(TEXT("bpe:CalibrationFlag")), TEXT("false"));
    EXPECT_EQ(Property(TEXT("bpe:FullyQualifiedPath")),
              TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\x86\\tb.exe \"Nira Sample\" /run "
                   "ServicesPlugin"));
}

TEST_F(CalibrationTest, WithoutToolboxPathTheCommandNamesTheDriversFolder)
{
    LoadTicket(TEXT(""));
    EXPECT_EQ(calibration.WritePrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(Property(TEXT("bpe:FullyQualifiedPath")),
              TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\ \"Nira Sample\" /run ServicesPlugin"));
}

TEST_F(CalibrationTest, TheCapabilitiesAnnounceBothFeatures)
{
    services.defaults[4308] = 2;
    LoadCapabilities(TEXT(""));
    EXPECT_EQ(calibration.WritePrintCapabilities(nullptr, m_dom.Get()), 0);
    Reload();
    EXPECT_NE(Xml().find(TEXT("xmlns:bpe=")), WString::npos);
    EXPECT_EQ(CountFeatures(TEXT("bpe:JobAPPrinterUtilityPath")), 1);
    EXPECT_EQ(Property(TEXT("bpe:FullyQualifiedPath")), TEXT("Path"));
    EXPECT_EQ(Property(TEXT("bpe:CalibrationFlag")), TEXT("true"));
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='bpe:JobBPECalibrationDue']/f:Option")), 1);
    EXPECT_EQ(calibration.WritePrintCapabilities(nullptr, nullptr), static_cast<int>(E_FAIL));
}
