#include "nira/presentation/ComboBoxWidgets.h"

#include "nira/presentation/PresentationController.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <algorithm>
#include <new>
#include <vector>

#include "common/NiraStatus.h"

namespace {

constexpr int kComboTextLimit = 80;
constexpr int kDropDownTextLimit = 79;
constexpr int kEditTextChars = 81;
constexpr int kNotOffered = 3;
constexpr int kTypingValue = -1;
constexpr int kLeftWhileTypingValue = -2;

}  // namespace

WCHAR* CopyWidgetText(const WCHAR* text)
{
    WCHAR* copy = AllocWidgetText();
    if (copy != nullptr) {
        StoreWidgetText(copy, text);
    }
    return copy;
}

void UpperCaseText(WCHAR* text)
{
    CharUpperBuffW(text, static_cast<DWORD>(wcslen(text)));
}

void FreeMapValues(CNiraIdMap& map)
{
    map.ForEach([](NiraIdEntry*, void** value) {
        LocalFree(*value);
        *value = nullptr;
        return 1;
    });
    map.RemoveAll();
}

CNiraComboBox::CNiraComboBox(const CNiraWidgetInfo& row)
    : CNiraWidget(row.ControlID(), row.CtrlType(), row.CtrlStringID(), WidgetRowState(row), row.CtrlHelpID(),
                  row.GroupID(), 0, row.FeatureID())
{}

CNiraComboBox::~CNiraComboBox()
{
    FreeMapValues(m_items);
}

void CNiraComboBox::ShowText(HWND, const WCHAR* text)
{
    if (m_dialog != nullptr && text != nullptr) {
        SetDlgItemTextW(m_dialog, m_controlId, text);
    }
}

void CNiraComboBox::Refresh()
{
    HWND control = Control();
    if (control == nullptr) {
        return;
    }
    SendMessageW(control, CB_RESETCONTENT, 0, 0);
    for (int index = 0; index < Entries().GetCount(); ++index) {
        LONG optionId = 0;
        if (const WCHAR* text = ItemTextAt(index, &optionId)) {
            SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
    }
    SelectValue(control);
}

void CNiraComboBox::SelectValue(HWND control)
{
    void** slot = m_items.Contains(m_value) ? m_items.Lookup(m_value) : nullptr;
    const WCHAR* text = slot == nullptr || *slot == nullptr ? nullptr : EntryText(*slot);
    if (text != nullptr) {
        m_selection = static_cast<int>(SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                    reinterpret_cast<LPARAM>(text)));
        if (m_selection == -1) {
            m_selection = 0;
        }
    }
    SendMessageW(control, CB_SETCURSEL, static_cast<WPARAM>(m_selection), 0);
}

void CNiraComboBox::Attach(HWND dialog)
{
    CNiraWidget::Attach(dialog);
    if (HWND control = Control()) {
        SendMessageW(control, CB_LIMITTEXT, static_cast<WPARAM>(TextLimit()), 0);
    }
}

int CNiraComboBox::TextLimit() const
{
    return kComboTextLimit;
}

int CNiraComboBox::OnCommand(int controlId, HWND, int code, int)
{
    if (controlId != m_controlId || Control() == nullptr) {
        return 0;
    }
    switch (code) {
    case CBN_SELCHANGE:
    case CBN_SELENDOK:
        OnChoice(code);
        break;
    case CBN_EDITCHANGE:
    case CBN_KILLFOCUS:
        if (EditsText()) {
            OnEdit(code);
        }
        break;
    default:
        break;
    }
    return 1;
}

void CNiraComboBox::OnChoice(int code)
{
    HWND control = Control();
    if (code == CBN_SELENDOK) {
        if (m_closing) {
            return;
        }
        m_closing = 1;
        SendMessageW(control, CB_SHOWDROPDOWN, FALSE, 0);
        m_closing = 0;
    }
    m_selection = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    WCHAR chosen[kWidgetTextLength];
    GetSelectedText(chosen, kWidgetTextLength);
    UpperCaseText(chosen);
    for (int index = 0; index < Entries().GetCount(); ++index) {
        LONG optionId = 0;
        const WCHAR* text = ItemTextAt(index, &optionId);
        if (text == nullptr) {
            continue;
        }
        WCHAR candidate[kWidgetTextLength];
        StoreWidgetText(candidate, text);
        UpperCaseText(candidate);
        if (wcscmp(candidate, chosen) != 0) {
            continue;
        }
        if (optionId <= 0) {
            Entries().GetEntryAt(index)->key = -1;
            optionId = -1;
        }
        SetValue(optionId, WIDGET_CHANGE_REPORT);
        break;
    }
    if (code == CBN_SELENDOK && FocusesOnChoice()) {
        ::SetFocus(control);
    }
}

