// Job "widgets": the presentation library's widgets on the widgets dialog of the sample package's
// resource module, each bound to a feature of the printer's UI settings and filled from them; the
// dialog as a PNG before and after a scripted choice (--out DIR, by default nirahost-out/), with
// the settings' values after each. The owner-drawn button shows the sheet preview, painted by its
// feature handler when the widget asks the sink.
#include "host/HostJob.h"
#include "host/OutFolder.h"

#include <commctrl.h>
#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>
#include <nirasim/Windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "nira/presentation/CheckRadioWidgets.h"
#include "nira/presentation/ComboBoxOwnerDrawn.h"
#include "nira/presentation/EditWidgets.h"
#include "nira/presentation/ImageWidgets.h"
#include "nira/presentation/ListBoxOwnerDrawn.h"
#include "nira/presentation/PresentationController.h"
#include "nira/presentation/RangeWidgets.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/sheetpreview/SheetPreview.h"
#include "package/nirares/WidgetsDialog.h"

namespace {

constexpr int kSheetPreviewWidget = 6002;
constexpr int kCustomSizeCommand = 6003;
constexpr int kBindingBitmap = 115;
constexpr int kEnabled = 3;
constexpr int kListRowHeight = 42;  // three lines of an owner-drawn list row
constexpr int kComboRowHeight = 20;
constexpr int kCheckedOption = 2;

// One widget of the dialog: its layout row.
struct Binding {
    int controlId;
    int kind;
    int featureId;
    int stringId;
    int groupId;
    int minimum;
    int maximum;
    int increment;
};

const std::vector<Binding>& Bindings()
{
    static const std::vector<Binding> bindings = {
        {IDC_WIDGETS_LABEL, WIDGET_STATIC, 4114, 14114, 0, 0, 0, 0},
        {IDC_WIDGETS_COMBO, WIDGET_COMBO_BOX, 4114, 14114, 0, 0, 0, 0},
        {IDC_WIDGETS_LIST, WIDGET_LIST_BOX, 4117, 14117, 0, 0, 0, 0},
        {IDC_WIDGETS_DRAWN_COMBO, WIDGET_COMBO_BOX_OWNERDRAWN, 4128, 14128, 0, 0, 0, 0},
        {IDC_WIDGETS_DRAWN_LIST, WIDGET_OWNERDRAWN_LIST_BOX, 4125, 14125, 0, 0, 0, 0},
        {IDC_WIDGETS_CHECK, WIDGET_CHECK_BOX, 4119, 14119, 0, 0, 0, 0},
        {IDC_WIDGETS_PORTRAIT, WIDGET_RADIO_BUTTON, 4118, 14118, IDC_WIDGETS_ORIENTATION, 0, 0, 0},
        {IDC_WIDGETS_LANDSCAPE, WIDGET_RADIO_BUTTON, 4118, 14118, IDC_WIDGETS_ORIENTATION, 0, 0, 0},
        {IDC_WIDGETS_COPIES, WIDGET_INT_EDIT_BOX, 4235, 14235, 0, 1, 999, 1},
        {IDC_WIDGETS_COPIES_SPIN, WIDGET_SPIN_CONTROL, 4235, 14235, 0, 1, 999, 1},
        {IDC_WIDGETS_BRIGHTNESS, WIDGET_TRACK_BAR, 4167, 14167, 0, -100, 100, 5},
        {IDC_WIDGETS_CONTRAST, WIDGET_SCROLL_BAR, 4168, 14168, 0, -100, 100, 5},
        {IDC_WIDGETS_CUSTOM_SIZE, WIDGET_BUTTON, kCustomSizeCommand, 16003, 0, 0, 0, 0},
        {IDC_WIDGETS_BINDING, WIDGET_OWNERDRAWN_STATIC, kCustomSizeCommand, 0, 0, 0, 0, 0},
        {IDC_WIDGETS_SHEET, WIDGET_OWNERDRAWN_BUTTON, kSheetPreviewWidget, 0, 0, 0, 0, 0},
    };
    return bindings;
}

WidgetRow RowOf(const Binding& binding)
{
    WidgetRow row{};
    row.controlId = binding.controlId;
    row.groupId = binding.groupId;
    row.featureId = binding.featureId;
    row.ctrlStringId = binding.stringId;
    row.ctrlType = binding.kind;
    row.ctrlState = kEnabled;
    row.maxValue = binding.maximum;
    row.minValue = binding.minimum;
    row.incrementFactor = binding.increment;
    row.bitmapId = binding.kind == WIDGET_OWNERDRAWN_STATIC ? kBindingBitmap : 0;
    return row;
}

// The widgets of the dialog and what the page's widget group and registry do for them here: the
// controls' messages handed to the widgets, each widget filled from the settings, and a changed
// value written back.
class WidgetPage {
public:
    explicit WidgetPage(CNiraUISettings* settings) : m_settings(settings) {}

