// Static controls: a text of the settings or, when there is none, the text of the widget's string
// id. A static is also the label of the combo boxes that have one.
#pragma once

#include "nira/presentation/NiraWidget.h"

class CNiraStaticControl : public CNiraWidget {
public:
    explicit CNiraStaticControl(const CNiraWidgetInfo& row);
    // A label made for a combo box: no companion control, value 0.
    CNiraStaticControl(int controlId, int stringId, int state, int helpId, int featureId);
    ~CNiraStaticControl() override;

    void Refresh() override;
    void UpdateEnable() override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;
    void SetEditText(const WCHAR* text) override;

protected:
    WCHAR* m_staticText = nullptr;  // kWidgetTextLength characters, made by the first SetEditText
};
