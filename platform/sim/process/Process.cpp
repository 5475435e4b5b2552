// The process as the driver sees it: who runs it, in which language, on which Windows version,
// with which token; programs it starts and message boxes it shows are recorded, not run.
#include "core/Failures.h"
#include "core/Handles.h"
#include "core/MachineState.h"
#include "core/Wide.h"

#include <unistd.h>

#include <cstring>
#include <thread>

using namespace nirasim::sim;

namespace {

const HANDLE kCurrentProcess = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1));
const HANDLE kCurrentThread = reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2));
constexpr DWORD kFirstChildProcessId = 4000;

class TokenObject : public KernelObject {};

// A started program: it ends at once with exit code 0.
class ProcessObject : public KernelObject {
public:
    bool IsWaitable() const override { return true; }
    bool IsSignaled() const override { return true; }
};

ProcessIdentity Identity()
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    return state.process;
}

template <typename Info>
BOOL FillVersion(Info* info, size_t basicSize, size_t extendedSize)
{
    if (info == nullptr ||
        (info->dwOSVersionInfoSize != basicSize && info->dwOSVersionInfoSize != extendedSize)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    ProcessIdentity identity = Identity();
    info->dwMajorVersion = identity.majorVersion;
    info->dwMinorVersion = identity.minorVersion;
    info->dwBuildNumber = identity.buildNumber;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    std::memset(info->szCSDVersion, 0, sizeof(info->szCSDVersion));
    return TRUE;
}

}  // namespace

HANDLE WINAPI GetCurrentProcess(void)
{
    return kCurrentProcess;
}

DWORD WINAPI GetCurrentProcessId(void)
{
    return static_cast<DWORD>(getpid());
}

HANDLE WINAPI GetCurrentThread(void)
{
    return kCurrentThread;
}

int WINAPI GetThreadPriority(HANDLE hThread)
{
    if (hThread == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return THREAD_PRIORITY_ERROR_RETURN;
    }
    return THREAD_PRIORITY_NORMAL;
}

