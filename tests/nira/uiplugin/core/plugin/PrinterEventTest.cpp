// The printer events over the sample package: what initialisation writes into the printer data,
// the print processor named at set-up and upgrade, and the events that do not reach the core.
#include "CoreDriverFixture.h"

#include <nirasim/InjectedFailures.h>
#include <winddiui.h>
#include <winspool.h>

#include <string.h>

#include <string>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"

namespace {

std::u16string PrintProcessorOf(const WCHAR* printerName)
{
    HANDLE printer = nullptr;
    EXPECT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printerName), &printer, nullptr));
    DWORD needed = 0;
    GetPrinterW(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed);
    std::u16string name;
    if (GetPrinterW(printer, 2, buffer.data(), needed, &needed)) {
        LPCWSTR processor = reinterpret_cast<PRINTER_INFO_2W*>(buffer.data())->pPrintProcessor;
        name = processor != nullptr ? processor : TEXT("");
    }
    ClosePrinter(printer);
    return name;
}

std::u16string Text(const std::string& bytes)
{
    std::u16string text(bytes.size() / 2, 0);
    memcpy(&text[0], bytes.data(), text.size() * 2);
    return text.substr(0, text.find(TEXT('\0')));
}

class PrinterEventTest : public CoreDriverTest {
protected:
    std::string Data(const char* name, DWORD* type = nullptr)
    {
        std::string bytes;
        machine.GetPrinterData(kPrinter, name, bytes, type);
        return bytes;
    }

    // The driver INI with Component_F_B set to `value`.
    void SetPrintProcessorKey(const std::string& value)
    {
        const std::u16string ini = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirasmpl.ini");
        std::string text;
        ASSERT_TRUE(machine.ReadFile(ini, text));
        const std::string key = "Component_F_B=";
        size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, text.find('\n', at) - at, key + value);
        ASSERT_TRUE(machine.WriteFile(ini, text));
    }

    HRESULT Upgrade()
    {
        DRIVER_UPGRADE_INFO_1W upgrade = {const_cast<LPWSTR>(kPrinter), nullptr};
        return Core().Plugin()->UpgradePrinter(1, reinterpret_cast<PBYTE>(&upgrade));
    }
};

TEST_F(PrinterEventTest, InitialisationWritesThePrinterData)
{
    SYSTEMTIME clock = {};
    clock.wYear = 2025;
    clock.wMonth = 3;
    clock.wDay = 4;
    clock.wHour = 5;
    clock.wMinute = 6;
    clock.wSecond = 7;
    machine.SetSystemTime(clock);
    ASSERT_TRUE(machine.InitializePrinter(kPrinter));

    DWORD type = 0;
    EXPECT_EQ(Text(Data("InstallDate", &type)), TEXT("03/04/2025:05:06:07"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    const std::u16string folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    EXPECT_EQ(Text(Data("PrinterSettingAPIModule")), folder + TEXT("nirasetapi.dll"));
    EXPECT_EQ(Text(Data("PrinterUIPlugIn")), folder + TEXT("nirauip.dll"));
    EXPECT_EQ(PrintProcessorOf(kPrinter), TEXT("nirapp"));

    std::string section = Data("NiraDefaultDM", &type);
    ASSERT_EQ(section.size(), 6892u);
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    const auto* stored = reinterpret_cast<const PrivateDevMode*>(section.data());
    EXPECT_GT(stored->packedLength, 8u);
    EXPECT_TRUE(IsBlockChecksumValid(stored));

    std::string publicBytes = Data("NiraPublicDefaultDM", &type);
    ASSERT_EQ(publicBytes.size(), 220u);
    DEVMODEW publicDefault;
    memcpy(&publicDefault, publicBytes.data(), sizeof(publicDefault));
    EXPECT_EQ(std::u16string(publicDefault.dmDeviceName), kPrinter);
    EXPECT_EQ(publicDefault.dmSpecVersion, 0x0401);
    EXPECT_EQ(publicDefault.dmSize, 220);
    EXPECT_EQ(publicDefault.dmDriverExtra, 0);
    EXPECT_EQ(publicDefault.dmPrintQuality, 300);
    EXPECT_NE(publicDefault.dmPaperSize, 0);
    EXPECT_EQ(publicDefault.dmFields & (DM_PAPERSIZE | DM_PRINTQUALITY | DM_ORIENTATION),
              static_cast<DWORD>(DM_PAPERSIZE | DM_PRINTQUALITY | DM_ORIENTATION));

    // The core driver's default DEVMODE now carries the stored section and public defaults.
    std::vector<BYTE> defaults = Core().DefaultDevMode().devMode;
    PrivateDevMode* found = nullptr;
    ASSERT_TRUE(FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(defaults.data()), &found));
    EXPECT_EQ(memcmp(&found->packedLength, &stored->packedLength, 6892 - 884), 0);
    EXPECT_EQ(reinterpret_cast<DEVMODEW*>(defaults.data())->dmPaperSize, publicDefault.dmPaperSize);
}

TEST_F(PrinterEventTest, CacheRefreshDoesNotReachTheCore)
{
    machine.ClearJournals();
    EXPECT_EQ(Core().Plugin()->PrinterEvent(const_cast<LPWSTR>(kPrinter), PRINTER_EVENT_CACHE_REFRESH, 0, 0),
              S_OK);
    for (const std::u16string& line : machine.DebugOutput()) {
        EXPECT_EQ(line.find(TEXT("ConstructDriverState")), std::u16string::npos);
    }
    std::string bytes;
    EXPECT_FALSE(machine.GetPrinterData(kPrinter, "InstallDate", bytes));
}

TEST_F(PrinterEventTest, PrintProcessorIsTheComponentNameWithoutItsExtension)
{
    struct Case {
        const char* value;
        const char16_t* expected;
    };
    // An empty value leaves the printer's own; a value starting with the dot stays whole.
    for (const Case& c : {Case{"", TEXT("winprint")}, Case{"nirapp.dll", TEXT("nirapp")},
                          Case{".dll", TEXT(".dll")}, Case{"nirapp", TEXT("nirapp")}}) {
        SetPrintProcessorKey(c.value);
        EXPECT_EQ(Upgrade(), E_NOTIMPL);
        EXPECT_EQ(PrintProcessorOf(kPrinter), c.expected) << c.value;
    }
    // The upgrade records the component paths too.
    std::string bytes;
    EXPECT_TRUE(machine.GetPrinterData(kPrinter, "PrinterUIPlugIn", bytes));
}

// No failing call of the upgrade blanks the printer's record: it keeps its print processor or
// gets the driver's.
TEST_F(PrinterEventTest, FailingCallsLeaveThePrinterRecordWhole)
{
    Core();
    nirasim::failures::ResetCallCount();
    Upgrade();
    const unsigned long calls = nirasim::failures::CallCount();
    ASSERT_GT(calls, 2u);
    for (unsigned long number = 1; number <= calls; ++number) {
        SetPrintProcessorKey(".dll");
        Upgrade();  // names a processor that no failure can give
        SetPrintProcessorKey("nirapp.dll");
        nirasim::failures::FailCallNumber(number, ERROR_ACCESS_DENIED);
        Upgrade();
        const std::string failed = nirasim::failures::FailedCall();
        nirasim::failures::FailCallNumber(0);
        const std::u16string processor = PrintProcessorOf(kPrinter);
        EXPECT_TRUE(processor == TEXT(".dll") || processor == TEXT("nirapp")) << failed;
    }
}

}  // namespace
