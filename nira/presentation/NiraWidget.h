// The widget: one control of a page or dialog showing one printer feature. INiraWidget is what
// the rest of the library uses; CNiraWidget implements the common part, and each concrete kind
// draws its own control. The order of the operations is the interface's slot order.
#pragma once

#include <windows.h>
#include <compstui.h>

#include "nira/presentation/WidgetKinds.h"

class CNiraPresentationController;
class CNiraWidgetGroup;
class CNiraWidgetInfo;

class INiraWidget {
public:
    virtual ~INiraWidget() = default;
    virtual int GetFeatureId() = 0;
    virtual int GetControlId() = 0;
    virtual int GetKind() = 0;
    virtual int GetValue() = 0;
    virtual int SetText(const WCHAR* text, int flags) = 0;
    virtual void SetValue(int value, int flags) = 0;
    virtual void SetState(int state) = 0;
    virtual int GetSelectedItemData() = 0;
    virtual int GetStringId() = 0;
    virtual void SetStringId(int id) = 0;
    virtual CNiraWidgetGroup* GetGroup() = 0;
    virtual void ShowText(HWND dialog, const WCHAR* text) = 0;
    virtual int LoadStringId(int id) = 0;
    virtual void SetLimits(int limit, float a, float b) = 0;
    virtual int GetTreeLevel() = 0;
    virtual int GetEndAction() = 0;
    virtual void SetFocus() = 0;
};

class CNiraWidget : public INiraWidget {
public:
    CNiraWidget(int controlId, int kind, int stringId, int state, int helpId, int companionId, int value,
                int featureId);
    ~CNiraWidget() override;
    CNiraWidget(const CNiraWidget&) = delete;
    CNiraWidget& operator=(const CNiraWidget&) = delete;

    int GetFeatureId() override { return m_featureId; }
    int GetControlId() override { return m_controlId; }
    int GetKind() override { return m_kind; }
    int GetValue() override { return m_value; }
    int SetText(const WCHAR* text, int flags) override;
    void SetValue(int value, int flags) override;
    void SetState(int state) override;
    int GetSelectedItemData() override { return -1; }
    int GetStringId() override { return m_stringId; }
    void SetStringId(int id) override;
    CNiraWidgetGroup* GetGroup() override { return m_group; }
    void ShowText(HWND dialog, const WCHAR* text) override;
    int LoadStringId(int id) override;
    void SetLimits(int limit, float a, float b) override;
    int GetTreeLevel() override { return 0; }
    int GetEndAction() override { return 0; }
    void SetFocus() override;
    virtual void Refresh() = 0;
    virtual void UpdateEnable();
    virtual void RestoreValue(int flags) { SetValue(m_savedValue, flags); }
    virtual void SaveValue() { m_savedValue = m_value; }
    virtual int GetHelpId(int controlId);
    virtual void Attach(HWND dialog);
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    virtual void SetImageId(int) {}
    virtual void OnPaint(HDC, RECT*) {}
    virtual void OnCtrlDoubleClick(int, int) {}
    virtual int OnCommand(int controlId, HWND control, int code, int extra) = 0;
    virtual int GetInitialValue() { return m_initialValue; }
    virtual int GetSavedValue() { return m_savedValue; }
    virtual void SetController(CNiraPresentationController* controller);
    virtual void SetGroup(CNiraWidgetGroup* group);
    virtual void SetEditText(const WCHAR*) {}
    virtual int OnTreeItem(OPTITEM*, WORD) { return 0; }
    virtual int OnTreeCommand() { return 1; }

    // The group keeps the value shown when a dialog opens, to put it back on Cancel.
    void SetInitialValue(int value) { m_initialValue = value; }
    HWND GetDialog() const { return m_dialog; }
    const WCHAR* GetText() const { return m_text; }
    int GetState() const { return m_state; }
    int GetCompanionId() const { return m_companionId; }

protected:
    // Tells the controller of a change, when the widget has one.
    void ReportChange(int flags);
    CNiraPresentationController* Controller() const { return m_controller; }
    // The control of the widget's id in its dialog, or null.
    HWND Control() const;
    // Reads the text of a string id from the controller's string library into a buffer of
    // `size` characters; false (and an empty buffer) when there is none.
    bool ReadString(int id, WCHAR* buffer, DWORD size) const;
    // Moves the keyboard focus to the dialog when the control has it and the state is 2.
    void LeaveFocusIfDisabled(HWND control) const;

    int m_controlId;
    int m_companionId;
    int m_stringId;
    int m_featureId;
    int m_helpId;
    int m_state;
    int m_kind;
    HWND m_dialog = nullptr;
    int m_value;
    int m_initialValue;
    int m_savedValue;
    WCHAR* m_text = nullptr;  // kWidgetTextLength characters from LocalAlloc, made by SetText
    int m_limit = 0;
    float m_limitA = 0.0f;
    float m_limitB = 0.0f;
    CNiraWidgetGroup* m_group = nullptr;
    CNiraPresentationController* m_controller = nullptr;
};

// The values a widget row of the layout database carries beyond the common ones.
int WidgetRowState(const CNiraWidgetInfo& row);
int WidgetRowEndControl(const CNiraWidgetInfo& row);
int WidgetRowLabelId(const CNiraWidgetInfo& row);
// The range record's {increment, minimum, maximum}; zeros for rows without one.
void WidgetRowRange(const CNiraWidgetInfo& row, int* increment, int* minimum, int* maximum);

// A LocalAlloc'ed zero-filled text buffer of kWidgetTextLength characters, or null.
WCHAR* AllocWidgetText();
// Copies at most kWidgetTextLength - 1 characters of the text into the buffer.
void StoreWidgetText(WCHAR* buffer, const WCHAR* text);
