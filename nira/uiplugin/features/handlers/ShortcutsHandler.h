// The handler of the printing shortcuts (class 4143): named sets of settings chosen in one step.
// Each shortcut is an option of the shortcuts feature. Predefined ones (ids up to 499) are rows of
// the capability database's table FDT4143, one per setting, each naming the soft-link feature
// (6399 to 6500) of the shortcuts page that shows a real feature (or a pair of them); custom ones
// (ids from 500) are records the user saved (ShortcutStore.h). Applying a shortcut configures the
// soft-link features and, once the user has chosen or reset one, sets the real features; the
// handler may write every feature. Changes since the choice are kept in the working record
// "Customized Settings", which saving turns into a custom shortcut.
#pragma once

#include <array>
#include <unordered_map>
#include <vector>

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/features/handlers/ShortcutRecords.h"
#include "nira/uiplugin/features/handlers/ShortcutStore.h"
#include "nira/uiplugin/interfaces/UISettingsRecords.h"

class INiraFeatureDatabase;

// The shortcuts page's own features and widgets.
enum NiraShortcutFeatureId : int {
    FEATURE_SHORTCUT_MODIFIED = 4157,  // 1 nothing differs from the chosen shortcut, 2 something does
    FEATURE_GRAY_LINKED = 4158,        // set together with the grey options
    FEATURE_SHORTCUT_RESET = 4229,
    WIDGET_SHORTCUT_NAME = 6007,
    WIDGET_SHORTCUT_SAVE_AS = 6008,
    WIDGET_SHORTCUT_DELETE = 6009,
    WIDGET_SHORTCUT_SAVE = 6010,
};

class CNiraShortcutsHandler : public CNiraFeatureHandler {
public:
    CNiraShortcutsHandler();
    ~CNiraShortcutsHandler() override;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int Detach() override;
    int InitializeStates() override;
    int OnWidgetChanged(int widgetId) override;
    int OnConstraintAction(int featureId, const char* data1, const char* data2, const char* data3) override;

    // --- the table of predefined shortcuts ---
    enum QueryMode { kQueryCount = 0, kQueryRows = 1, kQueryValue = 2 };
    struct ShortcutQuery {
        int mode;
        CNiraShortcutsHandler* owner;
        int result;
        int (*rowFunction)(CNiraShortcutsHandler* owner, const ShortcutRow& row);
    };
    // The row callback of the table's statements; 0 always (a row never stops the query).
    static int OnShortcutQueryRow(void* query, int columnCount, char** values, char** names);
    static int DispatchShortcutRow(CNiraShortcutsHandler* owner, const ShortcutRow& row);
    int GetShortcutBitmapId(int* bitmapId, int option);

    // --- ids ---
    static int IsCustomShortcutId(int id, int* isCustom);
    int FindFreeShortcutId(int* out, int start);
    int GetShortcutBase(int option);
    int ResolvePredefinedBase(int option);
    // Copies the custom option's items into destination.
    int CopyShortcutItems(int customOption, ShortcutRecord* destination);

    // --- applying a shortcut ---
    int ApplyShortcutRows(int* option, int applyingCustomBase, int isRetry);
    int ApplyShortcutRow(const ShortcutRow& row);
    int ApplyCustomShortcut(int option);
    int ResetSoftLinkFeatures();
    int RestoreFixedShortcut();
    int ClearModifiedFeatures();
    int FindSoftLinkFeature(int featureId, int* found, int* softLinkId, int* twoLinks);
    static int IsSoftLinkFeatureId(int id);
    int IsOptionListed(int featureId, int option, int* listed);
    int SyncPrintQualityLink(int featureId, int softLinkId, int currentShortcut);
    int SyncGrayOptionsLink(int featureId, int softLinkId);
    int DropLinkedDuplexOption(int featureId, int softLinkId);

    // --- edits ---
    int FindPredefinedShortcutByName(int* found, WCHAR* outName);
    int FindCustomShortcutByName(int* found, WCHAR* outName);

    CNiraShortcutStore& Store() { return m_store; }
    const std::vector<int>& RowFeatures() const { return m_rowFeatures; }
    const std::vector<int>& ModifiedFeatures() const { return m_modifiedFeatures; }
    const std::unordered_map<int, int>& ReferenceValues() const { return m_referenceValues; }
    int CustomCount() const { return m_customCount; }
    int PredefinedCount() const { return m_predefinedCount; }
    int MaxShortcuts() const { return m_maxShortcuts; }
    int ApplyValues() const { return m_applyValues; }

