#include "nira/uiplugin/core/uicore/UICore.h"

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/services/ConstraintServices.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uicore/UISink.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/DataSource.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

CNiraUICore::CNiraUICore()
    : m_settings(nullptr),
      m_coreServices(nullptr),
      m_featureDatabase(nullptr),
      m_constraintServices(nullptr),
      m_presentationModule(nullptr),
      m_pageInstance(nullptr),
      m_treeInstance(nullptr),
      m_popupInstance(nullptr),
      m_sheetRequest(nullptr),
      m_sheetEnumeration(0),
      m_sink(nullptr),
      m_resourceModule(nullptr),
      m_layoutReader(nullptr),
      m_capabilityReader(nullptr),
      m_sheetParam(nullptr),
      m_colorPublicDevMode(nullptr),
      m_colorPrivateDevMode(nullptr),
      m_stoppedAtLimit(0),
      m_driverStateStatus(0),
      m_featureIdLimit(0),
      m_changeDepth(0),
      m_restoreFlag(1),
      m_repaintWindowMain(nullptr),
      m_repaintWindowAlt(nullptr),
      m_repaintWindows(),
      m_sheetInitializing(0),
      m_printerAccess(nullptr),
      m_constraintEngine(nullptr),
      m_conflicts(new CNiraPtrList),
      m_queuedChanges(new CNiraPtrList),
      m_lastChangedFeature(0),
      m_deviceCapsMode(0),
      m_conflictPopupSuppressed(0),
      m_colorProfileMode(0),
      m_featureFilter(new CNiraPtrList),
      m_filterTaken(0),
      m_stringDll(nullptr),
      m_featureCount(0),
      m_handlersRefreshed(0),
      m_popupParent(0),
      m_plugin(nullptr),
      m_handlerFactory(GetDefaultHandlerFactory())
{
    m_sink = new CNiraUISink(this);
}

CNiraUICore::~CNiraUICore()
{
    // Instances the destroy reason did not get to free: a pop-up's, or those of sheets never
    // destroyed. They go while nirapres is still loaded.
    FreeInstance(&m_popupInstance);
    FreeInstance(&m_pageInstance);
    FreeInstance(&m_treeInstance);
    LocalFree(m_sheetRequest);
    m_sheetRequest = nullptr;
    delete m_settings;
    m_settings = nullptr;
    if (m_stringDll != nullptr) {
        ReleaseStringDll();
        m_stringDll = nullptr;
    }
    FreeBindings();
    delete m_sink;
    m_sink = nullptr;
    DeleteHandlers();
    // The services outlive the handlers that borrow them.
    delete m_coreServices;
    m_coreServices = nullptr;
    delete m_layoutReader;
    delete m_capabilityReader;
    delete m_featureDatabase;
    delete m_constraintEngine;
    m_constraintEngine = nullptr;
    delete m_constraintServices;
    m_constraintServices = nullptr;
    delete m_printerAccess;
    FreeRecordList(m_conflicts);
    FreeRecordList(m_queuedChanges);
    m_plugin = nullptr;
    m_sheetParam = nullptr;
    m_valueSnapshot.RemoveAll();
    m_changedFeatures.RemoveAll();
    delete m_featureFilter;
    // Modules the property sheets did not get to release.
    if (m_resourceModule != nullptr) {
        FreeLibrary(m_resourceModule);
    }
    if (m_presentationModule != nullptr) {
        FreeLibrary(m_presentationModule);
    }
}

void CNiraUICore::FreeBindings()
{
    for (int i = 0; i < m_bindings.GetCount(); ++i) {
        void** value = m_bindings.GetValueAt(i);
        LocalFree(*value);
    }
    m_bindings.RemoveAll();
}

void CNiraUICore::DeleteHandlers()
{
    for (int i = 0; i < m_handlers.GetCount(); ++i) {
        delete static_cast<INiraFeatureHandler*>(*m_handlers.GetValueAt(i));
    }
    m_handlers.RemoveAll();
}

void CNiraUICore::FreeRecordList(CNiraPtrList*& list)
{
    if (list == nullptr) {
        return;
    }
    for (CNiraPtrList::Node* node = list->GetHead(); node; node = node->next) {
        LocalFree(node->value);
    }
    delete list;
    list = nullptr;
}

int CNiraUICore::Reserved1(INT_PTR, INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}

int CNiraUICore::AttachPrinterByName(LPCWSTR printerName, INT_PTR, INT_PTR, INT_PTR)
{
    CNiraPrinterAccess access(printerName);
    ConstructDriverState(access.GetHandle(), nullptr);
    return 0;
}

