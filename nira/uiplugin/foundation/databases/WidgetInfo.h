// The description of one control of a window (a row of UI_WIDGETS_INFO), in the kind that its
// CtrlType asks for. The presentation library reads the values through the virtual slots, whose
// order is a contract.
#pragma once

#include <windows.h>

// Widget kinds that WidgetKind maps the control-class codes 701..714 to.
constexpr INT kWidgetKindUnknown = 33;

// A row of UI_WIDGETS_INFO as read (CtrlName is read but not handed on).
struct WidgetRow {
    INT controlId;
    INT groupId;
    INT featureId;
    INT ctrlStringId;
    INT bitmapId;
    INT ctrlHelpId;
    INT ctrlType;
    INT labelId;
    INT ctrlState;
    INT maxValue;
    INT minValue;
    INT incrementFactor;
    INT levelId;
    INT endControl;
};

struct WidgetValueRecord {
    INT value;
};

struct WidgetRangeRecord {
    INT incrementFactor;
    INT minValue;
    INT maxValue;
};

// Filled by the consumer; both pointers must come from LocalAlloc and are freed with the record.
struct WidgetOptionList {
    INT count = -1;
    LPVOID items = nullptr;
    LPVOID texts = nullptr;
};

class CNiraWidgetInfo {
public:
    explicit CNiraWidgetInfo(const WidgetRow& row);
    virtual ~CNiraWidgetInfo();                   // 0
    virtual INT ControlID() const;                // 1
    virtual INT GroupID() const;                  // 2
    virtual INT FeatureID() const;                // 3
    virtual INT CtrlStringID() const;             // 4
    virtual INT BitampID() const;                 // 5
    virtual INT CtrlHelpID() const;               // 6
    virtual INT CtrlType() const;                 // 7
    virtual INT WidgetKind(INT classCode) const;  // 8

private:
    INT m_controlId;
    INT m_groupId;
    INT m_featureId;
    INT m_ctrlStringId;
    INT m_bitmapId;
    INT m_ctrlHelpId;
    INT m_ctrlType;
};

// Check boxes, combo and list boxes: a state and the options the consumer fills.
class CNiraListWidgetInfo : public CNiraWidgetInfo {
public:
    explicit CNiraListWidgetInfo(const WidgetRow& row);
    ~CNiraListWidgetInfo() override;

    WidgetValueRecord state;
    WidgetOptionList options;
};

// Buttons and every control type the layout does not know: as a list, with the end control.
class CNiraEndListWidgetInfo : public CNiraListWidgetInfo {
public:
    explicit CNiraEndListWidgetInfo(const WidgetRow& row);
    ~CNiraEndListWidgetInfo() override;

    INT endControl;
};

// Edit boxes and static pictures: a state only.
class CNiraValueWidgetInfo : public CNiraWidgetInfo {
public:
    explicit CNiraValueWidgetInfo(const WidgetRow& row);
    ~CNiraValueWidgetInfo() override;

    WidgetValueRecord state;
};

// Number boxes, scroll bars, spin controls and track bars: a state, a range and options.
class CNiraRangeWidgetInfo : public CNiraWidgetInfo {
public:
    explicit CNiraRangeWidgetInfo(const WidgetRow& row);
    ~CNiraRangeWidgetInfo() override;

    WidgetValueRecord state;
    WidgetRangeRecord range;
    WidgetOptionList options;
};

// Combo boxes with a label field: a state, options and the label.
class CNiraLinkedWidgetInfo : public CNiraWidgetInfo {
public:
    explicit CNiraLinkedWidgetInfo(const WidgetRow& row);
    ~CNiraLinkedWidgetInfo() override;

    WidgetValueRecord state;
    WidgetOptionList options;
    INT labelId;
};

// Tree views: the level first, then a state and options.
class CNiraGroupWidgetInfo : public CNiraWidgetInfo {
public:
    explicit CNiraGroupWidgetInfo(const WidgetRow& row);
    ~CNiraGroupWidgetInfo() override;

    INT levelId;
    WidgetValueRecord state;
    WidgetOptionList options;
};

// The record of the kind the row's CtrlType asks for; null when memory runs out.
CNiraWidgetInfo* CreateWidgetInfo(const WidgetRow& row);
