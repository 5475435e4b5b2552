// The window base of the preview's frame and canvas: the object behind a window, found in the
// window's user data by one window procedure for every class.
#pragma once

#include <windows.h>

class CNiraWindowBase {
public:
    CNiraWindowBase() = default;
    virtual ~CNiraWindowBase() = default;
    CNiraWindowBase(const CNiraWindowBase&) = delete;
    CNiraWindowBase& operator=(const CNiraWindowBase&) = delete;

    // Registers the class "<base>_<module>" once per module and makes the window with this
    // object behind it; null when either fails.
    HWND Create(LPCWSTR baseName, DWORD exStyle, LPCWSTR title, DWORD style, int x, int y, int width,
                int height, HWND parent, HMENU menu, HMODULE module);
    HWND Window() const { return m_window; }
    HMODULE Module() const { return m_module; }

protected:
    virtual LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    virtual void FillWindowClass(WNDCLASSEXW& windowClass);

    HWND m_window = nullptr;
    HMODULE m_module = nullptr;

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