    void Make(CNiraPresentationController* controller)
    {
        CNiraRadioButton* radio = nullptr;
        for (const Binding& binding : Bindings()) {
            std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(RowOf(binding)));
            if (binding.kind == WIDGET_RADIO_BUTTON) {
                AddOptionButton(*info, controller, &radio);
                continue;
            }
            std::unique_ptr<CNiraWidget> widget = Create(binding.kind, *info);
            widget->SetController(controller);
            Fill(widget.get());
            m_widgets.push_back(std::move(widget));
        }
        if (radio != nullptr) {
            Fill(radio);
        }
    }

    void Attach(HWND dialog)
    {
        for (auto& widget : m_widgets) {
            widget->Attach(dialog);
        }
    }

    // What the dialog procedure hands on.
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_COMMAND:
            // By control id; the radio widget hears of its option buttons' clicks first.
            for (auto& widget : m_widgets) {
                if (widget->GetControlId() == LOWORD(wParam) || widget.get() == m_radio) {
                    widget->OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam), 0);
                }
            }
            return TRUE;
        case WM_HSCROLL:
        case WM_VSCROLL: {
            int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
            if (CNiraWidget* widget = WidgetOf(id)) {
                widget->OnCommand(id, reinterpret_cast<HWND>(lParam), -LOWORD(wParam), HIWORD(wParam));
            }
            return TRUE;
        }
        case WM_DRAWITEM: {
            auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (CNiraWidget* widget = WidgetOf(static_cast<int>(draw->CtlID))) {
                widget->DrawItem(draw);
            }
            return TRUE;
        }
        case WM_MEASUREITEM: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measure->itemHeight = measure->CtlType == ODT_LISTBOX ? kListRowHeight : kComboRowHeight;
            return TRUE;
        }
        default:
            return FALSE;
        }
    }

    // The widget's value written into the settings as the option it stands for.
    void Apply(int featureId)
    {
        for (auto& widget : m_widgets) {
            if (widget->GetFeatureId() != featureId || !Writes(widget->GetKind())) {
                continue;
            }
            int option = OptionOf(widget->GetKind(), widget->GetValue());
            m_settings->SetCurrentOption(&featureId, &option, OPTION_STATE_SELECTABLE, 1, 0, 1, 0);
            return;
        }
    }

