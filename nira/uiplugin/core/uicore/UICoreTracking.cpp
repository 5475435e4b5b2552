// What the UI core keeps track of between changes: the constraint engine it loads once, the
// values when the sheet opened with the change flag that follows them, the handlers of changed
// features and widgets, and the picture windows it repaints.
#include "nira/uiplugin/core/uicore/UICore.h"

#include <new>

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/plugin/OemUIPlugin.h"
#include "nira/uiplugin/core/services/ConstraintServices.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

#include <winuser.h>

namespace {

// The change flag: option 1 while the settings equal the snapshot, option 2 once they differ.
constexpr int kChangeFlagFeature = 6079;
constexpr int kSettingsUnchanged = 1;
constexpr int kSettingsChanged = 2;
// The features whose values the snapshot keeps.
constexpr int kFirstSnapshotFeature = 4114;
constexpr int kLastSnapshotFeature = kLastSettingsFeature;
// Features never compared with the snapshot.
constexpr int kUntrackedFeatures[] = {4297, 4157};

// The picture widgets whose windows are recorded when they paint.
constexpr int kMainPictureWidgets[] = {6002, 6025};
constexpr int kAltPictureWidget = 4211;
constexpr int kFirstListedPicture = 6350;

INT_PTR AsValue(int number)
{
    return static_cast<INT_PTR>(number);
}

void Invalidate(HWND window, BOOL erase)
{
    if (window == nullptr) {
        return;
    }
    RECT client = {};
    GetClientRect(window, &client);
    InvalidateRect(window, &client, erase);
}

}  // namespace

void CNiraUICore::LoadConstraints(int mode)
{
    if (m_constraintEngine == nullptr) {
        m_constraintEngine = new CNiraConstraintEngine();
    }
    if (m_constraintServices == nullptr) {
        m_constraintServices = new CNiraConstraintServices(this);
    }
    if (m_printerAccess == nullptr) {
        return;
    }
    // The rules are read once; a later call only tells the engine whom it serves.
    if (!m_constraintEngine->IsOpen()) {
        WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
        BuildComponentPath(kConstraintXmlKey, path);
        const int opened = m_constraintEngine->Open(m_constraintServices, path);
        m_constraintEngine->SetMode(mode);
        if (opened == 0) {
            m_constraintEngine->LoadRules();
        }
        return;
    }
    m_constraintEngine->SetMode(mode);
}

