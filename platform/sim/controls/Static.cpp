// Static controls: a text, or a bitmap set with STM_SETIMAGE.
#include "controls/Controls.h"

namespace nirasim::sim {
namespace {

struct StaticExtension : WindowExtension {
    HANDLE image = nullptr;
};

LRESULT CALLBACK StaticProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<StaticExtension>(control);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_PAINT:
        PaintStatic(control, state->image);
        return 0;
    case STM_GETIMAGE:
        return reinterpret_cast<LRESULT>(state->image);
    case STM_SETIMAGE: {
        HANDLE old = state->image;
        state->image = reinterpret_cast<HANDLE>(lParam);
        return reinterpret_cast<LRESULT>(old);
    }
    default:
        return DefWindowProcW(control, message, wParam, lParam);
    }
}

SystemClass staticClass(u"Static", StaticProc);

}  // namespace
}  // namespace nirasim::sim
