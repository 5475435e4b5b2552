// Single-line edit controls. WM_SETTEXT notifies EN_UPDATE and EN_CHANGE at once, as Windows'
// edit does (a test can turn that off to see code that relies on it); typed characters replace
// the selection within the text limit and notify the same way; focus changes notify
// EN_SETFOCUS and EN_KILLFOCUS.
#include "controls/Controls.h"

#include "core/MachineState.h"

#include <nirasim/Windows.h>

#include <algorithm>
#include <atomic>

namespace nirasim::sim {
namespace {

constexpr WCHAR kBackspace = 8;

std::atomic<bool> g_changeOnSetText{true};

ResetHook resetEditNotifications([] { g_changeOnSetText = true; });

void ClampSelection(EditExtension& state, size_t length)
{
    state.selectionStart = std::min<DWORD>(state.selectionStart, static_cast<DWORD>(length));
    state.selectionEnd = std::min<DWORD>(state.selectionEnd, static_cast<DWORD>(length));
    if (state.selectionStart > state.selectionEnd) {
        std::swap(state.selectionStart, state.selectionEnd);
    }
}

void TypeCharacter(HWND edit, EditExtension& state, WCHAR character)
{
    auto window = FindWindowRecord(edit);
    ClampSelection(state, window->text.size());
    std::u16string text = window->text;
    if (character == kBackspace) {
        if (state.selectionStart == state.selectionEnd && state.selectionStart > 0) {
            --state.selectionStart;
        }
        text.erase(state.selectionStart, state.selectionEnd - state.selectionStart);
        state.selectionEnd = state.selectionStart;
    } else {
        bool digitsOnly = (window->style & ES_NUMBER) != 0;
        if (digitsOnly && (character < u'0' || character > u'9')) {
            return;
        }
        if (text.size() - (state.selectionEnd - state.selectionStart) >= state.limit) {
            NotifyParent(edit, EN_MAXTEXT);
            return;
        }
        text.replace(state.selectionStart, state.selectionEnd - state.selectionStart, 1, character);
        state.selectionEnd = ++state.selectionStart;
    }
    window->text = text;
    NotifyParent(edit, EN_UPDATE);
    NotifyParent(edit, EN_CHANGE);
}

LRESULT CALLBACK EditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto state = ControlState<EditExtension>(edit);
    if (state == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(edit, message, wParam, lParam);
        state->selectionStart = state->selectionEnd = 0;
        if (g_changeOnSetText) {
            NotifyParent(edit, EN_UPDATE);
            NotifyParent(edit, EN_CHANGE);
        }
        return result;
    }
    case WM_CHAR:
        TypeCharacter(edit, *state, static_cast<WCHAR>(wParam));
        return 0;
    case WM_PAINT:
        PaintEdit(edit);
        return 0;
    case EM_LIMITTEXT:
        state->limit = wParam == 0 ? 0x7FFFFFFE : static_cast<UINT>(wParam);
        return 0;
    case EM_GETLIMITTEXT:
        return state->limit;
    case EM_SETSEL: {
        LONG length = GetWindowTextLengthW(edit);
        LONG start = static_cast<LONG>(wParam);
        LONG end = static_cast<LONG>(lParam);
        if (start == -1) {
            start = end = 0;
        }
        state->selectionStart = static_cast<DWORD>(start < 0 || start > length ? length : start);
        state->selectionEnd = static_cast<DWORD>(end < 0 || end > length ? length : end);
        ClampSelection(*state, static_cast<size_t>(length));
        return 0;
    }
    case EM_GETSEL:
        if (wParam != 0) {
            *reinterpret_cast<DWORD*>(wParam) = state->selectionStart;
        }
        if (lParam != 0) {
            *reinterpret_cast<DWORD*>(lParam) = state->selectionEnd;
        }
        return MAKELONG(state->selectionStart, state->selectionEnd);
    case WM_SETFOCUS:
        NotifyParent(edit, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        NotifyParent(edit, EN_KILLFOCUS);
        return 0;
    default:
        return DefWindowProcW(edit, message, wParam, lParam);
    }
}

SystemClass editClass(u"Edit", EditProc);

}  // namespace
}  // namespace nirasim::sim

namespace nirasim {

void SetEditChangeOnSetText(bool notifies)
{
    sim::g_changeOnSetText = notifies;
}

}  // namespace nirasim
