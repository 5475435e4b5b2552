// The UI core: for every request that needs the printer's features it first builds the driver
// state (the UI settings object with every feature row of the capability database, one feature
// handler per handler class id, the option records of every feature) and then fans the request
// out to the handlers. One core per plug-in object or external settings interface; no lock.
#pragma once

#include <windows.h>

#include "nira/uiplugin/core/uicore/FeatureBinding.h"
#include "nira/uiplugin/core/uicore/HandlerFactoryHook.h"
#include "nira/uiplugin/core/uicore/INiraUICore.h"
#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/store/SettingsBackup.h"
#include "nira/uiplugin/interfaces/INiraUISettingsOwner.h"
#include "nira/uiplugin/interfaces/PresentationIntf.h"

class CNiraCapabilityDB;
class CNiraConstraintEngine;
class CNiraConstraintServices;
class CNiraCoreServices;
class CNiraDataSource;
class CNiraFeatureDatabase;
class CNiraStringDll;
class CNiraUISettings;
class CNiraUISink;
class INiraFeatureHandler;
struct FeatureRecord;

class CNiraUICore : public INiraUICore, public INiraUISettingsOwner {
public:
    CNiraUICore();
    ~CNiraUICore() override;
    CNiraUICore(const CNiraUICore&) = delete;
    CNiraUICore& operator=(const CNiraUICore&) = delete;

