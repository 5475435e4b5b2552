// Building the driver state: the feature rows of the capability database become bindings, one
// handler per handler class id, feature entries of the settings object and their option records.
#include "nira/uiplugin/core/uicore/UICore.h"

#include <cstdio>
#include <cwchar>
#include <new>
#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "nira/uiplugin/core/plugin/DocEventHandler.h"
#include "nira/uiplugin/core/plugin/OemUIPlugin.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uisettings/OptionRowRecord.h"
#include "nira/uiplugin/core/uicore/ReaderFactory.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/foundation/databases/DataSource.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/deviceinfo/BidiCapability.h"
#include "nira/uiplugin/foundation/deviceinfo/DeviceInfo.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/store/FeatureRegistryStore.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"
#include "nira/uiplugin/settings/client/DeviceSettings.h"

namespace {

// The feature whose default option the device may report.
constexpr int kDeviceDefaultFeature = 4308;
constexpr int kDisplayNameChars = 260;
constexpr int kTreeViewNameChars = 259;

// A row record that goes nowhere; a vocabulary record owns its two texts.
void FreeRowRecord(INT kind, LPVOID record)
{
    if (kind == CAPABILITY_KIND_VOCABULARY && record != nullptr) {
        auto* vocabulary = static_cast<VocabularyRecord*>(record);
        LocalFree(vocabulary->vocabNamespace);
        LocalFree(vocabulary->vocabMap);
    }
    LocalFree(record);
}

void CopyText(WCHAR* target, int capacity, LPCWSTR text)
{
    StringCchCopyW(target, capacity, text ? text : TEXT(""));
}

}  // namespace

