// The invalidations asked for a window's client area, kept in a journal for tests.
#include <nirasim/Windows.h>

#include "core/MachineState.h"
#include "windows/WindowTable.h"

#include <mutex>

namespace nirasim::sim {
namespace {

struct PaintState {
    std::mutex lock;
    std::vector<Invalidation> invalidations;
};

PaintState& Painting()
{
    static PaintState state;
    return state;
}

ResetHook resetPainting([] {
    PaintState& state = Painting();
    std::lock_guard<std::mutex> guard(state.lock);
    state.invalidations.clear();
});

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

BOOL WINAPI InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase)
{
    RECT rect = {};
    if (!GetClientRect(hWnd, &rect)) {
        return FALSE;
    }
    if (lpRect != nullptr) {
        rect = *lpRect;
    }
    PaintState& state = Painting();
    std::lock_guard<std::mutex> guard(state.lock);
    state.invalidations.push_back({hWnd, rect, bErase != FALSE});
    return TRUE;
}

namespace nirasim {

std::vector<Invalidation> Invalidations()
{
    PaintState& state = sim::Painting();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.invalidations;
}

void ClearInvalidations()
{
    PaintState& state = sim::Painting();
    std::lock_guard<std::mutex> guard(state.lock);
    state.invalidations.clear();
}

}  // namespace nirasim
