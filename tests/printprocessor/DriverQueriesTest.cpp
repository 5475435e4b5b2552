// The print processor's questions to the spooler about the driver and its forms.
#include <gtest/gtest.h>

#include <windows.h>
#include <winspool.h>

#include <nirasim/Machine.h>

#include <memory>
#include <string>
#include "support/WString.h"

#include "printprocessor/DriverQueries.h"

namespace {

constexpr const char* kPrinter = "Nira Sample";

class DriverQueriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_machine = std::make_unique<nirasim::Machine>();
        m_machine->InstallSamplePackage(NIRA_BUILD_DIR);
        m_machine->AddSamplePrinter(kPrinter);
        WString name = nirasim::Wide(kPrinter);
        ASSERT_TRUE(OpenPrinterW(name.data(), &m_printer, nullptr));
    }

    void TearDown() override
    {
        ClosePrinter(m_printer);
        m_machine.reset();
    }

    // A printer whose driver has the given driver file and dependent files.
    HANDLE OpenPrinterWithDriver(const WString& driverFile, const WString& dependent)
    {
        nirasim::DriverSpec driver = nirasim::Machine::SamplePackageDriver();
        driver.name = TEXT("Other Driver");
        driver.driverFile = driverFile;
        driver.dependentFiles = {dependent};
        m_machine->InstallDriver(driver);
        nirasim::PrinterSpec printer;
        printer.name = TEXT("Other");
        printer.driverName = driver.name;
        m_machine->AddPrinter(printer);
        WString name = printer.name;
        HANDLE handle = nullptr;
        EXPECT_TRUE(OpenPrinterW(name.data(), &handle, nullptr));
        return handle;
    }

    std::unique_ptr<nirasim::Machine> m_machine;
    HANDLE m_printer = nullptr;
};

TEST_F(DriverQueriesTest, PaperSizesComeFromTheFormListOrTheDevmode)
{
    DEVMODEW devmode = {};
    devmode.dmPaperWidth = 1000;
    devmode.dmPaperLength = 1500;
    struct Case {
        LONG index;
        LONG width;
        LONG height;
    };
    const Case cases[] = {
        {1, 2159, 2794},                           // letter
        {9, 2100, 2970},                           // A4
        {0, 1000, 1500},                           // no form
        {500, 1000, 1500},                         // beyond the list
        {256, 1000, 1500}, {0x10009, 2100, 2970},  // taken as a 16-bit index
    };
    for (const Case& c : cases) {
        PaperSize size = {-1, -1};
        ASSERT_TRUE(FormSizeByIndex(m_printer, devmode, c.index, size));
        EXPECT_EQ(size.width, c.width) << c.index;
        EXPECT_EQ(size.height, c.height) << c.index;
    }
}

TEST_F(DriverQueriesTest, TheDriverIniIsFoundInCapitals)
{
    WCHAR ini[MAX_PATH] = {};
    ASSERT_TRUE(FindDriverIni(ini, m_printer));
    WString path = ini;
    EXPECT_NE(path.find(TEXT("\\NIRASMPL.INI")), WString::npos);
    EXPECT_EQ(path.find(TEXT("nirasmpl")), WString::npos);

    HANDLE other = OpenPrinterWithDriver(TEXT("unidrv.dll"), TEXT("plain.dll"));
    EXPECT_FALSE(FindDriverIni(ini, other));
    ClosePrinter(other);
}

TEST_F(DriverQueriesTest, TheStringLibraryNameFallsBackWhenItFillsItsBuffer)
{
    WString iniPath = TEXT("C:\\Temp\\driver.ini");
    WCHAR name[kStringDllNameChars] = TEXT("untouched");
    EXPECT_FALSE(ReadStringDllName(TEXT(""), name));
    EXPECT_EQ(WString(name), TEXT("untouched"));

    struct Case {
        std::string ini;
        bool answer;
        const WCHAR* name;
    };
    const Case cases[] = {
        {"[ComponentFiles]\nComponent_R_B=strings.dll\n", true, TEXT("strings.dll")},
        {"[ComponentFiles]\n", true, TEXT("nirastr.DLL")},
        {"[ComponentFiles]\nComponent_R_B=" + std::string(29, 'x') + "\n", false, TEXT("nirastr.DLL")},
        {"[ComponentFiles]\nComponent_R_B=" + std::string(28, 'y') + "\n", true, nullptr},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(m_machine->WriteFile(iniPath, c.ini));
        EXPECT_EQ(ReadStringDllName(iniPath.c_str(), name), c.answer) << c.ini;
        EXPECT_EQ(WString(name), c.name != nullptr ? c.name : nirasim::Wide(std::string(28, 'y')));
    }
}

TEST_F(DriverQueriesTest, TheStringLibraryLiesBesideTheDriverFile)
{
    LPWSTR path = nullptr;
    ASSERT_TRUE(BuildStringDllPath(m_printer, &path, TEXT("nirastr.dll")));
    EXPECT_EQ(WString(path), nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirastr.dll"));
    LocalFree(path);
}

TEST_F(DriverQueriesTest, DriverInformationComesFromThePrintersDriverOnly)
{
    DRIVER_INFO_3W* info = nullptr;
    ASSERT_TRUE(GetDriverInfo3(m_printer, &info));
    WString driverPath = info->pDriverPath;
    LocalFree(info);
    EXPECT_NE(driverPath.find(TEXT("\\3\\")), WString::npos);
    EXPECT_FALSE(GetDriverInfo3(nullptr, &info));  // the print server has no driver of its own
}

}  // namespace
