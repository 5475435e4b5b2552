// The help file of the sample printer: its name from the cabinet among the dependent files and the
// UI language, the member extracted into the temporary folder, and when it is extracted again.
#include "SheetsFixture.h"

#include "nira/uiplugin/core/help/HelpFileLocator.h"
#include "support/WString.h"

namespace {

struct LanguageCase {
    LANGID language;
    const char16_t* code;
};

std::u16string Code(CNiraHelpFileLocator& locator)
{
    WCHAR code[CNiraHelpFileLocator::kLanguageCodeChars] = {};
    locator.GetLanguageCode(code);
    return code;
}

std::u16string TempFolder()
{
    WCHAR folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

FILETIME LastWriteTime(const std::u16string& path)
{
    FILETIME time = {};
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE);
    GetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    return time;
}

void SetLastWriteTime(const std::u16string& path, const FILETIME& time)
{
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
    CloseHandle(file);
}

const std::u16string kCabinet = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirazqfhl01.cab");

}  // namespace

TEST_F(SheetsTest, LanguageCodes)
{
    const LanguageCase cases[] = {
        {0x0C04, TEXT("HT")},  // Chinese (Hong Kong)
        {0x1004, TEXT("HC")},  // Chinese (Singapore)
        {0x1804, TEXT("HT")},  // a Chinese sublanguage the table does not list: its last Chinese row
        {0x0809, TEXT("EN")},  // English (United Kingdom) through the row of every English
        {0x0407, TEXT("DE")}, {0x0436, TEXT("")},  // no row
    };
    CNiraHelpFileLocator locator;
    for (const LanguageCase& row : cases) {
        machine.SetUILanguage(row.language);
        EXPECT_EQ(Code(locator), row.code) << std::hex << row.language;
    }
}

TEST_F(SheetsTest, HelpFileIsExtractedFromTheCabinetAndKeptWhileCurrent)
{
    machine.SetUILanguage(0x0407);
    CNiraHelpFileLocator locator;
    WCHAR* path = nullptr;
    ASSERT_EQ(locator.Locate(kPrinter, &path), 1);
    const std::u16string helpPath = TempFolder() + TEXT("NIRDE01.CHM");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(std::u16string(path), helpPath);

    std::string contents;
    ASSERT_TRUE(machine.ReadFile(helpPath, contents));
    EXPECT_EQ(contents, "Help of the sample inkjet printer (DE)\n");
    for (const char16_t* other : {TEXT("NIREN01.CHM"), TEXT("NIRHT01.CHM"), TEXT("NIRHC01.CHM")}) {
        EXPECT_FALSE(machine.FileExists(TempFolder() + other)) << nirasim::Utf8(other);
    }

    // A copy with the cabinet's time is used as it is.
    ASSERT_TRUE(machine.WriteFile(helpPath, "kept"));
    SetLastWriteTime(helpPath, LastWriteTime(kCabinet));
    ASSERT_EQ(locator.Locate(kPrinter, &path), 1);
    ASSERT_TRUE(machine.ReadFile(helpPath, contents));
    EXPECT_EQ(contents, "kept");
    EXPECT_EQ(std::u16string(path), helpPath);

    // Any other time: extracted again.
    FILETIME older = LastWriteTime(kCabinet);
    older.dwHighDateTime -= 1;
    SetLastWriteTime(helpPath, older);
    ASSERT_EQ(locator.Locate(kPrinter, &path), 1);
    ASSERT_TRUE(machine.ReadFile(helpPath, contents));
    EXPECT_EQ(contents, "Help of the sample inkjet printer (DE)\n");
}

TEST_F(SheetsTest, HelpOfAnUnknownPrinterOrADriverWithoutCabinet)
{
    CNiraHelpFileLocator locator;
    WCHAR* path = nullptr;
    ASSERT_EQ(locator.Locate(kPrinter, &path), 1);
    EXPECT_EQ(locator.Locate(TEXT("No such printer"), &path), 0);

    // A driver without the cabinet hands out no name, in particular not the last printer's.
    ASSERT_TRUE(DeleteFileW(kCabinet.c_str()));
    nirasim::DriverSpec driver = nirasim::Machine::SamplePackageDriver();
    driver.name = TEXT("Nira Sample Without Help");
    machine.InstallDriver(driver);
    nirasim::PrinterSpec other;
    other.name = TEXT("Plain Printer");
    other.driverName = driver.name;
    machine.AddPrinter(other);
    path = nullptr;
    EXPECT_EQ(locator.Locate(TEXT("Plain Printer"), &path), 0);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path[0], 0);
}
