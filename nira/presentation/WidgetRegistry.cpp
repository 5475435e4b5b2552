#include "nira/presentation/WidgetRegistry.h"

#include "nira/presentation/ButtonWidgets.h"
#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/SettingsReading.h"
#include "nira/presentation/WidgetGroup.h"

#include "common/NiraStatus.h"

#include <commctrl.h>
#include <prsht.h>
#include <strsafe.h>

#include <vector>

namespace {

constexpr int kFirstFeature = 4113;
constexpr int kLastFeature = 8000;
constexpr int kUnchangedOption = 1;
constexpr int kCheckedOption = 2;
constexpr int kEditTextOption = 1;
constexpr int kRefreshingMode = 1;  // the instance that shows the sheet takes the changes off the queue

CNiraPtrList* ListOf(const CNiraIdMap& features, int featureId)
{
    if (!features.Contains(featureId)) {
        return nullptr;
    }
    return static_cast<CNiraPtrList*>(*const_cast<CNiraIdMap&>(features).Lookup(featureId));
}

// Every value of a map, in walk order.
template <typename T>
std::vector<T*> ValuesOf(const CNiraIdMap& map)
{
    std::vector<T*> values;
    for (int i = 0; i < map.GetCount(); ++i) {
        values.push_back(static_cast<T*>(*map.GetValueAt(i)));
    }
    return values;
}

// The typed text becomes the feature's option 1, marked as the user's.
void WriteEditText(CNiraWidget* widget, INiraUISettings* settings, int featureId)
{
    OptionInfo* info = AllocOptionInfo();
    if (info == nullptr) {
        return;
    }
    int option = kEditTextOption;
    settings->GetOptionInfo(featureId, option, info);
    settings->RemoveOption(&featureId, &option);
    StringCchCopyW(info->displayName, kOptionTextLength,
                   widget->GetText() != nullptr ? widget->GetText() : TEXT(""));
    info->isSet = 1;
    if (settings->AddOption(featureId, option, info) != NIRA_STATUS_OK) {
        FreeOptionInfo(info);
    }
    settings->ForceCurrentOption(&featureId, &option, 0);
}

void Select(INiraUISettings* settings, int featureId, int option)
{
    settings->ForceCurrentOption(&featureId, &option, 0);
}

}  // namespace

CNiraWidgetRegistry::CNiraWidgetRegistry(int mode) : m_mode(mode) {}

CNiraWidgetRegistry::~CNiraWidgetRegistry()
{
    for (CNiraWidget* widget : ValuesOf<CNiraWidget>(m_widgets)) {
        delete widget;
    }
    for (CNiraPtrList::Node* node = m_optionButtons.GetHead(); node != nullptr; node = node->next) {
        delete static_cast<CNiraButton*>(node->value);
    }
    for (CNiraWidgetGroup* group : ValuesOf<CNiraWidgetGroup>(m_groups)) {
        delete group;
    }
    for (CNiraPtrList* list : ValuesOf<CNiraPtrList>(m_features)) {
        delete list;
    }
    m_widgets.RemoveAll();
    m_controls.RemoveAll();
    m_groups.RemoveAll();
    m_features.RemoveAll();
}

void CNiraWidgetRegistry::AddGroup(int windowId, CNiraWidgetGroup* group)
{
    if (group == nullptr) {
        return;
    }
    // A second group of one window replaces the first, which goes.
    if (m_groups.Contains(windowId)) {
        delete static_cast<CNiraWidgetGroup*>(*m_groups.Lookup(windowId));
    }
    m_groups.SetAt(windowId, group);
}

void CNiraWidgetRegistry::AddWidgetToGroup(int windowId, CNiraWidget* widget)
{
    if (m_groups.Contains(windowId)) {
        static_cast<CNiraWidgetGroup*>(*m_groups.Lookup(windowId))->AddWidget(widget);
    }
}

