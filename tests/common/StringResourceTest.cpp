#include <windows.h>

#include "common/ResourceHelper.h"
#include "common/StringResource.h"

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

namespace {

const WCHAR* const kFixture = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\fixture.dll");
const WCHAR* const kGermanOnly = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\strings_de.dll");
const WCHAR* const kNiraStr = TEXT("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\nirastr.dll");

class StringResource : public ::testing::Test {
protected:
    nirasim::Machine machine;
    std::vector<HMODULE> modules;

    void SetUp() override
    {
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simfixture.dll", kFixture));
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simstrings_de.dll", kGermanOnly));
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/package/nirastr.dll", kNiraStr));
    }

    void TearDown() override
    {
        for (HMODULE module : modules) {
            FreeLibrary(module);
        }
    }

    HMODULE Load(const WCHAR* path)
    {
        HMODULE module = LoadLibraryExW(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
        modules.push_back(module);
        return module;
    }

    static WString Text(HMODULE module, UINT id, int capacity = 256, int* length = nullptr)
    {
        WString buffer(static_cast<size_t>(capacity), TEXT('#'));
        const int answer = LoadStringResource(module, id, buffer.data(), capacity);
        if (length != nullptr) {
            *length = answer;
        }
        return answer != 0 ? WString(buffer.c_str()) : WString();
    }
};

TEST_F(StringResource, IdsFindTheirBlockAndEntry)
{
    EXPECT_EQ(StringBlockName(4339), MAKEINTRESOURCEW(272));  // entry 4339 % 16 = 3
    EXPECT_EQ(StringBlockName(0xFFFFF), nullptr);
    SetStringLanguage(0x0409);
    HMODULE strings = Load(kNiraStr);
    EXPECT_EQ(Text(strings, 4339), TEXT("Print Preview"));
    EXPECT_EQ(Text(strings, 4338), TEXT(""));  // an empty entry of the same block
    EXPECT_EQ(Text(nullptr, 4339), TEXT(""));
}

TEST_F(StringResource, LongTextIsCutButItsLengthAnswered)
{
    SetStringLanguage(0x0409);
    HMODULE fixture = Load(kFixture);
    int length = 0;
    const WString text = Text(fixture, 18, 256, &length);
    EXPECT_EQ(length, 300);
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(text.substr(0, 12), TEXT("012345678901"));
    EXPECT_EQ(LoadStringResource(fixture, 18, nullptr, 0), 300);
}

TEST_F(StringResource, LanguageFallsBackToTheSamePrimaryLanguageElseUsEnglish)
{
    HMODULE german = Load(kGermanOnly);
    SetStringLanguage(2055);  // Swiss German
    EXPECT_EQ(Text(german, 17), TEXT("Siebzehn"));
    EXPECT_EQ(GetStringLanguage(), 1031);
    SetStringLanguage(1036);  // French: the fallback chooses US English, which the library lacks
    EXPECT_EQ(Text(german, 17), TEXT(""));
    EXPECT_EQ(GetStringLanguage(), 1033);
    // A block whose entry runs past its end gives nothing.
    SetStringLanguage(1031);
    EXPECT_EQ(Text(german, 33), TEXT(""));
}

TEST_F(StringResource, HelperTextsInTheUsersLanguage)
{
    machine.SetUILanguage(0x0411);
    CNiraResourceHelper helper;
    WCHAR text[CNiraResourceHelper::kTextCapacity];
    EXPECT_FALSE(helper.LoadText(3772, text));  // no string module yet
    helper.SetStringModule(Load(kNiraStr));
    ASSERT_TRUE(helper.LoadText(3774, text));
    EXPECT_EQ(WString(text), TEXT("インク残量が少なくなっています。"));
    EXPECT_FALSE(helper.LoadText(4338, text));
}

TEST_F(StringResource, HelperWritesUnderTheMakersKey)
{
    CNiraResourceHelper helper;
    const BYTE data[] = {1, 2, 3};
    const WString longSubKey(240, TEXT('k'));
    EXPECT_TRUE(helper.WriteUserBinaryValue(TEXT("Jobs"), TEXT("Last"), data, sizeof(data)));
    EXPECT_TRUE(helper.WriteUserBinaryValue(longSubKey.c_str(), TEXT("Long"), data, sizeof(data)));
    struct Case {
        const WCHAR* key;
        const WCHAR* value;
    } cases[] = {{TEXT("Software\\Norvell-Ashby\\Jobs"), TEXT("Last")},
                 {TEXT("Software\\Norvell-Ashby\\"), TEXT("Long")}};
    for (const Case& c : cases) {
        HKEY key = nullptr;
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, c.key, 0, KEY_READ, &key), ERROR_SUCCESS);
        BYTE read[8] = {};
        DWORD size = sizeof(read);
        DWORD type = 0;
        EXPECT_EQ(RegQueryValueExW(key, c.value, nullptr, &type, read, &size), ERROR_SUCCESS);
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        EXPECT_EQ(size, sizeof(data));
        RegCloseKey(key);
    }
}

TEST_F(StringResource, HelperFindsFilesBesideTheDriver)
{
    machine.InstallSamplePackage(NIRA_BUILD_DIR);
    machine.AddSamplePrinter("Nira Inkjet");
    WString name = TEXT("Nira Inkjet");
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(name.data(), &printer, nullptr));
    CNiraResourceHelper helper;
    LPWSTR path = nullptr;
    ASSERT_TRUE(helper.GetDriverFilePath(printer, TEXT("niraprev.dll"), &path));
    EXPECT_EQ(WString(path), nirasim::Machine::DriverVersionDirectory() + TEXT("\\niraprev.dll"));
    LocalFree(path);
    ASSERT_TRUE(helper.GetDriverFilePath(printer, nullptr, &path));
    EXPECT_EQ(WString(path), nirasim::Machine::DriverVersionDirectory() + TEXT("\\"));
    LocalFree(path);
    PDRIVER_INFO_3W info = nullptr;
    ASSERT_TRUE(helper.GetDriverInfo(nullptr, name.data(), nullptr, &info));
    EXPECT_EQ(WString(info->pName), nirasim::Machine::SamplePackageDriver().name);
    LocalFree(info);
    ClosePrinter(printer);
    WString unknown = TEXT("No Such Printer");
    EXPECT_FALSE(helper.GetDriverInfo(nullptr, unknown.data(), nullptr, &info));
    EXPECT_EQ(info, nullptr);
}

}  // namespace
