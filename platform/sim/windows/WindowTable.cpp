// Classes, creation and destruction of windows, window longs and the focus, enable and show state.
// Windows answer WM_NCCREATE, WM_CREATE, WM_DESTROY and WM_NCDESTROY in Windows' order; children
// are destroyed after their parent's WM_DESTROY and before its WM_NCDESTROY.
#include "windows/WindowTable.h"

#include "core/Failures.h"
#include "core/MachineState.h"
#include "core/Wide.h"
#include "gdi/Raster.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr ULONG_PTR kFirstWindowHandle = 0x10010;
constexpr ULONG_PTR kWindowHandleStep = 4;
constexpr ATOM kFirstClassAtom = 0xC000;
// Where a window made with CW_USEDEFAULT comes to stand.
constexpr int kDefaultWindowWidth = 960;
constexpr int kDefaultWindowHeight = 720;

struct WindowState {
    std::mutex lock;
    std::map<std::u16string, WindowClass, NoCaseLess> classes;
    std::map<HWND, std::shared_ptr<Window>> windows;
    ULONG_PTR nextHandle = kFirstWindowHandle;
    ATOM nextAtom = kFirstClassAtom;
    HWND focus = nullptr;
};

WindowState& Windows()
{
    static WindowState state;
    return state;
}

std::map<std::u16string, WindowClass, NoCaseLess>& SystemClasses()
{
    static auto* classes = new std::map<std::u16string, WindowClass, NoCaseLess>;
    return *classes;
}

ResetHook resetWindows([] {
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    state.classes.clear();
    state.windows.clear();
    state.nextHandle = kFirstWindowHandle;
    state.nextAtom = kFirstClassAtom;
    state.focus = nullptr;
});

std::u16string ClassNameFrom(LPCWSTR name)
{
    if (IS_INTRESOURCE(name)) {
        return u"#" + WideFromUtf8(std::to_string(reinterpret_cast<ULONG_PTR>(name)));
    }
    return WideFrom(name);
}

bool FindClass(const std::u16string& name, WindowClass& found)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    auto it = state.classes.find(name);
    if (it != state.classes.end()) {
        found = it->second;
        return true;
    }
    auto system = SystemClasses().find(name);
    if (system == SystemClasses().end()) {
        return false;
    }
    found = system->second;
    return true;
}

std::shared_ptr<Window> AddWindow(const WindowClass& windowClass, DWORD style, DWORD exStyle, HWND parent,
                                  LONG_PTR id, HINSTANCE instance)
{
    auto window = std::make_shared<Window>();
    window->className = windowClass.name;
    window->procedure = windowClass.procedure;
    window->style = style;
    window->exStyle = exStyle;
    window->parent = parent;
    window->id = id;
    window->instance = instance;
    window->thread = std::this_thread::get_id();
    window->extra.assign(static_cast<size_t>(windowClass.windowExtra), 0);
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    window->handle = reinterpret_cast<HWND>(state.nextHandle);
    state.nextHandle += kWindowHandleStep;
    state.windows[window->handle] = window;
    return window;
}

void RemoveWindow(HWND handle)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    state.windows.erase(handle);
    if (state.focus == handle) {
        state.focus = nullptr;
    }
}

// A long of the window's extra bytes; false when the offset leaves the bytes.
bool ExtraSlot(Window& window, int index, LONG_PTR** slot)
{
    if (index < 0 || static_cast<size_t>(index) + sizeof(LONG_PTR) > window.extra.size()) {
        return false;
    }
    *slot = reinterpret_cast<LONG_PTR*>(window.extra.data() + index);
    return true;
}

}  // namespace

std::shared_ptr<Window> FindWindowRecord(HWND handle)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    auto it = state.windows.find(handle);
    if (it == state.windows.end()) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return it->second;
}

std::vector<std::shared_ptr<Window>> ChildrenOf(HWND parent)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    std::vector<std::shared_ptr<Window>> children;
    for (const auto& [handle, window] : state.windows) {  // handles grow with creation
        if (window->parent == parent) {
            children.push_back(window);
        }
    }
    return children;
}

