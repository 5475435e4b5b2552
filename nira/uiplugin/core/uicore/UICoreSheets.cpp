// The property sheets and pop-ups: the core loads nirapres, makes its presentation instances,
// builds the driver state with the widget features and asks nirapres for the frames, handing it
// the UI sink, the settings, the layout reader and a FrameRequest.
#include "nira/uiplugin/core/uicore/UICore.h"

#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "common/ScopedResources.h"
#include "nira/uiplugin/core/constraints/ConstraintEngine.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uicore/ReaderFactory.h"
#include "nira/uiplugin/core/uicore/UISink.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/store/FeatureRegistryStore.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

namespace {

constexpr int kSheetHandled = 1;
constexpr int kReasonUnknown = 0;

struct SheetContainers {
    const WCHAR* tree;
    const WCHAR* pages;
};

constexpr SheetContainers kDocumentContainers = {TEXT("CPSUITreeView"), TEXT("DocPropSheet")};
constexpr SheetContainers kDeviceContainers = {TEXT("CPSUIDevTreeView"), TEXT("DevicePropSheet")};

}  // namespace

INiraUISink* CNiraUICore::GetSink() const
{
    return m_sink;
}

HMODULE CNiraUICore::LoadPresentationModule(CNiraPrinterAccess& access)
{
    if (m_presentationModule == nullptr) {
        WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
        if (access.GetComponentPath(kPresentationDllKey, path)) {
            m_presentationModule = LoadLibraryW(path);
        }
    }
    return m_presentationModule;
}

void CNiraUICore::BindPresentation(HANDLE printer, INiraPresentationIntf** slot)
{
    if (slot == nullptr || *slot != nullptr) {
        return;
    }
    if (m_presentationModule == nullptr) {
        CNiraPrinterAccess access(printer);
        access.FindDriverIni(FALSE);
        LoadPresentationModule(access);
    }
    if (m_presentationModule == nullptr) {
        return;
    }
    auto create = reinterpret_cast<NiraCreateInstanceProc>(
        reinterpret_cast<void*>(GetProcAddress(m_presentationModule, kCreateInstanceExport)));
    if (create != nullptr) {
        *slot = create(kCreateInstanceKind);
    }
}

void CNiraUICore::FreeInstance(INiraPresentationIntf** slot)
{
    if (*slot == nullptr) {
        return;
    }
    auto release = m_presentationModule == nullptr
                       ? nullptr
                       : reinterpret_cast<NiraFreeInstanceProc>(reinterpret_cast<void*>(
                             GetProcAddress(m_presentationModule, kFreeInstanceExport)));
    if (release != nullptr) {
        release(*slot);
    }
    *slot = nullptr;
}

int CNiraUICore::DocumentPropertySheets(PPROPSHEETUI_INFO info, LPARAM, HANDLE printer,
                                        CNiraOemUIPlugin* plugin)
{
    if (info == nullptr) {
        return kReasonUnknown;
    }
    // Destroying binds nothing: it would load nirapres only to unload it.
    if (info->Reason != PROPSHEETUI_REASON_DESTROY) {
        BindPresentation(printer, &m_pageInstance);
        BindPresentation(printer, &m_treeInstance);
    }
    switch (info->Reason) {
    case PROPSHEETUI_REASON_INIT:
        if (plugin != nullptr) {
            m_plugin = plugin;
        }
        return InitializeSheets(info, printer, true);
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        return kSheetHandled;
    case PROPSHEETUI_REASON_DESTROY:
        return DestroySheets();
    case PROPSHEETUI_REASON_SET_RESULT:
        info->Result = CPSUI_OK;
        return kSheetHandled;
    default:
        return kReasonUnknown;
    }
}

