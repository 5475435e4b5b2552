// The process environment: its command line, variables (with the usual Windows ones derived
// from the machine) and current folder.
#include "core/MachineState.h"
#include "core/Wide.h"
#include "files/HostFiles.h"
#include "files/PathMap.h"

#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

struct Environment {
    std::mutex lock;
    std::map<std::u16string, std::u16string, NoCaseLess> set;  // variables the process set
    std::map<std::u16string, bool, NoCaseLess> removed;
    std::u16string commandLine;
};

Environment& Env()
{
    static auto* environment = new Environment;
    return *environment;
}

ResetHook resetEnvironment([] {
    Environment& env = Env();
    std::lock_guard<std::mutex> guard(env.lock);
    env.set.clear();
    env.removed.clear();
});

// The variables every machine has, from its user and folders.
bool StandardVariable(const std::u16string& name, std::u16string& value)
{
    std::u16string profile = UserProfileDirectory();
    std::u16string user;
    {
        MachineState& state = State();
        std::lock_guard<std::recursive_mutex> guard(state.lock);
        user = state.process.userName;
    }
    std::u16string temp = TempDirectory();
    temp.pop_back();  // without the closing separator
    const std::pair<const char16_t*, std::u16string> table[] = {
        {u"TEMP", temp},
        {u"TMP", temp},
        {u"USERNAME", user},
        {u"USERPROFILE", profile},
        {u"APPDATA", profile + u"\\AppData\\Roaming"},
        {u"LOCALAPPDATA", profile + u"\\AppData\\Local"},
        {u"SystemRoot", kWindowsDirectory},
        {u"windir", kWindowsDirectory},
        {u"SystemDrive", u"C:"},
        {u"ProgramFiles", u"C:\\Program Files"},
        {u"ProgramData", u"C:\\ProgramData"},
    };
    for (const auto& [known, known_value] : table) {
        if (EqualNoCase(known, name)) {
            value = known_value;
            return true;
        }
    }
    return false;
}

bool Lookup(const std::u16string& name, std::u16string& value)
{
    Environment& env = Env();
    {
        std::lock_guard<std::mutex> guard(env.lock);
        auto it = env.set.find(name);
        if (it != env.set.end()) {
            value = it->second;
            return true;
        }
        if (env.removed.count(name)) {
            return false;
        }
    }
    return StandardVariable(name, value);
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

LPWSTR WINAPI GetCommandLineW(void)
{
    Environment& env = Env();
    std::lock_guard<std::mutex> guard(env.lock);
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> hold(state.lock);
    env.commandLine = u"\"" + state.process.processPath + u"\"";
    return env.commandLine.data();
}

DWORD WINAPI GetEnvironmentVariableW(LPCWSTR lpName, LPWSTR lpBuffer, DWORD nSize)
{
    std::u16string value;
    if (lpName == nullptr || !Lookup(lpName, value)) {
        SetLastError(ERROR_ENVVAR_NOT_FOUND);
        return 0;
    }
    if (lpBuffer == nullptr || nSize < value.size() + 1) {
        return static_cast<DWORD>(value.size() + 1);
    }
    CopyWideOut(value, lpBuffer, nSize);
    return static_cast<DWORD>(value.size());
}

BOOL WINAPI SetEnvironmentVariableW(LPCWSTR lpName, LPCWSTR lpValue)
{
    if (lpName == nullptr || *lpName == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    Environment& env = Env();
    std::lock_guard<std::mutex> guard(env.lock);
    if (lpValue == nullptr) {
        env.set.erase(lpName);
        env.removed[lpName] = true;
    } else {
        env.set[lpName] = lpValue;
        env.removed.erase(lpName);
    }
    return TRUE;
}

DWORD WINAPI ExpandEnvironmentStringsW(LPCWSTR lpSrc, LPWSTR lpDst, DWORD nSize)
{
    if (lpSrc == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::u16string source(lpSrc), out;
    size_t at = 0;
    while (at < source.size()) {
        size_t open = source.find(u'%', at);
        size_t close = open == std::u16string::npos ? open : source.find(u'%', open + 1);
        if (close == std::u16string::npos) {
            out += source.substr(at);
            break;
        }
        out += source.substr(at, open - at);
        std::u16string value;
        if (Lookup(source.substr(open + 1, close - open - 1), value)) {
            out += value;
            at = close + 1;
        } else {
            out += source.substr(open, close - open);  // unknown names stay as written
            at = close;
        }
    }
    if (lpDst != nullptr && nSize >= out.size() + 1) {
        CopyWideOut(out, lpDst, nSize);
    }
    return static_cast<DWORD>(out.size() + 1);
}

BOOL WINAPI SetCurrentDirectoryW(LPCWSTR lpPathName)
{
    if (lpPathName == nullptr || *lpPathName == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string full = FullWindowsPath(lpPathName);
    std::string host = MapWindowsPath(full);
    if (KindOf(host) != HostKind::Folder) {
        SetLastError(KindOf(host) == HostKind::File ? ERROR_DIRECTORY : ERROR_FILE_NOT_FOUND);
        return FALSE;
    }
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    state.process.currentDirectory = full;
    return TRUE;
}
