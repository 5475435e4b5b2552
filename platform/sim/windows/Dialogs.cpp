// Dialogs from DLGTEMPLATEEX resources: the template is read with bounds (a bad one fails the
// call), the dialog and its controls are made in Windows' order (the dialog procedure is set
// before the controls exist, WM_INITDIALOG comes after them), and a modal dialog runs its own
// loop until EndDialog. A headless machine has no user: the tests' dialog script plays one when
// the dialog appears, and a modal dialog the script leaves open is cancelled as Esc would.
#include "windows/Dialogs.h"

#include "controls/Controls.h"

#include "core/MachineState.h"
#include "core/Wide.h"

#include <nirasim/Windows.h>

#include <cstring>
#include <optional>

namespace nirasim::sim {
namespace {

constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kExtendedVersion = 1;
constexpr WORD kOrdinalMark = 0xFFFF;
constexpr int kBaseUnitX = 6;  // the 8-point dialog font's average width and height
constexpr int kBaseUnitY = 13;
constexpr int kSystemBaseUnitX = 8;
constexpr int kSystemBaseUnitY = 16;
constexpr WORD kFirstClassOrdinal = 0x0080;
const char16_t* const kClassOrdinals[] = {u"Button",  u"Edit",      u"Static",
                                          u"ListBox", u"ScrollBar", u"ComboBox"};
const char16_t* const kDialogClass = u"#32770";

#pragma pack(push, 2)
struct TemplateHead {
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    WORD cDlgItems;
    short x;
    short y;
    short cx;
    short cy;
};
struct ItemHead {
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
    short x;
    short y;
    short cx;
    short cy;
    DWORD id;
};
#pragma pack(pop)
static_assert(sizeof(TemplateHead) == 26, "DLGTEMPLATEEX head layout");
static_assert(sizeof(ItemHead) == 24, "DLGITEMTEMPLATEEX head layout");

// A name or an ordinal of a template: none, an ordinal, or a text.
struct NameOrOrdinal {
    WORD ordinal = 0;
    std::u16string text;
};

struct TemplateItem {
    ItemHead head{};
    NameOrOrdinal windowClass;
    NameOrOrdinal title;
    std::vector<BYTE> creationData;
};

struct DialogTemplate {
    TemplateHead head{};
    NameOrOrdinal windowClass;
    std::u16string title;
    std::vector<TemplateItem> items;
};

// Reads a template's bytes; every read is checked against the end.
class TemplateReader {
public:
    TemplateReader(const BYTE* data, size_t size) : m_data(data), m_size(size) {}

    template <typename T>
    bool Read(T& out)
    {
        if (m_size - m_offset < sizeof(T)) {
            return false;
        }
        std::memcpy(&out, m_data + m_offset, sizeof(T));
        m_offset += sizeof(T);
        return true;
    }

    bool ReadText(std::u16string& out)
    {
        out.clear();
        for (WORD unit = 0;;) {
            if (!Read(unit)) {
                return false;
            }
            if (unit == 0) {
                return true;
            }
            out.push_back(static_cast<char16_t>(unit));
        }
    }

    bool ReadNameOrOrdinal(NameOrOrdinal& out)
    {
        WORD first = 0;
        if (!Read(first)) {
            return false;
        }
        if (first == 0) {
            return true;
        }
        if (first == kOrdinalMark) {
            return Read(out.ordinal);
        }
        out.text.push_back(static_cast<char16_t>(first));
        std::u16string rest;
        if (!ReadText(rest)) {
            return false;
        }
        out.text += rest;
        return true;
    }

    bool ReadBytes(size_t count, std::vector<BYTE>& out)
    {
        if (m_size - m_offset < count) {
            return false;
        }
        out.assign(m_data + m_offset, m_data + m_offset + count);
        m_offset += count;
        return true;
    }

