// The readers of the driver's databases behind one interface: the UI layout, the capabilities and
// the constraints. Every operation defaults to doing nothing and answering 0, so each reader
// overrides only what it serves. The slot order is a contract with the presentation library,
// which drives the layout walk through these slots: keep every slot in its place.
#pragma once

#include <windows.h>

class CNiraIntRecord;
class CNiraWidgetInfo;
class CNiraPtrList;

// Receives a container record (FindContainer) or a window record (EnumWindows); the reader deletes
// the record when the callback returns.
typedef LONG (*NiraLayoutRecordCallback)(CNiraIntRecord* record, LPVOID user);
// Receives one control of a window; the reader deletes the record when the callback returns.
typedef LONG (*NiraWidgetCallback)(CNiraWidgetInfo* widget, LPVOID user);
// Receives one capability record of the given kind (CapabilityRecordKind); the record is
// LocalAlloc'ed and belongs to the callback. A non-zero answer stops the query.
typedef LONG (*NiraFeatureRowCallback)(INT featureId, INT kind, LPVOID record, LPVOID user);
// Receives one option of a feature. The texts belong to the reader and are valid only during the
// call; the two empty texts and the three zeros stand for values the database does not pass on.
typedef LONG (*NiraOptionCallback)(INT optionIndex, INT featureId, INT optionId, INT reserved, INT bitmapId,
                                   INT stringId, LPCWSTR optionName, INT iconId, INT optionState, INT auxId1,
                                   INT auxId2, INT auxId3, INT auxId4, INT category, INT group1, INT group2,
                                   INT group3, INT group4, INT group5, INT biDiUpdate, LPCWSTR biDiKey,
                                   INT biDiState, LPCWSTR vocabNamespace, LPCWSTR vocabMap, INT sendCommand,
                                   LPCWSTR commandString, INT commandLevel, INT commandIndex,
                                   INT productInstance, INT separator, INT treeViewCategory,
                                   INT treeViewSizeId, LPVOID user);

class CNiraDataSource {
public:
    virtual ~CNiraDataSource();                                                                // 0
    virtual LONG Open(LPCWSTR path);                                                           // 1
    virtual LONG FindContainer(LPCWSTR name, NiraLayoutRecordCallback callback, LPVOID user);  // 2
    virtual LONG EnumWindows(INT containerId, INT rtl, NiraLayoutRecordCallback callback,
                             LPVOID user);  // 3
    virtual LONG GetFeatureIds(INT** ids, INT* count, INT* highestSettingsId,
                               INT* highestUiId);  // 4
    virtual LONG GetFeature(const INT* featureId, NiraFeatureRowCallback callback,
                            LPVOID user);                                                    // 5
    virtual LONG QueryFeatureTable(INT kind, NiraFeatureRowCallback callback, LPVOID user);  // 6
    virtual LONG GetFeatureSettings(NiraFeatureRowCallback callback, LPVOID user,
                                    CNiraPtrList* featureIds);                                 // 7
    virtual LONG EnumCategories(NiraFeatureRowCallback callback, LPVOID user);                 // 8
    virtual LONG EnumFeatures(NiraFeatureRowCallback callback, LPVOID user);                   // 9
    virtual LONG EnumFeatures2(NiraFeatureRowCallback callback, LPVOID user);                  // 10
    virtual LONG EnumVocabularies(NiraFeatureRowCallback callback, LPVOID user);               // 11
    virtual LONG EnumTreeView(NiraFeatureRowCallback callback, LPVOID user);                   // 12
    virtual LONG Reserved13(INT_PTR value);                                                    // 13
    virtual LONG Reserved14(INT_PTR value1, INT_PTR value2, INT_PTR value3);                   // 14
    virtual LONG EnumOptions(const INT* featureId, NiraOptionCallback callback, LPVOID user);  // 15
    virtual LONG EnumWidgets(INT ignored, INT windowId, NiraWidgetCallback callback,
                             LPVOID user);                                                    // 16
    virtual LONG Reserved17(INT_PTR value1, INT_PTR value2, INT_PTR value3, INT_PTR value4);  // 17
    virtual LONG Reserved18(INT_PTR value1, INT_PTR value2);                                  // 18
    virtual LONG Reserved19(INT_PTR value1, INT_PTR value2, INT_PTR value3);                  // 19
    virtual LONG Reserved20(INT_PTR value1, INT_PTR value2, INT_PTR value3, INT_PTR value4);  // 20
    virtual LONG Close();                                                                     // 21
    virtual LONG Reserved22(INT_PTR value);                                                   // 22
    virtual LONG Reserved23(INT_PTR value1, INT_PTR value2);                                  // 23
    virtual LONG GetFrameType(LPCWSTR containerName, INT* frameType);                         // 24
    virtual LONG GetRtlWindowId(INT windowId, INT* rtlWindowId);                              // 25
    virtual LONG Reserved26(INT_PTR value1, INT_PTR value2);                                  // 26
    virtual LONG Reserved27(INT_PTR value1, INT_PTR value2);                                  // 27
    virtual LONG Reserved28(INT_PTR value1, INT_PTR value2, INT_PTR value3);                  // 28
    virtual LONG Reserved29(INT_PTR value1, INT_PTR value2);                                  // 29
};
