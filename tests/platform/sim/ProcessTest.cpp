#include <windows.h>

#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <atomic>

namespace {

class Process : public ::testing::Test {
protected:
    nirasim::Machine machine;
};

TEST_F(Process, IdentityIsWhatTheTestSets)
{
    machine.SetUser("Mia");
    machine.SetUILanguage(0x0C07);
    machine.SetWindowsVersion(6, 1, 7601);
    WCHAR name[4];
    DWORD size = 4;
    EXPECT_TRUE(GetUserNameW(name, &size));
    EXPECT_EQ(std::u16string(name), TEXT("Mia"));
    size = 3;
    EXPECT_FALSE(GetUserNameW(name, &size));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(GetUserDefaultUILanguage(), 0x0C07);

    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(GetVersionExW(&version));
    EXPECT_EQ(version.dwMajorVersion, 6u);
    EXPECT_EQ(version.dwMinorVersion, 1u);
    OSVERSIONINFOA narrow = {};
    EXPECT_FALSE(GetVersionExA(&narrow));  // the size field must be set
}

TEST_F(Process, TokenElevation)
{
    for (DWORD type : {1u, 2u, 3u}) {
        machine.SetElevationType(type);
        HANDLE token = nullptr;
        ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
        DWORD answer = 0, length = 0;
        ASSERT_TRUE(GetTokenInformation(token, TokenElevationType, &answer, sizeof(answer), &length));
        EXPECT_EQ(answer, type);
        EXPECT_TRUE(CloseHandle(token));
    }
    machine.SetTokenFailures(true, false);
    HANDLE token = nullptr;
    EXPECT_FALSE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
}

TEST_F(Process, StartedProgramsAndMessageBoxesAreJournalled)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    WCHAR command[] = TEXT("C:\\Tools\\toolbox.exe /printer");
    ASSERT_TRUE(
        CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, INFINITE), DWORD(WAIT_OBJECT_0));
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    machine.SetCreateProcessFailure(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(
        CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    ASSERT_EQ(machine.ProcessesStarted().size(), 2u);
    EXPECT_EQ(machine.ProcessesStarted()[0].commandLine, command);

    machine.SetMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBoxW(nullptr, TEXT("text"), TEXT("caption"), MB_YESNO), IDNO);
    ASSERT_EQ(machine.MessageBoxes().size(), 1u);
    EXPECT_EQ(machine.MessageBoxes()[0].caption, TEXT("caption"));
}

TEST_F(Process, ClockMovesOnlyWhenTheMachineSays)
{
    SYSTEMTIME start = {2024, 2, 4, 29, 23, 59, 59, 500};
    machine.SetSystemTime(start);
    DWORD ticks = GetTickCount();
    Sleep(5000);
    EXPECT_EQ(GetTickCount() - ticks, 5000u);
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ(now.wYear, 2024);
    EXPECT_EQ(now.wMonth, 3);
    EXPECT_EQ(now.wDay, 1);
    EXPECT_EQ(now.wHour, 0);
    EXPECT_EQ(now.wSecond, 4);
    EXPECT_EQ(now.wDayOfWeek, 5);  // a Friday

    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ticks = GetTickCount();
    EXPECT_EQ(WaitForSingleObject(event, 60000), DWORD(WAIT_TIMEOUT));
    EXPECT_EQ(GetTickCount() - ticks, 60000u);
    CloseHandle(event);
}

DWORD WINAPI SignalLater(LPVOID parameter)
{
    SetEvent(static_cast<HANDLE>(parameter));
    return 7;
}

TEST_F(Process, ThreadsEventsAndCriticalSections)
{
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = CreateThread(nullptr, 0, SignalLater, event, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), DWORD(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), DWORD(WAIT_OBJECT_0));
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 7u);
    CloseHandle(thread);
    CloseHandle(event);

    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);  // recursive, as on Windows
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    DeleteCriticalSection(&section);
}

}  // namespace

namespace {

TEST_F(Process, InjectedFailuresHitTheNamedCallsOnly)
{
    machine.FailCalls("GetTempFileNameW", ERROR_DISK_FULL, 2);
    WCHAR name[MAX_PATH];
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(GetTempFileNameW(TEXT("C:\\Windows\\Temp"), TEXT("ZQV"), 0, name), 0u);
        EXPECT_EQ(GetLastError(), DWORD(ERROR_DISK_FULL));
    }
    EXPECT_NE(GetTempFileNameW(TEXT("C:\\Windows\\Temp"), TEXT("ZQV"), 0, name), 0u);  // used up

    machine.FailCalls("RegOpenKeyExW", ERROR_ACCESS_DENIED, -1);
    HKEY key;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, TEXT("SYSTEM"), 0, KEY_READ, &key), ERROR_ACCESS_DENIED);
    }
    EXPECT_EQ(RegCreateKeyW(HKEY_CURRENT_USER, TEXT("Software"), &key), ERROR_SUCCESS);
    RegCloseKey(key);
    machine.ClearFailures();
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software"), 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

}  // namespace