    bool AlignToDword()
    {
        size_t aligned = (m_offset + 3) & ~static_cast<size_t>(3);
        if (aligned > m_size) {
            return false;
        }
        m_offset = aligned;
        return true;
    }

private:
    const BYTE* m_data;
    size_t m_size;
    size_t m_offset = 0;
};

bool ReadItem(TemplateReader& reader, TemplateItem& item)
{
    WORD extraCount = 0;
    return reader.AlignToDword() && reader.Read(item.head) && reader.ReadNameOrOrdinal(item.windowClass) &&
           reader.ReadNameOrOrdinal(item.title) && reader.Read(extraCount) &&
           reader.ReadBytes(extraCount, item.creationData);
}

std::optional<DialogTemplate> ParseTemplate(const BYTE* data, size_t size)
{
    TemplateReader reader(data, size);
    DialogTemplate parsed;
    NameOrOrdinal menu;
    if (!reader.Read(parsed.head) || parsed.head.signature != kExtendedSignature ||
        parsed.head.dlgVer != kExtendedVersion || !reader.ReadNameOrOrdinal(menu) ||
        !reader.ReadNameOrOrdinal(parsed.windowClass) || !reader.ReadText(parsed.title)) {
        return std::nullopt;
    }
    if (parsed.head.style & DS_SETFONT) {
        WORD pointSize = 0;
        WORD weight = 0;
        BYTE italic = 0;
        BYTE charset = 0;
        std::u16string face;
        if (!reader.Read(pointSize) || !reader.Read(weight) || !reader.Read(italic) ||
            !reader.Read(charset) || !reader.ReadText(face)) {
            return std::nullopt;
        }
    }
    parsed.items.resize(parsed.head.cDlgItems);
    for (TemplateItem& item : parsed.items) {
        if (!ReadItem(reader, item)) {
            return std::nullopt;
        }
    }
    return parsed;
}

std::u16string ClassName(const NameOrOrdinal& name)
{
    if (!name.text.empty()) {
        return name.text;
    }
    size_t index = static_cast<size_t>(name.ordinal) - kFirstClassOrdinal;
    return index < std::size(kClassOrdinals) ? kClassOrdinals[index] : std::u16string();
}

int ToPixelsX(int units)
{
    return MulDiv(units, kBaseUnitX, 4);
}

int ToPixelsY(int units)
{
    return MulDiv(units, kBaseUnitY, 8);
}

HANDLE IdAsMenu(DWORD id)
{
    return reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(id));
}

bool MakeControls(HWND dialog, HINSTANCE instance, const DialogTemplate& parsed)
{
    for (const TemplateItem& item : parsed.items) {
        std::u16string className = ClassName(item.windowClass);
        HWND control =
            CreateWindowExW(item.head.exStyle, reinterpret_cast<LPCWSTR>(className.c_str()),
                            reinterpret_cast<LPCWSTR>(item.title.text.c_str()), item.head.style | WS_CHILD,
                            ToPixelsX(item.head.x), ToPixelsY(item.head.y), ToPixelsX(item.head.cx),
                            ToPixelsY(item.head.cy), dialog, IdAsMenu(item.head.id), instance, nullptr);
        if (control == nullptr) {
            return false;
        }
    }
    return true;
}

HWND FirstTabStop(HWND dialog)
{
    for (const auto& child : ChildrenOf(dialog)) {
        if ((child->style & WS_TABSTOP) && !(child->style & WS_DISABLED)) {
            return child->handle;
        }
    }
    return nullptr;
}

// Makes the dialog, its controls and runs WM_INITDIALOG; null (with the last error set) for a
// missing or bad template.
HWND CreateFromTemplate(HINSTANCE instance, LPCWSTR name, HWND owner, DLGPROC procedure, LPARAM param,
                        bool modal)
{
    HRSRC resource = FindResourceW(instance, name, RT_DIALOG);
    HGLOBAL loaded = resource == nullptr ? nullptr : LoadResource(instance, resource);
    const void* bytes = loaded == nullptr ? nullptr : LockResource(loaded);
    if (bytes == nullptr) {
        return nullptr;
    }
    auto parsed = ParseTemplate(static_cast<const BYTE*>(bytes), SizeofResource(instance, resource));
    if (!parsed) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    DWORD style = parsed->head.style;
    POINT origin{ToPixelsX(parsed->head.x), ToPixelsY(parsed->head.y)};  // in the owner's client area
    std::u16string className = parsed->windowClass.text.empty() ? kDialogClass : parsed->windowClass.text;
    HWND dialog = CreateWindowExW(parsed->head.exStyle, reinterpret_cast<LPCWSTR>(className.c_str()),
                                  reinterpret_cast<LPCWSTR>(parsed->title.c_str()), style & ~WS_VISIBLE,
                                  origin.x, origin.y, ToPixelsX(parsed->head.cx), ToPixelsY(parsed->head.cy),
                                  owner, nullptr, instance, nullptr);
    if (dialog == nullptr) {
        return nullptr;
    }
    auto window = FindWindowRecord(dialog);
    auto extension = std::make_shared<DialogExtension>();
    extension->templateId = IS_INTRESOURCE(name) ? static_cast<int>(reinterpret_cast<ULONG_PTR>(name)) : -1;
    extension->modal = modal;
    window->extension = extension;
    SetWindowLongPtrW(dialog, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (!MakeControls(dialog, instance, *parsed)) {
        DestroyWindow(dialog);
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    HWND first = FirstTabStop(dialog);
    if (SendMessageW(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), param) && first != nullptr) {
        SetFocus(first);
    }
    if (IsWindow(dialog) && (modal || (style & WS_VISIBLE))) {
        ShowWindow(dialog, SW_SHOWNORMAL);
    }
    return dialog;
}

bool Ended(HWND dialog)
{
    auto extension = ExtensionOf<DialogExtension>(dialog);
    return extension == nullptr || extension->ended;
}

void RunPostedMessages(HWND dialog)
{
    MSG message{};
    while (!Ended(dialog) && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchMessageW(&message);
    }
}

// Messages whose answer is the dialog procedure's own result rather than DWLP_MSGRESULT.
bool AnswersDirectly(UINT message)
{
    return message == WM_INITDIALOG;
}

ResetHook resetDialogScript([] { DialogScript() = nullptr; });

}  // namespace

std::function<void(HWND)>& DialogScript()
{
    static auto* script = new std::function<void(HWND)>;
    return *script;
}

void NotifyParent(HWND control, WORD code)
{
    SendMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
                 reinterpret_cast<LPARAM>(control));
}

