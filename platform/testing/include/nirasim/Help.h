// Test control of HTML Help: the calls made, in order. For tests and the host program only.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace nirasim {

// One HtmlHelpW call: the caller's window, the file text as given (with any "::/topic"), the
// command and its data.
struct HelpRequest {
    HWND window = nullptr;
    std::u16string file;
    UINT command = 0;
    DWORD_PTR data = 0;
};
std::vector<HelpRequest> HelpRequests();

}  // namespace nirasim
