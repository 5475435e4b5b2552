// The support information: version texts and dates of files, the three lists, stored dates under
// the user's short date and time zone, the status variants and "NotifyDate".
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <regex>

#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/SupportInfoHandler.h"

namespace {

const char kPrinter[] = "Nira Sample";
const WCHAR kInstalled[] = TEXT("12/09/2026:10:00:00");

class SupportInfoTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        machine.SetPrinterString(kPrinter, "InstallDate", kInstalled);
        services.printerName = nirasim::Wide(kPrinter);
        services.countAdded = true;
        handler.Attach(&services, 4231, nullptr);
    }
    static WString Text(LPCWSTR path, bool product = false)
    {
        WCHAR text[CNiraSupportInfoHandler::kLineChars] = {};
        CNiraSupportInfoHandler::ReadFileVersionText(path, product, text);
        return text;
    }
    static WString Stored(LPCWSTR stored)
    {
        WCHAR text[CNiraSupportInfoHandler::kLineChars] = {};
        CNiraSupportInfoHandler::FormatStoredDate(stored, text);
        return text;
    }
    std::vector<WString>& Lines(int widget) { return services.lines[widget]; }

    nirasim::Machine machine;
    FakeCoreServices services;
    CNiraSupportInfoHandler handler;
};

}  // namespace