    // Requests.
    int Reserved1(INT_PTR a, INT_PTR b, INT_PTR c, INT_PTR d) override;
    int AttachPrinterByName(LPCWSTR printerName, INT_PTR a, INT_PTR b, INT_PTR c) override;
    int DocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize, PVOID out,
                      PINT result, CNiraDocEventHandler* docEvents, DEVMODEW* devMode) override;
    HRESULT DeviceCapabilities(POEMUIOBJ uiObject, HANDLE printer, PWSTR deviceName, WORD capability,
                               PVOID output, DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult,
                               DWORD* result) override;
    int DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, HANDLE printer,
                               CNiraOemUIPlugin* plugin) override;
    int SetSheetParam(INT_PTR ignored, POEMUIPSPARAM param) override;
    int DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM lParam, HANDLE printer,
                             CNiraOemUIPlugin* plugin) override;
    HRESULT QueryColorProfile(HANDLE printer, POEMUIOBJ uiObject, DEVMODEW* publicDevMode,
                              PVOID privateDevMode, ULONG queryMode, VOID* profileData, ULONG* profileSize,
                              ULONG* profileFlags, CNiraOemUIPlugin* plugin) override;
    int BackupSettings(int featureId, int flags) override;
    int OnOptionChanged(int featureId, int fromUser) override;
    int ResolveConflicts(int featureId, int* reverted, int check, int quiet) override;
    int QueuePendingChange(int featureId, int value, int action, int source) override;
    int PrintTicketToSettings(IXMLDOMDocument2* ticket) override;
    int SettingsToPrintTicket(IXMLDOMDocument2* ticket) override;
    int CompletePrintCapabilities(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities) override;
    CNiraPrinterAccess* GetPrinterAccess() override { return m_printerAccess; }
    // Also the settings object's handler questions.
    int GetOptionValue(int featureId, int optionId, int* value) override;
    int FindOptionByValue(int featureId, int value, int* optionId) override;

    // What the settings object asks of its owner.
    int NotifyFeatureChanged(int featureId, int changeKind) override;
    int CountChange(int featureId) override;
    int TrackValueChange(int featureId, int optionId) override;
    int GetLastChangedFeature(int* featureId) override;
    int SuppressConflictPopup(int value) override;
    int GetSheetInitializing(int* value) override;

    // The highest feature id a driver state reads: ids from 6000 are widgets that only the property
    // sheets need.
    static constexpr unsigned kRequestFeatureLimit = 5999;
    static constexpr unsigned kSheetFeatureLimit = 8000;

    // Builds the driver state once: 0, or NIRA_STATUS_FAILED with nothing usable.
    int ConstructDriverState(HANDLE printer, CNiraDocEventHandler* docEvents,
                             unsigned featureIdLimit = kRequestFeatureLimit);
    bool IsDriverStateBuilt() const { return m_capabilityReader != nullptr; }
    // Reads the feature rows into settings, bindings and handlers; the status of the last step.
    int EnumerateFeatures(CNiraDocEventHandler* docEvents);
    // Makes the constraint engine and its services when missing and loads the rules once; every
    // call sets the engine's mode (a ConstraintMode).
    void LoadConstraints(int mode);
    // The engine's answer for a changed feature; NIRA_STATUS_FAILED without an engine.
    int RunConstraints(int* featureId, int* result, int* changedFeatureId);
    CNiraConstraintEngine* GetConstraintEngine() const { return m_constraintEngine; }

    int GetSettings(CNiraUISettings** out);
    int GetFeatureClassId(int featureId, int* classId);
    int GetHandler(int classId, INiraFeatureHandler** out);
    int GetFeatureBinding(int featureId, FeatureBinding** out);
    int ForwardConstraintAction(int featureId, const char* data1, const char* data2, const char* data3);
    int ForwardConstraintMessage(int featureId, const char* data1, const char* data2, const char* data3,
                                 int* show);
    int GetHelpId(int featureId, int* helpId);
    void LoadResourceModule(HANDLE printer);
    HMODULE GetResourceModule() const { return m_resourceModule; }
    // 0 when the text was copied; a null buffer asks whether it exists and how long it is.
    LONG LoadString(int stringId, WCHAR* buffer, int* length);
    // Shows a pop-up of the layout unless the sheet is initialising: 0, or NIRA_STATUS_FAILED
    // without memory for its requests.
    virtual int ShowPopup(int messageId, WCHAR* containerName);
    // Presents a pop-up request through the pop-up's own presentation instance.
    void PresentPopup(FrameRequest* request);
    // Fills an empty instance slot from nirapres's CreateInstance, loading nirapres first.
    void BindPresentation(HANDLE printer, INiraPresentationIntf** slot);
    INiraUISink* GetSink() const;
    INiraPresentationIntf* GetPageInstance() const { return m_pageInstance; }
    INiraPresentationIntf* GetTreeInstance() const { return m_treeInstance; }
    INiraPresentationIntf* GetPopupInstance() const { return m_popupInstance; }
    // The request of the sheets' frames, kept until the destroy reason; null outside.
    FrameRequest* GetSheetRequest() const { return m_sheetRequest; }
    int TrackSnapshotValue(int featureId, int optionId);
    int GetRestoreFlag() const { return m_restoreFlag; }
    int SetRestoreFlag(int value);

    // Option changes and conflicts.
    // *out = 0 for the widget features whose changes are neither backed up nor resolved, else 1.
    int IsBackupFeature(int featureId, int* out);
    // *out = 1 when a change to the option may be resolved: not an automatically selected option,
    // and a feature that is backed up.
    int CanAutoResolve(int featureId, int optionId, int* out);
    // Applies the newest queued change (action 1) or drops it.
    int ProcessQueuedChange();
    int ClearConflicts();
    // The conflict pop-up's texts of a feature and an option, each into 260 characters.
    int GetConflictTexts(int featureId, WCHAR* featureText, int optionId, WCHAR* optionText);
    int GetFeatureText(int featureId, WCHAR* text);

    // The values when the sheet opened, and the change flag 6079 that follows them.
    int TakeValueSnapshot();

    // Handlers and widgets.
    int RefreshChangedHandlers();
    int NotifyFeatureHandler(int featureId);
    int NotifyWidgetCommand(int widgetId);
    int NotifyWidgetChanged(int widgetId);
    // Records the window of a picture widget, then lets the widget's handler paint it.
    int PaintWidget(int widgetId, HWND window, int extra);
    // Invalidates the recorded windows: the main picture without erasing, the others erased.
    int RepaintWindows();
    int SetHandlersRefreshed(int value);
    int SetSheetInitializing(int* value);
    int GetPopupParent() const { return m_popupParent; }

    // The function that makes handlers; the process default unless replaced.
    void SetHandlerFactory(NiraHandlerFactory factory) { m_handlerFactory = factory; }
    // Puts a feature id into the filter of the feature query; taken only while the state is not
    // built and only once, since the query holds the ids in a text of bounded length.
    void AddFeatureFilter(int featureId);
    int GetFeatureCount() const { return m_featureCount; }
    int IsStoppedAtLimit() const { return m_stoppedAtLimit; }
    void SetFeatureIdLimit(unsigned limit) { m_featureIdLimit = limit; }
    CNiraIdMap& GetHandlers() { return m_handlers; }
    CNiraIdMap& GetBindings() { return m_bindings; }

    // The picture widgets whose windows are repainted one by one.
    static constexpr int kRepaintWindowCount = 25;

