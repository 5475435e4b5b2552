// Drives the DMC core library named by the driver INI: opens the printer's device-model
// configuration, reads the features of its "printing" and "physical" sections (values, lock
// attributes, option lists, and the features that hang below a value), pushes the values into
// the UI settings object and keeps the snapshot records of what was pushed. One object per
// capture; nothing throws.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/dmc/DmcCoreExports.h"
#include "nira/uiplugin/foundation/dmc/DmcSnapshotRecord.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

struct DmcItem {
    WCHAR name[kDmcValueChars];           // feature token
    WCHAR value[kDmcValueChars];          // current value text
    int lock;                             // 1 when the "lock" attribute is "true"
    WCHAR options[kDmcFeatureListChars];  // option tokens each followed by ";", or the value
};

struct DmcComponent {
    WCHAR name[kDmcValueChars];  // section, or the value the features hang below
    WCHAR path[kDmcValueChars];  // where its features are enumerated
    CNiraPtrList items;          // owned DmcItem
};

class CNiraDmcCore {
public:
    // Loads the library (an empty path loads nothing) and keeps the configuration path and the
    // printer of the access; failures show in Run.
    CNiraDmcCore(LPCWSTR libraryPath, LPCWSTR configPath, CNiraPrinterAccess* access);
    ~CNiraDmcCore();
    CNiraDmcCore(const CNiraDmcCore&) = delete;
    CNiraDmcCore& operator=(const CNiraDmcCore&) = delete;

    // 0; ERROR_INVALID_HANDLE without a library; ERROR_INVALID_NAME when an export is missing,
    // the library does not register or the configuration does not open; ERROR_READ_FAULT when
    // the configuration could not be read whole (nothing is kept). A second call after a
    // successful one answers 0 and reads nothing.
    LONG Run();
    int GetItemCount() const { return m_itemCount; }
    // Pushes the values of every section into the settings, records the snapshot and saves the
    // settings' listed features to the user's feature store; 0, or NIRA_STATUS_FAILED without
    // settings, a successful run or any section, or when the features could not be saved.
    LONG ApplyToSettings(INiraUISettings* settings);
    // Copies count records (at most the item count); NIRA_STATUS_FAILED without a snapshot.
    LONG CopySnapshot(DmcSnapshotRecord* records, int count) const;

    static constexpr int kEntryPointCount = 23;

private:
    enum EntryPoint {
        kStartConfig,
        kEndConfig,
        kGet,
        kSet,
        kEnumListToken,
        kEnumFeatures,
        kEnumOptions,
        kSetContext,
        kGetContext,
        kSetContextPrv,
        kGetContextPrv,
        kSetContextRelative,
        kGetNamedFeatureAttribute,
        kGetFeatureAttributes,
        kGetPrv,
        kCountChildElements,
        kStartExport,
        kSetExport,
        kEndExport,
        kGetLastComError,
        kRegisterServer,
        kUnregisterServer,
        kSaveDom
    };
    template <typename Proc>
    Proc Entry(EntryPoint which) const
    {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(m_entries[which]));
    }

    bool ResolveEntryPoints();
    void DiscardComponents();
    void ReadSections();
    bool AddSection(LPCWSTR base, LPCWSTR section);
    void ReadComponentFeatures(DmcComponent* component, int depth);
    DmcItem* ReadItem(LPCWSTR featurePath, LPCWSTR token, DmcComponent** subComponent);
    bool ReadLock(LPCWSTR featurePath);
    void ReadOptions(LPCWSTR featurePath, DmcItem* item);
    DmcComponent* ReadSubComponent(LPCWSTR valuePath, LPCWSTR value);
    void ApplyComponent(INiraUISettings* settings, DmcComponent* component);
    // False when the listed features could not be saved (a printer without a store saves none).
    bool SaveToRegistryStore(INiraUISettings* settings);

    FARPROC m_entries[kEntryPointCount];
    CNiraPtrList m_components;  // owned DmcComponent, the last section found first
    LPWSTR m_configPath;
    WCHAR m_rootContext[kDmcValueChars];
    WCHAR m_section[kDmcValueChars];
    WCHAR m_featureToken[kDmcValueChars];
    LPWSTR m_listBuffer;  // the feature list being walked
    HMODULE m_module;
    int m_startMode;
    int m_configured;
    bool m_readFailed;  // an allocation of the reading failed
    DmcSnapshotRecord* m_snapshot;
    int m_itemCount;
    int m_writePosition;
    HANDLE m_printer;
};

// Helpers of the items and components, shared with the tests of the merge rules.
bool DmcItemsEqual(const DmcItem& first, const DmcItem& second);
// Replaces an equal item in place, else appends; the list takes the item over. False when it
// could not be appended (the item is deleted).
bool DmcAddItem(DmcComponent* component, DmcItem* item);
void DmcDeleteComponent(DmcComponent* component);