SystemClass::SystemClass(const char16_t* name, WNDPROC procedure, int windowExtra)
{
    WindowClass windowClass;
    windowClass.name = name;
    windowClass.procedure = procedure;
    windowClass.windowExtra = windowExtra;
    RegisterSystemClass(windowClass);
}

namespace {

LRESULT CALLBACK DialogClassProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefDlgProcW(dialog, message, wParam, lParam);
}

SystemClass dialogClass(kDialogClass, DialogClassProc, DLGWINDOWEXTRA);

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

LRESULT WINAPI DefDlgProcW(HWND hDlg, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    auto procedure = reinterpret_cast<DLGPROC>(GetWindowLongPtrW(hDlg, DWLP_DLGPROC));
    if (procedure != nullptr) {
        SetWindowLongPtrW(hDlg, DWLP_MSGRESULT, 0);
        INT_PTR handled = procedure(hDlg, Msg, wParam, lParam);
        if (handled) {
            return AnswersDirectly(Msg) ? handled : GetWindowLongPtrW(hDlg, DWLP_MSGRESULT);
        }
        if (!IsWindow(hDlg)) {
            return 0;
        }
    }
    switch (Msg) {
    case WM_INITDIALOG:
        return 0;
    case WM_PAINT:
        PaintDialogFace(hDlg);
        return 0;
    case WM_CLOSE: {
        // As Esc: the Cancel command, unless a Cancel button exists and is disabled.
        HWND cancel = GetDlgItem(hDlg, IDCANCEL);
        if (cancel == nullptr || IsWindowEnabled(cancel)) {
            SendMessageW(hDlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         reinterpret_cast<LPARAM>(cancel));
        }
        return 0;
    }
    default:
        return DefWindowProcW(hDlg, Msg, wParam, lParam);
    }
}

INT_PTR WINAPI DialogBoxParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    HWND dialog = CreateFromTemplate(hInstance, lpTemplateName, hWndParent, lpDialogFunc, dwInitParam, true);
    if (dialog == nullptr) {
        return -1;
    }
    bool ownerWasEnabled = hWndParent != nullptr && !EnableWindow(hWndParent, FALSE);
    if (DialogScript() && !Ended(dialog)) {
        auto script = DialogScript();
        script(dialog);
    }
    RunPostedMessages(dialog);
    if (!Ended(dialog)) {
        PostMessageW(dialog, WM_CLOSE, 0, 0);
        RunPostedMessages(dialog);
    }
    auto extension = ExtensionOf<DialogExtension>(dialog);
    INT_PTR result = extension != nullptr && extension->ended ? extension->result : IDCANCEL;
    if (ownerWasEnabled) {
        EnableWindow(hWndParent, TRUE);
    }
    DestroyWindow(dialog);
    return result;
}

