// The save-file dialog without a user: each call is journalled and answered by the test's script.
#include <windows.h>
#include <commdlg.h>

#include "core/MachineState.h"
#include "core/Wide.h"

#include <nirasim/CommonDialogs.h>

#include <mutex>

namespace nirasim::sim {
namespace {

// A filter holds pairs of strings and ends with an empty one; its walk is bounded.
constexpr size_t kMostFilterStrings = 64;

struct SaveDialogs {
    std::mutex lock;
    std::function<std::optional<std::u16string>(const SaveFileDialog&)> script;
    std::vector<SaveFileDialog> shown;
};

SaveDialogs& Dialogs()
{
    static auto* dialogs = new SaveDialogs;
    return *dialogs;
}

ResetHook resetSaveDialogs([] {
    std::lock_guard<std::mutex> guard(Dialogs().lock);
    Dialogs().script = nullptr;
    Dialogs().shown.clear();
});

std::vector<std::u16string> FilterStrings(LPCWSTR filter)
{
    std::vector<std::u16string> strings;
    for (LPCWSTR at = filter; at != nullptr && *at != 0 && strings.size() < kMostFilterStrings;) {
        strings.push_back(WideFrom(at));
        at += strings.back().size() + 1;
    }
    return strings;
}

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim;
using namespace nirasim::sim;

BOOL WINAPI GetSaveFileNameW(LPOPENFILENAMEW lpofn)
{
    if (lpofn == nullptr || lpofn->lStructSize != sizeof(OPENFILENAMEW) || lpofn->lpstrFile == nullptr ||
        lpofn->nMaxFile == 0) {
        return FALSE;
    }
    SaveFileDialog seen;
    seen.owner = lpofn->hwndOwner;
    seen.title = WideFrom(lpofn->lpstrTitle);
    seen.filter = FilterStrings(lpofn->lpstrFilter);
    seen.filterIndex = lpofn->nFilterIndex;
    seen.defaultExtension = WideFrom(lpofn->lpstrDefExt);
    seen.flags = lpofn->Flags;
    std::function<std::optional<std::u16string>(const SaveFileDialog&)> script;
    {
        std::lock_guard<std::mutex> guard(Dialogs().lock);
        Dialogs().shown.push_back(seen);
        script = Dialogs().script;
    }
    std::optional<std::u16string> chosen = script ? script(seen) : std::nullopt;
    if (!chosen || chosen->size() >= lpofn->nMaxFile) {
        return FALSE;
    }
    return CopyWideOut(*chosen, lpofn->lpstrFile, lpofn->nMaxFile) ? TRUE : FALSE;
}

DWORD WINAPI CommDlgExtendedError(void)
{
    return 0;
}

namespace nirasim {

void SetSaveFileScript(std::function<std::optional<std::u16string>(const SaveFileDialog&)> script)
{
    std::lock_guard<std::mutex> guard(sim::Dialogs().lock);
    sim::Dialogs().script = std::move(script);
}

std::vector<SaveFileDialog> SaveFileDialogs()
{
    std::lock_guard<std::mutex> guard(sim::Dialogs().lock);
    return sim::Dialogs().shown;
}

}  // namespace nirasim
