// The reader of the capability database: which features the printer model has and how each
// behaves, how they are grouped for display, their PrintSchema names, the tree view and the
// options of each feature. Records go to the callbacks as LocalAlloc'ed CapabilityRecords.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/foundation/databases/DatabaseCopy.h"
#include "nira/uiplugin/foundation/databases/DataSource.h"

class CNiraCapabilityDB : public CNiraDataSource {
public:
    // The construction value is kept for the caller; the reader does not use it.
    explicit CNiraCapabilityDB(INT constructionValue = 0);
    ~CNiraCapabilityDB() override;

    // Replaces the path and opens a new copy (closing an open one); always 0: a copy that cannot
    // be opened now is tried again by the next query.
    LONG Open(LPCWSTR path) override;
    // The feature ids in database order (a LocalAlloc'ed array for the caller), the highest
    // settings id (4113 < id < 6000) and the highest UI id (6000 < id < 8000). Always 0.
    LONG GetFeatureIds(INT** ids, INT* count, INT* highestSettingsId, INT* highestUiId) override;
    // The FeatureRecord of one feature.
    LONG GetFeature(const INT* featureId, NiraFeatureRowCallback callback, LPVOID user) override;
    LONG QueryFeatureTable(INT kind, NiraFeatureRowCallback callback, LPVOID user) override;
    // One FeatureRecord per feature, ascending, restricted to the listed ids when the list is not
    // empty. 0 when the query ran to its end; NIRA_STATUS_FAILED when it failed, was stopped by
    // the callback, or would not fit its buffer (then nothing is delivered).
    LONG GetFeatureSettings(NiraFeatureRowCallback callback, LPVOID user, CNiraPtrList* featureIds) override;
    LONG EnumCategories(NiraFeatureRowCallback callback, LPVOID user) override;
    LONG EnumFeatures(NiraFeatureRowCallback callback, LPVOID user) override;
    LONG EnumFeatures2(NiraFeatureRowCallback callback, LPVOID user) override;
    LONG EnumVocabularies(NiraFeatureRowCallback callback, LPVOID user) override;
    LONG EnumTreeView(NiraFeatureRowCallback callback, LPVOID user) override;
    LONG Reserved13(INT_PTR value) override;
    LONG Reserved14(INT_PTR value1, INT_PTR value2, INT_PTR value3) override;
    // The options of a feature that the user's UI language admits, in database order.
    LONG EnumOptions(const INT* featureId, NiraOptionCallback callback, LPVOID user) override;
    LONG Close() override;

    INT GetConstructionValue() const { return m_constructionValue; }
    // The copy the reader works on, for a feature database that borrows it; it lives as long as
    // the reader (Open and Close replace its connection, not the copy object).
    CNiraDatabaseCopy& Copy() { return m_copy; }

private:
    LONG RunFeatureSettings(const CNiraQueryText& sql, NiraFeatureRowCallback callback, LPVOID user);

    CNiraDatabaseCopy m_copy;
    INT m_constructionValue;
};
