#include "oemui/doceventdlg/DialogHelper.h"

#include "common/SafeString.h"
#include "common/StringResource.h"

namespace {

constexpr WORD kPrimaryLanguageMask = 0x3FF;
constexpr WORD kArabic = 0x01;
constexpr WORD kHebrew = 0x0D;

}  // namespace

BOOL IsRightToLeftLanguage(LANGID language)
{
    WORD primary = language & kPrimaryLanguageMask;
    return primary == kArabic || primary == kHebrew;
}

CNiraDialogHelper::CNiraDialogHelper() : m_rightToLeft(FALSE)
{
    LANGID language = GetUserDefaultUILanguage();
    SetStringLanguage(language);
    m_rightToLeft = IsRightToLeftLanguage(language);
}

CNiraDialogHelper::~CNiraDialogHelper()
{
    if (GetStringModule() != nullptr) {
        FreeLibrary(GetStringModule());
        SetStringModule(nullptr);
    }
}

void CNiraDialogHelper::LoadStringModule(LPCWSTR path)
{
    if (GetStringModule() == nullptr && path != nullptr && *path != 0) {
        SetStringModule(LoadLibraryExW(path, nullptr, DONT_RESOLVE_DLL_REFERENCES));
    }
}

void CNiraDialogHelper::LoadPictureModule(LPCWSTR path)
{
    if (GetPictureModule() == nullptr && path != nullptr && *path != 0) {
        HMODULE module = LoadLibraryExW(path, nullptr, DONT_RESOLVE_DLL_REFERENCES);
        SetPictureModule(module, module != nullptr);
    }
}

void CNiraDialogHelper::LoadTextOrDefault(UINT id, LPCWSTR defaultText, LPWSTR buffer) const
{
    WCHAR text[kTextCapacity] = {};
    if (LoadText(id, text)) {
        CopyStringSafe(buffer, kDialogTextChars + 1, text);
    } else if (defaultText != nullptr) {
        CopyStringSafeN(buffer, kDialogTextChars + 1, defaultText, kDialogTextChars);
    } else {
        buffer[0] = 0;
    }
}

void CNiraDialogHelper::SetControlText(UINT id, HWND window, LPCWSTR defaultText) const
{
    WCHAR text[kDialogTextChars + 1] = {};
    LoadTextOrDefault(id, defaultText, text);
    SetWindowTextW(window, text);
}

RECT CNiraDialogHelper::PaintRect(HWND control) const
{
    RECT rect = {};
    GetWindowRect(control, &rect);
    POINT corners[] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    ScreenToClient(control, &corners[0]);
    ScreenToClient(control, &corners[1]);
    rect = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    if (m_rightToLeft) {
        // A mirrored control converts its edges the other way round.
        LONG left = rect.left;
        rect.left = rect.right;
        rect.right = left;
    }
    return rect;
}

void CNiraDialogHelper::PaintBitmap(HWND dialog, UINT bitmapId, int controlId, HMODULE module) const
{
    HWND control = GetDlgItem(dialog, controlId);
    if (control == nullptr) {
        return;
    }
    RECT rect = PaintRect(control);
    PAINTSTRUCT paint = {};
    HDC dc = BeginPaint(control, &paint);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = LoadBitmapW(module, MAKEINTRESOURCEW(bitmapId));
    HGDIOBJ previous = bitmap != nullptr && memory != nullptr ? SelectObject(memory, bitmap) : nullptr;
    if (previous != nullptr) {
        BitBlt(dc, rect.left, rect.top, rect.right, rect.bottom, memory, rect.left, rect.top, SRCCOPY);
    }
    EndPaint(control, &paint);
    if (previous != nullptr) {
        SelectObject(memory, previous);
    }
    if (bitmap != nullptr) {
        DeleteObject(bitmap);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
}

void CNiraDialogHelper::GetControlRect(HWND parent, HWND control, RECT* rect, int* width, int* height)
{
    if (control == nullptr || rect == nullptr || width == nullptr || height == nullptr) {
        return;
    }
    RECT window = {};
    GetWindowRect(control, &window);
    *width = window.right - window.left;
    *height = window.bottom - window.top;
    if (parent != nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
    }
    *rect = window;
}

void CNiraDialogHelper::MoveControl(HWND control, const RECT& rect, int width, int height, float top)
{
    if (control == nullptr) {
        return;
    }
    SetWindowPos(control, nullptr, rect.left, static_cast<int>(top), width, height,
                 SWP_NOZORDER | SWP_NOCOPYBITS);
}
