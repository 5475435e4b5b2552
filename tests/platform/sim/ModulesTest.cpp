#include <windows.h>

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char16_t* const kFixture = TEXT("C:\\Program Files\\Fixture\\SimFixture.dll");

class Modules : public ::testing::Test {
protected:
    nirasim::Machine machine;

    void SetUp() override
    {
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simfixture.dll", kFixture));
    }

    std::string Log()
    {
        std::string log;
        machine.ReadFile("C:\\dllmain.log", log);
        return log;
    }
};

typedef int (*AnswerProc)(void);

TEST_F(Modules, LoadsOnceCountsAndCallsDllMain)
{
    HMODULE first = LoadLibraryW(kFixture);
    ASSERT_NE(first, nullptr);
    HMODULE second = LoadLibraryW(TEXT("c:/program files/fixture/SIMFIXTURE.DLL"));
    EXPECT_EQ(first, second);
    EXPECT_EQ(Log(), "attach\n");

    auto answer =
        reinterpret_cast<AnswerProc>(reinterpret_cast<void*>(GetProcAddress(first, "FixtureAnswer")));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);
    EXPECT_EQ(GetProcAddress(first, "NoSuchExport"), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PROC_NOT_FOUND));
    EXPECT_EQ(GetProcAddress(first, "CreateFileW"), nullptr);  // the platform's, not the module's

    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_EQ(Log(), "attach\n");
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(Log(), "attach\ndetach\n");
    EXPECT_FALSE(FreeLibrary(second));
}

TEST_F(Modules, DontResolveLoadsWithoutDllMain)
{
    HMODULE data = LoadLibraryExW(kFixture, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(Log(), "");
    EXPECT_TRUE(FreeLibrary(data));
    EXPECT_EQ(Log(), "");
}

TEST_F(Modules, RefusedAttachFailsTheLoad)
{
    machine.WriteFile("C:\\refuse-attach", "");
    EXPECT_EQ(LoadLibraryW(kFixture), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(Log(), "attach\ndetach\n");
}

TEST_F(Modules, MissingAndBadModules)
{
    EXPECT_EQ(LoadLibraryW(TEXT("C:\\nothing.dll")), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_MOD_NOT_FOUND));
    machine.WriteFile("C:\\text.dll", "not a module");
    EXPECT_EQ(LoadLibraryW(TEXT("C:\\text.dll")), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_BAD_EXE_FORMAT));
    HMODULE spooler = LoadLibraryW(TEXT("spoolss.dll"));  // a system module, answered by the machine
    EXPECT_NE(spooler, nullptr);
    EXPECT_NE(GetProcAddress(spooler, "OpenPrinterW"), nullptr);
    EXPECT_TRUE(FreeLibrary(spooler));
}

TEST_F(Modules, ModuleFileNames)
{
    machine.SetProcessPath("C:\\Windows\\System32\\spoolsv.exe");
    HMODULE module = LoadLibraryW(TEXT("C:\\Program Files\\Fixture\\.\\SimFixture.dll"));
    ASSERT_NE(module, nullptr);
    WCHAR name[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(module, name, MAX_PATH), std::u16string(kFixture).size());
    EXPECT_EQ(std::u16string(name), kFixture);
    EXPECT_EQ(GetModuleFileNameW(module, name, 5), 5u);  // cut, terminated, reported as full
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::u16string(name), TEXT("C:\\P"));

    char narrow[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameA(nullptr, narrow, MAX_PATH), 31u);
    EXPECT_STREQ(narrow, "C:\\Windows\\System32\\spoolsv.exe");
    EXPECT_EQ(GetModuleHandleW(TEXT("simfixture.dll")), module);
    FreeLibrary(module);
    EXPECT_EQ(GetModuleHandleW(TEXT("simfixture.dll")), nullptr);
}