private:
    static std::unique_ptr<CNiraWidget> Create(int kind, const CNiraWidgetInfo& info)
    {
        switch (kind) {
        case WIDGET_STATIC:
            return std::make_unique<CNiraStaticControl>(info);
        case WIDGET_COMBO_BOX:
            return std::make_unique<CNiraComboBox>(info);
        case WIDGET_LIST_BOX:
            return std::make_unique<CNiraListBox>(info);
        case WIDGET_COMBO_BOX_OWNERDRAWN:
            return std::make_unique<CNiraComboBoxOwnerDrawn>(info);
        case WIDGET_OWNERDRAWN_LIST_BOX:
            return std::make_unique<CNiraOwnerDrawnListBox>(info);
        case WIDGET_CHECK_BOX:
            return std::make_unique<CNiraCheckBox>(info);
        case WIDGET_INT_EDIT_BOX:
            return std::make_unique<CNiraIntEditBox>(info);
        case WIDGET_SPIN_CONTROL:
            return std::make_unique<CNiraSpinControl>(info);
        case WIDGET_TRACK_BAR:
            return std::make_unique<CNiraTrackBar>(info);
        case WIDGET_SCROLL_BAR:
            return std::make_unique<CNiraScrollBar>(info);
        case WIDGET_OWNERDRAWN_STATIC:
            return std::make_unique<CNiraOwnerDrawnStaticControl>(info);
        case WIDGET_OWNERDRAWN_BUTTON:
            return std::make_unique<CNiraOwnerdrawnButton>(info);
        default:
            return std::make_unique<CNiraButton>(info);
        }
    }

    // The first row of a radio group makes the radio widget, listed before its buttons so that it
    // hears of their clicks first; every row makes an option button.
    void AddOptionButton(const CNiraWidgetInfo& info, CNiraPresentationController* controller,
                         CNiraRadioButton** radio)
    {
        if (*radio == nullptr) {
            auto made = std::make_unique<CNiraRadioButton>(info);
            made->SetController(controller);
            *radio = made.get();
            m_radio = made.get();
            m_widgets.push_back(std::move(made));
        }
        auto button = std::make_unique<CNiraButton>(info);
        (*radio)->AddOptionButton(button.get());
        WCHAR name[kOptionTextLength] = {};
        int featureId = info.FeatureID();
        int option = (*radio)->GetOptionButtons().GetCount();  // the buttons stand for options 1, 2...
        if (m_settings->GetOptionName(featureId, option, name) == 0) {
            button->SetText(name, 0);
        }
        m_widgets.push_back(std::move(button));
    }

    void Fill(CNiraWidget* widget)
    {
        int featureId = widget->GetFeatureId();
        int current = 0;
        int isSet = 0;
        m_settings->GetCurrentOption(featureId, &current, &isSet);
        for (int index = 0; index < m_settings->GetOptionCount(featureId); ++index) {
            int optionIndex = 0;
            int option = 0;
            int bitmapId = 0;
            int iconId = 0;
            int state = 0;
            WCHAR name[kOptionTextLength] = {};
            if (m_settings->GetOptionByIndex(index, featureId, &optionIndex, &option, name, &bitmapId,
                                             &iconId, &state) != 0) {
                continue;
            }
            AddOption(widget, option, name, bitmapId, iconId, state);
        }
        switch (widget->GetKind()) {
        case WIDGET_CHECK_BOX:
            widget->SetValue(current == kCheckedOption ? 1 : 0, WIDGET_CHANGE_REDRAW);
            break;
        case WIDGET_RADIO_BUTTON:
            widget->SetValue(current - 1, WIDGET_CHANGE_REDRAW);
            break;
        case WIDGET_STATIC:
        case WIDGET_BUTTON:
        case WIDGET_OWNERDRAWN_STATIC:
        case WIDGET_OWNERDRAWN_BUTTON:
            break;
        default:
            widget->SetValue(current, WIDGET_CHANGE_REDRAW);
        }
    }

    static void AddOption(CNiraWidget* widget, int option, const WCHAR* name, int bitmapId, int iconId,
                          int state)
    {
        switch (widget->GetKind()) {
        case WIDGET_COMBO_BOX:
            static_cast<CNiraComboBox*>(widget)->AddItem(option, name, state);
            break;
        case WIDGET_LIST_BOX:
            static_cast<CNiraListBox*>(widget)->AddItem(option, name);
            break;
        case WIDGET_COMBO_BOX_OWNERDRAWN:
            static_cast<CNiraComboBoxOwnerDrawn*>(widget)->AddImageItem(option, name, bitmapId, iconId, state,
                                                                        0, 0);
            break;
        case WIDGET_OWNERDRAWN_LIST_BOX:
            static_cast<CNiraOwnerDrawnListBox*>(widget)->AddImageItem(option, name, bitmapId);
            break;
        default:
            break;
        }
    }

    static bool Writes(int kind)
    {
        return kind != WIDGET_STATIC && kind != WIDGET_BUTTON && kind != WIDGET_SPIN_CONTROL &&
               kind != WIDGET_OWNERDRAWN_STATIC && kind != WIDGET_OWNERDRAWN_BUTTON;
    }

    static int OptionOf(int kind, int value)
    {
        switch (kind) {
        case WIDGET_CHECK_BOX:
            return value == 1 ? kCheckedOption : 1;
        case WIDGET_RADIO_BUTTON:
            return value + 1;
        default:
            return value;
        }
    }

    CNiraWidget* WidgetOf(int controlId)
    {
        for (auto& widget : m_widgets) {
            if (widget->GetControlId() == controlId) {
                return widget.get();
            }
        }
        return nullptr;
    }

    CNiraUISettings* m_settings;
    std::vector<std::unique_ptr<CNiraWidget>> m_widgets;
    CNiraWidget* m_radio = nullptr;
};

