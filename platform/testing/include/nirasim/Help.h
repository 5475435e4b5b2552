// Test control of HTML Help: the calls made, in order. For tests and the host program only.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace nirasim {

// One HtmlHelpW call: the caller's window, the file text as given (with any "::/topic"), the
// command and its data.
struct HelpRequest {
    HWND window = nullptr;
    std::u16string file;
    UINT command = 0;
    DWORD_PTR data = 0;
    // HH_TP_HELP_WM_HELP and HH_TP_HELP_CONTEXTMENU: the map's {control id, context id} pairs,
    // read at the call up to the zero pair.
    std::vector<std::pair<DWORD, DWORD>> idMap;
};
std::vector<HelpRequest> HelpRequests();

}  // namespace nirasim
