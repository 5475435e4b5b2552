// Test control of the common dialogs: the save-file dialogs shown, and the script that answers
// them as the user would. For tests and the host program only.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nirasim {

// What one GetSaveFileNameW call showed.
struct SaveFileDialog {
    HWND owner = nullptr;
    std::u16string title;
    std::vector<std::u16string> filter;  // the filter's strings, in order
    DWORD filterIndex = 0;
    std::u16string defaultExtension;
    DWORD flags = 0;
};

// Answers every save-file dialog until a fresh machine starts: the path chosen (a path of the
// machine), or nothing for Cancel. Without a script every dialog is cancelled.
void SetSaveFileScript(std::function<std::optional<std::u16string>(const SaveFileDialog&)> script);
// The dialogs shown since the machine started, oldest first.
std::vector<SaveFileDialog> SaveFileDialogs();

}  // namespace nirasim