int CNiraUICore::DevicePropertySheets(PPROPSHEETUI_INFO info, LPARAM, HANDLE printer,
                                      CNiraOemUIPlugin* plugin)
{
    OutputDebugStringW(TEXT("DevicePropertySheets Start"));
    int answer = kReasonUnknown;
    switch (info != nullptr ? info->Reason : static_cast<WORD>(~0)) {
    case PROPSHEETUI_REASON_INIT: {
        auto* param = reinterpret_cast<POEMUIPSPARAM>(info->lParamInit);
        delete m_printerAccess;
        m_printerAccess = new CNiraPrinterAccess(param != nullptr ? param->pPrinterName : nullptr);
        if (printer == nullptr) {
            printer = m_printerAccess->GetHandle();
        }
        BindPresentation(printer, &m_pageInstance);
        BindPresentation(printer, &m_treeInstance);
        if (plugin != nullptr) {
            m_plugin = plugin;
            m_sheetParam = param;
        }
        answer = InitializeSheets(info, printer, false);
        break;
    }
    case PROPSHEETUI_REASON_GET_INFO_HEADER:
        answer = kSheetHandled;
        break;
    case PROPSHEETUI_REASON_DESTROY:
        answer = DestroySheets();
        break;
    case PROPSHEETUI_REASON_SET_RESULT:
        info->Result = CPSUI_OK;
        SaveDeviceSettings();
        answer = kSheetHandled;
        break;
    default:
        break;
    }
    OutputDebugStringW(TEXT("DevicePropertySheets End"));
    return answer;
}

int CNiraUICore::InitializeSheets(PPROPSHEETUI_INFO info, HANDLE printer, bool document)
{
    const bool anyInstance = m_pageInstance != nullptr || m_treeInstance != nullptr;
    if (document) {
        m_sheetInitializing = 1;
        m_sheetParam = reinterpret_cast<POEMUIPSPARAM>(info->lParamInit);
        if (!anyInstance || m_sheetParam == nullptr || !HasValidPrivateDevMode(m_sheetParam->pPublicDM)) {
            // No page; pop-ups of later requests must not stay suppressed.
            m_sheetInitializing = 0;
            return kSheetHandled;
        }
        // A new access for this printer; the previous one is closed.
        delete m_printerAccess;
        m_printerAccess = new CNiraPrinterAccess(printer);
        m_printerAccess->FindDriverIni(FALSE);
    } else if (!anyInstance) {
        return kSheetHandled;
    } else {
        m_printerAccess->FindDriverIni(FALSE);
    }
    WCHAR layoutPath[kFrameNameChars] = {};
    BOOL ok = PrepareSheetState(layoutPath);
    if (m_capabilityReader != nullptr && m_printerAccess != nullptr) {
        m_featureIdLimit = kSheetFeatureLimit;
        m_stoppedAtLimit = 0;
        if (document) {
            LoadConstraints(CONSTRAINT_MODE_PROPERTY_SHEETS);
        }
        m_sheetEnumeration = 1;
        int status = EnumerateFeatures(nullptr);
        m_sheetEnumeration = 0;
        if (status == NIRA_STATUS_FAILED && m_stoppedAtLimit == 0) {
            ok = FALSE;
        }
    } else {
        ok = FALSE;
    }
    if (ok && document) {
        ForEachHandler([&](INiraFeatureHandler* handler) {
            handler->OnPublicDevMode(m_sheetParam->pPublicDM);
            return true;
        });
    }
    LoadResourceModule(printer);
    if (ok) {
        PresentSheetFrames(info, layoutPath, document);
    }
    if (document) {
        m_popupParent = 0;
        m_sheetInitializing = 0;
        TakeValueSnapshot();
    }
    return kSheetHandled;
}