int CNiraUICore::GetSettings(CNiraUISettings** out)
{
    if (out == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *out = m_settings;
    return 0;
}

int CNiraUICore::GetFeatureBinding(int featureId, FeatureBinding** out)
{
    if (out == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    void** value = m_bindings.Lookup(featureId);
    *out = value ? static_cast<FeatureBinding*>(*value) : nullptr;
    return 0;
}

int CNiraUICore::GetFeatureClassId(int featureId, int* classId)
{
    FeatureBinding* binding = nullptr;
    GetFeatureBinding(featureId, &binding);
    if (binding == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (classId != nullptr) {
        *classId = binding->classId;
    }
    return 0;
}

int CNiraUICore::GetHandler(int classId, INiraFeatureHandler** out)
{
    if (out == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    void** value = m_handlers.Lookup(classId);
    *out = value ? static_cast<INiraFeatureHandler*>(*value) : nullptr;
    return 0;
}

int CNiraUICore::GetOptionValue(int featureId, int optionId, int* value)
{
    int classId = 0;
    if (GetFeatureClassId(featureId, &classId) != 0) {
        return NIRA_STATUS_FAILED;
    }
    INiraFeatureHandler* handler = nullptr;
    GetHandler(classId, &handler);
    return handler ? handler->GetOptionValue(featureId, optionId, value) : 0;
}

int CNiraUICore::FindOptionByValue(int featureId, int value, int* optionId)
{
    int classId = 0;
    if (GetFeatureClassId(featureId, &classId) != 0) {
        return NIRA_STATUS_FAILED;
    }
    INiraFeatureHandler* handler = nullptr;
    GetHandler(classId, &handler);
    return handler ? handler->FindOptionByValue(featureId, value, optionId) : 0;
}

int CNiraUICore::NotifyFeatureChanged(int featureId, int changeKind)
{
    int classId = 0;
    INiraFeatureHandler* handler = nullptr;
    if (GetFeatureClassId(featureId, &classId) == 0) {
        GetHandler(classId, &handler);
    }
    if (handler != nullptr) {
        handler->OnFeatureChanged(featureId, changeKind);
    }
    return 0;
}

int CNiraUICore::ForwardConstraintAction(int featureId, const char* data1, const char* data2,
                                         const char* data3)
{
    int classId = 0;
    INiraFeatureHandler* handler = nullptr;
    if (GetFeatureClassId(featureId, &classId) == 0) {
        GetHandler(classId, &handler);
    }
    return handler ? handler->OnConstraintAction(featureId, data1, data2, data3) : 0;
}

int CNiraUICore::ForwardConstraintMessage(int featureId, const char* data1, const char* data2,
                                          const char* data3, int* show)
{
    int classId = 0;
    INiraFeatureHandler* handler = nullptr;
    if (GetFeatureClassId(featureId, &classId) == 0) {
        GetHandler(classId, &handler);
    }
    return handler ? handler->OnConstraintMessage(featureId, data1, data2, data3, show) : 0;
}

int CNiraUICore::GetHelpId(int featureId, int* helpId)
{
    if (m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_settings->GetHelpId(featureId, helpId);
    return 0;
}

int CNiraUICore::SetSheetParam(INT_PTR, POEMUIPSPARAM param)
{
    m_sheetParam = param;
    return 0;
}

int CNiraUICore::GetLastChangedFeature(int* featureId)
{
    if (featureId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *featureId = m_lastChangedFeature;
    return 0;
}

int CNiraUICore::SuppressConflictPopup(int value)
{
    m_conflictPopupSuppressed = value;
    return 0;
}

int CNiraUICore::GetSheetInitializing(int* value)
{
    if (value == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    *value = m_sheetInitializing;
    return 0;
}

void CNiraUICore::AddFeatureFilter(int featureId)
{
    if (m_capabilityReader != nullptr || m_filterTaken != 0) {
        return;
    }
    m_featureFilter->AddHead(reinterpret_cast<void*>(static_cast<INT_PTR>(featureId)));
}

BOOL CNiraUICore::BuildComponentPath(LPCWSTR key, LPWSTR path)
{
    return m_printerAccess != nullptr && m_printerAccess->GetComponentPath(key, path);
}

void CNiraUICore::LoadResourceModule(HANDLE printer)
{
    if (m_resourceModule != nullptr) {
        return;
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    BOOL found = FALSE;
    if (m_printerAccess != nullptr) {
        found = m_printerAccess->GetComponentPath(kProductDataFileKey, path);
    } else {
        CNiraPrinterAccess access(printer);
        access.FindDriverIni(FALSE);
        found = access.GetComponentPath(kProductDataFileKey, path);
    }
    if (found) {
        m_resourceModule = LoadLibraryW(path);
    }
}

LONG CNiraUICore::LoadString(int stringId, WCHAR* buffer, int* length)
{
    CNiraStringDll* current = nullptr;
    if (GetStringDll(&current) == 0 && current != nullptr && current != m_stringDll &&
        m_stringDll != nullptr) {
        m_stringDll = current;
    }
    if (m_stringDll == nullptr || current == nullptr || length == nullptr) {
        return 0;
    }
    UINT id = static_cast<UINT>(stringId);
    DWORD reported = static_cast<DWORD>(*length);
    LONG result = m_stringDll->GetString(&id, buffer, static_cast<DWORD>(*length), &reported);
    *length = static_cast<int>(reported);
    return result;
}