// The sink the widgets report to: the UI core hears of the changes, the sheet preview handler
// paints its widget, and widget commands are listed.
class HostSink : public INiraUISink {
public:
    HostSink(CNiraUICore* core, WidgetPage* page, CNiraSheetPreview* preview)
        : m_core(core), m_page(page), m_preview(preview)
    {}

    int BackupSettings(int featureId, int flags) override { return m_core->BackupSettings(featureId, flags); }
    int OnOptionChanged(int featureId, int fromUser) override
    {
        m_page->Apply(featureId);
        return m_core->OnOptionChanged(featureId, fromUser);
    }
    int ResolveConflicts(int featureId, int* reverted, int check, int quiet) override
    {
        return m_core->ResolveConflicts(featureId, reverted, check, quiet);
    }
    int NotifyFeatureHandler(int) override { return 0; }
    int RefreshChangedHandlers() override { return 0; }
    int NotifyWidgetCommand(int widgetId) override
    {
        HostMachine::Print("  widget command " + std::to_string(widgetId));
        return 0;
    }
    int NotifyWidgetChanged(int) override { return 0; }
    int GetHelpFilePath(WCHAR** path) override
    {
        *path = nullptr;
        return NIRA_STATUS_FAILED;
    }
    int GetHelpId(int featureId, int* helpId) override { return m_core->GetHelpId(featureId, helpId); }
    int PaintWidget(int widgetId, HWND window, LONG_PTR extra) override
    {
        return widgetId == kSheetPreviewWidget ? m_preview->PaintWidget(widgetId, window, extra) : 0;
    }
    HMODULE GetResourceModule() override { return m_core->GetResourceModule(); }
    CNiraPrinterAccess* GetPrinterAccess() override { return m_core->GetPrinterAccess(); }
    int QueuePendingChange(int featureId, int value, int action, int source) override
    {
        return m_core->QueuePendingChange(featureId, value, action, source);
    }
    int TakeValueSnapshot() override { return 0; }

private:
    CNiraUICore* m_core;
    WidgetPage* m_page;
    CNiraSheetPreview* m_preview;
};

WidgetPage* g_page = nullptr;

INT_PTR CALLBACK WidgetsDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    return g_page != nullptr ? g_page->Route(message, wParam, lParam) : FALSE;
}

// The feature's current option with its name.
std::string ValueOf(CNiraUISettings* settings, int featureId)
{
    int option = 0;
    int isSet = 0;
    if (settings->GetCurrentOption(featureId, &option, &isSet) != 0) {
        return "unreadable";
    }
    WCHAR name[kOptionTextLength] = {};
    settings->GetOptionName(featureId, option, name);
    return std::to_string(option) + (name[0] != 0 ? " \"" + nirasim::Utf8(name) + "\"" : std::string());
}

void PrintValues(CNiraUISettings* settings)
{
    int last = 0;
    for (const Binding& binding : Bindings()) {
        if (binding.featureId != last &&
            binding.featureId < static_cast<int>(CNiraUICore::kRequestFeatureLimit)) {
            HostMachine::Print("  feature " + std::to_string(binding.featureId) + ": " +
                               ValueOf(settings, binding.featureId));
        }
        last = binding.featureId;
    }
}

