// Each control paints itself plainly, in the classic colours, so that a dialog can be looked at as
// a picture: a frame, a face, its text and its state (check marks, the selection, the thumb).
// Owner-drawn controls ask their parent to draw with WM_DRAWITEM as Windows' do.
#include "controls/Controls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace nirasim::sim {
namespace {

constexpr int kBoxSize = 13;
constexpr int kTextGap = 4;
constexpr int kArrowBoxWidth = 17;
constexpr int kThumbSize = 10;
constexpr int kTrackThickness = 4;

// The paint DC of a control with its classic font selected, released at the end of the scope.
class PaintScope {
public:
    explicit PaintScope(HWND control) : m_control(control)
    {
        m_dc = BeginPaint(control, &m_paint);
        GetClientRect(control, &m_client);
        if (m_dc != nullptr) {
            SetBkMode(m_dc, TRANSPARENT);
            SetTextColor(m_dc, GetSysColor(IsWindowEnabled(control) ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
        }
    }
    ~PaintScope()
    {
        if (m_dc != nullptr) {
            EndPaint(m_control, &m_paint);
        }
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return m_dc; }
    const RECT& Client() const { return m_client; }

private:
    HWND m_control;
    PAINTSTRUCT m_paint{};
    HDC m_dc = nullptr;
    RECT m_client{};
};

void Fill(HDC dc, const RECT& area, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

void Frame(HDC dc, const RECT& area, COLORREF color)
{
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &area, brush);
    DeleteObject(brush);
}

std::u16string TextOf(HWND control)
{
    auto window = FindWindowRecord(control);
    return window == nullptr ? std::u16string() : window->text;
}

void Text(HDC dc, const std::u16string& text, RECT area, UINT format)
{
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &area,
              format | DT_SINGLELINE | DT_VCENTER);
}

// A static's text as Windows lays it out: the left, centred and right types wrap between words
// from the top; the simple and no-wrap types keep one line; a centred image centres it vertically.
UINT StaticTextFormat(DWORD style)
{
    const DWORD type = style & SS_TYPEMASK;
    UINT format = type == SS_CENTER ? DT_CENTER : type == SS_RIGHT ? DT_RIGHT : DT_LEFT;
    if (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT) {
        format |= DT_WORDBREAK;
    } else {
        format |= DT_SINGLELINE;
    }
    if (style & SS_CENTERIMAGE) {
        format = (format & ~DT_WORDBREAK) | DT_SINGLELINE | DT_VCENTER;
    }
    if (style & SS_NOPREFIX) {
        format |= DT_NOPREFIX;
    }
    return format;
}

LRESULT AskParentToDraw(HWND control, UINT type, int item, UINT state, HDC dc, const RECT& area)
{
    DRAWITEMSTRUCT draw{};
    draw.CtlType = type;
    draw.CtlID = static_cast<UINT>(GetDlgCtrlID(control));
    draw.itemID = static_cast<UINT>(item);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState =
        state | (IsWindowEnabled(control) ? 0 : ODS_DISABLED) | (GetFocus() == control ? ODS_FOCUS : 0);
    draw.hwndItem = control;
    draw.hDC = dc;
    draw.rcItem = area;
    return SendMessageW(GetParent(control), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
}

void PaintCheckMark(HDC dc, const RECT& box, bool round, UINT check)
{
    Fill(dc, box, GetSysColor(COLOR_WINDOW));
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    if (round) {
        Ellipse(dc, box.left, box.top, box.right, box.bottom);
    } else {
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
    }
    if (check != BST_UNCHECKED) {
        RECT mark{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3};
        Fill(dc, mark, GetSysColor(check == BST_CHECKED ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

}  // namespace

void PaintButton(HWND button, const ButtonExtension& state)
{
    PaintScope paint(button);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    RECT area = paint.Client();
    DWORD type = StyleOf(button) & BS_TYPEMASK;
    std::u16string text = TextOf(button);
    switch (type) {
    case BS_OWNERDRAW:
        AskParentToDraw(button, ODT_BUTTON, 0, state.check == BST_CHECKED ? ODS_CHECKED : 0, dc, area);
        return;
    case BS_GROUPBOX:
        Frame(dc, {area.left, area.top + kTextGap * 2, area.right, area.bottom},
              GetSysColor(COLOR_BTNSHADOW));
        Text(dc, text, {area.left + kTextGap * 2, area.top, area.right, area.top + kTextGap * 4}, DT_LEFT);
        return;
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON: {
        bool round = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
        int top = (area.bottom - kBoxSize) / 2;
        PaintCheckMark(dc, {0, top, kBoxSize, top + kBoxSize}, round, state.check);
        Text(dc, text, {kBoxSize + kTextGap, area.top, area.right, area.bottom}, DT_LEFT);
        return;
    }
    default:
        Fill(dc, area, GetSysColor(COLOR_BTNFACE));
        Frame(dc, area, GetSysColor(type == BS_DEFPUSHBUTTON ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
        if (state.image != nullptr) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(source, state.image);
            BitBlt(dc, 1, 1, area.right - 2, area.bottom - 2, source, 0, 0, SRCCOPY);
            SelectObject(source, old);
            DeleteDC(source);
        } else {
            Text(dc, text, area, DT_CENTER);
        }
    }
}

namespace {

void PaintEditLike(HDC dc, const RECT& area, const std::u16string& text, bool enabled)
{
    Fill(dc, area, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    Frame(dc, area, GetSysColor(COLOR_BTNSHADOW));
    Text(dc, text, {area.left + 2, area.top, area.right - 2, area.bottom}, DT_LEFT | DT_NOPREFIX);
}

void PaintArrowBox(HDC dc, const RECT& box, bool up)
{
    Fill(dc, box, GetSysColor(COLOR_BTNFACE));
    Frame(dc, box, GetSysColor(COLOR_BTNSHADOW));
    int middle = (box.left + box.right) / 2;
    int centre = (box.top + box.bottom) / 2;
    POINT arrow[3] = {{middle - 3, up ? centre + 2 : centre - 2},
                      {middle + 4, up ? centre + 2 : centre - 2},
                      {middle, up ? centre - 2 : centre + 2}};
    HBRUSH brush = CreateSolidBrush(GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, arrow, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

}  // namespace

void PaintStatic(HWND control, HANDLE image)
{
    PaintScope paint(control);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    RECT area = paint.Client();
    DWORD type = StyleOf(control) & SS_TYPEMASK;
    if (type == SS_OWNERDRAW) {
        AskParentToDraw(control, ODT_STATIC, 0, 0, dc, area);
        return;
    }
    Fill(dc, area, GetSysColor(COLOR_BTNFACE));
    if (type == SS_BITMAP && image != nullptr) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, image);
        BitBlt(dc, 0, 0, area.right, area.bottom, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    std::u16string text = TextOf(control);
    DrawTextW(dc, reinterpret_cast<LPCWSTR>(text.c_str()), static_cast<int>(text.size()), &area,
              StaticTextFormat(StyleOf(control)));
}

void PaintEdit(HWND edit)
{
    PaintScope paint(edit);
    if (paint.Dc() != nullptr) {
        PaintEditLike(paint.Dc(), paint.Client(), TextOf(edit), IsWindowEnabled(edit));
    }
}

void PaintCombo(HWND combo, const ComboExtension& state)
{
    PaintScope paint(combo);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    RECT area = paint.Client();
    RECT field{area.left, area.top, area.right - kArrowBoxWidth, area.bottom};
    DWORD style = StyleOf(combo);
    if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
        Fill(dc, field, GetSysColor(COLOR_WINDOW));
        AskParentToDraw(combo, ODT_COMBOBOX, state.selection, ODS_COMBOBOXEDIT, dc,
                        {field.left + 1, field.top + 1, field.right - 1, field.bottom - 1});
        Frame(dc, field, GetSysColor(COLOR_BTNSHADOW));
    } else {
        PaintEditLike(dc, field, TextOf(combo), IsWindowEnabled(combo));
    }
    PaintArrowBox(dc, {area.right - kArrowBoxWidth, area.top, area.right, area.bottom}, false);
}

void PaintList(HWND list, const ListExtension& state)
{
    PaintScope paint(list);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    RECT area = paint.Client();
    Fill(dc, area, GetSysColor(COLOR_WINDOW));
    bool ownerDrawn = (StyleOf(list) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0;
    for (int row = 0; row < state.items.Count() && row * state.itemHeight < area.bottom; ++row) {
        RECT line{area.left + 1, row * state.itemHeight, area.right - 1, (row + 1) * state.itemHeight};
        bool selected = row == state.selection;
        if (ownerDrawn) {
            AskParentToDraw(list, ODT_LISTBOX, row, selected ? ODS_SELECTED : 0, dc, line);
            continue;
        }
        if (selected) {
            Fill(dc, line, GetSysColor(COLOR_HIGHLIGHT));
        }
        SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        Text(dc, state.items.At(row)->text, {line.left + 2, line.top, line.right, line.bottom},
             DT_LEFT | DT_NOPREFIX);
    }
    Frame(dc, area, GetSysColor(COLOR_BTNSHADOW));
}

// Scroll bars and track bars: a track with a thumb at the position's share of the range.
void PaintRange(HWND control, const RangeExtension& state, bool trackBar)
{
    PaintScope paint(control);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    RECT area = paint.Client();
    int span = std::max(1, std::abs(state.maximum - state.minimum));
    int share = std::abs(state.position - std::min(state.minimum, state.maximum));
    Fill(dc, area, GetSysColor(trackBar ? COLOR_BTNFACE : COLOR_SCROLLBAR));
    int travel = std::max(0, static_cast<int>(area.right) - kThumbSize);
    int left = travel * share / span;
    if (trackBar) {
        int middle = (area.top + area.bottom) / 2;
        Fill(dc,
             {area.left + kThumbSize / 2, middle - kTrackThickness / 2, area.right - kThumbSize / 2,
              middle + kTrackThickness / 2},
             GetSysColor(COLOR_BTNSHADOW));
    }
    RECT thumb{left, area.top, left + kThumbSize, area.bottom};
    Fill(dc, thumb, GetSysColor(COLOR_BTNFACE));
    Frame(dc, thumb, GetSysColor(COLOR_BTNTEXT));
}

void PaintUpDown(HWND upDown)
{
    PaintScope paint(upDown);
    HDC dc = paint.Dc();
    if (dc == nullptr) {
        return;
    }
    RECT area = paint.Client();
    int middle = (area.top + area.bottom) / 2;
    PaintArrowBox(dc, {area.left, area.top, area.right, middle}, true);
    PaintArrowBox(dc, {area.left, middle, area.right, area.bottom}, false);
}

// The dialog's own face.
void PaintDialogFace(HWND dialog)
{
    PaintScope paint(dialog);
    if (paint.Dc() != nullptr) {
        Fill(paint.Dc(), paint.Client(), GetSysColor(COLOR_BTNFACE));
    }
}

}  // namespace nirasim::sim