private:
    // The reasons of the property sheets; `document` picks the printing preferences' road.
    int InitializeSheets(PPROPSHEETUI_INFO info, HANDLE printer, bool document);
    int DestroySheets();
    int SaveDeviceSettings();
    // Settings, readers and the string library of the sheets; FALSE when the request cannot go on.
    BOOL PrepareSheetState(WCHAR* layoutPath);
    // The two frames of the sheets, the tree view first; each only with its own instance.
    void PresentSheetFrames(PPROPSHEETUI_INFO info, const WCHAR* layoutPath, bool document);
    HMODULE LoadPresentationModule(CNiraPrinterAccess& access);
    void FreeInstance(INiraPresentationIntf** slot);
    static LONG OnFeatureRow(INT featureId, INT kind, LPVOID record, LPVOID user);
    static LONG OnOption(INT optionIndex, INT featureId, INT optionId, INT reserved, INT bitmapId,
                         INT stringId, LPCWSTR optionName, INT iconId, INT optionState, INT auxId1,
                         INT auxId2, INT auxId3, INT auxId4, INT category, INT group1, INT group2, INT group3,
                         INT group4, INT group5, INT biDiUpdate, LPCWSTR biDiKey, INT biDiState,
                         LPCWSTR vocabNamespace, LPCWSTR vocabMap, INT sendCommand, LPCWSTR commandString,
                         INT commandLevel, INT commandIndex, INT productInstance, INT separator,
                         INT treeViewCategory, INT treeViewSizeId, LPVOID user);
    LONG BindFeatureRow(FeatureRecord* record);
    INiraFeatureHandler* HandlerForClass(int classId, int* isGeneric, bool* noFactory);
    int RegisterFeature(INiraFeatureHandler* handler, FeatureRecord* record);
    void AddFeatureToSettings(FeatureRecord* record);
    void ImportDevMode(CNiraDocEventHandler* docEvents);
    void ApplyRegistryStore();
    // Builds "<driver directory>\3\<value of key>"; FALSE without printer access or key.
    BOOL BuildComponentPath(LPCWSTR key, LPWSTR path);
    // Calls visit for every handler in map order, skipping class ids without one.
    template <class Visit>
    void ForEachHandler(Visit visit);
    void FreeBindings();
    void DeleteHandlers();
    void FreeRecordList(CNiraPtrList*& list);
    // The features of the pending list and their conflicting dependents, for the constraint engine.
    static int OnPendingDependents(void* userData, int featureId, int optionId);
    static int OnDependent(void* userData, int featureId, int optionId, int dependentId);
    static int OnPendingConflict(void* userData, int featureId, int optionId);
    // Rebuilds the conflict pop-up's widget options and, unless quiet, fills and shows it.
    void PresentConflicts(int quiet);
    void AddTextOption(int featureId, const WCHAR* text);
    BOOL IsQueued(int featureId) const;
    // The binding's handler of a feature, when its featureState says it is served.
    INiraFeatureHandler* ServedHandler(int featureId);
    INiraFeatureHandler* HandlerOfFeature(int featureId);
    int SetChangeFlag();
    int SnapshotValue(int featureId);
    // Puts the feature on the list of changed features or takes it off; sets the change flag.
    int MarkChanged(int featureId, bool differs);

    CNiraUISettings* m_settings;
    CNiraCoreServices* m_coreServices;
    CNiraFeatureDatabase* m_featureDatabase;
    CNiraConstraintServices* m_constraintServices;
    HMODULE m_presentationModule;
    INiraPresentationIntf* m_pageInstance;
    INiraPresentationIntf* m_treeInstance;
    INiraPresentationIntf* m_popupInstance;
    FrameRequest* m_sheetRequest;  // the sheets' frames hold its parentValue until destroy
    int m_sheetEnumeration;        // 1 while the sheets enumerate every feature
    CNiraUISink* m_sink;
    HMODULE m_resourceModule;
    CNiraDataSource* m_layoutReader;
    CNiraCapabilityDB* m_capabilityReader;  // non-null once the driver state is built
    POEMUIPSPARAM m_sheetParam;             // borrowed
    DEVMODEW* m_colorPublicDevMode;         // borrowed during QueryColorProfile only
    PVOID m_colorPrivateDevMode;            // borrowed during QueryColorProfile only
    int m_stoppedAtLimit;
    int m_driverStateStatus;  // what building the driver state answered; later calls answer it too
    unsigned m_featureIdLimit;
    unsigned m_changeDepth;
    int m_restoreFlag;
    HWND m_repaintWindowMain;
    HWND m_repaintWindowAlt;
    HWND m_repaintWindows[kRepaintWindowCount];
    int m_sheetInitializing;
    CNiraPrinterAccess* m_printerAccess;
    CNiraConstraintEngine* m_constraintEngine;
    CNiraPtrList* m_conflicts;
    CNiraPtrList* m_queuedChanges;
    int m_lastChangedFeature;
    int m_deviceCapsMode;
    int m_conflictPopupSuppressed;
    int m_colorProfileMode;
    CNiraPtrList* m_featureFilter;
    int m_filterTaken;
    CNiraStringDll* m_stringDll;
    int m_featureCount;
    int m_handlersRefreshed;
    int m_popupParent;
    CNiraOemUIPlugin* m_plugin;  // borrowed
    CNiraSettingsBackup m_backup;
    CNiraIdMap m_bindings;        // feature id -> FeatureBinding*
    CNiraIdMap m_handlers;        // class id -> INiraFeatureHandler*
    CNiraIdMap m_genericClasses;  // class id -> 1 when its handler is a plain base handler
    CNiraIdMap m_valueSnapshot;   // feature id -> option id
    CNiraPtrList m_changedFeatures;
    NiraHandlerFactory m_handlerFactory;
};

template <class Visit>
void CNiraUICore::ForEachHandler(Visit visit)
{
    for (int i = 0; i < m_handlers.GetCount(); ++i) {
        auto* handler = static_cast<INiraFeatureHandler*>(*m_handlers.GetValueAt(i));
        if (handler != nullptr && !visit(handler)) {
            return;
        }
    }
}
