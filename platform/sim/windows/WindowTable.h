// The window table of the simulated machine: registered classes and the windows made from them.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace nirasim::sim {

// What a control or a dialog keeps beyond the window record; each kind derives its own.
struct WindowExtension {
    virtual ~WindowExtension() = default;
};

struct WindowClass {
    std::u16string name;
    WNDPROC procedure = nullptr;
    int windowExtra = 0;
    HINSTANCE instance = nullptr;
    HANDLE background = nullptr;  // the class's brush
};

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<WindowExtension> extension;  // a control's or a dialog's own state
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
    std::thread::id thread;      // the thread that made the window and answers its sent messages
};

// The window's client area's top-left corner on the screen.
POINT ScreenOrigin(HWND handle);

// The window behind a handle, or null (and ERROR_INVALID_WINDOW_HANDLE set) for a bad handle.
std::shared_ptr<Window> FindWindowRecord(HWND handle);
// The children in creation order.
std::vector<std::shared_ptr<Window>> ChildrenOf(HWND parent);

// Every window, oldest first.
std::vector<std::shared_ptr<Window>> AllWindows();

// A class every process has (the controls, the dialog class); it outlives a fresh machine.
void RegisterSystemClass(const WindowClass& windowClass);

// The extension of a window, made by `make` when the window has none of that kind yet.
template <typename T, typename Make>
std::shared_ptr<T> ExtensionOf(Window& window, Make make)
{
    auto found = std::dynamic_pointer_cast<T>(window.extension);
    if (found == nullptr) {
        found = make();
        window.extension = found;
    }
    return found;
}
template <typename T>
std::shared_ptr<T> ExtensionOf(HWND handle)
{
    auto window = FindWindowRecord(handle);
    return window == nullptr ? nullptr : std::dynamic_pointer_cast<T>(window->extension);
}

}  // namespace nirasim::sim
