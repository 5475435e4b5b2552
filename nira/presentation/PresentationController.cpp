#include "nira/presentation/PresentationController.h"

#include "nira/presentation/ButtonWidgets.h"
#include "nira/presentation/Frames.h"
#include "nira/presentation/UIHelpers.h"
#include "nira/presentation/WidgetFactory.h"
#include "nira/presentation/WidgetGroup.h"
#include "nira/presentation/WidgetRegistry.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include <strsafe.h>

#include <new>

namespace {

constexpr int kHighestMode = 2;
constexpr int kSheetMode = 1;
constexpr int kTreeSizeFeature = 6418;
constexpr int kTreeMediaFeature = 6419;
constexpr int kTreeSizeChange = 6067;
constexpr int kTreeMediaChange = 6070;
constexpr int kPendingFromSettings = 2;
constexpr int kTreeSelectionState = 2;
const WCHAR kUILayoutKey[] = TEXT("NIRA_UILAYOUT_XML");

}  // namespace

// The frame goes first: a dialog it still shows hands its last messages to the registry's group.
CNiraPresentationController::~CNiraPresentationController()
{
    delete m_frame;
    delete m_registry;
}

void CNiraPresentationController::AttachServices(INiraUISink* sink, INiraUISettings* settings,
                                                 CNiraStringDll* strings)
{
    m_sink = sink;
    m_settings = settings;
    m_strings = strings;
    if (m_registry == nullptr) {
        m_registry = new (std::nothrow) CNiraWidgetRegistry(kSheetMode);
    }
}

