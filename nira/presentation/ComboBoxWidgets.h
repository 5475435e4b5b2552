// Combo boxes showing the options of one feature: the value is the option id of the chosen
// entry. Entries are kept newest first and matched to the control's selection by their
// upper-cased texts.
#pragma once

#include "nira/presentation/StaticWidgets.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

class CNiraComboBox : public CNiraWidget {
public:
    explicit CNiraComboBox(const CNiraWidgetInfo& row);
    ~CNiraComboBox() override;

    void ShowText(HWND dialog, const WCHAR* text) override;
    void Refresh() override;
    void Attach(HWND dialog) override;
    int OnCommand(int controlId, HWND control, int code, int extra) override;

    // The text of the selected entry, or the edit text while the user types; answers its length.
    virtual int GetSelectedText(WCHAR* buffer, int capacity);
    // Stores the option's text unless the option is not offered (state 3) and the feature does
    // not list such options.
    virtual void AddItem(int optionId, const WCHAR* text, int state);
    // Appends the entries the control lacks and selects the current value again.
    virtual void AddMissingItems();
    virtual void ClearItems();

protected:
    // The text limit of the edit field.
    virtual int TextLimit() const;
    // Whether the kind reacts to typing in its edit field.
    virtual bool EditsText() const { return true; }
    // Whether choosing an entry gives the combo the focus.
    virtual bool FocusesOnChoice() const { return true; }
    // The entries shown and matched against a choice: option id -> a value holding the text.
    virtual const CNiraIdMap& Entries() const { return m_items; }
    virtual const WCHAR* EntryText(const void* value) const { return static_cast<const WCHAR*>(value); }
    // The text of the entry at a running index with its option id; null past the end.
    const WCHAR* ItemTextAt(int index, LONG* optionId) const;
    bool ShowsOption(int state) const;
    // Selects the entry of the current value; keeps the last selection when the value has none.
    void SelectValue(HWND control);
    void OnChoice(int code);
    void OnEdit(int code);

    int m_selection = -1;
    int m_closing = 0;
    CNiraIdMap m_items;  // option id -> LocalAlloc'ed text
};

// A drop-down list: the user only chooses; typing codes are ignored.
class CNiraComboBoxDropDown : public CNiraComboBox {
public:
    explicit CNiraComboBoxDropDown(const CNiraWidgetInfo& row) : CNiraComboBox(row) {}

protected:
    int TextLimit() const override;
    bool EditsText() const override { return false; }
    bool FocusesOnChoice() const override { return false; }
};

// A combo box with a label static shown, hidden, enabled and attached with it.
class CNiraComboBoxLabelField : public CNiraComboBox {
public:
    explicit CNiraComboBoxLabelField(const CNiraWidgetInfo& row);
    ~CNiraComboBoxLabelField() override;

    void SetState(int state) override;
    void ShowText(HWND dialog, const WCHAR* text) override;
    int LoadStringId(int id) override;
    void UpdateEnable() override;
    void Attach(HWND dialog) override;
    void SetController(CNiraPresentationController* controller) override;

protected:
    CNiraStaticControl* m_label;
};

// Frees a map's LocalAlloc'ed values and empties it.
void FreeMapValues(CNiraIdMap& map);
// A LocalAlloc'ed copy of at most kWidgetTextLength - 1 characters of the text, or null.
WCHAR* CopyWidgetText(const WCHAR* text);
// Upper-cases a text in place, as entries are matched with a choice.
void UpperCaseText(WCHAR* text);