std::vector<std::shared_ptr<Window>> AllWindows()
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    std::vector<std::shared_ptr<Window>> all;
    for (const auto& [handle, window] : state.windows) {
        all.push_back(window);
    }
    return all;
}

void RegisterSystemClass(const WindowClass& windowClass)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    SystemClasses()[windowClass.name] = windowClass;
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

ATOM WINAPI RegisterClassExW(const WNDCLASSEXW* lpwcx)
{
    if (lpwcx == nullptr || lpwcx->cbSize != sizeof(WNDCLASSEXW) || lpwcx->lpfnWndProc == nullptr ||
        lpwcx->lpszClassName == nullptr || lpwcx->cbWndExtra < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    WindowClass windowClass;
    windowClass.name = ClassNameFrom(lpwcx->lpszClassName);
    windowClass.procedure = lpwcx->lpfnWndProc;
    windowClass.windowExtra = lpwcx->cbWndExtra;
    windowClass.instance = lpwcx->hInstance;
    windowClass.background = lpwcx->hbrBackground;
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.classes.count(windowClass.name) != 0) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return 0;
    }
    state.classes[windowClass.name] = windowClass;
    return state.nextAtom++;
}

BOOL WINAPI UnregisterClassW(LPCWSTR lpClassName, HINSTANCE)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    if (state.classes.erase(ClassNameFrom(lpClassName)) == 0) {
        SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
        return FALSE;
    }
    return TRUE;
}

HWND WINAPI CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle, int X,
                            int Y, int nWidth, int nHeight, HWND hWndParent, HANDLE hMenu,
                            HINSTANCE hInstance, LPVOID lpParam)
{
    NIRASIM_FAIL_IF_INJECTED("CreateWindowExW", nullptr);
    WindowClass windowClass;
    if (!FindClass(ClassNameFrom(lpClassName), windowClass)) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    if (hWndParent != nullptr && !IsWindow(hWndParent)) {
        return nullptr;
    }
    auto window =
        AddWindow(windowClass, dwStyle, dwExStyle, hWndParent, reinterpret_cast<LONG_PTR>(hMenu), hInstance);
    window->text = WideFrom(lpWindowName);
    if (X == CW_USEDEFAULT) {
        X = Y = 0;
    }
    if (nWidth == CW_USEDEFAULT) {
        nWidth = kDefaultWindowWidth;
        nHeight = kDefaultWindowHeight;
    }
    window->rect = {X, Y, X + std::max(nWidth, 0), Y + std::max(nHeight, 0)};
    window->background = windowClass.background;
    CREATESTRUCTW create{
        lpParam,      hInstance,   hMenu,    hWndParent, nHeight, nWidth, Y, X, static_cast<LONG>(dwStyle),
        lpWindowName, lpClassName, dwExStyle};
    LPARAM createParam = reinterpret_cast<LPARAM>(&create);
    if (!SendMessageW(window->handle, WM_NCCREATE, 0, createParam) ||
        SendMessageW(window->handle, WM_CREATE, 0, createParam) == -1) {
        DestroyWindow(window->handle);
        return nullptr;
    }
    if ((dwStyle & WS_CHILD) == 0) {
        SendMessageW(window->handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(nWidth, nHeight));
    }
    return window->handle;
}

BOOL WINAPI DestroyWindow(HWND hWnd)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr || window->destroying) {
        return window != nullptr;
    }
    window->destroying = true;
    if (window->style & WS_VISIBLE) {
        SendMessageW(hWnd, WM_SHOWWINDOW, FALSE, 0);
    }
    SendMessageW(hWnd, WM_DESTROY, 0, 0);
    for (const auto& child : ChildrenOf(hWnd)) {
        DestroyWindow(child->handle);
    }
    SendMessageW(hWnd, WM_NCDESTROY, 0, 0);
    ForgetWindowSurface(hWnd);
    RemoveWindow(hWnd);
    return TRUE;
}

BOOL WINAPI IsWindow(HWND hWnd)
{
    return FindWindowRecord(hWnd) != nullptr;
}

HWND WINAPI GetParent(HWND hWnd)
{
    auto window = FindWindowRecord(hWnd);
    return window == nullptr ? nullptr : window->parent;
}

