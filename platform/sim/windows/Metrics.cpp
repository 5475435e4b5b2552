// The simulated display's metrics and colours: 96 dpi, 1024 x 768, the classic colour scheme.
#include <windows.h>

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
constexpr int kScrollBarSize = 17;
constexpr int kMenuBarHeight = 19;
constexpr int kEdgeSize = 2;

struct SystemColor {
    int index;
    COLORREF color;
};

const SystemColor kSystemColors[] = {
    {COLOR_SCROLLBAR, RGB(200, 200, 200)},
    {COLOR_BACKGROUND, RGB(0, 0, 0)},
    {COLOR_WINDOW, RGB(255, 255, 255)},
    {COLOR_WINDOWTEXT, RGB(0, 0, 0)},
    {COLOR_INACTIVEBORDER, RGB(244, 247, 252)},
    {COLOR_HIGHLIGHT, RGB(51, 153, 255)},
    {COLOR_HIGHLIGHTTEXT, RGB(255, 255, 255)},
    {COLOR_BTNFACE, RGB(240, 240, 240)},
    {COLOR_BTNSHADOW, RGB(160, 160, 160)},
    {COLOR_GRAYTEXT, RGB(109, 109, 109)},
    {COLOR_BTNTEXT, RGB(0, 0, 0)},
};

}  // namespace

int WINAPI GetSystemMetrics(int nIndex)
{
    switch (nIndex) {
    case SM_CXSCREEN:
        return kScreenWidth;
    case SM_CYSCREEN:
        return kScreenHeight;
    case SM_CXVSCROLL:
    case SM_CYHSCROLL:
        return kScrollBarSize;
    case SM_CYMENU:
        return kMenuBarHeight;
    case SM_CXEDGE:
    case SM_CYEDGE:
        return kEdgeSize;
    default:
        return 0;
    }
}

DWORD WINAPI GetSysColor(int nIndex)
{
    for (const SystemColor& entry : kSystemColors) {
        if (entry.index == nIndex) {
            return entry.color;
        }
    }
    return 0;
}
