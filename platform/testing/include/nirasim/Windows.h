// Test control of the simulated windows: the keyboard state that GetKeyState reports. For tests
// and the host program only.
#pragma once

namespace nirasim {

// Holds a virtual key (VK_CONTROL, VK_SHIFT...) down or lets it go, until a fresh machine starts.
void SetKeyDown(int virtualKey, bool down);

}  // namespace nirasim
