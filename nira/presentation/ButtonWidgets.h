// Push buttons: a button reports its clicks to the controller; its end action tells the dialog
// group whether a click closes the dialog.
#pragma once

#include "nira/presentation/NiraWidget.h"

class CNiraButton : public CNiraWidget {
public:
    explicit CNiraButton(const CNiraWidgetInfo& row);

    int GetEndAction() override { return m_endAction; }
    void Refresh() override;
    void UpdateEnable() override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;

private:
    int m_endAction;  // 0 none, 1 the dialog closes, 2 it closes and the values are put back
};

// Shows or hides, enables or disables the one control by the widget's state: 0 and 1 hidden and
// disabled, 2 shown and disabled, any other shown and enabled.
void ShowControlByState(HWND control, int state);
