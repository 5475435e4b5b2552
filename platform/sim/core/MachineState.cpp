#include "core/MachineState.h"

#include "files/PathMap.h"

#include <nirasim/Runtime.h>

#include <cstdlib>
#include <filesystem>

namespace nirasim::sim {

const char16_t* const kSystemDirectory = u"C:\\Windows\\System32";
const char16_t* const kWindowsDirectory = u"C:\\Windows";
const char16_t* const kDriverDirectory = u"C:\\Windows\\System32\\spool\\drivers\\x64";
const char16_t* const kUserSid = u"S-1-5-21-3623811015-3361044348-30300820-1001";
const char16_t* const kUserDomain = u"NIRASIM";

namespace {

std::vector<std::function<void()>>& ResetHooks()
{
    static auto* hooks = new std::vector<std::function<void()>>;
    return *hooks;
}

void RemoveDefaultRoot()
{
    MachineState& state = State();
    if (state.ownsDefaultRoot) {
        std::error_code ignored;
        std::filesystem::remove_all(state.root, ignored);
        state.ownsDefaultRoot = false;
    }
}

void MakeStandardFolders()
{
    const std::u16string folders[] = {
        std::u16string(kDriverDirectory) + u"\\3",
        u"C:\\Windows\\Temp",
        u"C:\\Program Files",
        TempDirectory(),
    };
    for (const auto& folder : folders) {
        std::error_code ignored;
        std::filesystem::create_directories(MapWindowsPath(folder), ignored);
    }
}

}  // namespace

MachineState& State()
{
    static MachineState* state = new MachineState;  // outlives every static destructor
    return *state;
}

std::string RootFolder()
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    if (state.root.empty()) {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/nirasim-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        state.root = pattern;
        state.ownsDefaultRoot = true;
        std::atexit(RemoveDefaultRoot);
        MakeStandardFolders();
    }
    return state.root;
}

void ResetMachine(const std::string& root)
{
    MachineState& state = State();
    {
        std::lock_guard<std::recursive_mutex> guard(state.lock);
        RemoveDefaultRoot();
        state.root = root;
        state.process = ProcessIdentity();
        state.messageBoxes.clear();
        state.processes.clear();
    }
    ClearDebugJournal();
    for (auto& hook : ResetHooks()) {
        hook();
    }
    if (!root.empty()) {
        MakeStandardFolders();
    }
}

ResetHook::ResetHook(std::function<void()> reset)
{
    ResetHooks().push_back(std::move(reset));
}

std::u16string UserProfileDirectory()
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    return u"C:\\Users\\" + state.process.userName;
}

std::u16string TempDirectory()
{
    return UserProfileDirectory() + u"\\AppData\\Local\\Temp\\";
}

}  // namespace nirasim::sim
