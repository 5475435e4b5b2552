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
    HANDLE background = nullptr;  // the class's brush
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
    RECT rect = {0, 0, 0, 0};  // in the parent's client area (on the screen without a parent)
    HANDLE background = nullptr;
    RECT update = {0, 0, 0, 0};  // the part of the client area waiting for WM_PAINT
    bool erase = false;          // the update wants WM_ERASEBKGND first
};

// The window's client area's top-left corner on the screen.
POINT ScreenOrigin(HWND handle);

// The window behind a handle, or null (and ERROR_INVALID_WINDOW_HANDLE set) for a bad handle.
std::shared_ptr<Window> FindWindowRecord(HWND handle);
std::vector<std::shared_ptr<Window>> ChildrenOf(HWND parent);

}  // namespace nirasim::sim