TEST_F(SupportInfoTest, VersionsOrDatesOfFiles)
{
    nirasim::FileVersion version;
    version.fileVersion[0] = 6;
    version.fileVersion[1] = 0;
    version.fileVersion[2] = 6001;
    version.fileVersion[3] = 18000;
    version.productVersion[0] = 2;
    machine.WriteFile("C:\\Tools\\versioned.dll", "MZ");
    machine.SetFileVersion("C:\\Tools\\versioned.dll", version);
    EXPECT_EQ(Text(TEXT("C:\\Tools\\versioned.dll")), TEXT("6.0.6001.18000"));
    EXPECT_EQ(Text(TEXT("C:\\Tools\\versioned.dll"), true), TEXT("2.0.0.0"));

    // A file without version resource shows the day it was last written (UTC).
    machine.WriteFile("C:\\Tools\\plain.dat", "data");
    HANDLE file =
        CreateFileW(TEXT("C:\\Tools\\plain.dat"), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SYSTEMTIME written = {2009, 3, 2, 3, 23, 30, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&written, &time);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    EXPECT_EQ(Text(TEXT("C:\\Tools\\plain.dat")), TEXT("3.3.2009"));
    EXPECT_EQ(Text(TEXT("C:\\Tools\\missing.dat")), TEXT(""));
}

TEST_F(SupportInfoTest, StoredDatesInTheUsersShortDateAndTimeZone)
{
    machine.SetUILanguage(0x0407);
    machine.SetShortDateFormat(0x0407, "d.M.yyyy");
    EXPECT_EQ(Stored(kInstalled), TEXT("09/12/2026"));
    machine.SetUILanguage(0x0409);
    machine.SetShortDateFormat(0x0409, "M/d/yyyy");
    EXPECT_EQ(Stored(kInstalled), TEXT("12/09/2026"));
    machine.SetShortDateFormat(0x0409, "yyyy-M-d");
    EXPECT_EQ(Stored(TEXT("01/02/2026:10:00:00")), TEXT("2026/01/02"));
    // Eleven hours west of UTC it is still the day before.
    machine.SetShortDateFormat(0x0409, "M/d/yyyy");
    machine.SetTimeZoneBias(-660);
    EXPECT_EQ(Stored(kInstalled), TEXT("12/08/2026"));
    // A text that is no stored date is shown as it is.
    EXPECT_EQ(Stored(TEXT("soon")), TEXT("soon"));
    EXPECT_EQ(Stored(TEXT("12/09/2026")), TEXT("12/09/2026"));
}

TEST_F(SupportInfoTest, TheThreeListsOfAUsbPrinter)
{
    EXPECT_EQ(handler.InitializeStates(), 0);
    // The UI plug-in's product version.
    EXPECT_EQ(Lines(6054), std::vector<WString>{TEXT("Nira Sample Inkjet  (1.0.0.0)")});
    // The data, driver, configuration and help files, then the dependent files with the file
    // version of their version resources; the driver file is not installed.
    const size_t files = Lines(6055).size();
    ASSERT_GT(files, 11u);
    EXPECT_EQ(Lines(6055)[1], TEXT("UNIDRV.DLL  \t\t"));
    EXPECT_EQ(Lines(6055)[2], TEXT("UNIDRVUI.DLL\t\t6.0.6001.18000"));
    EXPECT_EQ(Lines(6055)[4], TEXT("NIRAUIP.DLL \t\t1.0.0.1"));
    EXPECT_EQ(Lines(6055)[10], TEXT("NIRASTR.DLL \t\t1.0.0.1"));
    // The driver INI has no version resource: its date.
    const WString ini = Lines(6055)[11];
    EXPECT_EQ(ini.substr(0, 14), TEXT("NIRASMPL.INI\t\t"));
    EXPECT_TRUE(
        std::regex_match(nirasim::Utf8(ini.substr(14)), std::regex("[0-9]{1,2}\\.[0-9]{1,2}\\.[0-9]{4}")))
        << nirasim::Utf8(ini);
    EXPECT_EQ(Lines(6056),
              (std::vector<WString>{TEXT("Installed: 12/09/2026"), TEXT("Default configuration")}));

    // Lists that are filled stay as they are.
    handler.InitializeStates();
    EXPECT_EQ(Lines(6055).size(), files);
}

TEST_F(SupportInfoTest, StatusVariants)
{
    struct Case {
        const char* port;
        int dmcStatus;  // 0: none
        int adminChange;
        std::vector<WString> lines;
    } cases[] = {
        {"192.168.1.20",
         0,
         0,
         {TEXT("Auto-Configured 12/09/2026"), TEXT("Installed: 12/09/2026"), TEXT("Default configuration")}},
        {"USB001",
         1,
         0,
         {TEXT("Configured by the printer"), TEXT("Installed: 12/09/2026"), TEXT("Default configuration")}},
        {"USB001", 3, 1, {TEXT("Installed: 12/09/2026"), TEXT("Administrator-Configured")}},
        {"USB001", 3, 0, {TEXT("Installed: 12/09/2026"), TEXT("Default configuration")}},
    };
    int index = 0;
    for (const Case& c : cases) {
        std::string name = "Nira " + std::to_string(index++);
        machine.AddSamplePrinter(name, c.port);
        machine.SetPrinterString(name, "InstallDate", kInstalled);
        if (c.dmcStatus != 0) {
            machine.SetPrinterDword(name, "DMCStatus", static_cast<DWORD>(c.dmcStatus));
            machine.SetPrinterDword(name, "PrnPropChng", static_cast<DWORD>(c.adminChange));
        }
        services.printerName = nirasim::Wide(name);
        services.lines.clear();
        services.optionCounts.clear();
        CNiraSupportInfoHandler printerHandler;
        printerHandler.Attach(&services, 4231, nullptr);
        printerHandler.InitializeStates();
        EXPECT_EQ(Lines(6056), c.lines) << c.port << " " << c.dmcStatus << " " << c.adminChange;
    }
}

TEST_F(SupportInfoTest, AChangeRecordsTheNotifyDateAndRebuildsTheStatus)
{
    handler.InitializeStates();
    SYSTEMTIME now = {2026, 12, 5, 11, 7, 5, 9, 0};
    machine.SetSystemTime(now);
    EXPECT_EQ(handler.OnValueDiffers(), 0);
    std::string bytes;
    ASSERT_TRUE(machine.GetPrinterData(kPrinter, "NotifyDate", bytes));
    EXPECT_EQ(WString(reinterpret_cast<const char16_t*>(bytes.data())), TEXT("12/11/2026:07:05:09"));
    EXPECT_EQ(Lines(6056), (std::vector<WString>{TEXT("Installed: 12/11/2026"), TEXT("User-Configured")}));
}

TEST_F(SupportInfoTest, WithoutAPrinterNothingIsListedOrWritten)
{
    services.printerName = nirasim::Wide("No Such Printer");
    handler.InitializeStates();
    EXPECT_TRUE(services.lines.empty());
    EXPECT_EQ(handler.OnValueDiffers(), 0);
    EXPECT_TRUE(services.lines.empty());
}
