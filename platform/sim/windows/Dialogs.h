// The dialog manager's pieces that the controls and the test control share.
#pragma once

#include "windows/WindowTable.h"

#include <functional>

namespace nirasim::sim {

// What a dialog window keeps: the template it came from and how it ended.
struct DialogExtension : WindowExtension {
    int templateId = -1;  // -1 for a template named by text
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
};

// The script the tests set to run whenever a dialog appears (empty: none).
std::function<void(HWND)>& DialogScript();

// Sends WM_COMMAND with the control's id and a notification code to its parent.
void NotifyParent(HWND control, WORD code);

// Registers a control class that every process has, at load time.
struct SystemClass {
    SystemClass(const char16_t* name, WNDPROC procedure, int windowExtra = 0);
};

}  // namespace nirasim::sim