int CNiraUICore::ConstructDriverState(HANDLE printer, CNiraDocEventHandler* docEvents,
                                      unsigned featureIdLimit)
{
    OutputDebugStringW(TEXT("ConstructDriverState - Start"));
    // Built once: a later call answers what the building answered, so a state left without its
    // handlers by a failed enumeration is never taken for a whole one.
    if (m_capabilityReader != nullptr) {
        OutputDebugStringW(TEXT("ConstructDriverState - END"));
        return m_driverStateStatus;
    }
    if (m_printerAccess == nullptr) {
        m_printerAccess = new CNiraPrinterAccess(printer);
    }
    if (m_settings == nullptr) {
        m_settings = new CNiraUISettings();
    }
    m_settings->SetOwner(this);
    if (!m_printerAccess->IsDriverIniFound()) {
        m_printerAccess->FindDriverIni(FALSE);
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (m_stringDll == nullptr && BuildComponentPath(kStringDllKey, path)) {
        m_stringDll = AcquireStringDll(path);
    }
    m_capabilityReader = CreateCapabilityReader(0);
    if (m_capabilityReader != nullptr) {
        m_featureIdLimit = featureIdLimit;
        m_stoppedAtLimit = 0;
        if (EnumerateFeatures(docEvents) == 0 || m_stoppedAtLimit == 1) {
            OutputDebugStringW(TEXT("ConstructDriverState - END"));
            return 0;
        }
        m_driverStateStatus = NIRA_STATUS_FAILED;
    }
    OutputDebugStringW(TEXT("ConstructDriverState - FAIL"));
    return NIRA_STATUS_FAILED;
}

int CNiraUICore::EnumerateFeatures(CNiraDocEventHandler* docEvents)
{
    OutputDebugStringW(TEXT("Start Feature Enum"));
    int status = NIRA_STATUS_FAILED;
    if (m_printerAccess == nullptr || m_capabilityReader == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // One services object and one feature database per core: the handlers keep the first ones.
    if (m_coreServices == nullptr) {
        m_coreServices = new CNiraCoreServices(this);
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    BuildComponentPath(kCapabilityXmlKey, path);
    m_capabilityReader->Open(path);
    if (m_featureDatabase == nullptr) {
        // The handlers' tables are read on the reader's copy: one copy and one schema per core.
        m_featureDatabase = new CNiraFeatureDatabase(m_capabilityReader->Copy());
    }
    // The filter is spent by the first query: later requests work on the state it built.
    m_filterTaken = 1;
    // The property sheets need every feature with its UI records, whatever earlier requests read.
    const bool everyFeature = m_sheetEnumeration != 0;
    m_capabilityReader->GetFeatureSettings(&CNiraUICore::OnFeatureRow, this,
                                           everyFeature ? nullptr : m_featureFilter);
    if (everyFeature || (m_deviceCapsMode == 0 && m_colorProfileMode == 0)) {
        m_capabilityReader->EnumCategories(&CNiraUICore::OnFeatureRow, this);
        m_capabilityReader->EnumVocabularies(&CNiraUICore::OnFeatureRow, this);
        m_capabilityReader->EnumTreeView(&CNiraUICore::OnFeatureRow, this);
    }
    ForEachHandler([](INiraFeatureHandler* handler) {
        handler->OnFeaturesEnumerated();
        return true;
    });
    ImportDevMode(docEvents);
    ApplyRegistryStore();
    if (m_plugin != nullptr) {
        m_plugin->ApplyDmcSnapshot(m_printerAccess);
    }
    // Without any handler the state serves no request. What a handler's InitializeStates answers
    // is its own affair (the media type's always fails): it never undoes the state.
    status = NIRA_STATUS_FAILED;
    ForEachHandler([&](INiraFeatureHandler* handler) {
        handler->InitializeStates();
        status = 0;
        return true;
    });
    OutputDebugStringW(TEXT("End Feature Enum"));
    return status;
}

// The job's settings over the defaults: the sheet's public DEVMODE, the DEVMODEs of a
// colour-profile request, or the document event's DEVMODE.
void CNiraUICore::ImportDevMode(CNiraDocEventHandler* docEvents)
{
    if (m_plugin != nullptr && m_sheetParam != nullptr) {
        m_plugin->ImportPublicDevMode(m_sheetParam->pPublicDM);
    } else if (m_plugin != nullptr && m_colorPublicDevMode != nullptr && m_colorPrivateDevMode != nullptr) {
        m_plugin->ImportPrivateDevMode(m_colorPublicDevMode, m_colorPrivateDevMode);
    } else if (docEvents != nullptr) {
        docEvents->ImportIntoUI();
    }
}

void CNiraUICore::ApplyRegistryStore()
{
    if (m_settings == nullptr) {
        return;
    }
    CNiraPtrList stored;
    m_settings->ListFeatures(&stored);
    CNiraFeatureRegistryStore store;
    store.Attach(m_settings);
    store.LoadFeatures(stored.GetCount(), m_coreServices);
}

LONG CNiraUICore::OnFeatureRow(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    auto* core = static_cast<CNiraUICore*>(user);
    if (static_cast<unsigned>(featureId) > core->m_featureIdLimit) {
        // Rows come in ascending order: every later one is above the limit too.
        core->m_stoppedAtLimit = 1;
        FreeRowRecord(kind, record);
        return 1;
    }
    if (record == nullptr) {
        return 0;
    }
    CNiraUISettings* settings = core->m_settings;
    switch (kind) {
    case CAPABILITY_KIND_FEATURE:
        return core->BindFeatureRow(static_cast<FeatureRecord*>(record));
    case CAPABILITY_KIND_FEATURE_UI: {
        auto* uiRecord = static_cast<FeatureUIRecord*>(record);
        if (settings == nullptr) {
            LocalFree(record);
            return 0;
        }
        FeatureEntry* entry = nullptr;
        int id = featureId;
        if (uiRecord->biDiUpdate == 1 && settings->FindFeature(&id, &entry) == 0 && entry && entry->record) {
            uiRecord->displayState = entry->record->featureState;
        }
        int softLink = uiRecord->softLink;
        int softLinkFeature = uiRecord->softLinkFeatureId;
        settings->SetFeatureUIRecord(featureId, uiRecord);
        if (softLink == 1 && softLinkFeature != 0) {
            settings->BuildLinkedOptions(featureId, -1);
        }
        return 0;
    }
    case CAPABILITY_KIND_VOCABULARY:
        if (settings != nullptr) {
            settings->SetFeatureVocabulary(featureId, static_cast<VocabularyRecord*>(record));
        } else {
            FreeRowRecord(kind, record);
        }
        return 0;
    case CAPABILITY_KIND_TREEVIEW: {
        auto* treeRecord = static_cast<TreeViewOptionRecord*>(record);
        if (treeRecord->stringId == 0) {
            StringCchCopyNW(treeRecord->displayName, kTreeviewTextLength, treeRecord->optionName,
                            kTreeViewNameChars);
        } else {
            int length = 0;
            if (core->LoadString(treeRecord->stringId, nullptr, &length) != 0 && length > 0) {
                int room = length < kTreeViewNameChars ? length + 1 : kTreeviewTextLength;
                core->LoadString(treeRecord->stringId, treeRecord->displayName, &room);
            }
        }
        if (settings == nullptr ||
            settings->AddTreeViewOption(featureId, treeRecord->optionId, treeRecord) != 0) {
            LocalFree(record);
        }
        return 0;
    }
    default:
        LocalFree(record);
        return 0;
    }
}

INiraFeatureHandler* CNiraUICore::HandlerForClass(int classId, int* isGeneric, bool* noFactory)
{
    *noFactory = false;
    INiraFeatureHandler* existing = nullptr;
    GetHandler(classId, &existing);
    if (existing != nullptr) {
        void** generic = m_genericClasses.Lookup(classId);
        *isGeneric = generic ? static_cast<int>(reinterpret_cast<INT_PTR>(*generic)) : 0;
        return existing;
    }
    if (m_handlerFactory == nullptr) {
        *noFactory = true;
        return nullptr;
    }
    INiraFeatureHandler* handler = m_handlerFactory(classId, isGeneric);
    m_handlers.SetAt(classId, handler);
    m_genericClasses.SetAt(classId, reinterpret_cast<void*>(static_cast<INT_PTR>(*isGeneric)));
    if (handler == nullptr) {
        return nullptr;
    }
    if (handler->Attach(m_coreServices, classId, m_featureDatabase) == 0) {
        handler->OnAttached();
        return handler;
    }
    fputs("Failed\n", stdout);
    delete handler;
    m_handlers.SetAt(classId, nullptr);
    return nullptr;
}

LONG CNiraUICore::BindFeatureRow(FeatureRecord* record)
{
    auto* binding = static_cast<FeatureBinding*>(LocalAlloc(LPTR, sizeof(FeatureBinding)));
    int isGeneric = 0;
    bool noFactory = false;
    INiraFeatureHandler* handler = HandlerForClass(record->classId, &isGeneric, &noFactory);
    if (noFactory) {
        LocalFree(binding);
        LocalFree(record);
        return 1;
    }
    // A row that no handler serves, or that cannot be recorded, is dropped whole.
    if (binding == nullptr || handler == nullptr || m_printerAccess == nullptr) {
        LocalFree(binding);
        LocalFree(record);
        return 0;
    }
    int featureId = record->featureId;
    int registered = RegisterFeature(handler, record);
    binding->handler = registered == NIRA_STATUS_FAILED ? nullptr : handler;
    binding->featureState = registered == NIRA_STATUS_FAILED ? 0 : record->featureState;
    binding->genericHandler = isGeneric;
    binding->isPrinterFeature = featureId < kFirstUIFeature ? 1 : 0;
    binding->classId = record->classId;
    void** slot = m_bindings.Lookup(featureId);
    if (slot == nullptr) {
        LocalFree(binding);
        LocalFree(record);
        return 0;
    }
    // A row seen again (the property sheets enumerate once more) replaces its binding.
    LocalFree(*slot);
    *slot = binding;
    ++m_featureCount;
    AddFeatureToSettings(record);
    return 0;
}

int CNiraUICore::RegisterFeature(INiraFeatureHandler* handler, FeatureRecord* record)
{
    int featureId = record->featureId;
    if (record->biDiUpdate != 1 || m_deviceCapsMode != 0) {
        return handler->AddFeature(featureId);
    }
    // The device says whether it has the feature. A feature it is not asked about, or lacks, is
    // not registered, and its binding then names no handler.
    CNiraDeviceSettingsSource deviceSettings;
    CNiraBidiCapability capability(&deviceSettings);
    int created = 0;
    HANDLE printer = m_printerAccess->GetHandle();
    INiraDeviceInfo* provider = capability.CreateDeviceInfoProvider(printer, &created);
    if (provider == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int status = NIRA_STATUS_FAILED;
    provider->Refresh(printer);
    if (featureId == kDeviceDefaultFeature) {
        int handled = 0;
        int value = 0;
        if (provider->QueryFeature(kDeviceDefaultFeature, &handled, &value) == 1) {
            record->defaultOption = value;
        }
    }
    int supported = 0;
    if (provider->QueryDuplexUnit(featureId, &supported) != 1 || supported == 1) {
        status = handler->AddFeature(featureId);
    }
    delete provider;
    return status;
}

void CNiraUICore::AddFeatureToSettings(FeatureRecord* record)
{
    if (m_settings == nullptr) {
        LocalFree(record);
        return;
    }
    int featureId = record->featureId;
    record->currentOption = record->defaultOption;
    record->previousOption = record->defaultOption;
    m_settings->AddFeature(record);
    m_capabilityReader->EnumOptions(&featureId, &CNiraUICore::OnOption, this);
}

LONG CNiraUICore::OnOption(INT optionIndex, INT featureId, INT optionId, INT reserved, INT bitmapId,
                           INT stringId, LPCWSTR optionName, INT iconId, INT optionState, INT auxId1,
                           INT auxId2, INT auxId3, INT auxId4, INT category, INT group1, INT group2,
                           INT group3, INT group4, INT group5, INT, LPCWSTR, INT biDiState,
                           LPCWSTR vocabNamespace, LPCWSTR vocabMap, INT sendCommand, LPCWSTR, INT, INT, INT,
                           INT separator, INT treeViewCategory, INT treeViewSizeId, LPVOID user)
{
    auto* core = static_cast<CNiraUICore*>(user);
    if (core->m_settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    OptionInfo* info = NewOptionRowRecord(optionIndex, featureId, reserved, bitmapId, stringId, optionName,
                                          iconId, optionState, auxId1, auxId2, auxId3, auxId4, category,
                                          group1, group2, group3, group4, group5, biDiState, vocabNamespace,
                                          vocabMap, sendCommand, separator, treeViewCategory, treeViewSizeId);
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (stringId == 0) {
        CopyText(info->displayName, kDisplayNameChars, optionName);
    } else {
        int length = 0;
        if (core->LoadString(stringId, nullptr, &length) != 0 && length > 0) {
            int room = length < kDisplayNameChars ? length + 1 : kDisplayNameChars;
            core->LoadString(stringId, info->displayName, &room);
        }
    }
    if (core->m_settings->AddOption(featureId, optionId, info) == NIRA_STATUS_FAILED) {
        LocalFree(info);
    }
    return NIRA_STATUS_FAILED;  // the reader ignores it
}
