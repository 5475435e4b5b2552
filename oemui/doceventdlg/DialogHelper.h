// The base of every job dialog object: the resource helper with the modules the request names
// (loaded for their resources only), texts by string id with an English default, the choice of
// the right-to-left templates, bitmaps painted into a control, and controls measured and moved.
#pragma once

#include <windows.h>

#include "common/ResourceHelper.h"

// The longest text a dialog shows from the string library or its default, in characters.
constexpr int kDialogTextChars = 255;

class CNiraDialogHelper : public CNiraResourceHelper {
public:
    // Sets the string language to the user's UI language and decides right to left.
    CNiraDialogHelper();
    // Frees the string module it loaded.
    ~CNiraDialogHelper();

    // Load a library for its resources, once; a failure leaves the texts (pictures) to defaults.
    void LoadStringModule(LPCWSTR path);
    void LoadPictureModule(LPCWSTR path);

    BOOL IsRightToLeft() const { return m_rightToLeft; }
    // The left-to-right template, or the right-to-left one for a user in Arabic or Hebrew.
    int TemplateId(int leftToRight, int rightToLeft) const
    {
        return m_rightToLeft ? rightToLeft : leftToRight;
    }

    // The window's text: the string library's text of id, else the default cut to 255 characters.
    void SetControlText(UINT id, HWND window, LPCWSTR defaultText) const;
    // The text of id or the default, as SetControlText would show it, into a buffer of
    // kDialogTextChars + 1 characters.
    void LoadTextOrDefault(UINT id, LPCWSTR defaultText, LPWSTR buffer) const;

    // Paints bitmap `bitmapId` of `module` unscaled into the dialog's control `controlId`.
    void PaintBitmap(HWND dialog, UINT bitmapId, int controlId, HMODULE module) const;
    // The rectangle PaintBitmap draws in: the control's window rectangle in its own client
    // coordinates, left and right exchanged for a right-to-left user.
    RECT PaintRect(HWND control) const;

    // The control's window rectangle in the parent's client coordinates (screen coordinates
    // without a parent), its width and height; nothing for a null control.
    static void GetControlRect(HWND parent, HWND control, RECT* rect, int* width, int* height);
    // Moves the control to the rectangle's left edge and `top` (truncated), keeping its size.
    static void MoveControl(HWND control, const RECT& rect, int width, int height, float top);

private:
    BOOL m_rightToLeft;
};

// TRUE for a UI language whose primary language is Arabic or Hebrew.
BOOL IsRightToLeftLanguage(LANGID language);
