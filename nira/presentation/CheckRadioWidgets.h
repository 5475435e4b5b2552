// Check boxes and radio buttons. A check box's value is its check state. A radio widget stands
// for the whole group of a feature's radio buttons: its value is the position of the checked
// option button in the order the buttons were added.
#pragma once

#include "nira/presentation/ButtonWidgets.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraCheckBox : public CNiraWidget {
public:
    explicit CNiraCheckBox(const CNiraWidgetInfo& row);

    void Refresh() override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;
};

class CNiraRadioButton : public CNiraWidget {
public:
    // Both the control and the companion id are the row's GroupID, the group frame's id.
    explicit CNiraRadioButton(const CNiraWidgetInfo& row);

    void SetValue(int value, int flags) override;
    CNiraWidgetGroup* GetGroup() override { return m_radioGroup; }
    void ShowText(HWND dialog, const WCHAR* text) override;
    void Refresh() override;
    void UpdateEnable() override;
    int GetHelpId(int controlId) override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;
    void SetGroup(CNiraWidgetGroup* group) override { m_radioGroup = group; }

    // Files the button under its control id and gives it the radio widget's controller and group.
    void AddOptionButton(CNiraButton* button);
    CNiraIdMap& GetOptionButtons() { return m_buttons; }

private:
    // The button at a position (0 = the first added), or null.
    CNiraButton* ButtonAt(int position) const;
    // The option states of the feature's options, one per option button (2 when unknown).
    void ReadOptionStates(int* states, int count);

    CNiraWidgetGroup* m_radioGroup = nullptr;
    CNiraIdMap m_buttons;  // control id -> option button, newest first; not owned
    int m_buttonCount = 0;
};
