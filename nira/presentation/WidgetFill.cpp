// Filling a widget from the UI settings object, by the widget's kind.
#include "nira/presentation/WidgetRegistry.h"

#include "nira/presentation/ComboBoxOwnerDrawn.h"
#include "nira/presentation/ImageWidgets.h"
#include "nira/presentation/ListBoxOwnerDrawn.h"
#include "nira/presentation/SettingsReading.h"
#include "nira/presentation/TreeViewWidgets.h"

#include "common/NiraStatus.h"

#include <vector>

namespace {

constexpr int kPaperSizeFeature = 4114;
constexpr int kPaperSizeLeadingOptions = 2;
constexpr int kPaperSizeLeadingIdLimit = 500;
constexpr int kCheckedOption = 2;
constexpr int kEditTextOption = 1;
constexpr int kShowAndForce = WIDGET_CHANGE_REDRAW | WIDGET_CHANGE_FORCE;

void FillCombo(CNiraComboBox* combo, INiraUISettings* settings, int featureId)
{
    combo->ClearItems();
    const int count = settings->GetOptionCount(featureId);
    for (int i = 0; i < count; ++i) {
        SettingsOption option;
        if (ReadOptionAt(settings, featureId, i, &option) &&
            settings->SetOptionState(featureId, option.id, option.state, 0) != NIRA_STATUS_FAILED) {
            combo->AddItem(option.id, option.name, option.state);
        }
    }
    combo->AddMissingItems();
}

void AddOwnerDrawnItem(CNiraComboBoxOwnerDrawn* combo, INiraUISettings* settings, int featureId,
                       const SettingsOption& option)
{
    OptionInfo* info = AllocOptionInfo();
    int separator = 0;
    int stringId = 0;
    if (info != nullptr && settings->GetOptionInfo(featureId, option.id, info) == NIRA_STATUS_OK) {
        separator = info->separator;
        stringId = info->stringId;
    }
    FreeOptionInfo(info);
    combo->AddImageItem(option.id, option.name, option.bitmapId, option.iconId, option.state, separator,
                        stringId);
}

// Options with a name, in option order; paper sizes list the first two of the standard ids first.
void FillOwnerDrawnCombo(CNiraComboBoxOwnerDrawn* combo, INiraUISettings* settings, int featureId)
{
    combo->ClearItems();
    std::vector<SettingsOption> options = ReadNamedOptions(settings, featureId);
    std::vector<bool> added(options.size(), false);
    if (featureId == kPaperSizeFeature) {
        int leading = 0;
        for (size_t i = 0; i < options.size() && leading < kPaperSizeLeadingOptions; ++i) {
            if (options[i].id <= kPaperSizeLeadingIdLimit) {
                AddOwnerDrawnItem(combo, settings, featureId, options[i]);
                added[i] = true;
                ++leading;
            }
        }
    }
    for (size_t i = 0; i < options.size(); ++i) {
        if (!added[i]) {
            AddOwnerDrawnItem(combo, settings, featureId, options[i]);
        }
    }
}

// The display name of the feature's first option; false when it has none.
bool FirstOptionName(INiraUISettings* settings, int featureId, SettingsOption* option)
{
    return settings->GetOptionCount(featureId) > 0 && ReadOptionAt(settings, featureId, 0, option);
}

void FillEditText(CNiraWidget* widget, INiraUISettings* settings, int featureId)
{
    OptionInfo* info = AllocOptionInfo();
    if (info == nullptr) {
        return;
    }
    if (settings->GetOptionInfo(featureId, kEditTextOption, info) == NIRA_STATUS_OK) {
        const FeatureUIRecord* display = DisplayRecordOf(settings, featureId);
        if (display != nullptr) {
            widget->SetLimits(display->optionNameLengthLimit, 0.0f, 0.0f);
            widget->SetEditText(info->displayName);
        }
    }
    FreeOptionInfo(info);
}

}  // namespace