int CNiraPresentationController::PresentFrame(INiraUISink* sink, INiraUISettings* settings,
                                              CNiraUILayoutDB* layoutReader, FrameRequest* request,
                                              CNiraStringDll* strings, int mode)
{
    if (request == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR container[kFrameNameChars] = {};
    WCHAR database[kFrameNameChars] = {};
    StringCchCopyNW(container, kFrameNameChars, request->containerName, kFrameNameChars - 1);
    StringCchCopyNW(database, kFrameNameChars, request->databasePath, kFrameNameChars - 1);
    if (sink == nullptr || settings == nullptr || layoutReader == nullptr || strings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_sink = sink;
    m_layoutReader = layoutReader;
    m_settings = settings;
    // A second request replaces the frame of the first, and then the groups behind it.
    delete m_frame;
    m_frame = nullptr;
    delete m_registry;
    m_registry = new (std::nothrow) CNiraWidgetRegistry(mode > kHighestMode ? kHighestMode : mode);
    m_strings = strings;
    if (m_registry == nullptr) {
        return NIRA_STATUS_FAILED;
    }

    m_layoutReader->Open(database);
    INT frameType = 0;
    m_layoutReader->GetFrameType(container, &frameType);
    request->frameType = static_cast<DWORD>(frameType);
    if (m_layoutReader->FindContainer(container, &AddContainer, this) == NIRA_STATUS_FAILED) {
        return NIRA_STATUS_FAILED;
    }
    return CreateAndShowFrame(frameType, &request->parentValue, request->context, request->resourceModule,
                              StartPage());
}

LONG CALLBACK CNiraPresentationController::AddContainer(CNiraIntRecord* record, LPVOID user)
{
    auto* self = static_cast<CNiraPresentationController*>(user);
    if (record == nullptr || self == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    self->m_containerId = record->containerId;
    self->m_rtl = IsRtlUILanguage();
    self->m_layoutReader->EnumWindows(self->m_containerId, self->m_rtl, &AddWindow, self);
    return NIRA_STATUS_OK;
}

LONG CALLBACK CNiraPresentationController::AddWindow(CNiraIntRecord* record, LPVOID user)
{
    auto* self = static_cast<CNiraPresentationController*>(user);
    auto* window = dynamic_cast<CNiraWindowRecord*>(record);
    if (window == nullptr || self == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    self->m_windowId = window->windowId;
    self->CreateGroup(*window);
    self->m_layoutReader->EnumWidgets(self->m_containerId, self->m_windowId, &AddWidget, self);
    self->m_registry->FillAllWidgets(self->m_settings);
    return NIRA_STATUS_OK;
}

LONG CALLBACK CNiraPresentationController::AddWidget(CNiraWidgetInfo* row, LPVOID user)
{
    auto* self = static_cast<CNiraPresentationController*>(user);
    if (row == nullptr || self == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (self->m_settings->HasFeature(row->FeatureID())) {
        self->CreateWidget(*row);
    }
    return NIRA_STATUS_OK;
}

void CNiraPresentationController::CreateGroup(const CNiraWindowRecord& row)
{
    CNiraWidgetFactory factory;
    CNiraWidgetGroup* group = factory.CreateGroup(&row);
    if (group != nullptr) {
        group->SetController(this);
        m_registry->AddGroup(m_windowId, group);
    }
}

void CNiraPresentationController::CreateWidget(const CNiraWidgetInfo& row)
{
    if (row.CtrlType() == WIDGET_RADIO_BUTTON) {
        CreateRadioOption(row);
        return;
    }
    CNiraWidgetFactory factory;
    FileWidget(row.ControlID(), factory.CreateWidget(&row), row);
}

// A feature shown as radio buttons has one radio widget, made from its first row and filed under
// the row's group id; every row adds an option button to it.
void CNiraPresentationController::CreateRadioOption(const CNiraWidgetInfo& row)
{
    CNiraWidgetFactory factory;
    CNiraWidget* radio = m_registry->FindRadioWidget(row.FeatureID());
    if (radio == nullptr) {
        radio = factory.CreateWidget(&row);
        FileWidget(row.GroupID(), radio, row);
    }
    if (radio != nullptr) {
        m_registry->AddRadioOption(radio, factory.CreateOptionButton(&row));
    }
}

void CNiraPresentationController::FileWidget(int key, CNiraWidget* widget, const CNiraWidgetInfo& row)
{
    if (widget == nullptr) {
        return;
    }
    m_registry->AddWidgetToGroup(m_windowId, widget);
    m_registry->AddWidget(key, widget);
    m_registry->AddFeatureWidget(row.FeatureID(), widget);
    m_registry->MapControl(row.ControlID(), row.FeatureID());
}

// The index of the page opened first: the start page's current option, else its default.
int CNiraPresentationController::StartPage()
{
    int option = 0;
    int isSet = 0;
    int page = 0;
    if (m_settings->GetCurrentOption(FEATURE_START_PAGE, &option, &isSet) == NIRA_STATUS_OK) {
        m_settings->GetOptionValue(FEATURE_START_PAGE, option, &page);
    } else if (m_settings->GetDefaultOption(FEATURE_START_PAGE, &option) == NIRA_STATUS_OK) {
        m_settings->GetOptionValue(FEATURE_START_PAGE, option, &page);
    }
    return page;
}

// A container whose frame type has no frame, or a request without a context, shows nothing.
int CNiraPresentationController::CreateAndShowFrame(int frameType, DWORD* result, void* context,
                                                    HMODULE resourceModule, int startPage)
{
    delete m_frame;
    m_frame = CreateFrame(frameType, context, resourceModule);
    if (m_frame == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_frame->Show(&m_registry->GetGroups(), result, resourceModule, m_rtl, startPage, this);
    return NIRA_STATUS_OK;
}

// A text reported as a feature notification goes to the feature's handler; a value is backed up,
// written, announced as an option change and checked against the constraints. The sheet's Apply
// button then follows whether the settings still equal the applied ones.
int CNiraPresentationController::OnWidgetChanged(INiraWidget* widget, int flags)
{
    if (widget == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    const int featureId = widget->GetFeatureId();
    if (flags & WIDGET_CHANGE_NOTIFY_FEATURE) {
        if (m_sink != nullptr) {
            m_sink->NotifyFeatureHandler(featureId);
        }
        RefreshChangedWidgets();
    } else {
        if (m_sink != nullptr) {
            m_sink->BackupSettings(featureId, 1);
        }
        if (m_registry != nullptr) {
            m_registry->ApplyWidget(dynamic_cast<CNiraWidget*>(widget), m_settings, flags);
        }
        if (m_sink != nullptr) {
            m_sink->OnOptionChanged(featureId, 1);
        }
        RefreshChangedWidgets();
        int changed = 0;
        if (m_sink != nullptr && m_sink->ResolveConflicts(featureId, &changed, 1, 0) == NIRA_STATUS_OK &&
            changed == 1) {
            RefreshChangedWidgets();
        }
    }
    int state = 0;
    int isSet = 0;
    if (m_settings != nullptr && m_registry != nullptr &&
        m_settings->GetCurrentOption(FEATURE_CHANGE_STATE, &state, &isSet) == NIRA_STATUS_OK) {
        if (state == 1) {
            m_registry->MarkSheetUnchanged(widget->GetGroup());
        } else {
            m_registry->MarkSheetChanged(widget->GetGroup());
        }
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetSettings(INiraUISettings** settings)
{
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *settings = m_settings;
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetStringDll(CNiraStringDll** strings)
{
    if (strings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *strings = m_strings;
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetFeatureOfControl(int controlId, int* featureId)
{
    if (featureId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *featureId = 0;
    if (m_registry != nullptr) {
        m_registry->GetControlFeature(controlId, featureId);
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::GetHelpId(int id, int* helpId)
{
    return m_sink == nullptr ? NIRA_STATUS_FAILED : m_sink->GetHelpId(id, helpId);
}

int CNiraPresentationController::GetHelpFilePath(WCHAR** path)
{
    return m_sink == nullptr ? NIRA_STATUS_FAILED : m_sink->GetHelpFilePath(path);
}

HMODULE CNiraPresentationController::GetResourceModule()
{
    return m_sink == nullptr ? nullptr : m_sink->GetResourceModule();
}

int CNiraPresentationController::PaintWidget(int widgetId, HWND window, HMODULE module)
{
    if (window == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (m_sink != nullptr) {
        m_sink->PaintWidget(widgetId, window, reinterpret_cast<LONG_PTR>(module));
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::NotifyWidgetCommand(int id)
{
    if (m_sink != nullptr) {
        m_sink->NotifyWidgetCommand(id);
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::NotifyWidgetChanged(int id)
{
    if (m_sink != nullptr && id != 0) {
        m_sink->NotifyWidgetChanged(id);
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::ApplyNow()
{
    if (m_sink != nullptr) {
        m_sink->RefreshChangedHandlers();
        m_sink->TakeValueSnapshot();
    }
    return NIRA_STATUS_OK;
}

int CNiraPresentationController::RefreshChangedWidgets()
{
    return m_registry == nullptr ? NIRA_STATUS_FAILED : m_registry->RefreshChangedWidgets(m_settings);
}

int CNiraPresentationController::QueuePendingChange(int id, int value, int mode)
{
    if (m_sink == nullptr || mode > kHighestMode) {
        return NIRA_STATUS_FAILED;
    }
    return m_sink->QueuePendingChange(id, value, 1, mode);
}

// The tree views' leaf becomes the companion feature's option, and the core is asked to carry it
// over to the feature the companion stands for.
int CNiraPresentationController::SelectTreeOption(int featureId, int value)
{
    if (m_settings != nullptr) {
        m_settings->SetCurrentOption(&featureId, &value, kTreeSelectionState, 1, 0, 1, 0);
    }
    const int pending = featureId == kTreeSizeFeature    ? kTreeSizeChange
                        : featureId == kTreeMediaFeature ? kTreeMediaChange
                                                         : 0;
    QueuePendingChange(pending, kPendingFromSettings, 1);
    return NIRA_STATUS_FAILED;
}

int CNiraPresentationController::SetStartPage(int windowId)
{
    if (m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int featureId = FEATURE_START_PAGE;
    return m_settings->SetCurrentOption(&featureId, &windowId, kTreeSelectionState, 0, 0, 1, 0);
}

int CNiraPresentationController::ShowsHiddenOptions(int featureId, int* shows)
{
    if (m_settings != nullptr) {
        m_settings->GetIgnoreOptionState(featureId, shows);
    }
    return NIRA_STATUS_OK;
}

// The dialog frames ask for a window's right-to-left twin in the printer's own layout database.
int CNiraPresentationController::GetRtlWindowId(int windowId, int* rtlWindowId)
{
    if (m_sink == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPrinterAccess* access = m_sink->GetPrinterAccess();
    if (access == nullptr || m_layoutReader == nullptr) {
        return NIRA_STATUS_OK;
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    access->GetComponentPath(kUILayoutKey, path);
    m_layoutReader->Open(path);
    m_layoutReader->GetRtlWindowId(windowId, rtlWindowId);
    return NIRA_STATUS_OK;
}

bool ReadPresentationString(CNiraPresentationController* controller, int id, WCHAR* buffer, DWORD size)
{
    buffer[0] = 0;
    CNiraStringDll* strings = nullptr;
    if (id == 0 || controller == nullptr || controller->GetStringDll(&strings) != NIRA_STATUS_OK ||
        strings == nullptr) {
        return false;
    }
    UINT stringId = static_cast<UINT>(id);
    if (strings->GetString(&stringId, buffer, size, nullptr) != NIRA_STATUS_OK) {
        buffer[0] = 0;
        return false;
    }
    return true;
}
