#include "printpreviewer/PreviewWindow.h"

#include <commctrl.h>
#include <strsafe.h>
#include <winspool.h>

#include <algorithm>
#include <iterator>

#include "common/ScopedResources.h"
#include "printpreviewer/PreviewTexts.h"
#include "printpreviewer/Rulers.h"
#include "printpreviewer/SaveTarget.h"

namespace {

// The window thread takes the attach through this message.
constexpr UINT kAttachDocument = WM_USER + 100;
constexpr int kTextChars = 256;
constexpr int kMenuTextChars = 260;
constexpr UINT kDroppedPathChars = MAX_PATH;
constexpr UINT kIconId = 22;
constexpr UINT kButtonsBitmapId = 21;
constexpr int kButtonsBitmapImageWidth = 16;
constexpr int kStandardImages = 11;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 30;
constexpr int kAddedImageBase = 100;  // image numbers from 100 are the module's own images
constexpr DWORD kToolbarStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS | CCS_ADJUSTABLE;
constexpr DWORD kExtraExtendedStyle = 0x1000;
constexpr int kZoomBoxGap = 8;
constexpr int kZoomBoxHeight = 150;
constexpr int kZoomBoxWidthFactor = 8;
constexpr int kZoomBoxWidthFactorInk = 4;
constexpr int kZoomTwoPagesEntry = 10;
constexpr LONG kRulerExtra = 3;
constexpr LONG kStatusRightGap = 60;
constexpr LONG kStatusGripGap = 20;
constexpr DWORD kColorToolCreationFlags = 0x20000;
constexpr size_t kCommandLineChars = 256;

// Driver texts.
constexpr UINT kTextFileMenu = 4340;
constexpr UINT kTextPrintTo = 4341;
constexpr UINT kTextCancelPrinting = 4342;
constexpr UINT kTextSaveAs = 4344;
constexpr UINT kTextExit = 4345;
constexpr UINT kTextViewMenu = 4346;
constexpr UINT kTextZoomMenu = 4347;
constexpr UINT kTextFirstZoomItem = 4348;
constexpr UINT kTextCancel = 4361;
constexpr UINT kTextSave = 4362;
constexpr UINT kTextFirstPage = 4363;
constexpr UINT kTextPreviousPage = 4364;
constexpr UINT kTextNextPage = 4365;
constexpr UINT kTextLastPage = 4366;
constexpr UINT kTextFirstZoomEntry = 4367;
constexpr UINT kTextPrint = 4616;
constexpr UINT kTextInkNotice = 6824;
constexpr UINT kTextInkGroup = 6825;
constexpr UINT kTextInkCancel = 6826;
const WCHAR kInkNotice[] = TEXT(
    "If you\u2019re not satisfied with the results shown here, please click the following Cancel button to "
    "cancel "
    "this job and  return to the color utility to adjust your settings.");
const WCHAR kInkGroup[] = TEXT("Specialty ink options");
const WCHAR kInkCancel[] = TEXT("Cancel >>");
const WCHAR kColorToolName[] = TEXT("\\niracolor.exe");
const WCHAR kNameMarker[] = TEXT("%s");

// Specialty-ink controls, from the zoom box's right edge.
struct ChildPlace {
    int x;
    int y;
    int width;
    int height;
};
constexpr ChildPlace kInkGroupPlace = {10, -3, 520, 42};
constexpr ChildPlace kInkNoticePlace = {15, 11, 420, 27};
constexpr ChildPlace kInkButtonPlace = {440, 10, 70, 23};

const TBBUTTON kButtons[] = {
    {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
    {kAddedImageBase + 4, kPrint, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    {STD_DELETE, kCancelPrinting, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
    {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
    {STD_FILESAVE, kSaveAs, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
    {kAddedImageBase + 0, kFirstPage, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    {kAddedImageBase + 1, kPreviousPage, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    {kAddedImageBase + 2, kNextPage, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
    {kAddedImageBase + 3, kLastPage, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
};
constexpr int kLastButton = 10;

struct ZoomCommand {
    UINT command;
    LONG mode;
    LONG percent;
};
const ZoomCommand kZooms[] = {
    {23, 1, 1000}, {24, 1, 500}, {25, 1, 250}, {26, 1, 125}, {27, 1, 100}, {28, 1, 50},
    {29, 1, 25},   {30, 1, 10},  {31, 2, 0},   {32, 3, 0},   {33, 4, 0},
};

struct Tooltip {
    UINT command;
    UINT text;
};
const Tooltip kTooltips[] = {
    {kCancelPrinting, kTextCancel},     {kSaveAs, kTextSave},       {kPrint, kTextPrint},
    {kPreviousPage, kTextPreviousPage}, {kNextPage, kTextNextPage}, {kLastPage, kTextLastPage},
    {kFirstPage, kTextFirstPage},
};

struct MenuLabel {
    UINT command;
    UINT text;
};
const MenuLabel kMenuLabels[] = {
    {kCancelPrinting, kTextCancelPrinting},
    {kSaveAs, kTextSaveAs},
    {kExit, kTextExit},
};

const ZoomCommand* ZoomOf(UINT command)
{
    for (const ZoomCommand& zoom : kZooms) {
        if (zoom.command == command) {
            return &zoom;
        }
    }
    return nullptr;
}

// The text with its first "%s" replaced by the name; the name is never read as a format.
void PutNameInto(LPCWSTR text, LPCWSTR name, LPWSTR out, size_t chars)
{
    const WCHAR* marker = wcsstr(text, kNameMarker);
    if (marker == nullptr) {
        StringCchPrintfW(out, chars, TEXT("%s%s"), text, name);
        return;
    }
    WCHAR front[kMenuTextChars] = {};
    StringCchCopyNW(front, kMenuTextChars, text, static_cast<size_t>(marker - text));
    StringCchPrintfW(out, chars, TEXT("%s%s%s"), front, name, marker + lstrlenW(kNameMarker));
}

}  // namespace

struct CNiraPreviewWindow::Attach {
    CNiraPreviewDocument* document;
    LPCWSTR printerName;
    HMODULE module;
    CNiraPreviewDocument* previous;
};

CNiraPreviewWindow::CNiraPreviewWindow(bool inchRulers, bool specialtyInk, LPCWSTR colorToolArgument)
    : m_specialtyInk(specialtyInk), m_inchRulers(inchRulers)
{
    InitializeCriticalSection(&m_saveLock);
    if (colorToolArgument != nullptr) {
        StringCchCopyNW(m_colorToolArgument, ARRAYSIZE(m_colorToolArgument), colorToolArgument,
                        ARRAYSIZE(m_colorToolArgument) - 1);
    }
}

CNiraPreviewWindow::~CNiraPreviewWindow()
{
    DeleteCriticalSection(&m_saveLock);
}

CNiraPreviewDocument* CNiraPreviewWindow::AttachDocument(CNiraPreviewDocument* document, LPCWSTR printerName,
                                                         HMODULE module)
{
    // Without a window (the user closed it first) nothing is attached.
    Attach attach = {document, printerName, module, nullptr};
    SendMessageW(m_window, kAttachDocument, 0, reinterpret_cast<LPARAM>(&attach));
    return attach.previous;
}

void CNiraPreviewWindow::OnAttach(Attach& attach)
{
    attach.previous = m_document;
    m_document = attach.document;
    m_inchRulers = true;
    m_canvas.TakeDocument(attach.document, attach.module);
    if (attach.document != nullptr && attach.document->Binding() != PreviewBinding::kNone &&
        !m_twoSidedZoomApplied) {
        m_twoSidedZoomApplied = true;
        m_selectedZoom = kZoomTwoPages;
        m_canvas.SetZoom(static_cast<LONG>(CanvasZoomMode::kTwoPages), 0);
        SendMessageW(m_zoomBox, CB_SETCURSEL, kZoomTwoPagesEntry, 0);
    }
    WCHAR title[kTextChars * 2 + 4] = {};
    WCHAR printer[kTextChars] = {};
    if (attach.printerName != nullptr) {
        StringCchCopyNW(printer, kTextChars, attach.printerName, kTextChars - 1);
    }
    LPCWSTR documentName = attach.document != nullptr ? attach.document->Header().documentName : TEXT("");
    StringCchPrintfW(title, ARRAYSIZE(title), TEXT("%s - %s"), printer, documentName);
    SetWindowTextW(m_window, title);
    // "Print to <printer>": the library's text, else the menu's own, with the printer's name.
    WCHAR printTo[kMenuTextChars] = {};
    WCHAR item[kMenuTextChars] = {};
    HMENU fileMenu = GetSubMenu(m_menu, 0);
    if (fileMenu != nullptr && (LoadDriverText(kTextPrintTo, printTo, kMenuTextChars) != 0 ||
                                GetMenuStringW(fileMenu, 0, printTo, kMenuTextChars, MF_BYPOSITION) != 0)) {
        PutNameInto(printTo, printer, item, kMenuTextChars);
        ModifyMenuW(fileMenu, 0, MF_BYPOSITION | MF_STRING, kPrint, item);
    }
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, kPrint, TRUE);
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, kCancelPrinting, TRUE);
    RelabelMenus();
    for (UINT command : {kPrint, kCancelPrinting, kExit}) {
        EnableMenuItem(m_menu, command, MF_BYCOMMAND | MF_ENABLED);
    }
    DrawMenuBar(m_window);
    UpdatePageButtons();
    InvalidateRect(m_canvas.Window(), nullptr, TRUE);
    m_canvas.UpdateScrollRanges();
}

void CNiraPreviewWindow::RelabelMenus()
{
    if (m_menu == nullptr) {
        return;
    }
    WCHAR text[kTextChars] = {};
    for (const MenuLabel& label : kMenuLabels) {
        if (LoadDriverText(label.text, text, kTextChars) != 0) {
            ModifyMenuW(m_menu, label.command, MF_BYCOMMAND | MF_STRING, label.command, text);
        }
    }
    const struct {
        HMENU menu;
        int position;
        UINT text;
    } titles[] = {
        {m_menu, 0, kTextFileMenu}, {m_menu, 1, kTextViewMenu}, {GetSubMenu(m_menu, 1), 0, kTextZoomMenu}};
    for (const auto& title : titles) {
        HMENU submenu = GetSubMenu(title.menu, title.position);
        if (submenu != nullptr && LoadDriverText(title.text, text, kTextChars) != 0) {
            ModifyMenuW(title.menu, static_cast<UINT>(title.position), MF_BYPOSITION | MF_POPUP,
                        reinterpret_cast<UINT_PTR>(submenu), text);
        }
    }
    for (UINT command = kZoom1000; command <= kZoomTwoPages; ++command) {
        if (LoadDriverText(kTextFirstZoomItem + command - kZoom1000, text, kTextChars) != 0) {
            ModifyMenuW(m_menu, command, MF_BYCOMMAND | MF_STRING, command, text);
        }
    }
}

void CNiraPreviewWindow::OnCreate(HWND window)
{
    m_window = window;
    InitCommonControls();
    SendMessageW(window, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(m_module, MAKEINTRESOURCEW(kIconId))));
    m_menu = GetMenu(window);
    m_zoomMenu = GetSubMenu(GetSubMenu(m_menu, 1), 0);
    BuildToolbar();
    m_statusBar = CreateStatusWindowW(WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, TEXT(""), window, kStatusBarId);
    RECT canvas = {};
    Layout(canvas);
    m_canvas.SetFrame(window, &m_statusBar);
    m_canvas.Create(TEXT("Canvas"), WS_EX_CLIENTEDGE, TEXT("Canvas"), WS_CHILD | WS_VISIBLE, canvas.left,
                    canvas.top, canvas.right - canvas.left, canvas.bottom - canvas.top, window, nullptr,
                    m_module);
    DragAcceptFiles(window, TRUE);
}

// A file dropped on the preview is printed by the program registered for it; of several dropped
// files only the first.
void CNiraPreviewWindow::OnDropFiles(HDROP drop)
{
    WCHAR file[kDroppedPathChars] = {};
    if (DragQueryFileW(drop, 0, file, kDroppedPathChars) != 0) {
        OutputDebugStringW(file);
        OutputDebugStringW(TEXT("\n"));
        ShellExecuteW(m_window, TEXT("print"), file, nullptr, nullptr, SW_HIDE);
    }
    DragFinish(drop);
}

void CNiraPreviewWindow::BuildToolbar()
{
    m_toolbar =
        CreateToolbarEx(m_window, kToolbarStyle, kToolbarId, kStandardImages, HINST_COMMCTRL,
                        IDB_STD_SMALL_COLOR, nullptr, 0, kButtonWidth, kButtonHeight, 0, 0, sizeof(TBBUTTON));
    if (m_toolbar == nullptr) {
        return;
    }
    HBITMAP images = CreateMappedBitmap(m_module, kButtonsBitmapId, 0, nullptr, 0);
    BITMAP info = {};
    int count = images != nullptr && GetObjectW(images, sizeof(info), &info) != 0
                    ? info.bmWidth / kButtonsBitmapImageWidth
                    : 0;
    TBADDBITMAP added = {nullptr, reinterpret_cast<UINT_PTR>(images)};
    auto first = static_cast<int>(
        SendMessageW(m_toolbar, TB_ADDBITMAP, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(&added)));
    TBBUTTON buttons[ARRAYSIZE(kButtons)];
    std::copy(std::begin(kButtons), std::end(kButtons), buttons);
    for (TBBUTTON& button : buttons) {
        if (button.iBitmap >= kAddedImageBase) {
            button.iBitmap = first + button.iBitmap - kAddedImageBase;
        }
    }
    SendMessageW(m_toolbar, TB_ADDBUTTONSW, ARRAYSIZE(buttons), reinterpret_cast<LPARAM>(buttons));
    DWORD style = static_cast<DWORD>(SendMessageW(m_toolbar, TB_GETEXTENDEDSTYLE, 0, 0));
    SendMessageW(m_toolbar, TB_SETEXTENDEDSTYLE, 0, style | kExtraExtendedStyle);
    LabelPrintAndCancel();
    BuildZoomBox();
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
}

void CNiraPreviewWindow::LabelPrintAndCancel()
{
    RECT last = {};
    SendMessageW(m_toolbar, TB_GETITEMRECT, kLastButton, reinterpret_cast<LPARAM>(&last));
    HDC dc = GetDC(m_toolbar);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(m_toolbar, WM_GETFONT, 0, 0)));
    for (const auto& label : {Tooltip{kPrint, kTextPrint}, Tooltip{kCancelPrinting, kTextCancel}}) {
        WCHAR text[kTextChars] = {};
        LoadDriverTextOr(label.text, label.command == kPrint ? TEXT("Print") : TEXT("Cancel"), text,
                         kTextChars);
        SIZE size = {};
        GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_TEXT | TBIF_SIZE;
        info.cx = static_cast<WORD>(last.right - last.left + 1 + size.cx);
        info.pszText = text;
        SendMessageW(m_toolbar, TB_SETBUTTONINFOW, label.command, reinterpret_cast<LPARAM>(&info));
    }
    if (previous != nullptr) {
        SelectObject(dc, previous);
    }
    ReleaseDC(m_toolbar, dc);
}

void CNiraPreviewWindow::BuildZoomBox()
{
    RECT last = {};
    SendMessageW(m_toolbar, TB_GETITEMRECT, kLastButton, reinterpret_cast<LPARAM>(&last));
    int width = (last.right - last.left) * (m_specialtyInk ? kZoomBoxWidthFactorInk : kZoomBoxWidthFactor);
    m_zoomBox =
        CreateWindowExW(0, TEXT("ComboBox"), nullptr, WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL,
                        last.right + kZoomBoxGap, last.top - 1, width, kZoomBoxHeight, m_toolbar,
                        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kZoomBoxId)), m_module, nullptr);
    if (m_zoomBox == nullptr) {
        return;
    }
    SendMessageW(m_zoomBox, WM_SETFONT, SendMessageW(m_toolbar, WM_GETFONT, 0, 0), FALSE);
    int items = GetMenuItemCount(m_zoomMenu);
    for (int position = 0; position < items; ++position) {
        WCHAR text[kTextChars] = {};
        if (LoadDriverText(kTextFirstZoomEntry + static_cast<UINT>(position), text, kTextChars) == 0) {
            GetMenuStringW(m_zoomMenu, static_cast<UINT>(position), text, kTextChars, MF_BYPOSITION);
        }
        SendMessageW(m_zoomBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        if (GetMenuItemID(m_zoomMenu, position) == m_selectedZoom) {
            SendMessageW(m_zoomBox, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        }
    }
    if (m_specialtyInk) {
        BuildSpecialtyInkNotice(last.right + kZoomBoxGap + width);
    }
}

void CNiraPreviewWindow::BuildSpecialtyInkNotice(LONG left)
{
    auto font = static_cast<WPARAM>(SendMessageW(m_toolbar, WM_GETFONT, 0, 0));
    const struct {
        LPCWSTR windowClass;
        DWORD style;
        ChildPlace place;
        UINT text;
        LPCWSTR fallback;
        UINT id;
    } children[] = {
        {TEXT("Button"), WS_CHILD | WS_VISIBLE | BS_GROUPBOX, kInkGroupPlace, kTextInkGroup, kInkGroup, 0},
        {TEXT("Static"), WS_CHILD | WS_VISIBLE, kInkNoticePlace, kTextInkNotice, kInkNotice, 0},
        {TEXT("Button"), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, kInkButtonPlace, kTextInkCancel, kInkCancel,
         kBackToColorTool},
    };
    for (const auto& child : children) {
        WCHAR text[kTextChars] = {};
        LoadDriverTextOr(child.text, child.fallback, text, kTextChars);
        HWND control =
            CreateWindowExW(0, child.windowClass, text, child.style, left + child.place.x, child.place.y,
                            child.place.width, child.place.height, m_toolbar,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(child.id)), m_module, nullptr);
        SendMessageW(control, WM_SETFONT, font, FALSE);
    }
}

void CNiraPreviewWindow::Layout(RECT& canvas)
{
    RECT client = {};
    RECT toolbar = {};
    RECT status = {};
    GetClientRect(m_window, &client);
    GetWindowRect(m_toolbar, &toolbar);
    GetWindowRect(m_statusBar, &status);
    client.top += toolbar.bottom - toolbar.top;
    client.bottom -= status.bottom - status.top;
    m_rulerThickness = GetSystemMetrics(SM_CYMENU) + kRulerExtra;
    m_horizontalRuler = {client.left, client.top, client.right, client.top + m_rulerThickness};
    m_verticalRuler = {client.left, client.top, client.left + m_rulerThickness, client.bottom};
    canvas = {client.left + m_rulerThickness + 1, client.top + m_rulerThickness + 1, client.right - 1,
              client.bottom - 1};
}

void CNiraPreviewWindow::OnSize(LONG width, LONG height)
{
    MoveWindow(m_toolbar, 0, 0, width, height, TRUE);
    SendMessageW(m_toolbar, TB_AUTOSIZE, 0, 0);
    int parts[] = {(width - kStatusRightGap) / 2, width - kStatusRightGap, width - kStatusGripGap};
    SendMessageW(m_statusBar, SB_SETPARTS, ARRAYSIZE(parts), reinterpret_cast<LPARAM>(parts));
    SendMessageW(m_statusBar, WM_SIZE, 0, 0);
    RECT canvas = {};
    Layout(canvas);
    MoveWindow(m_canvas.Window(), canvas.left, canvas.top, canvas.right - canvas.left,
               canvas.bottom - canvas.top, TRUE);
}

void CNiraPreviewWindow::Zoom(UINT command)
{
    const ZoomCommand* zoom = ZoomOf(command);
    if (zoom == nullptr) {
        return;
    }
    m_selectedZoom = command;
    m_canvas.SetZoom(zoom->mode, zoom->percent);
    // The box lists the Zoom menu's items in order, so it always shows the zoom in use, the
    // fitting ones included.
    SendMessageW(m_zoomBox, CB_SETCURSEL, command - kZoom1000, 0);
    InvalidateRect(m_canvas.Window(), nullptr, TRUE);
    InvalidateRect(m_window, &m_horizontalRuler, TRUE);
    InvalidateRect(m_window, &m_verticalRuler, TRUE);
}

void CNiraPreviewWindow::Step(LONG delta)
{
    m_canvas.StepPage(delta);
}

void CNiraPreviewWindow::Close(BYTE result)
{
    m_result = result;
    SendMessageW(m_window, WM_CLOSE, 0, 0);
}

void CNiraPreviewWindow::StartColorTool()
{
    WCHAR commandLine[kCommandLineChars] = {};
    CNiraOpenedPrinter printer;
    PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    WCHAR name[kTextChars] = {};
    if (m_document != nullptr) {
        StringCchCopyW(name, kTextChars, m_document->Header().printerName);
    }
    DWORD needed = 0;
    if (m_document != nullptr && OpenPrinterW(name, &printer, &defaults)) {
        GetPrinterDriverW(printer.Get(), nullptr, 3, nullptr, 0, &needed);
        auto info = CNiraLocalBuffer<DRIVER_INFO_3W>::Allocate(needed);
        if (info &&
            GetPrinterDriverW(printer.Get(), nullptr, 3, reinterpret_cast<LPBYTE>(info.Get()), needed,
                              &needed) &&
            info->pDriverPath != nullptr) {
            const WCHAR* slash = wcsrchr(info->pDriverPath, TEXT('\\'));
            if (slash != nullptr) {
                StringCchCopyNW(commandLine, kCommandLineChars, info->pDriverPath,
                                static_cast<size_t>(slash - info->pDriverPath));
                StringCchCatW(commandLine, kCommandLineChars, kColorToolName);
            }
        }
    }
    // The program's path is quoted: a driver folder may hold spaces.
    WCHAR quoted[kCommandLineChars] = {};
    StringCchPrintfW(quoted, kCommandLineChars, TEXT("\"%s\" %s"), commandLine, m_colorToolArgument);
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (commandLine[0] != 0 &&
        CreateProcessW(nullptr, quoted, nullptr, nullptr, FALSE, kColorToolCreationFlags, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void CNiraPreviewWindow::OnCommand(UINT command, UINT notification)
{
    if (command == kZoomBoxId && notification == CBN_SELCHANGE) {
        auto entry = static_cast<int>(SendMessageW(m_zoomBox, CB_GETCURSEL, 0, 0));
        OnCommand(GetMenuItemID(m_zoomMenu, entry), 0);
        return;
    }
    if (ZoomOf(command) != nullptr) {
        Zoom(command);
        return;
    }
    switch (command) {
    case kCancelPrinting:
    case kExit:
        Close(0);
        break;
    case kPrint:
        Close(1);
        break;
    case kSaveAs:
        if (m_document != nullptr) {
            EnterCriticalSection(&m_saveLock);
            SavePagesAsBitmaps(*m_document, m_module, m_canvas.Zoom());
            LeaveCriticalSection(&m_saveLock);
        }
        break;
    case kPreviousPage:
        Step(-1);
        break;
    case kNextPage:
        Step(m_selectedZoom == kZoomTwoPages ? 2 : 1);
        break;
    case kLastPage:
        Step(CNiraPreviewCanvas::kLargestStep);
        break;
    case kFirstPage:
        Step(-CNiraPreviewCanvas::kLargestStep);
        break;
    case kBackToColorTool:
        StartColorTool();
        Close(0);
        break;
    default:
        break;
    }
}

void CNiraPreviewWindow::UpdatePageButtons()
{
    BOOL back = m_canvas.CanStep(-1);
    BOOL forward = m_canvas.CanStep(1);
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, kFirstPage, back);
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, kPreviousPage, back);
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, kNextPage, forward);
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, kLastPage, forward);
}

void CNiraPreviewWindow::PaintRulerStrips(HDC dc)
{
    POINT origin = {m_canvas.Margin(), m_canvas.Margin()};
    MapWindowPoints(m_canvas.Window(), m_window, &origin, 1);
    PaintRulers(dc, m_horizontalRuler, m_verticalRuler, m_inchRulers,
                {origin, m_canvas.ScrollPosition(), m_canvas.Margin(), m_canvas.Zoom()});
}

void CNiraPreviewWindow::CheckZoomItem()
{
    for (UINT command = kZoom1000; command <= kZoomTwoPages; ++command) {
        CheckMenuItem(m_zoomMenu, command,
                      MF_BYCOMMAND | (command == m_selectedZoom ? MF_CHECKED : MF_UNCHECKED));
    }
}

LRESULT CNiraPreviewWindow::OnNotify(const NMHDR* header)
{
    if (header == nullptr || header->code != TTN_GETDISPINFOW) {
        return 0;
    }
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(const_cast<NMHDR*>(header));
    if (header->idFrom == kBackToColorTool) {
        StringCchCopyW(m_tooltip, ARRAYSIZE(m_tooltip), kInkNotice);
        info->lpszText = m_tooltip;
        return 0;
    }
    for (const Tooltip& tooltip : kTooltips) {
        if (tooltip.command == header->idFrom) {
            LoadDriverText(tooltip.text, m_tooltip, ARRAYSIZE(m_tooltip));
            info->lpszText = m_tooltip;
        }
    }
    return 0;
}

LRESULT CNiraPreviewWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        OnCreate(window);
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_KEYUP: {
        const LONG steps[] = {-1, 1, CNiraPreviewCanvas::kLargestStep, -CNiraPreviewCanvas::kLargestStep};
        if (wParam >= VK_PRIOR && wParam <= VK_HOME) {
            Step(steps[wParam - VK_PRIOR]);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_PAINT: {
        PAINTSTRUCT paint = {};
        HDC dc = BeginPaint(window, &paint);
        PaintRulerStrips(dc);
        EndPaint(window, &paint);
        return 0;
    }
    case kRepaintRulers: {
        HDC dc = GetDC(window);
        PaintRulerStrips(dc);
        ReleaseDC(window, dc);
        return 0;
    }
    case kUpdatePageButtons:
        UpdatePageButtons();
        return 0;
    case kAttachDocument:
        OnAttach(*reinterpret_cast<Attach*>(lParam));
        return 0;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {kMinWidth, kMinHeight};
        return 0;
    }
    case WM_ENTERSIZEMOVE:
        m_canvas.EnterSizeMove();
        return 0;
    case WM_EXITSIZEMOVE:
        m_canvas.ExitSizeMove();
        return 0;
    case WM_ENTERMENULOOP:
        CheckZoomItem();
        return 0;
    case WM_QUERYNEWPALETTE:
        return SendMessageW(m_canvas.Window(), message, wParam, lParam);
    case WM_PALETTECHANGED:
        if (reinterpret_cast<HWND>(wParam) != window) {
            SendMessageW(m_canvas.Window(), message, wParam, lParam);
        }
        return 0;
    case WM_DROPFILES:
        OnDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return CNiraWindowBase::WindowProc(window, message, wParam, lParam);
    }
}