TEST_F(Modules, StringTablesAndResources)
{
    HMODULE module = LoadLibraryExW(kFixture, nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_NE(module, nullptr);

    HRSRC block = FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(2), 0x0407);
    ASSERT_NE(block, nullptr);
    const WORD* words = static_cast<const WORD*>(LockResource(LoadResource(module, block)));
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(SizeofResource(module, block), (16 + 8) * sizeof(WORD));  // 15 empty entries and "Siebzehn"
    EXPECT_EQ(words[0], 0);
    EXPECT_EQ(words[1], 8);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(words + 2), 8), TEXT("Siebzehn"));

    EXPECT_EQ(FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(2), 0x0C07), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_LANG_NOT_FOUND));
    EXPECT_EQ(FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(9), 0x0407), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceExW(module, RT_BITMAP, MAKEINTRESOURCEW(1), 0x0407), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    HRSRC named = FindResourceW(module, TEXT("named"), RT_RCDATA);
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(SizeofResource(module, named), 3u);

    std::vector<ULONG_PTR> types;
    EXPECT_TRUE(EnumResourceTypesW(
        module,
        [](HMODULE, LPWSTR type, LONG_PTR list) {
            reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(reinterpret_cast<ULONG_PTR>(type));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&types)));
    EXPECT_EQ(types, (std::vector<ULONG_PTR>{6, 10, 16}));  // strings, raw data, version

    std::vector<WORD> languages;
    EXPECT_TRUE(EnumResourceLanguagesW(
        module, RT_STRING, MAKEINTRESOURCEW(1),
        [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
            reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&languages)));
    EXPECT_EQ(languages, (std::vector<WORD>{0x0407, 0x0409}));
    EXPECT_FALSE(EnumResourceNamesW(
        module, RT_STRING, [](HMODULE, LPCWSTR, LPWSTR, LONG_PTR) { return FALSE; }, 0));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_ENUM_USER_STOP));

    machine.SetUILanguage(0x0407);
    WCHAR text[8];
    EXPECT_EQ(LoadStringW(module, 17, text, 8), 7);
    EXPECT_EQ(std::u16string(text), TEXT("Siebzeh"));
    EXPECT_EQ(LoadStringW(module, 2, text, 8), 0);
    FreeLibrary(module);
}

}  // namespace

namespace {

std::u16string VersionText(const std::vector<BYTE>& block, const char16_t* query)
{
    LPVOID value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), query, &value, &length)) {
        return TEXT("(none)");
    }
    return std::u16string(static_cast<const char16_t*>(value), length - 1);
}

std::vector<BYTE> VersionBlock(const char16_t* path)
{
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path, &handle);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, handle, size, block.data())) {
        block.clear();
    }
    return block;
}

TEST_F(Modules, VersionResourcesOfModulesAndFiles)
{
    std::vector<BYTE> block = VersionBlock(kFixture);
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), TEXT("\\"), reinterpret_cast<LPVOID*>(&fixed), &length));
    EXPECT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, DWORD(VS_FFI_SIGNATURE));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010002u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00030004u);
    DWORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), TEXT("\\VarFileInfo\\Translation"),
                               reinterpret_cast<LPVOID*>(&translation), &length));
    EXPECT_EQ(length, 4u);
    EXPECT_EQ(*translation, 0x04B00409u);
    EXPECT_EQ(VersionText(block, TEXT("\\StringFileInfo\\040904b0\\FileDescription")),
              TEXT("Loader test module"));
    EXPECT_EQ(VersionText(block, TEXT("\\StringFileInfo\\040904B0\\productversion")), TEXT("2.5"));
    EXPECT_EQ(VersionText(block, TEXT("\\StringFileInfo\\040904b0\\CompanyName")), TEXT("(none)"));
    EXPECT_EQ(GetModuleHandleW(TEXT("simfixture.dll")), nullptr);  // read without staying loaded

    nirasim::FileVersion program;
    program.strings = {{TEXT("FileDescription"), TEXT("Writer")}};
    program.language = 0x0407;
    machine.SetFileVersion("C:\\Apps\\writer.exe", program);
    block = VersionBlock(TEXT("c:\\apps\\WRITER.EXE"));
    EXPECT_EQ(VersionText(block, TEXT("\\StringFileInfo\\040704b0\\FileDescription")), TEXT("Writer"));

    machine.WriteFile("C:\\plain.txt", "text");
    DWORD handle = 0;
    EXPECT_EQ(GetFileVersionInfoSizeW(TEXT("C:\\plain.txt"), &handle), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(GetFileVersionInfoSizeW(TEXT("C:\\missing.exe"), &handle), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

}  // namespace
