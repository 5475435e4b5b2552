// The window table of the simulated machine: registered classes and the windows made from them.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace nirasim::sim {

struct WindowClass {
    std::u16string name;
    WNDPROC procedure = nullptr;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
};

struct Window {
    HWND handle = nullptr;
    HWND parent = nullptr;
    std::u16string className;
    std::u16string text;
    WNDPROC procedure = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR id = 0;
    LONG_PTR userData = 0;
    HINSTANCE instance = nullptr;
    std::vector<unsigned char> extra;  // the class's cbWndExtra bytes, read by offset
    bool destroying = false;
    int width = 0;  // the size it was made with; the client area is the whole window
    int height = 0;
};

// The window behind a handle, or null (and ERROR_INVALID_WINDOW_HANDLE set) for a bad handle.
std::shared_ptr<Window> FindWindowRecord(HWND handle);
std::vector<std::shared_ptr<Window>> ChildrenOf(HWND parent);

}  // namespace nirasim::sim
