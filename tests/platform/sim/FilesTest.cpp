#include <windows.h>

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

class Files : public ::testing::Test {
protected:
    nirasim::Machine machine;

    DWORD Create(const char16_t* path, DWORD disposition, HANDLE* out = nullptr)
    {
        HANDLE file = CreateFileW(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD error = GetLastError();
        if (out != nullptr) {
            *out = file;
        } else if (file != INVALID_HANDLE_VALUE) {
            CloseHandle(file);
        }
        return file == INVALID_HANDLE_VALUE ? error : (error == ERROR_ALREADY_EXISTS ? error : ERROR_SUCCESS);
    }

    std::u16string Profile(const char16_t* section, const char16_t* key, const char16_t* fallback, DWORD size,
                           DWORD* answer = nullptr)
    {
        std::u16string buffer(size + 4, TEXT('#'));
        DWORD got =
            GetPrivateProfileStringW(section, key, fallback, buffer.data(), size, TEXT("C:\\drv\\Setup.INI"));
        if (answer != nullptr) {
            *answer = got;
        }
        return buffer.substr(0, got);
    }
};

TEST_F(Files, WindowsPathsMatchWithoutRegardToCaseAndEitherSeparator)
{
    ASSERT_TRUE(machine.WriteFile("C:\\Windows\\System32\\spool\\drivers\\x64\\3\\Model.INI", "x"));
    EXPECT_EQ(GetFileAttributesW(TEXT("c:/WINDOWS/system32/Spool/Drivers/X64/3/model.ini")),
              DWORD(FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_EQ(GetFileAttributesW(TEXT("C:\\Windows\\System32\\..\\System32\\.\\spool")),
              DWORD(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(machine.HostPath("c:\\windows\\SYSTEM32\\spool\\drivers\\x64\\3\\MODEL.ini"),
              machine.Root() + "/C/Windows/System32/spool/drivers/x64/3/Model.INI");

    EXPECT_EQ(GetFileAttributesW(TEXT("C:\\Windows\\nothing.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(GetFileAttributesW(TEXT("C:\\NoFolder\\nothing.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, CreationDispositionsAnswerAsWindowsDoes)
{
    const char16_t* path = TEXT("C:\\data.bin");
    struct Case {
        DWORD disposition;
        bool exists;
        DWORD expected;
    } cases[] = {
        {OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND}, {TRUNCATE_EXISTING, false, ERROR_FILE_NOT_FOUND},
        {CREATE_NEW, false, ERROR_SUCCESS},           {CREATE_NEW, true, ERROR_FILE_EXISTS},
        {CREATE_ALWAYS, false, ERROR_SUCCESS},        {CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {OPEN_ALWAYS, false, ERROR_SUCCESS},          {OPEN_ALWAYS, true, ERROR_ALREADY_EXISTS},
        {OPEN_EXISTING, true, ERROR_SUCCESS},         {TRUNCATE_EXISTING, true, ERROR_SUCCESS},
    };
    for (const Case& c : cases) {
        DeleteFileW(path);
        if (c.exists) {
            machine.WriteFile(path, "old");
        }
        EXPECT_EQ(Create(path, c.disposition), c.expected)
            << "disposition " << c.disposition << " exists " << c.exists;
    }
    EXPECT_EQ(Create(TEXT("C:\\missing\\data.bin"), CREATE_ALWAYS), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, ReadWriteAndSeek)
{
    HANDLE file;
    ASSERT_EQ(Create(TEXT("C:\\rw.bin"), CREATE_ALWAYS, &file), DWORD(ERROR_SUCCESS));
    DWORD done = 0;
    ASSERT_TRUE(WriteFile(file, "hello world", 11, &done, nullptr));
    EXPECT_EQ(done, 11u);
    EXPECT_EQ(GetFileSize(file, nullptr), 11u);
    EXPECT_EQ(SetFilePointer(file, 6, nullptr, FILE_BEGIN), 6u);
    char buffer[16] = {};
    ASSERT_TRUE(ReadFile(file, buffer, sizeof(buffer), &done, nullptr));
    EXPECT_EQ(std::string(buffer, done), "world");
    ASSERT_TRUE(ReadFile(file, buffer, sizeof(buffer), &done, nullptr));
    EXPECT_EQ(done, 0u);  // end of file: success with nothing read
    EXPECT_TRUE(CloseHandle(file));
    EXPECT_FALSE(CloseHandle(file));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INVALID_HANDLE));

    HANDLE reader =
        CreateFileW(TEXT("C:\\RW.BIN"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(WriteFile(reader, "x", 1, &done, nullptr));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_ACCESS_DENIED));
    CloseHandle(reader);
}

TEST_F(Files, OpenFilesFollowTheSharingRules)
{
    machine.WriteFile("C:\\shared.db", "data");
    HANDLE first =
        CreateFileW(TEXT("C:\\shared.db"), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(first, INVALID_HANDLE_VALUE);
    HANDLE writer = CreateFileW(TEXT("C:\\shared.db"), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                0, nullptr);
    EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    EXPECT_FALSE(DeleteFileW(TEXT("C:\\shared.db")));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_SHARING_VIOLATION));
    CloseHandle(first);
    EXPECT_TRUE(DeleteFileW(TEXT("C:\\shared.db")));
    EXPECT_FALSE(DeleteFileW(TEXT("C:\\shared.db")));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(Files, CopyFileKeepsOrRefusesTheTarget)
{
    machine.WriteFile("C:\\a.txt", "first");
    machine.WriteFile("C:\\b.txt", "second");
    EXPECT_FALSE(CopyFileW(TEXT("C:\\a.txt"), TEXT("C:\\b.txt"), TRUE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_EXISTS));
    EXPECT_TRUE(CopyFileW(TEXT("C:\\A.TXT"), TEXT("C:\\B.TXT"), FALSE));
    std::string contents;
    ASSERT_TRUE(machine.ReadFile("C:\\b.txt", contents));
    EXPECT_EQ(contents, "first");
    EXPECT_FALSE(CopyFileW(TEXT("C:\\none.txt"), TEXT("C:\\c.txt"), FALSE));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(Files, FindMatchesWildcardsWithoutRegardToCase)
{
    const char* names[] = {"ZQV1A.tmp.vdf", "zqv2.TMP.VDF", "ZQV3.tmp", "other.vdf", "x.tmp.vdf.bak"};
    for (const char* name : names) {
        machine.WriteFile(std::string("C:\\Temp\\") + name, "");
    }
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW(TEXT("C:\\Temp\\*.tmp.vdf"), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::set<std::u16string> found{data.cFileName};
    while (FindNextFileW(search, &data)) {
        found.insert(data.cFileName);
    }
    EXPECT_EQ(GetLastError(), DWORD(ERROR_NO_MORE_FILES));
    EXPECT_TRUE(FindClose(search));
    EXPECT_EQ(found, (std::set<std::u16string>{TEXT("ZQV1A.tmp.vdf"), TEXT("zqv2.TMP.VDF")}));

    EXPECT_EQ(FindFirstFileW(TEXT("C:\\Temp\\?QV3.tmp"), &data) != INVALID_HANDLE_VALUE, true);
    EXPECT_EQ(FindFirstFileW(TEXT("C:\\Temp\\*.none"), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(FindFirstFileW(TEXT("C:\\NoSuch\\*"), &data), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_PATH_NOT_FOUND));
}

TEST_F(Files, TemporaryNamesAreMadeInTheTemporaryFolder)
{
    WCHAR folder[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, folder);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::u16string(folder), TEXT("C:\\Users\\Tester\\AppData\\Local\\Temp\\"));
    EXPECT_EQ(GetTempPathW(3, folder), length + 1);  // too small: the size needed with the terminator

    WCHAR name[MAX_PATH];
    UINT unique = GetTempFileNameW(folder, TEXT("ZQVDF"), 0, name);
    ASSERT_NE(unique, 0u);
    std::u16string made(name);
    EXPECT_EQ(made.rfind(std::u16string(folder) + TEXT("ZQV"), 0), 0u);
    EXPECT_EQ(made.substr(made.size() - 4), TEXT(".tmp"));
    EXPECT_NE(GetFileAttributesW(name), INVALID_FILE_ATTRIBUTES);  // created empty
    EXPECT_NE(GetTempFileNameW(folder, TEXT("ZQVDF"), 0, name), unique);

    EXPECT_EQ(GetTempFileNameW(TEXT("C:\\NoSuchFolder"), TEXT("ZQV"), 0, name), 0u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_DIRECTORY));

    WCHAR system[MAX_PATH];
    EXPECT_EQ(GetSystemDirectoryW(system, MAX_PATH), 19u);
    EXPECT_EQ(std::u16string(system), TEXT("C:\\Windows\\System32"));
}

TEST_F(Files, ProfileStringsIgnoreCaseAndAreCut)
{
    machine.WriteFile("C:\\drv\\setup.ini",
                      "; the driver's components\r\n[OEMFiles]\r\nOEMConfigFile1=nirauip.dll\r\n"
                      "[ComponentFiles]\r\n  NIRA_STRING_DLL = nirastr.dll  \r\nQuoted=\"a "
                      "b\"\r\nNIRA_STRING_DLL=second\r\n");
    EXPECT_EQ(Profile(TEXT("componentfiles"), TEXT("nira_string_dll"), TEXT(""), 50), TEXT("nirastr.dll"));
    EXPECT_EQ(Profile(TEXT("ComponentFiles"), TEXT("Quoted"), TEXT(""), 50), TEXT("a b"));

    DWORD answer = 0;
    EXPECT_EQ(Profile(TEXT("ComponentFiles"), TEXT("NIRA_STRING_DLL"), TEXT(""), 5, &answer), TEXT("nira"));
    EXPECT_EQ(answer, 4u);  // size - 1 characters and the terminator

    EXPECT_EQ(Profile(TEXT("ComponentFiles"), TEXT("MISSING"), TEXT("fallback  "), 50, &answer),
              TEXT("fallback"));
    EXPECT_EQ(Profile(TEXT("ComponentFiles"), TEXT("MISSING"), nullptr, 50, &answer), TEXT(""));
    EXPECT_EQ(answer, 0u);

    EXPECT_EQ(Profile(nullptr, nullptr, TEXT(""), 64),
              std::u16string(TEXT("OEMFiles")) + TEXT('\0') + TEXT("ComponentFiles") + TEXT('\0'));

    WCHAR value[16];
    EXPECT_EQ(GetPrivateProfileStringW(TEXT("A"), TEXT("B"), TEXT("dflt"), value, 16, TEXT("C:\\none.ini")),
              4u);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

}  // namespace