HWND WINAPI GetDlgItem(HWND hDlg, int nIDDlgItem)
{
    for (const auto& child : ChildrenOf(hDlg)) {
        if (child->id == nIDDlgItem) {
            return child->handle;
        }
    }
    SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    return nullptr;
}

int WINAPI GetDlgCtrlID(HWND hWnd)
{
    auto window = FindWindowRecord(hWnd);
    return window == nullptr ? 0 : static_cast<int>(window->id);
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND hWnd, int nIndex)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return 0;
    }
    LONG_PTR* slot = nullptr;
    switch (nIndex) {
    case GWL_STYLE:
        return window->style;
    case GWL_EXSTYLE:
        return window->exStyle;
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_ID:
        return window->id;
    case GWLP_USERDATA:
        return window->userData;
    default:
        if (ExtraSlot(*window, nIndex, &slot)) {
            return *slot;
        }
    }
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return 0;
    }
    LONG_PTR old = GetWindowLongPtrW(hWnd, nIndex);
    LONG_PTR* slot = nullptr;
    switch (nIndex) {
    case GWL_STYLE:
        window->style = static_cast<DWORD>(dwNewLong);
        break;
    case GWL_EXSTYLE:
        window->exStyle = static_cast<DWORD>(dwNewLong);
        break;
    case GWLP_WNDPROC:
        window->procedure = reinterpret_cast<WNDPROC>(dwNewLong);
        break;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(dwNewLong);
        break;
    case GWLP_ID:
        window->id = dwNewLong;
        break;
    case GWLP_USERDATA:
        window->userData = dwNewLong;
        break;
    default:
        if (!ExtraSlot(*window, nIndex, &slot)) {
            SetLastError(ERROR_INVALID_INDEX);
            return 0;
        }
        *slot = dwNewLong;
    }
    return old;
}

HWND WINAPI SetFocus(HWND hWnd)
{
    if (hWnd != nullptr && !IsWindow(hWnd)) {
        return nullptr;
    }
    WindowState& state = Windows();
    HWND previous = nullptr;
    {
        std::lock_guard<std::mutex> guard(state.lock);
        previous = state.focus;
        state.focus = hWnd;
    }
    if (previous == hWnd) {
        return previous;
    }
    if (previous != nullptr && IsWindow(previous)) {
        SendMessageW(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hWnd), 0);
    }
    if (hWnd != nullptr) {
        SendMessageW(hWnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND WINAPI GetFocus(void)
{
    WindowState& state = Windows();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.focus;
}

// Answers whether the window was disabled before, as Windows does.
BOOL WINAPI EnableWindow(HWND hWnd, BOOL bEnable)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    BOOL wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled == !bEnable) {
        return wasDisabled;
    }
    if (bEnable) {
        window->style &= ~static_cast<DWORD>(WS_DISABLED);
    } else {
        window->style |= WS_DISABLED;
        if (GetFocus() == hWnd) {
            SetFocus(nullptr);
        }
    }
    SendMessageW(hWnd, WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND hWnd)
{
    auto window = FindWindowRecord(hWnd);
    return window != nullptr && (window->style & WS_DISABLED) == 0;
}

// Answers whether the window was visible before.
BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow)
{
    auto window = FindWindowRecord(hWnd);
    if (window == nullptr) {
        return FALSE;
    }
    bool wasVisible = (window->style & WS_VISIBLE) != 0;
    bool show = nCmdShow != SW_HIDE;
    if (wasVisible != show) {
        SendMessageW(hWnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (show) {
            window->style |= WS_VISIBLE;
        } else {
            window->style &= ~static_cast<DWORD>(WS_VISIBLE);
        }
    }
    return wasVisible;
}

BOOL WINAPI IsWindowVisible(HWND hWnd)
{
    for (auto window = FindWindowRecord(hWnd); window != nullptr; window = FindWindowRecord(window->parent)) {
        if ((window->style & WS_VISIBLE) == 0) {
            return FALSE;
        }
        if (window->parent == nullptr || !(window->style & WS_CHILD)) {
            return TRUE;
        }
    }
    return FALSE;
}