BOOL WINAPI SetThreadPriority(HANDLE hThread, int nPriority)
{
    if (hThread == nullptr || nPriority < THREAD_PRIORITY_LOWEST || nPriority > THREAD_PRIORITY_HIGHEST) {
        SetLastError(hThread == nullptr ? ERROR_INVALID_HANDLE : ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

// Read once per thread: on Windows the id comes from the thread's own block without a system call.
DWORD WINAPI GetCurrentThreadId(void)
{
    static thread_local const DWORD id = static_cast<DWORD>(gettid());
    return id;
}

BOOL WINAPI GetUserNameW(LPWSTR lpBuffer, LPDWORD pcbBuffer)
{
    NIRASIM_FAIL_IF_INJECTED("GetUserNameW", FALSE);
    if (pcbBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string name = Identity().userName;
    DWORD needed = static_cast<DWORD>(name.size() + 1);
    if (lpBuffer == nullptr || *pcbBuffer < needed) {
        *pcbBuffer = needed;
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    CopyWideOut(name, lpBuffer, *pcbBuffer);
    *pcbBuffer = needed;
    return TRUE;
}

LANGID WINAPI GetUserDefaultUILanguage(void)
{
    return Identity().uiLanguage;
}

LANGID WINAPI GetSystemDefaultUILanguage(void)
{
    return Identity().systemLanguage;
}

LANGID WINAPI GetUserDefaultLangID(void)
{
    return Identity().uiLanguage;
}

LANGID WINAPI GetSystemDefaultLangID(void)
{
    return Identity().systemLanguage;
}

LCID WINAPI GetUserDefaultLCID(void)
{
    return Identity().uiLanguage;
}

LCID WINAPI GetThreadLocale(void)
{
    return Identity().uiLanguage;
}

BOOL WINAPI GetVersionExW(LPOSVERSIONINFOW lpVersionInformation)
{
    NIRASIM_FAIL_IF_INJECTED("GetVersionExW", FALSE);
    return FillVersion(lpVersionInformation, sizeof(OSVERSIONINFOW), sizeof(OSVERSIONINFOEXW));
}

BOOL WINAPI GetVersionExA(LPOSVERSIONINFOA lpVersionInformation)
{
    NIRASIM_FAIL_IF_INJECTED("GetVersionExA", FALSE);
    return FillVersion(lpVersionInformation, sizeof(OSVERSIONINFOA), sizeof(OSVERSIONINFOEXA));
}

DWORD WINAPI GetVersion(void)
{
    ProcessIdentity identity = Identity();
    return (identity.majorVersion & 0xFF) | ((identity.minorVersion & 0xFF) << 8) |
           ((identity.buildNumber & 0x7FFF) << 16);
}

BOOL WINAPI OpenProcessToken(HANDLE ProcessHandle, DWORD, PHANDLE TokenHandle)
{
    if (TokenHandle == nullptr || (ProcessHandle != kCurrentProcess && !LookUpHandle(ProcessHandle))) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!Identity().tokenOpens) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    *TokenHandle = AddHandle(std::make_shared<TokenObject>());
    return TRUE;
}

BOOL WINAPI OpenThreadToken(HANDLE, DWORD, BOOL, PHANDLE TokenHandle)
{
    if (TokenHandle != nullptr) {
        *TokenHandle = nullptr;
    }
    SetLastError(ERROR_NO_TOKEN);  // threads do not impersonate on this machine
    return FALSE;
}

BOOL WINAPI GetTokenInformation(HANDLE TokenHandle, TOKEN_INFORMATION_CLASS TokenInformationClass,
                                LPVOID TokenInformation, DWORD TokenInformationLength, PDWORD ReturnLength)
{
    if (!LookUpHandleAs<TokenObject>(TokenHandle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    ProcessIdentity identity = Identity();
    if (!identity.tokenAnswers) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    DWORD value;
    switch (TokenInformationClass) {
    case TokenElevationType:
        value = identity.elevationType;
        break;
    case TokenElevation:
        value = identity.elevationType == TokenElevationTypeFull ? 1 : 0;
        break;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    if (ReturnLength != nullptr) {
        *ReturnLength = sizeof(DWORD);
    }
    if (TokenInformation == nullptr || TokenInformationLength < sizeof(DWORD)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    std::memcpy(TokenInformation, &value, sizeof(value));
    return TRUE;
}

BOOL WINAPI CreateProcessW(LPCWSTR lpApplicationName, LPWSTR lpCommandLine, LPSECURITY_ATTRIBUTES,
                           LPSECURITY_ATTRIBUTES, BOOL, DWORD dwCreationFlags, LPVOID,
                           LPCWSTR lpCurrentDirectory, LPSTARTUPINFOW lpStartupInfo,
                           LPPROCESS_INFORMATION lpProcessInformation)
{
    NIRASIM_FAIL_IF_INJECTED("CreateProcessW", FALSE);
    if ((lpApplicationName == nullptr && lpCommandLine == nullptr) || lpStartupInfo == nullptr ||
        lpProcessInformation == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    state.processes.push_back({WideFrom(lpApplicationName), WideFrom(lpCommandLine),
                               WideFrom(lpCurrentDirectory), dwCreationFlags, lpStartupInfo->cb});
    if (!state.process.createProcessSucceeds) {
        SetLastError(state.process.createProcessError);
        return FALSE;
    }
    static DWORD nextId = kFirstChildProcessId;
    lpProcessInformation->hProcess = AddHandle(std::make_shared<ProcessObject>());
    lpProcessInformation->hThread = AddHandle(std::make_shared<ProcessObject>());
    lpProcessInformation->dwProcessId = nextId;
    lpProcessInformation->dwThreadId = nextId + 4;
    nextId += 8;
    return TRUE;
}

BOOL WINAPI GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    if (lpExitCode == nullptr || !LookUpHandleAs<ProcessObject>(hProcess)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpExitCode = 0;
    return TRUE;
}

BOOL WINAPI TerminateProcess(HANDLE hProcess, UINT)
{
    if (!LookUpHandleAs<ProcessObject>(hProcess)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

int WINAPI MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType)
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    state.messageBoxes.push_back({hWnd, WideFrom(lpText), lpCaption ? WideFrom(lpCaption) : u"Error", uType});
    return state.process.messageBoxAnswer;
}

DWORD WINAPI GetCurrentDirectoryW(DWORD nBufferLength, LPWSTR lpBuffer)
{
    std::u16string current = Identity().currentDirectory;
    if (lpBuffer == nullptr || nBufferLength < current.size() + 1) {
        return static_cast<DWORD>(current.size() + 1);
    }
    CopyWideOut(current, lpBuffer, nBufferLength);
    return static_cast<DWORD>(current.size());
}
