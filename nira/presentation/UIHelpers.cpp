#include "nira/presentation/UIHelpers.h"

#include "common/NiraStatus.h"

namespace {

constexpr WORD kPrimaryLanguageMask = 0x3FF;
constexpr WORD kArabic = 0x01;
constexpr WORD kHebrew = 0x0D;
constexpr DWORD kFirstVersionWithContexts = 5;
constexpr DWORD kFirstMinorWithContexts = 1;
constexpr DWORD kPathChars = MAX_PATH;
constexpr int kMaxPathReads = 10;

typedef HANDLE(WINAPI* CreateActCtxProc)(PCACTCTXW);

bool SupportsActivationContexts()
{
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExW(&version)) {
        return false;
    }
    if (version.dwPlatformId > VER_PLATFORM_WIN32_NT) {
        return true;
    }
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (version.dwMajorVersion > kFirstVersionWithContexts ||
            (version.dwMajorVersion == kFirstVersionWithContexts &&
             version.dwMinorVersion >= kFirstMinorWithContexts));
}

// The module's path in a LocalAlloc buffer, doubled while the path fills it; null on failure.
WCHAR* ReadModulePath(HMODULE module)
{
    DWORD size = kPathChars;
    for (int read = 0; read < kMaxPathReads; ++read, size *= 2) {
        auto* path = static_cast<WCHAR*>(LocalAlloc(LPTR, size * sizeof(WCHAR)));
        if (path == nullptr) {
            return nullptr;
        }
        DWORD length = GetModuleFileNameW(module, path, size);
        if (length == 0) {
            LocalFree(path);
            return nullptr;
        }
        if (length < size) {
            return path;
        }
        LocalFree(path);
    }
    return nullptr;
}

}  // namespace

int IsRtlUILanguage()
{
    WORD primary = GetUserDefaultUILanguage() & kPrimaryLanguageMask;
    return primary == kArabic || primary == kHebrew ? 1 : 0;
}

void ShowAndEnable(HWND window, BOOL on)
{
    if (window != nullptr) {
        ShowWindow(window, on ? SW_SHOWNORMAL : SW_HIDE);
        EnableWindow(window, on);
    }
}

int CreateManifestContext(HMODULE module, int resourceId, HANDLE* context)
{
    if (context != nullptr) {
        *context = INVALID_HANDLE_VALUE;
    }
    if (!SupportsActivationContexts()) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR* path = ReadModulePath(module);
    if (path == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    ACTCTXW description{};
    description.cbSize = sizeof(description);
    description.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    description.lpSource = path;
    description.lpResourceName = MAKEINTRESOURCEW(resourceId);
    HMODULE kernel = GetModuleHandleW(TEXT("kernel32.dll"));
    auto create = kernel == nullptr ? nullptr
                                    : reinterpret_cast<CreateActCtxProc>(
                                          reinterpret_cast<void*>(GetProcAddress(kernel, "CreateActCtxW")));
    if (create != nullptr && context != nullptr) {
        *context = create(&description);
    }
    LocalFree(path);
    return NIRA_STATUS_OK;
}