void CNiraComboBox::OnEdit(int code)
{
    if (code == CBN_EDITCHANGE) {
        m_selection = -1;
        SetValue(kTypingValue, WIDGET_CHANGE_REPORT | WIDGET_CHANGE_FORCE);
    } else if (m_selection == -1) {
        SetValue(kLeftWhileTypingValue, WIDGET_CHANGE_REPORT | WIDGET_CHANGE_FORCE);
    }
}

// List texts are read with their real length, so a long option name never overruns the buffer.
int CNiraComboBox::GetSelectedText(WCHAR* buffer, int capacity)
{
    if (buffer == nullptr || capacity <= 0) {
        return 0;
    }
    buffer[0] = 0;
    HWND control = Control();
    if (control == nullptr) {
        return 0;
    }
    if (m_selection == -1) {
        return static_cast<int>(
            GetDlgItemTextW(m_dialog, m_controlId, buffer, std::min(capacity, kEditTextChars)));
    }
    LRESULT length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(m_selection), 0);
    if (length < 0) {
        return 0;
    }
    std::vector<WCHAR> text(static_cast<size_t>(length) + 1, 0);
    SendMessageW(control, CB_GETLBTEXT, static_cast<WPARAM>(m_selection),
                 reinterpret_cast<LPARAM>(text.data()));
    int copied = static_cast<int>(std::min<LRESULT>(length, capacity - 1));
    std::copy_n(text.data(), copied, buffer);
    buffer[copied] = 0;
    return copied;
}

bool CNiraComboBox::ShowsOption(int state) const
{
    if (state != kNotOffered) {
        return true;
    }
    int shows = 0;
    if (m_controller != nullptr) {
        m_controller->ShowsHiddenOptions(m_featureId, &shows);
    }
    return shows == 1;
}

void CNiraComboBox::AddItem(int optionId, const WCHAR* text, int state)
{
    if (text == nullptr || !ShowsOption(state)) {
        return;
    }
    WCHAR* copy = CopyWidgetText(text);
    if (copy == nullptr) {
        return;
    }
    void** slot = m_items.Lookup(optionId);
    if (slot == nullptr) {
        LocalFree(copy);
        return;
    }
    LocalFree(*slot);
    *slot = copy;
}

void CNiraComboBox::AddMissingItems()
{
    HWND control = Control();
    if (control == nullptr) {
        return;
    }
    for (int index = 0; index < Entries().GetCount(); ++index) {
        LONG optionId = 0;
        const WCHAR* text = ItemTextAt(index, &optionId);
        if (text == nullptr || SendMessageW(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(text)) != CB_ERR) {
            continue;
        }
        SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        SelectValue(control);
    }
}

void CNiraComboBox::ClearItems()
{
    FreeMapValues(m_items);
    if (HWND control = Control()) {
        SendMessageW(control, CB_RESETCONTENT, 0, 0);
    }
}

const WCHAR* CNiraComboBox::ItemTextAt(int index, LONG* optionId) const
{
    NiraIdEntry* entry = Entries().GetEntryAt(index);
    if (entry == nullptr || entry->value == nullptr) {
        return nullptr;
    }
    *optionId = entry->key;
    return EntryText(entry->value);
}

int CNiraComboBoxDropDown::TextLimit() const
{
    return kDropDownTextLimit;
}

CNiraComboBoxLabelField::CNiraComboBoxLabelField(const CNiraWidgetInfo& row)
    : CNiraComboBox(row),
      m_label(new(std::nothrow) CNiraStaticControl(WidgetRowLabelId(row), row.CtrlStringID(),
                                                   WidgetRowState(row), row.CtrlHelpID(), row.FeatureID()))
{}

CNiraComboBoxLabelField::~CNiraComboBoxLabelField()
{
    delete m_label;
}

void CNiraComboBoxLabelField::SetState(int state)
{
    CNiraComboBox::SetState(state);
    if (m_label != nullptr) {
        m_label->SetState(state);
    }
}

void CNiraComboBoxLabelField::ShowText(HWND dialog, const WCHAR*)
{
    if (m_label != nullptr) {
        m_label->ShowText(dialog, nullptr);
    }
}

int CNiraComboBoxLabelField::LoadStringId(int id)
{
    if (m_label == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_label->SetStringId(id);
    WCHAR text[kWidgetStringLength];
    ReadString(id, text, kWidgetStringLength);
    m_label->ShowText(m_label->GetDialog(), text);
    Refresh();
    return NIRA_STATUS_OK;
}

void CNiraComboBoxLabelField::UpdateEnable()
{
    CNiraComboBox::UpdateEnable();
    if (m_label != nullptr) {
        m_label->UpdateEnable();
    }
}

void CNiraComboBoxLabelField::Attach(HWND dialog)
{
    CNiraComboBox::Attach(dialog);
    if (m_label != nullptr) {
        m_label->Attach(dialog);
    }
}

void CNiraComboBoxLabelField::SetController(CNiraPresentationController* controller)
{
    CNiraComboBox::SetController(controller);
    if (m_label != nullptr) {
        m_label->SetController(controller);
    }
}
