// Edit boxes: a free text, or an integer kept within a range.
#pragma once

#include "nira/presentation/NiraWidget.h"

class CNiraEditBox : public CNiraWidget {
public:
    explicit CNiraEditBox(const CNiraWidgetInfo& row);
    ~CNiraEditBox() override;

    void ShowText(HWND dialog, const WCHAR* text) override;
    void Refresh() override;
    void Attach(HWND dialog) override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;
    void SetEditText(const WCHAR* text) override;

private:
    WCHAR* m_editText = nullptr;  // kWidgetTextLength characters, made on first use
};

class CNiraIntEditBox : public CNiraWidget {
public:
    explicit CNiraIntEditBox(const CNiraWidgetInfo& row);

    void ShowText(HWND dialog, const WCHAR* text) override;
    void Refresh() override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;

private:
    void PutText(const WCHAR* text);

    int m_maximum;
    int m_minimum;
};