int CNiraWidgetRegistry::FillWidget(CNiraWidget* widget, INiraUISettings* settings, int fillLists)
{
    if (widget == nullptr) {
        return 0;
    }
    const int featureId = widget->GetFeatureId();
    const int kind = widget->GetKind();
    int current = kind == WIDGET_CHECK_BOX ? kCheckedOption : 0;
    if (settings != nullptr) {
        widget->SetState(settings->GetDisplayState(featureId));
        int isSet = 0;
        settings->GetCurrentOption(featureId, &current, &isSet);
    }
    const bool filling = fillLists != 0 && settings != nullptr;
    switch (kind) {
    case WIDGET_CHECK_BOX:
        widget->SetValue(current == kCheckedOption ? 1 : 0, WIDGET_CHANGE_REDRAW);
        break;
    case WIDGET_RADIO_BUTTON:
        widget->SetValue(current - 1, WIDGET_CHANGE_REDRAW);
        break;
    case WIDGET_INT_EDIT_BOX:
    case WIDGET_SCROLL_BAR:
    case WIDGET_TRACK_BAR:
    case WIDGET_IMAGE_BUTTON:
        widget->SetValue(current, WIDGET_CHANGE_REDRAW);
        break;
    case WIDGET_COMBO_BOX:
    case WIDGET_COMBO_BOX_LABEL_FIELD:
    case WIDGET_COMBO_BOX_DROPDOWN:
        if (filling) {
            FillCombo(static_cast<CNiraComboBox*>(widget), settings, featureId);
        }
        widget->SetValue(current, WIDGET_CHANGE_REDRAW);
        LoadFeatureLabel(widget, settings);
        break;
    case WIDGET_LIST_BOX: {
        auto* list = static_cast<CNiraListBox*>(widget);
        if (filling) {
            list->ClearItems();
            for (const SettingsOption& option : ReadOptions(settings, featureId)) {
                list->AddItem(option.id, option.name);
            }
        }
        widget->SetValue(current, kShowAndForce);
        break;
    }
    case WIDGET_OWNERDRAWN_LIST_BOX:
        if (filling) {
            auto* list = static_cast<CNiraOwnerDrawnListBox*>(widget);
            list->ClearItems();
            for (const SettingsOption& option : ReadOptions(settings, featureId)) {
                list->AddImageItem(option.id, option.name, option.bitmapId);
            }
            widget->SetValue(current, WIDGET_CHANGE_REDRAW);
            FocusFeatureWidgets(featureId);
        }
        break;
    case WIDGET_COMBO_BOX_OWNERDRAWN:
        if (filling) {
            FillOwnerDrawnCombo(static_cast<CNiraComboBoxOwnerDrawn*>(widget), settings, featureId);
        }
        widget->SetValue(current, WIDGET_CHANGE_REDRAW);
        break;
    case WIDGET_OWNERDRAWN_BUTTON:
        if (filling) {
            // A picture of fewer than two options keeps what it shows.
            if (settings->GetOptionCount(featureId) < 2) {
                return NIRA_STATUS_FAILED;
            }
            auto* button = static_cast<CNiraOwnerdrawnButton*>(widget);
            button->ClearItems();
            for (const SettingsOption& option : ReadNamedOptions(settings, featureId)) {
                button->AddImageItem(option.id, option.name, option.bitmapId, option.iconId, option.state);
            }
        }
        widget->SetValue(current, WIDGET_CHANGE_REDRAW);
        break;
    case WIDGET_EDIT_BOX:
        if (filling) {
            FillEditText(widget, settings, featureId);
        }
        break;
    case WIDGET_STATIC:
    case WIDGET_OWNERDRAWN_STATIC:
        if (filling) {
            if (kind == WIDGET_OWNERDRAWN_STATIC && settings->GetOptionCount(featureId) > 1) {
                return NIRA_STATUS_FAILED;
            }
            SettingsOption first;
            if (FirstOptionName(settings, featureId, &first)) {
                widget->SetEditText(first.name);
            }
        }
        widget->SetValue(current, kShowAndForce);
        break;
    case WIDGET_CPSUI_TREE_VIEW:
        if (filling) {
            auto* tree = static_cast<CNiraCPSUITreeView*>(widget);
            tree->ClearItems();
            for (const SettingsOption& option : ReadNamedOptions(settings, featureId)) {
                tree->AddItem(option.id, option.name);
            }
        }
        widget->SetValue(current, WIDGET_CHANGE_REDRAW);
        break;
    case WIDGET_TREE_VIEW:
        if (filling) {
            static_cast<CNiraTreeViewCtrl*>(widget)->FillRows(settings);
        }
        break;
    default:
        break;
    }
    return 1;
}
