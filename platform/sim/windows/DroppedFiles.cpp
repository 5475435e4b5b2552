// Files dropped on a window: a window that accepts them (WS_EX_ACCEPTFILES, set by
// DragAcceptFiles) gets WM_DROPFILES with a drop the test made; the program reads the paths from it
// and releases it with DragFinish.
#include "core/MachineState.h"
#include "core/Wide.h"
#include "windows/WindowTable.h"

#include <nirasim/Windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr UINT kFileCountQuery = 0xFFFFFFFF;
constexpr uintptr_t kFirstDrop = 0x7D000;

struct DropState {
    std::mutex lock;
    std::map<HDROP, std::vector<std::u16string>> drops;
    uintptr_t next = kFirstDrop;
};

DropState& Drops()
{
    static auto* state = new DropState;
    return *state;
}

ResetHook resetDrops([] {
    std::lock_guard<std::mutex> guard(Drops().lock);
    Drops().drops.clear();
});

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim;
using namespace nirasim::sim;

void WINAPI DragAcceptFiles(HWND hWnd, BOOL fAccept)
{
    std::shared_ptr<Window> window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return;
    }
    if (fAccept) {
        window->exStyle |= WS_EX_ACCEPTFILES;
    } else {
        window->exStyle &= ~static_cast<DWORD>(WS_EX_ACCEPTFILES);
    }
}

UINT WINAPI DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch)
{
    std::lock_guard<std::mutex> guard(Drops().lock);
    auto found = Drops().drops.find(hDrop);
    if (found == Drops().drops.end()) {
        return 0;
    }
    const std::vector<std::u16string>& paths = found->second;
    if (iFile == kFileCountQuery) {
        return static_cast<UINT>(paths.size());
    }
    if (iFile >= paths.size()) {
        return 0;
    }
    const std::u16string& path = paths[iFile];
    if (lpszFile == nullptr) {
        return static_cast<UINT>(path.size());
    }
    if (cch == 0) {
        return 0;
    }
    size_t copied = std::min<size_t>(path.size(), cch - 1);
    std::memcpy(lpszFile, path.data(), copied * sizeof(WCHAR));
    lpszFile[copied] = 0;
    return static_cast<UINT>(copied);
}

void WINAPI DragFinish(HDROP hDrop)
{
    std::lock_guard<std::mutex> guard(Drops().lock);
    Drops().drops.erase(hDrop);
}

namespace nirasim {

bool DropFiles(HWND window, const std::vector<std::u16string>& paths)
{
    std::shared_ptr<sim::Window> record = sim::FindWindowRecord(window);
    if (record == nullptr || (record->exStyle & WS_EX_ACCEPTFILES) == 0) {
        return false;
    }
    HDROP drop = nullptr;
    {
        std::lock_guard<std::mutex> guard(sim::Drops().lock);
        drop = reinterpret_cast<HDROP>(sim::Drops().next);
        sim::Drops().next += sizeof(void*);
        sim::Drops().drops[drop] = paths;
    }
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
    return true;
}

int OpenDrops()
{
    std::lock_guard<std::mutex> guard(sim::Drops().lock);
    return static_cast<int>(sim::Drops().drops.size());
}

}  // namespace nirasim