BOOL CNiraUICore::PrepareSheetState(WCHAR* layoutPath)
{
    if (m_settings == nullptr) {
        m_settings = new CNiraUISettings();
    }
    m_settings->SetOwner(this);
    if (m_capabilityReader == nullptr) {
        m_capabilityReader = CreateCapabilityReader(0);
    }
    if (m_layoutReader == nullptr) {
        m_layoutReader = CreateDataSource(DATA_SOURCE_UI_LAYOUT_DB, 0);
    }
    if (m_printerAccess == nullptr) {
        return FALSE;
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (m_stringDll == nullptr && BuildComponentPath(kStringDllKey, path)) {
        m_stringDll = AcquireStringDll(path);
    }
    BuildComponentPath(kUILayoutXmlKey, path);
    return SUCCEEDED(StringCchCopyW(layoutPath, kFrameNameChars, path));
}

void CNiraUICore::PresentSheetFrames(PPROPSHEETUI_INFO info, const WCHAR* layoutPath, bool document)
{
    const SheetContainers& containers = document ? kDocumentContainers : kDeviceContainers;
    // The frames hold the request's parentValue until the sheets are destroyed.
    LocalFree(m_sheetRequest);
    m_sheetRequest = static_cast<FrameRequest*>(LocalAlloc(LPTR, sizeof(FrameRequest)));
    FrameRequest* request = m_sheetRequest;
    if (request == nullptr || m_resourceModule == nullptr) {
        return;
    }
    request->cbSize = kFrameRequestSheetSize;
    request->version = kFrameRequestVersion;
    request->context = info;
    request->resourceModule = m_resourceModule;
    request->frameType = kFrameTreeView;
    if (FAILED(StringCchCopyW(request->containerName, kFrameNameChars, containers.tree)) ||
        FAILED(StringCchCopyW(request->databasePath, kFrameNameChars, layoutPath))) {
        return;
    }
    auto* layout = static_cast<CNiraUILayoutDB*>(m_layoutReader);
    if (m_treeInstance != nullptr) {
        m_treeInstance->PresentFrame(m_sink, m_settings, layout, request, m_stringDll, kPresentSheet);
    }
    request->frameType = kFramePropertySheet;
    StringCchCopyW(request->containerName, kFrameNameChars, containers.pages);
    if (m_pageInstance != nullptr) {
        m_pageInstance->PresentFrame(m_sink, m_settings, layout, request, m_stringDll, kPresentSheet);
    }
}

int CNiraUICore::DestroySheets()
{
    FreeInstance(&m_pageInstance);
    FreeInstance(&m_treeInstance);
    FreeInstance(&m_popupInstance);
    if (m_presentationModule != nullptr) {
        FreeLibrary(m_presentationModule);
        m_presentationModule = nullptr;
    }
    LocalFree(m_sheetRequest);
    m_sheetRequest = nullptr;
    return kSheetHandled;
}

int CNiraUICore::SaveDeviceSettings()
{
    if (m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraPtrList stored;
    m_settings->ListFeatures(&stored);
    CNiraFeatureRegistryStore store;
    store.Attach(m_settings);
    return store.SaveFeatures(&stored, m_coreServices);
}

int CNiraUICore::ShowPopup(int messageId, WCHAR* containerName)
{
    if (m_sheetInitializing != 0) {
        return 0;
    }
    CNiraLocalBuffer<FrameRequest> request(CNiraLocalBuffer<FrameRequest>::Allocate(sizeof(FrameRequest)));
    CNiraLocalBuffer<PopupRequest> popup(CNiraLocalBuffer<PopupRequest>::Allocate(sizeof(PopupRequest)));
    if (!request || !popup) {
        return NIRA_STATUS_FAILED;
    }
    if (containerName != nullptr) {
        StringCchCopyW(request->containerName, kFrameNameChars, containerName);
    }
    request->parentValue = static_cast<DWORD>(m_popupParent);
    request->cbSize = kFrameRequestPopupSize;
    request->context = popup.Get();
    request->version = kFrameRequestVersion;
    request->frameType = kFramePopup;
    popup->messageId = static_cast<DWORD>(messageId);
    popup->parentWindow = request->parentValue;
    PresentPopup(request.Get());
    return 0;
}

void CNiraUICore::PresentPopup(FrameRequest* request)
{
    if (request == nullptr) {
        return;
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (BuildComponentPath(kCapabilityXmlKey, path)) {
        StringCchCopyW(request->databasePath, kFrameNameChars, path);
    }
    if (m_presentationModule == nullptr && m_printerAccess != nullptr) {
        LoadPresentationModule(*m_printerAccess);
    }
    if (m_presentationModule == nullptr) {
        return;
    }
    LoadResourceModule(m_printerAccess != nullptr ? m_printerAccess->GetHandle() : nullptr);
    request->resourceModule = m_resourceModule;
    // A pop-up outside the property sheets (an external or PrintTicket change) needs a reader too.
    if (m_layoutReader == nullptr) {
        m_layoutReader = CreateDataSource(DATA_SOURCE_UI_LAYOUT_DB, 0);
    }
    // The pop-up's own instance: the pages keep theirs.
    BindPresentation(m_printerAccess != nullptr ? m_printerAccess->GetHandle() : nullptr, &m_popupInstance);
    if (m_popupInstance != nullptr) {
        m_popupInstance->PresentFrame(m_sink, m_settings, static_cast<CNiraUILayoutDB*>(m_layoutReader),
                                      request, m_stringDll, kPresentPopup);
    }
}