void CNiraWidgetRegistry::AddWidget(int key, CNiraWidget* widget)
{
    if (widget == nullptr) {
        return;
    }
    // A second widget under one key keeps the first alive until the registry goes.
    if (m_widgets.Contains(key)) {
        m_optionButtons.AddTail(*m_widgets.Lookup(key));
    }
    m_widgets.SetAt(key, widget);
}

void CNiraWidgetRegistry::MapControl(int controlId, int featureId)
{
    m_controls.SetAt(controlId, reinterpret_cast<void*>(static_cast<INT_PTR>(featureId)));
}

void CNiraWidgetRegistry::AddFeatureWidget(int featureId, CNiraWidget* widget)
{
    if (widget == nullptr) {
        return;
    }
    CNiraPtrList* list = ListOf(m_features, featureId);
    if (list == nullptr) {
        list = new (std::nothrow) CNiraPtrList();
        if (list == nullptr) {
            return;
        }
        m_features.SetAt(featureId, list);
    }
    list->AddHead(widget);
}

void CNiraWidgetRegistry::AddRadioOption(CNiraWidget* radio, CNiraButton* button)
{
    if (radio == nullptr || button == nullptr) {
        delete button;
        return;
    }
    m_optionButtons.AddTail(button);
    static_cast<CNiraRadioButton*>(radio)->AddOptionButton(button);
}

