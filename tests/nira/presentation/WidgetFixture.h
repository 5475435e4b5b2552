// What the widget tests share: a machine with the dialog fixture module and a string library, a
// UI settings object holding the features the tests add, a controller over it with a sink that
// counts what the widgets report, and a dialog whose procedure hands the controls' commands and
// scroll messages to the widgets as the page's group does.
#pragma once

#include <windows.h>

#include <nirasim/Machine.h>
#include <nirasim/Windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "nira/presentation/NiraWidget.h"
#include "nira/presentation/PresentationController.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"
#include "support/SampleUISettings.h"

// Counts the sink calls through which the controller passes a widget's report.
class CountingSink : public INiraUISink {
public:
    int BackupSettings(int featureId, int) override
    {
        reports.push_back(featureId);
        return 0;
    }
    int OnOptionChanged(int, int) override { return 0; }
    int ResolveConflicts(int, int* reverted, int, int) override
    {
        *reverted = 0;
        return 0;
    }
    int NotifyFeatureHandler(int featureId) override
    {
        featureNotifications.push_back(featureId);
        return 0;
    }
    int RefreshChangedHandlers() override { return 0; }
    int NotifyWidgetCommand(int widgetId) override
    {
        widgetCommands.push_back(widgetId);
        return 0;
    }
    int NotifyWidgetChanged(int) override { return 0; }
    int GetHelpFilePath(WCHAR** path) override
    {
        *path = nullptr;
        return 0x10000002;
    }
    int GetHelpId(int, int*) override { return 0; }
    int PaintWidget(int widgetId, HWND window, LONG_PTR) override
    {
        paints.emplace_back(widgetId, window);
        return 0;
    }
    HMODULE GetResourceModule() override { return resourceModule; }
    CNiraPrinterAccess* GetPrinterAccess() override { return nullptr; }
    int QueuePendingChange(int, int, int, int) override { return 0; }
    int TakeValueSnapshot() override { return 0; }

    std::vector<int> reports;  // one feature id per value report
    std::vector<int> featureNotifications;
    std::vector<int> widgetCommands;
    std::vector<std::pair<int, HWND>> paints;
    HMODULE resourceModule = nullptr;
};

// Control ids of the fixture's dialog template 100.
constexpr int kPushButton = 10;
constexpr int kCheckBox = 11;
constexpr int kRadioOne = 12;
constexpr int kRadioTwo = 13;
constexpr int kLabel = 14;
constexpr int kEdit = 15;
constexpr int kCombo = 16;
constexpr int kList = 17;
constexpr int kScrollBar = 18;
constexpr int kUpDown = 19;
constexpr int kTrackBar = 20;
constexpr int kOwnerDrawnCombo = 21;
constexpr int kOwnerDrawnList = 22;
constexpr int kFeature = 4200;

class WidgetTest : public ::testing::Test {
public:
    // A widget row of the layout database.
    static WidgetRow Row(int kind, int controlId, int featureId = kFeature, int state = 3);
    // Every widget the test made, in making order; the dialog procedure routes to them.
    static std::vector<std::unique_ptr<CNiraWidget>>& Widgets();

protected:
    void SetUp() override;
    void TearDown() override;

    // A widget of class T made from the row, attached to the controller (not to the dialog).
    template <typename T>
    T* Make(const WidgetRow& row)
    {
        std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(row));
        auto widget = std::make_unique<T>(*info);
        widget->SetController(&controller);
        T* made = widget.get();
        Widgets().push_back(std::move(widget));
        return made;
    }
    // Adds a feature with options (id, name, state), newest last, at the given current option.
    void AddFeature(int featureId, const std::vector<std::tuple<int, std::u16string, int>>& options,
                    int current, int showsHidden = 0);
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    std::u16string TextOf(HWND window) const;

    nirasim::Machine machine;
    HMODULE module = nullptr;
    CNiraStringDll* strings = nullptr;
    SampleUISettings settings;
    CountingSink sink;
    CNiraPresentationController controller;
    HWND dialog = nullptr;
};
