// Keeps the values of a list of features in the current user's registry, per restricted-user GUID
// of the printer, and applies them back to the UI settings: the value "RegFeatureStore" (REG_BINARY)
// of HKCU "Software\Norvell-Ashby\<GUID>\RegFeatureDataStore". Made with new, attached to a UI
// settings object (not owned), used for one call and deleted. No operation throws.
#pragma once

#include <windows.h>

class CNiraPtrList;
class CNiraPrinterAccess;
class INiraCoreServices;
class INiraUISettings;

// One record of the stored blob. Each field is a 4-byte little-endian slot of which only the low
// 16 bits are written (WriteWordToCursor), so a value survives modulo 65536. N records are
// followed by kTrailerBytes zero bytes.
struct FeatureStoreRecord {
    INT featureId;
    INT featureState;  // the feature record's state word
    INT option;        // the current option
    INT optionState;   // the state word of that option
};
static_assert(sizeof(FeatureStoreRecord) == 16, "stored record layout");

class CNiraFeatureRegistryStore {
public:
    CNiraFeatureRegistryStore();
    ~CNiraFeatureRegistryStore();
    CNiraFeatureRegistryStore(const CNiraFeatureRegistryStore&) = delete;
    CNiraFeatureRegistryStore& operator=(const CNiraFeatureRegistryStore&) = delete;

    CNiraFeatureRegistryStore* Attach(INiraUISettings* settings);

    // Writes the features whose ids the list holds (pointer-sized integers), for the printer whose
    // name the services give. 0 for a null list or without settings (nothing written); 0 once the
    // blob is stored; NIRA_STATUS_FAILED when the printer, its preset root or a key cannot be
    // reached, or the value cannot be written.
    int SaveFeatures(CNiraPtrList* featureIds, INiraCoreServices* services);
    // The same for the printer of a handle; NIRA_STATUS_FAILED for a null handle. *noStore (when
    // given) says whether the failure is only that the printer keeps no store (no preset root).
    int SaveFeaturesByHandle(CNiraPtrList* featureIds, HANDLE printer, bool* noStore = nullptr);
    // Applies at most count stored records (never more than the blob holds). 0 when the value was
    // read and nothing was applied, else the result of the last call made; NIRA_STATUS_FAILED
    // without printer, key or value.
    int LoadFeatures(int count, INiraCoreServices* services);

    // Reads one 4-byte little-endian slot and advances the cursor by 4; a negative value reads as 0.
    // A null cursor gives 0 and stays.
    static int ReadInt32(BYTE*& cursor);

    static constexpr DWORD kTrailerBytes = 12;
    static constexpr DWORD kRecordBytes = sizeof(FeatureStoreRecord);

private:
    int Save(CNiraPtrList* featureIds, CNiraPrinterAccess& access, LPCWSTR printerName, bool* noStore);
    BYTE* BuildBlob(CNiraPtrList* featureIds, DWORD* size);
    int ApplyRecords(const BYTE* blob, DWORD size, int count, INiraCoreServices* services);

    INiraUISettings* m_settings;
};
