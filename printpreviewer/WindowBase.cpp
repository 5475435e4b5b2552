#include "printpreviewer/WindowBase.h"

#include <strsafe.h>

namespace {

constexpr size_t kClassNameChars = 128;
const WCHAR kClassNameFormat[] = TEXT("%s_%08lx");
// The class's background: system colour 3 by the colour-plus-one rule.
constexpr INT_PTR kBackgroundColor = COLOR_INACTIVECAPTION + 1;

}  // namespace

HWND CNiraWindowBase::Create(LPCWSTR baseName, DWORD exStyle, LPCWSTR title, DWORD style, int x, int y,
                             int width, int height, HWND parent, HMENU menu, HMODULE module)
{
    m_module = module;
    WCHAR className[kClassNameChars] = {};
    auto moduleBits = static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(module) & 0xFFFFFFFFUL);
    if (FAILED(StringCchPrintfW(className, kClassNameChars, kClassNameFormat, baseName, moduleBits))) {
        return nullptr;
    }
    WNDCLASSEXW windowClass = {};
    FillWindowClass(windowClass);
    windowClass.hInstance = module;
    windowClass.lpszClassName = className;
    // The class of an earlier window of this module serves again.
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return nullptr;
    }
    m_window =
        CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent, menu, module, this);
    return m_window;
}

void CNiraWindowBase::FillWindowClass(WNDCLASSEXW& windowClass)
{
    windowClass = {};
    windowClass.cbSize = sizeof(WNDCLASSEXW);
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(kBackgroundColor);
}

LRESULT CNiraWindowBase::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        m_window = window;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK CNiraWindowBase::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<CNiraWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object == nullptr && message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        object = create != nullptr ? static_cast<CNiraWindowBase*>(create->lpCreateParams) : nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    return object != nullptr ? object->WindowProc(window, message, wParam, lParam)
                             : DefWindowProcW(window, message, wParam, lParam);
}
