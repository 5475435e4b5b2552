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
#include "nira/presentation/WidgetFactory.h"
#include "nira/presentation/WidgetGroup.h"
#include "nira/presentation/WidgetRegistry.h"
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
        {IDC_WIDGETS_PORTRAIT, WIDGET_RADIO_BUTTON, 4118, 0, IDC_WIDGETS_ORIENTATION, 0, 0, 0},
        {IDC_WIDGETS_LANDSCAPE, WIDGET_RADIO_BUTTON, 4118, 0, IDC_WIDGETS_ORIENTATION, 0, 0, 0},
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

// The widgets of the dialog, made by the factory, filed in the controller's registry and filled
// from the settings by it; the page's widget group hands the dialog's messages to them.
class WidgetPage {
public:
    WidgetPage(CNiraPresentationController* controller, CNiraUISettings* settings)
        : m_controller(controller), m_settings(settings)
    {
        m_group.SetController(controller);
    }

    // The widgets of features the settings hold are the registry's, filled by it; the picture
    // widgets of the sheet preview and the custom size command stand for no setting and are
    // kept here.
    void Make()
    {
        CNiraWidgetRegistry* registry = m_controller->GetRegistry();
        CNiraWidgetFactory factory;
        for (const Binding& binding : Bindings()) {
            std::unique_ptr<CNiraWidgetInfo> info(CreateWidgetInfo(RowOf(binding)));
            if (binding.kind == WIDGET_RADIO_BUTTON) {
                AddOptionButton(*info, registry);
            } else if (m_settings->HasFeature(binding.featureId)) {
                File(binding.controlId, factory.CreateWidget(info.get()), *info);
            } else {
                m_pictures.emplace_back(factory.CreateWidget(info.get()));
                m_group.AddWidget(m_pictures.back().get());
            }
        }
        registry->FillAllWidgets(m_settings);
    }

    void Attach(HWND dialog) { m_group.AttachDialog(dialog); }
    INT_PTR Route(UINT message, WPARAM wParam, LPARAM lParam, HWND dialog)
    {
        return m_group.OnMessage(message, wParam, lParam, 0, dialog);
    }

private:
    void File(int key, CNiraWidget* widget, const CNiraWidgetInfo& row)
    {
        CNiraWidgetRegistry* registry = m_controller->GetRegistry();
        if (widget == nullptr) {
            return;
        }
        m_group.AddWidget(widget);
        registry->AddWidget(key, widget);
        registry->AddFeatureWidget(row.FeatureID(), widget);
        registry->MapControl(row.ControlID(), row.FeatureID());
    }

    // The first row of a radio group makes the radio widget; every row makes an option button.
    void AddOptionButton(const CNiraWidgetInfo& info, CNiraWidgetRegistry* registry)
    {
        CNiraWidgetFactory factory;
        CNiraWidget* radio = registry->FindRadioWidget(info.FeatureID());
        if (radio == nullptr) {
            radio = factory.CreateWidget(&info);
            File(info.GroupID(), radio, info);
        }
        registry->AddRadioOption(radio, factory.CreateOptionButton(&info));
    }

    CNiraPresentationController* m_controller;
    CNiraUISettings* m_settings;
    CNiraWidgetGroup m_group{IDD_WIDGETS, 0, 7, 0, TEXT("Widgets")};
    std::vector<std::unique_ptr<CNiraWidget>> m_pictures;
};

// The sink the widgets report to: the UI core hears of the changes, the sheet preview handler
// paints its widget, and widget commands are listed.
class HostSink : public INiraUISink {
public:
    HostSink(CNiraUICore* core, CNiraSheetPreview* preview) : m_core(core), m_preview(preview) {}

    int BackupSettings(int featureId, int flags) override { return m_core->BackupSettings(featureId, flags); }
    int OnOptionChanged(int featureId, int fromUser) override
    {
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
    CNiraSheetPreview* m_preview;
};

WidgetPage* g_page = nullptr;

INT_PTR CALLBACK WidgetsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    return g_page != nullptr ? g_page->Route(message, wParam, lParam, dialog) : FALSE;
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
    // A Ctrl + double click on the binding picture: the page's group hands it to every widget.
    RECT picture = {};
    GetWindowRect(GetDlgItem(dialog, IDC_WIDGETS_BINDING), &picture);
    POINT middle = {(picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2};
    ScreenToClient(dialog, &middle);
    nirasim::SetKeyDown(VK_CONTROL, true);
    nirasim::DoubleClick(dialog, middle.x, middle.y);
    nirasim::SetKeyDown(VK_CONTROL, false);
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
    HostSink sink(core.get(), &preview);
    CNiraPresentationController controller;
    controller.AttachServices(&sink, settings, strings);
    WidgetPage page(&controller, settings);
    page.Make();
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
