#include "WidgetFixture.h"

#include "nira/presentation/CheckRadioWidgets.h"

namespace {

const char16_t* const kDialogModule = TEXT("C:\\Program Files\\Fixture\\DialogFixture.dll");
const char16_t* const kStringModule = TEXT("C:\\Program Files\\Fixture\\SimFixture.dll");
constexpr int kAllControls = 100;

// Hands the controls' messages to the widgets as a page's group does.
INT_PTR CALLBACK RoutingDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        for (auto& widget : WidgetTest::Widgets()) {
            if (widget->GetControlId() == LOWORD(wParam) || widget->GetKind() == WIDGET_RADIO_BUTTON) {
                widget->OnCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam), 0);
            }
        }
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL: {
        int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        for (auto& widget : WidgetTest::Widgets()) {
            if (widget->GetControlId() == id) {
                widget->OnCommand(id, reinterpret_cast<HWND>(lParam), -LOWORD(wParam), HIWORD(wParam));
            }
        }
        return TRUE;
    }
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        for (auto& widget : WidgetTest::Widgets()) {
            if (widget->GetControlId() == static_cast<int>(draw->CtlID)) {
                widget->DrawItem(draw);
            }
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

std::vector<std::unique_ptr<CNiraWidget>>& WidgetTest::Widgets()
{
    static std::vector<std::unique_ptr<CNiraWidget>> widgets;
    return widgets;
}

void WidgetTest::SetUp()
{
    ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/dialogfixture.dll", kDialogModule));
    ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/simfixture.dll", kStringModule));
    module = LoadLibraryW(kDialogModule);
    ASSERT_NE(module, nullptr);
    strings = new CNiraStringDll(kStringModule);
    settings.settings.SetOwner(&settings.owner);
    controller.AttachServices(&sink, &settings.settings, strings);
    nirasim::SetDialogScript(nullptr);
    dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(kAllControls), nullptr, RoutingDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
}

void WidgetTest::TearDown()
{
    DestroyWindow(dialog);
    Widgets().clear();
    delete strings;
    FreeLibrary(module);
}

WidgetRow WidgetTest::Row(int kind, int controlId, int featureId, int state)
{
    WidgetRow row{};
    row.controlId = controlId;
    row.groupId = 0;
    row.featureId = featureId;
    row.ctrlType = kind;
    row.ctrlState = state;
    return row;
}

void WidgetTest::AddFeature(int featureId, const std::vector<std::tuple<int, std::u16string, int>>& options,
                            int current, int showsHidden)
{
    auto* feature = static_cast<FeatureRecord*>(LocalAlloc(LPTR, sizeof(FeatureRecord)));
    feature->size = sizeof(FeatureRecord);
    feature->featureId = featureId;
    feature->currentOption = current;
    feature->previousOption = current;
    feature->defaultOption = current;
    settings.settings.AddFeature(feature);
    auto* display = static_cast<FeatureUIRecord*>(LocalAlloc(LPTR, sizeof(FeatureUIRecord)));
    display->size = sizeof(FeatureUIRecord);
    display->featureId = featureId;
    display->displayState = 3;
    display->ignoreOptionState = showsHidden;
    settings.settings.SetFeatureUIRecord(featureId, display);
    for (const auto& [optionId, name, state] : options) {
        auto* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
        info->optionIndex = optionId;
        info->featureId = featureId;
        info->state = state;
        std::copy(name.begin(), name.end(), info->displayName);
        if (settings.settings.AddOption(featureId, optionId, info) != 0) {
            LocalFree(info);
        }
    }
}

std::u16string WidgetTest::TextOf(HWND window) const
{
    WCHAR text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}