HWND WINAPI CreateDialogParamW(HINSTANCE hInstance, LPCWSTR lpTemplateName, HWND hWndParent,
                               DLGPROC lpDialogFunc, LPARAM dwInitParam)
{
    HWND dialog = CreateFromTemplate(hInstance, lpTemplateName, hWndParent, lpDialogFunc, dwInitParam, false);
    if (dialog != nullptr && DialogScript()) {
        auto script = DialogScript();
        script(dialog);
    }
    return dialog;
}

BOOL WINAPI EndDialog(HWND hDlg, INT_PTR nResult)
{
    auto extension = ExtensionOf<DialogExtension>(hDlg);
    if (extension == nullptr) {
        SetLastError(ERROR_WINDOW_NOT_DIALOG);
        return FALSE;
    }
    extension->ended = true;
    extension->result = nResult;
    ShowWindow(hDlg, SW_HIDE);
    return TRUE;
}

LRESULT WINAPI SendDlgItemMessageW(HWND hDlg, int nIDDlgItem, UINT Msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item == nullptr ? 0 : SendMessageW(item, Msg, wParam, lParam);
}

BOOL WINAPI SetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPCWSTR lpString)
{
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item != nullptr && SetWindowTextW(item, lpString);
}

UINT WINAPI GetDlgItemTextW(HWND hDlg, int nIDDlgItem, LPWSTR lpString, int cchMax)
{
    if (lpString != nullptr && cchMax > 0) {
        *lpString = 0;
    }
    HWND item = GetDlgItem(hDlg, nIDDlgItem);
    return item == nullptr ? 0 : static_cast<UINT>(GetWindowTextW(item, lpString, cchMax));
}

UINT WINAPI IsDlgButtonChecked(HWND hDlg, int nIDButton)
{
    return static_cast<UINT>(SendDlgItemMessageW(hDlg, nIDButton, BM_GETCHECK, 0, 0));
}

BOOL WINAPI CheckDlgButton(HWND hDlg, int nIDButton, UINT uCheck)
{
    HWND item = GetDlgItem(hDlg, nIDButton);
    if (item == nullptr) {
        return FALSE;
    }
    SendMessageW(item, BM_SETCHECK, uCheck, 0);
    return TRUE;
}

LONG WINAPI GetDialogBaseUnits(void)
{
    return MAKELONG(kSystemBaseUnitX, kSystemBaseUnitY);
}

BOOL WINAPI MapDialogRect(HWND hDlg, LPRECT lpRect)
{
    if (!IsWindow(hDlg) || lpRect == nullptr) {
        return FALSE;
    }
    *lpRect = {ToPixelsX(lpRect->left), ToPixelsY(lpRect->top), ToPixelsX(lpRect->right),
               ToPixelsY(lpRect->bottom)};
    return TRUE;
}

// The newest visible top-level window stands for the one the user works in.
HWND WINAPI GetForegroundWindow(void)
{
    HWND found = nullptr;
    for (const auto& window : AllWindows()) {
        if ((window->style & WS_VISIBLE) && !(window->style & WS_CHILD)) {
            found = window->handle;
        }
    }
    return found;
}

namespace {

constexpr int kDesktopWidth = 1024;
constexpr int kDesktopHeight = 768;

LRESULT CALLBACK DesktopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

SystemClass desktopClass(u"#32769", DesktopProc);

}  // namespace

// The desktop: one hidden window of the machine, made when first asked for.
HWND WINAPI GetDesktopWindow(void)
{
    for (const auto& window : AllWindows()) {
        if (window->className == u"#32769") {
            return window->handle;
        }
    }
    return CreateWindowExW(0, TEXT("#32769"), nullptr, WS_POPUP, 0, 0, kDesktopWidth, kDesktopHeight, nullptr,
                           nullptr, nullptr, nullptr);
}

namespace nirasim {

void SetDialogScript(std::function<void(HWND dialog)> script)
{
    DialogScript() = std::move(script);
}

int DialogTemplateOf(HWND dialog)
{
    auto extension = sim::ExtensionOf<sim::DialogExtension>(dialog);
    return extension == nullptr ? -1 : extension->templateId;
}

}  // namespace nirasim