int CNiraWidgetRegistry::GetControlFeature(int controlId, int* featureId) const
{
    if (featureId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *featureId = 0;
    if (m_controls.Contains(controlId)) {
        *featureId = static_cast<int>(
            reinterpret_cast<INT_PTR>(*const_cast<CNiraIdMap&>(m_controls).Lookup(controlId)));
    }
    return NIRA_STATUS_OK;
}

CNiraPtrList* CNiraWidgetRegistry::FindFeatureWidgets(int featureId) const
{
    return ListOf(m_features, featureId);
}

CNiraWidget* CNiraWidgetRegistry::FindRadioWidget(int featureId) const
{
    CNiraPtrList* list = ListOf(m_features, featureId);
    for (CNiraPtrList::Node* node = list != nullptr ? list->GetHead() : nullptr; node != nullptr;
         node = node->next) {
        auto* widget = static_cast<CNiraWidget*>(node->value);
        if (widget->GetKind() == WIDGET_RADIO_BUTTON) {
            return widget;
        }
    }
    return nullptr;
}

int CNiraWidgetRegistry::FillAllWidgets(INiraUISettings* settings)
{
    for (CNiraWidget* widget : ValuesOf<CNiraWidget>(m_widgets)) {
        FillWidget(widget, settings, 1);
    }
    return 1;
}

int CNiraWidgetRegistry::ApplyWidget(CNiraWidget* widget, INiraUISettings* settings, int)
{
    if (widget == nullptr || settings == nullptr) {
        return 0;
    }
    int featureId = widget->GetFeatureId();
    const int kind = widget->GetKind();
    const int value = widget->GetValue();
    int exempt = 0;
    settings->IsAutoSelectedOption(featureId, value, &exempt);

    // The first change since the last apply lights the sheet's Apply button.
    CNiraWidgetGroup* group = widget->GetGroup();
    HWND page = group != nullptr ? group->GetDialog() : nullptr;
    if (page != nullptr && GetParent(page) != nullptr && kind != WIDGET_BUTTON &&
        kind != WIDGET_IMAGE_BUTTON && exempt == 0) {
        int state = 0;
        int isSet = 0;
        if (settings->GetCurrentOption(FEATURE_CHANGE_STATE, &state, &isSet) == NIRA_STATUS_OK &&
            state == kUnchangedOption) {
            m_page = page;
            m_sheet = GetParent(page);
            SendMessageW(m_sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(m_page), 0);
        }
    }

    switch (kind) {
    case WIDGET_CHECK_BOX:
        Select(settings, featureId, value == 1 ? kCheckedOption : 1);
        break;
    case WIDGET_BUTTON:
    case WIDGET_IMAGE_BUTTON:
        // A press always reaches the settings as a change.
        Select(settings, featureId, 0);
        Select(settings, featureId, 1);
        break;
    case WIDGET_RADIO_BUTTON:
        Select(settings, featureId, value + 1);
        break;
    case WIDGET_COMBO_BOX:
    case WIDGET_LIST_BOX:
    case WIDGET_SCROLL_BAR:
    case WIDGET_COMBO_BOX_LABEL_FIELD:
    case WIDGET_TRACK_BAR:
    case WIDGET_OWNERDRAWN_LIST_BOX:
    case WIDGET_COMBO_BOX_OWNERDRAWN:
    case WIDGET_COMBO_BOX_DROPDOWN:
    case WIDGET_CPSUI_TREE_VIEW:
    case WIDGET_TREE_VIEW:
    case WIDGET_INT_EDIT_BOX:
        Select(settings, featureId, value);
        break;
    case WIDGET_EDIT_BOX:
        WriteEditText(widget, settings, featureId);
        break;
    default:
        break;
    }
    return 1;
}

int CNiraWidgetRegistry::RefreshChangedWidgets(INiraUISettings* settings)
{
    if (settings == nullptr || settings->GetChangeCount() == 0) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPtrList* changes = settings->GetChangeList();
    if (changes == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // Taken first: refreshing and removing change the queue.
    std::vector<int> features;
    for (CNiraPtrList::Node* node = changes->GetTail(); node != nullptr; node = node->prev) {
        const int featureId = static_cast<const ChangeRecord*>(node->value)->featureId;
        if (featureId >= kFirstFeature && featureId <= kLastFeature &&
            ListOf(m_features, featureId) != nullptr) {
            features.push_back(featureId);
        }
    }
    for (int featureId : features) {
        ChangeRecord change = {};
        if (settings->GetChange(featureId, &change) == NIRA_STATUS_OK) {
            RefreshFeature(featureId, change.changeMask, settings);
        }
        if (m_mode == kRefreshingMode) {
            settings->RemoveChange(featureId);
        }
    }
    return NIRA_STATUS_OK;
}

void CNiraWidgetRegistry::RefreshFeature(int featureId, int changeMask, INiraUISettings* settings)
{
    CNiraPtrList* list = ListOf(m_features, featureId);
    for (CNiraPtrList::Node* node = list->GetHead(); node != nullptr; node = node->next) {
        auto* widget = static_cast<CNiraWidget*>(node->value);
        if (changeMask & CHANGE_MASK_DISPLAY) {
            widget->SetState(settings->GetDisplayState(featureId));
            LoadFeatureLabel(widget, settings);
        }
        if (changeMask & CHANGE_MASK_OPTIONS) {
            FillWidget(widget, settings, 1);
        }
        if (changeMask & CHANGE_MASK_CURRENT) {
            FillWidget(widget, settings, 0);
        }
    }
}

void CNiraWidgetRegistry::FocusFeatureWidgets(int featureId)
{
    CNiraPtrList* list = ListOf(m_features, featureId);
    for (CNiraPtrList::Node* node = list != nullptr ? list->GetHead() : nullptr; node != nullptr;
         node = node->next) {
        static_cast<CNiraWidget*>(node->value)->SetFocus();
    }
}

int CNiraWidgetRegistry::MarkSheetChanged(CNiraWidgetGroup* group)
{
    return SendSheetMessage(group, PSM_CHANGED);
}

int CNiraWidgetRegistry::MarkSheetUnchanged(CNiraWidgetGroup* group)
{
    return SendSheetMessage(group, PSM_UNCHANGED);
}

int CNiraWidgetRegistry::SendSheetMessage(CNiraWidgetGroup* group, UINT message)
{
    if (group == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (m_page == nullptr) {
        m_page = group->GetDialog();
    }
    if (m_sheet == nullptr && m_page != nullptr) {
        m_sheet = GetParent(m_page);
    }
    SendMessageW(m_sheet, message, reinterpret_cast<WPARAM>(m_page), 0);
    return NIRA_STATUS_OK;
}