int CNiraUICore::SetChangeFlag()
{
    if (m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int featureId = kChangeFlagFeature;
    int optionId = m_changedFeatures.GetCount() == 0 ? kSettingsUnchanged : kSettingsChanged;
    return m_settings->SetCurrentOption(&featureId, &optionId, OPTION_STATE_SELECTABLE, 0, 0, 1, 0);
}

int CNiraUICore::TakeValueSnapshot()
{
    m_valueSnapshot.RemoveAll();
    if (m_settings != nullptr) {
        for (int id = kFirstSnapshotFeature; id <= kLastSnapshotFeature; ++id) {
            int option = 0;
            int isSet = 0;
            if (m_settings->GetCurrentOption(id, &option, &isSet) == 0) {
                m_valueSnapshot.SetAt(id, reinterpret_cast<void*>(AsValue(option)));
            }
        }
    }
    m_changedFeatures.RemoveAll();
    return SetChangeFlag();
}

int CNiraUICore::SnapshotValue(int featureId)
{
    if (!m_valueSnapshot.Contains(featureId)) {
        return 0;
    }
    return static_cast<int>(reinterpret_cast<INT_PTR>(*m_valueSnapshot.Lookup(featureId)));
}

int CNiraUICore::TrackValueChange(int featureId, int optionId)
{
    for (int id : kUntrackedFeatures) {
        if (featureId == id) {
            return 0;
        }
    }
    if (m_valueSnapshot.GetCount() == 0) {
        return 0;
    }
    return MarkChanged(featureId, SnapshotValue(featureId) != optionId);
}

int CNiraUICore::TrackSnapshotValue(int featureId, int optionId)
{
    int snapshot = SnapshotValue(featureId);
    if (snapshot == 0 && m_settings != nullptr) {
        m_settings->GetDefaultOption(featureId, &snapshot);
    }
    return MarkChanged(featureId, snapshot != optionId);
}

int CNiraUICore::MarkChanged(int featureId, bool differs)
{
    CNiraPtrList::Node* listed = m_changedFeatures.GetHead();
    while (listed != nullptr && static_cast<int>(reinterpret_cast<INT_PTR>(listed->value)) != featureId) {
        listed = listed->next;
    }
    if (!differs) {
        m_changedFeatures.Remove(listed);
    } else if (listed == nullptr) {
        m_changedFeatures.AddHead(reinterpret_cast<void*>(AsValue(featureId)));
    }
    return SetChangeFlag();
}

INiraFeatureHandler* CNiraUICore::HandlerOfFeature(int featureId)
{
    int classId = 0;
    INiraFeatureHandler* handler = nullptr;
    if (GetFeatureClassId(featureId, &classId) == 0) {
        GetHandler(classId, &handler);
    }
    return handler;
}

int CNiraUICore::RefreshChangedHandlers()
{
    if (m_handlers.GetCount() != 0 && m_settings != nullptr) {
        CNiraPtrList features;
        m_settings->ListFeatures(&features);
        for (CNiraPtrList::Node* node = features.GetHead(); node != nullptr; node = node->next) {
            const int id = static_cast<int>(reinterpret_cast<INT_PTR>(node->value));
            int current = 0;
            int isSet = 0;
            int defaultOption = 0;
            if (m_settings->GetCurrentOption(id, &current, &isSet) != 0 ||
                m_settings->GetDefaultOption(id, &defaultOption) != 0 || current == defaultOption) {
                continue;
            }
            ForEachHandler([](INiraFeatureHandler* handler) {
                handler->OnValueDiffers();
                return true;
            });
        }
    }
    if (m_plugin != nullptr && m_sheetParam != nullptr) {
        m_plugin->SyncPublicDevMode(m_sheetParam);
    }
    return 0;
}

int CNiraUICore::NotifyFeatureHandler(int featureId)
{
    if (INiraFeatureHandler* handler = ServedHandler(featureId)) {
        handler->OnFeatureNotify(featureId);
    }
    return 0;
}

int CNiraUICore::NotifyWidgetCommand(int widgetId)
{
    if (INiraFeatureHandler* handler = HandlerOfFeature(widgetId)) {
        handler->OnWidgetCommand(widgetId);
    }
    return 0;
}

int CNiraUICore::NotifyWidgetChanged(int widgetId)
{
    m_lastChangedFeature = widgetId;
    if (INiraFeatureHandler* handler = HandlerOfFeature(widgetId)) {
        handler->OnWidgetChanged(widgetId);
    }
    return 0;
}

int CNiraUICore::PaintWidget(int widgetId, HWND window, int extra)
{
    if (window != nullptr) {
        for (int id : kMainPictureWidgets) {
            if (widgetId == id) {
                m_repaintWindowMain = window;
            }
        }
        if (widgetId == kAltPictureWidget) {
            m_repaintWindowAlt = window;
        }
        if (widgetId >= kFirstListedPicture && widgetId < kFirstListedPicture + kRepaintWindowCount) {
            m_repaintWindows[widgetId - kFirstListedPicture] = window;
        }
    }
    INiraFeatureHandler* handler = HandlerOfFeature(widgetId);
    return handler != nullptr ? handler->PaintWidget(widgetId, window, extra) : 0;
}

int CNiraUICore::RepaintWindows()
{
    Invalidate(m_repaintWindowMain, FALSE);
    Invalidate(m_repaintWindowAlt, TRUE);
    for (HWND window : m_repaintWindows) {
        Invalidate(window, TRUE);
    }
    return 0;
}

int CNiraUICore::SetHandlersRefreshed(int value)
{
    m_handlersRefreshed = value;
    return 0;
}

int CNiraUICore::SetSheetInitializing(int* value)
{
    if (value == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_sheetInitializing = *value;
    return 0;
}
