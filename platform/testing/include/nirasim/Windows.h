// Test control of the simulated windows: the keyboard state that GetKeyState reports and the
// journal of invalidated rectangles. For tests
// and the host program only.
#pragma once

#include <windows.h>

#include <vector>

namespace nirasim {

// One InvalidateRect call on a window of the machine.
struct Invalidation {
    HWND window;
    RECT rect;  // the rectangle asked for; the whole client area for a null one
    bool erase;
};

// The invalidations since the machine started or the journal was cleared, oldest first.
std::vector<Invalidation> Invalidations();
void ClearInvalidations();

// Holds a virtual key (VK_CONTROL, VK_SHIFT...) down or lets it go, until a fresh machine starts.
void SetKeyDown(int virtualKey, bool down);

}  // namespace nirasim
