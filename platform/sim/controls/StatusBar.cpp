// Status bars: parts with texts along the bottom of the parent; WM_SIZE puts the bar back there.
#include <commctrl.h>

#include "controls/Controls.h"
#include "core/Wide.h"

#include <nirasim/Windows.h>

namespace nirasim::sim {
namespace {

constexpr int kStatusHeight = 22;
constexpr int kMostParts = 256;

struct StatusExtension : WindowExtension {
    std::vector<int> edges = {-1};
    std::vector<std::u16string> texts = {u""};
};

void SitAtTheBottom(HWND bar)
{
    RECT parent = {};
    GetClientRect(GetParent(bar), &parent);
    MoveWindow(bar, 0, parent.bottom - kStatusHeight, parent.right, kStatusHeight, FALSE);
}

LRESULT CALLBACK StatusProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto status = ControlState<StatusExtension>(bar);
    if (status == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_SIZE:
        SitAtTheBottom(bar);
        return 0;
    case SB_SETPARTS: {
        const auto* edges = reinterpret_cast<const int*>(lParam);
        if (edges == nullptr || wParam == 0 || wParam > kMostParts) {
            return FALSE;
        }
        status->edges.assign(edges, edges + wParam);
        status->texts.resize(wParam);
        return TRUE;
    }
    case SB_GETPARTS: {
        auto* edges = reinterpret_cast<int*>(lParam);
        for (size_t i = 0; edges != nullptr && i < wParam && i < status->edges.size(); ++i) {
            edges[i] = status->edges[i];
        }
        return static_cast<LRESULT>(status->edges.size());
    }
    case SB_SETTEXTW: {
        size_t part = LOBYTE(LOWORD(wParam));
        if (part >= status->texts.size()) {
            return FALSE;
        }
        status->texts[part] = WideFrom(reinterpret_cast<LPCWSTR>(lParam));
        return TRUE;
    }
    case SB_GETTEXTLENGTHW:
    case SB_GETTEXTW: {
        size_t part = LOWORD(wParam);
        if (part >= status->texts.size()) {
            return 0;
        }
        const std::u16string& text = status->texts[part];
        if (message == SB_GETTEXTW && lParam != 0) {
            auto* out = reinterpret_cast<WCHAR*>(lParam);
            std::copy(text.begin(), text.end(), out);
            out[text.size()] = 0;
        }
        return static_cast<LRESULT>(text.size());
    }
    default:
        return DefWindowProcW(bar, message, wParam, lParam);
    }
}

SystemClass statusClass(u"msctls_statusbar32", StatusProc);

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

HWND WINAPI CreateStatusWindowW(LONG style, LPCWSTR lpszText, HWND hwndParent, UINT wID)
{
    HWND bar =
        CreateWindowExW(0, STATUSCLASSNAMEW, lpszText, static_cast<DWORD>(style) | WS_CHILD, 0, 0, 0, 0,
                        hwndParent, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(wID)), nullptr, nullptr);
    if (bar != nullptr) {
        SitAtTheBottom(bar);
    }
    return bar;
}

namespace nirasim {

std::u16string StatusText(HWND bar, int part)
{
    auto status = ExtensionOf<StatusExtension>(bar);
    if (status == nullptr || part < 0 || static_cast<size_t>(part) >= status->texts.size()) {
        return std::u16string();
    }
    return status->texts[static_cast<size_t>(part)];
}

std::vector<int> StatusParts(HWND bar)
{
    auto status = ExtensionOf<StatusExtension>(bar);
    return status == nullptr ? std::vector<int>() : status->edges;
}

}  // namespace nirasim