// What the user does: a choice in every list, a click on the check box and the other radio
// button, a number typed and the bars moved.
void PlayChoices(HWND dialog)
{
    nirasim::ChooseItem(GetDlgItem(dialog, IDC_WIDGETS_COMBO), 1);
    nirasim::ChooseItem(GetDlgItem(dialog, IDC_WIDGETS_LIST), 2);
    nirasim::ChooseItem(GetDlgItem(dialog, IDC_WIDGETS_DRAWN_COMBO), 3);
    nirasim::ChooseItem(GetDlgItem(dialog, IDC_WIDGETS_DRAWN_LIST), 1);
    nirasim::Click(GetDlgItem(dialog, IDC_WIDGETS_CHECK));
    nirasim::Click(GetDlgItem(dialog, IDC_WIDGETS_LANDSCAPE));
    nirasim::TypeText(GetDlgItem(dialog, IDC_WIDGETS_COPIES), TEXT("3"));
    nirasim::Scroll(GetDlgItem(dialog, IDC_WIDGETS_BRIGHTNESS), TB_PAGEDOWN);
    nirasim::Scroll(GetDlgItem(dialog, IDC_WIDGETS_CONTRAST), SB_LINEUP);
}

int Run(HostMachine& host, const std::vector<std::string>& arguments)
{
    SetDefaultHandlerFactory(&CreateFeatureHandler);
    std::string out = MakeOutFolder(arguments);
    HANDLE printer = nullptr;
    if (!OpenPrinterW(const_cast<LPWSTR>(host.printerName().c_str()), &printer, nullptr)) {
        HostMachine::Print("cannot open the printer");
        return 1;
    }
    auto core = std::make_unique<CNiraUICore>();
    int status = core->ConstructDriverState(printer, nullptr);
    core->LoadResourceModule(printer);
    CNiraUISettings* settings = nullptr;
    CNiraStringDll* strings = nullptr;
    core->GetSettings(&settings);
    GetStringDll(&strings);
    HMODULE resources = core->GetResourceModule();
    if (status != 0 || settings == nullptr || resources == nullptr) {
        HostMachine::Print("the driver state or the resource module is missing");
        ClosePrinter(printer);
        return 1;
    }
    int objects = nirasim::LiveGdiObjects();
    CNiraCoreServices services(core.get());
    CNiraSheetPreview preview;
    preview.Attach(&services, CLASS_SHEET_PREVIEW, nullptr);
    WidgetPage page(settings);
    HostSink sink(core.get(), &page, &preview);
    CNiraPresentationController controller;
    controller.AttachServices(&sink, settings, strings);
    page.Make(&controller);
    g_page = &page;
    HWND dialog = CreateDialogParamW(resources, MAKEINTRESOURCEW(IDD_WIDGETS), nullptr, WidgetsDialogProc, 0);
    int failures = dialog == nullptr ? 1 : 0;
    if (dialog != nullptr) {
        ShowWindow(dialog, SW_SHOW);
        page.Attach(dialog);
        const std::string before = out + "/widgets-before.png";
        failures += !nirasim::SaveDialogPicture(dialog, before);
        HostMachine::Print("the widgets dialog filled from the settings: " + before);
        PrintValues(settings);
        HostMachine::Print("after a choice in each control:");
        PlayChoices(dialog);
        const std::string after = out + "/widgets-after.png";
        failures += !nirasim::SaveDialogPicture(dialog, after);
        HostMachine::Print("the widgets dialog after the choices: " + after);
        PrintValues(settings);
        page.Attach(nullptr);
        DestroyWindow(dialog);
    }
    g_page = nullptr;
    preview.Detach();
    int left = nirasim::LiveGdiObjects() - objects;
    HostMachine::Print("GDI objects left by the painting: " + std::to_string(left));
    failures += left != 0;
    core.reset();
    ClosePrinter(printer);
    return failures == 0 ? 0 : 1;
}

const HostJobRegistration kJob{
    {"widgets", "the widgets dialog bound to the settings, before and after a scripted choice, one PNG each",
     75, Run}};

}  // namespace
