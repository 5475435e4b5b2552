// HTML Help without a help viewer: every call is journalled, and a call naming a help file
// answers a window handle that stands for the help popup.
#include <windows.h>
#include <htmlhelp.h>

#include "core/MachineState.h"
#include "core/Wide.h"

#include <nirasim/Help.h>

#include <mutex>

namespace nirasim::sim {
namespace {

int g_helpWindow;

struct HelpJournal {
    std::mutex lock;
    std::vector<HelpRequest> requests;
};

HelpJournal& Journal()
{
    static auto* journal = new HelpJournal;
    return *journal;
}

ResetHook resetHelp([] {
    std::lock_guard<std::mutex> guard(Journal().lock);
    Journal().requests.clear();
});

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

HWND WINAPI HtmlHelpW(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData)
{
    nirasim::HelpRequest request{hwndCaller, WideFrom(pszFile), uCommand, dwData, {}};
    if ((uCommand == HH_TP_HELP_WM_HELP || uCommand == HH_TP_HELP_CONTEXTMENU) && dwData != 0) {
        constexpr size_t kMostPairs = 1024;  // a map without its zero pair is read no further
        const auto* map = reinterpret_cast<const DWORD*>(dwData);
        for (size_t i = 0; i < kMostPairs && map[2 * i] != 0; ++i) {
            request.idMap.emplace_back(map[2 * i], map[2 * i + 1]);
        }
    }
    {
        std::lock_guard<std::mutex> guard(Journal().lock);
        Journal().requests.push_back(request);
    }
    if (pszFile == nullptr || *pszFile == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return reinterpret_cast<HWND>(&g_helpWindow);
}

namespace nirasim {

std::vector<HelpRequest> HelpRequests()
{
    std::lock_guard<std::mutex> guard(sim::Journal().lock);
    return sim::Journal().requests;
}

}  // namespace nirasim