    static constexpr int kNameLimit = 80;  // characters of a custom shortcut's name
    // The settings features whose values the shortcuts mirror and compare.
    static constexpr int kLastShortcutFeature = 4311;

private:
    // The notation of the shortcuts' steps, each through the core services under the handler's id.
    int Set(int featureId, int option, int reason = 2, int byUser = 0, int fromOwner = 0);
    void State(int featureId, int option, int state);
    void Show(int featureId, int state);
    // The linked option of soft-link feature P that stands for option o of F; 0 when there is none.
    int Link(int softLinkId, int featureId, int option);
    bool Current(int featureId, int* option);
    int CurrentOr(int featureId, int fallback);
    bool DefaultOf(int featureId, int* option);
    bool HasOptionOf(int featureId, int option);
    int OptionStateOf(int featureId, int option);
    void RemoveOptionOf(int featureId, int option);
    void AddOptionFrom(int softLinkId, int option, int sourceFeature, int sourceOption);
    bool DisplayNameOf(int featureId, int option, WCHAR (&name)[kShortcutNameChars]);
    int Command(int target, int command);
    // The entry of linkedOptions of a soft-link feature; null for any other id.
    int* LinkedOption(int softLinkId);

    int RunQuery(int option, int mode);
    void AddRowFeature(int featureId);
    // The linked option of P for F's option v, falling back through P's other feature.
    int LinkWithFallback(int softLinkId, int featureId, int option);
    void MirrorFeature(int featureId, int current, const ShortcutRecord* record, int printsDirectly,
                       int localPrinter);
    void FillReferenceValues();
    void ApplyCustomItem(const ShortcutItem& item);
    void ApplyOwnSoftLink(int featureId, int option);
    bool HasNamedOption(int featureId, int option, OptionInfo* info);
    void ApplyLinkedSource(int featureId, int option, int reason);
    void SetBookletDuplex();
    void InsertCustomOption(int optionId, int beforeOptionId, const WCHAR* name, int bitmapOf);
    void ReadPrinterFacts(int* printsDirectly, int* localPrinter);
    void MirrorUnlistedOption(int featureId, int value, int softLink);
    int MirrorDuplexWithoutUnit(int softLink, int value);
    void DropBookletLinks(int softLink);
    void CompareWithShortcut(int featureId, int value, int softLink, int two, int linked, bool custom,
                             const ShortcutRecord* record);
    // Save as and reset enabled while the settings differ (2) from the shortcut, delete for a
    // custom shortcut while they do not (1).
    void ShowModified(int modified, bool custom);

    int OnNameChanged();
    int OnShortcutChosen();
    int OnReset();
    int OnSoftLinkChanged(int widgetId);
    int OnSave();
    int OnDelete();
    int FindShortcutByName(bool custom, int* found, WCHAR* outName, int* option);
    void ApplyDuplexWithoutUnit(bool setSoftLink);
    void ApplyPairInterlocks(int target, int value, int targetOption);
    void OverwriteShortcut(int existing, int current);
    void SaveNewShortcut(int current);
    void RebaseDependants(std::vector<ShortcutListEntry>& entries, int oldOption, int newBase,
                          const WCHAR* newBaseName);
    bool LoadWorkingRecord(ShortcutRecord& record);
    ShortcutRecord NewWorkingRecord(int current);
    // Updates (or adds) the change's item; false when the update took out the record's last item,
    // which deletes the stored record.
    bool UpdateItem(ShortcutRecord& record, const ShortcutItem& change, int updateKind, int isDefault);
    void StoreWorkingRecord(ShortcutRecord& record);
    int MirrorChange(int changed, int value, int softLink, int two, int current, int* listed);

    INiraFeatureDatabase* m_database;
    int m_featureId;
    WCHAR m_pendingName[kShortcutNameChars];
    bool m_hasPendingName;
    // The option of the real feature last added to each soft-link feature 6399 to 6500.
    std::array<int, SOFT_LINK_LAST - SOFT_LINK_FIRST + 1> m_linkedOptions;
    int m_customCount;
    int m_predefinedCount;
    int m_maxShortcuts;
    int m_applyValues;
    int m_applyingCustomBase;
    int m_bulkChange;
    int m_maxDpiAllowed;
    int m_dmcPresent;
    int m_resetting;
    std::vector<int> m_rowFeatures;       // the soft-link features of the rows applied last, newest first
    std::vector<int> m_modifiedFeatures;  // features that differ from their reference, newest first
    std::unordered_map<int, int> m_referenceValues;
    int m_qualityRowShortcut;
    int m_qualityRowMaxDpi;
    CNiraShortcutStore m_store;
};
