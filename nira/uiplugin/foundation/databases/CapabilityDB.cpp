#include "nira/uiplugin/foundation/databases/CapabilityDB.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/databases/QueryRow.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"

namespace {
constexpr LANGID kLanguageEnglishUs = 1033;
constexpr LANGID kLanguageJapanese = 1041;

constexpr LPCSTR kFeatureCountQuery = "SELECT COUNT(Featureid) FROM CAP_FEATURES_INFO";
constexpr LPCSTR kFeatureIdsQuery = "SELECT Featureid FROM CAP_FEATURES_INFO";

constexpr LPCSTR kFeatureSettingsQuery =
    "SELECT Featureid, SaveState, ClassId, ExternalOptions, FeatureState, SettingsKey, "
    "DefaultOption, RangeMax, RangeMin, BiDiUpdate, bRespectUserSelection, uiDataStore, "
    "Discriminator, DefaultNonUS, DefaultJapanese, NonUSDiscriminator FROM CAP_FEATURES_INFO";
constexpr LPCSTR kFeatureFilterStart = " WHERE";
constexpr LPCSTR kFeatureFilterTerm = " FEATUREID = ";
constexpr LPCSTR kFeatureFilterOr = " OR";
constexpr LPCSTR kFeatureOrder = " ORDER BY Featureid";

constexpr LPCSTR kCategoryQuery =
    "SELECT Featureid, Categoryid, Subcategoryid, Thridcategoryid, Stringid, LableId, Bitmapid, "
    "IconId, HelpId, OptionNameLenghtLimit, FeatureState, SoftLink, SoftLinkFeatureID, AuxIndex, "
    "AuxBitOffset, DefaultDisplayState, BiDiUpdate, IgnoreOptionState, IsFeatureUserInput "
    "FROM CAP_FEATURES_INFO ORDER BY Featureid";
constexpr LPCSTR kVocabularyQuery =
    "SELECT Featureid, VocabNameSpace , VocabMap FROM CAP_FEATURES_INFO ORDER BY Featureid";
constexpr LPCSTR kTreeviewQuery =
    "SELECT FeatureID, OptionID , OptionIndex , SupportOption , StringID , LevelID , "
    "Discriminator , GroupID ,OptionName FROM CAP_TREEVIEW_INFO ORDER BY Featureid";

constexpr LPCSTR kOptionQuery =
    "SELECT OptionIndex, OptionName, Optionid, VocabIndex, BitmapID, StringID, IconID, "
    "OptionState, AuxID1, AuxID2, AuxID3, AuxID4, Category, Group1, Group2, Group3, Group4, "
    "Group5, BidiUpdate, BiDiKey, BiDistate, VocabNamespace, VocabMap, Sendcommand, "
    "CommandString, Commandlevel, CommandIndex, ProductInstance, Seperator, TreeViewCategory, "
    "TreeViewSizeID, NonUSOptionState, JapaneseOptionState FROM CAP_OPTIONS_INFO WHERE Featureid = ";

enum FeatureSettingsColumn {
    FS_FEATURE_ID,
    FS_SAVE_STATE,
    FS_CLASS_ID,
    FS_EXTERNAL_OPTIONS,
    FS_FEATURE_STATE,
    FS_SETTINGS_KEY,
    FS_DEFAULT_OPTION,
    FS_RANGE_MAX,
    FS_RANGE_MIN,
    FS_BIDI_UPDATE,
    FS_RESPECT_USER_SELECTION,
    FS_DATA_STORE,
    FS_DISCRIMINATOR,
    FS_DEFAULT_NON_US,
    FS_DEFAULT_JAPANESE,
    FS_NON_US_DISCRIMINATOR
};
constexpr int kFsMinColumns = 8;  // a row must have more

enum CategoryColumn {
    CT_FEATURE_ID,
    CT_CATEGORY_ID,
    CT_SUBCATEGORY_ID,
    CT_THIRD_CATEGORY_ID,
    CT_STRING_ID,
    CT_LABEL_ID,
    CT_BITMAP_ID,
    CT_ICON_ID,
    CT_HELP_ID,
    CT_NAME_LENGTH_LIMIT,
    CT_FEATURE_STATE,
    CT_SOFT_LINK,
    CT_SOFT_LINK_FEATURE_ID,
    CT_AUX_INDEX,
    CT_AUX_BIT_OFFSET,
    CT_DEFAULT_DISPLAY_STATE,
    CT_BIDI_UPDATE,
    CT_IGNORE_OPTION_STATE,
    CT_IS_USER_INPUT
};
constexpr int kCtMinColumns = 15;

enum VocabularyColumn { VC_FEATURE_ID, VC_NAMESPACE, VC_MAP };
constexpr int kVcMinColumns = 2;

enum TreeViewColumn {
    TV_FEATURE_ID,
    TV_OPTION_ID,
    TV_OPTION_INDEX,
    TV_SUPPORT_OPTION,
    TV_STRING_ID,
    TV_LEVEL_ID,
    TV_DISCRIMINATOR,
    TV_GROUP_ID,
    TV_OPTION_NAME
};
constexpr int kTvMinColumns = 9;

enum OptionColumn {
    OP_OPTION_INDEX,
    OP_OPTION_NAME,
    OP_OPTION_ID,
    OP_VOCAB_INDEX,
    OP_BITMAP_ID,
    OP_STRING_ID,
    OP_ICON_ID,
    OP_OPTION_STATE,
    OP_AUX_ID1,
    OP_AUX_ID2,
    OP_AUX_ID3,
    OP_AUX_ID4,
    OP_CATEGORY,
    OP_GROUP1,
    OP_GROUP2,
    OP_GROUP3,
    OP_GROUP4,
    OP_GROUP5,
    OP_BIDI_UPDATE,
    OP_BIDI_KEY,
    OP_BIDI_STATE,
    OP_VOCAB_NAMESPACE,
    OP_VOCAB_MAP,
    OP_SEND_COMMAND,
    OP_COMMAND_STRING,
    OP_COMMAND_LEVEL,
    OP_COMMAND_INDEX,
    OP_PRODUCT_INSTANCE,
    OP_SEPARATOR,
    OP_TREEVIEW_CATEGORY,
    OP_TREEVIEW_SIZE_ID,
    OP_NON_US_OPTION_STATE,
    OP_JAPANESE_OPTION_STATE
};
constexpr int kOpMinColumns = 28;  // a row must have more

const WCHAR kEmptyText[] = {0};

struct FeatureRowContext {
    NiraFeatureRowCallback callback;
    LPVOID user;
    LANGID language;
};

struct OptionRowContext {
    NiraOptionCallback callback;
    LPVOID user;
    INT featureId;
    LANGID language;
};

template <typename Record>
Record* AllocateRecord()
{
    return static_cast<Record*>(LocalAlloc(LPTR, sizeof(Record)));
}

int Deliver(const FeatureRowContext& context, INT featureId, INT kind, LPVOID record)
{
    if (record == nullptr) {
        return 1;  // memory exhausted: stop, so that the caller learns of it
    }
    return context.callback(featureId, kind, record, context.user) != 0 ? 1 : 0;
}

int OnFeatureSettingsRow(void* argument, int n, char** v, char**)
{
    if (n <= kFsMinColumns) {
        return 0;
    }
    const auto& context = *static_cast<FeatureRowContext*>(argument);
    auto* record = AllocateRecord<FeatureRecord>();
    if (record == nullptr) {
        return 1;
    }
    const BOOL english = context.language == kLanguageEnglishUs;
    record->size = sizeof(FeatureRecord);
    record->version = kFeatureRecordVersion;
    record->featureId = ReadColumnInt(n, v, FS_FEATURE_ID);
    record->saveState = ReadColumnInt(n, v, FS_SAVE_STATE);
    record->classId = ReadColumnInt(n, v, FS_CLASS_ID);
    record->externalOptions = ReadColumnInt(n, v, FS_EXTERNAL_OPTIONS);
    record->featureState = ReadColumnInt(n, v, FS_FEATURE_STATE);
    record->settingsKey = ReadColumnInt(n, v, FS_SETTINGS_KEY);
    record->defaultOption = ReadColumnInt(n, v,
                                          english                                 ? FS_DEFAULT_OPTION
                                          : context.language == kLanguageJapanese ? FS_DEFAULT_JAPANESE
                                                                                  : FS_DEFAULT_NON_US);
    record->rangeMax = ReadColumnInt(n, v, FS_RANGE_MAX);
    record->rangeMin = ReadColumnInt(n, v, FS_RANGE_MIN);
    record->biDiUpdate = ReadColumnInt(n, v, FS_BIDI_UPDATE);
    record->respectUserSelection = ReadColumnInt(n, v, FS_RESPECT_USER_SELECTION);
    record->discriminator = ReadColumnInt(n, v, english ? FS_DISCRIMINATOR : FS_NON_US_DISCRIMINATOR);
    record->uiDataStore = ReadColumnInt(n, v, FS_DATA_STORE);
    record->firstChange =
        record->featureId >= kFirstSettingsFeature && record->featureId <= kLastSettingsFeature ? 1 : 0;
    return Deliver(context, record->featureId, CAPABILITY_KIND_FEATURE, record);
}

int OnCategoryRow(void* argument, int n, char** v, char**)
{
    if (n < kCtMinColumns) {
        return 0;
    }
    const auto& context = *static_cast<FeatureRowContext*>(argument);
    auto* record = AllocateRecord<FeatureUIRecord>();
    if (record == nullptr) {
        return 1;
    }
    record->size = sizeof(FeatureUIRecord);
    record->version = kFeatureUiRecordVersion;
    record->categoryId = ReadColumnInt(n, v, CT_CATEGORY_ID);
    record->subcategoryId = ReadColumnInt(n, v, CT_SUBCATEGORY_ID);
    record->thirdCategoryId = ReadColumnInt(n, v, CT_THIRD_CATEGORY_ID);
    record->stringId = ReadColumnInt(n, v, CT_STRING_ID);
    record->labelId = ReadColumnInt(n, v, CT_LABEL_ID);
    record->bitmapId = ReadColumnInt(n, v, CT_BITMAP_ID);
    record->iconId = ReadColumnInt(n, v, CT_ICON_ID);
    record->isUserInput = ReadColumnInt(n, v, CT_IS_USER_INPUT);
    record->helpId = ReadColumnInt(n, v, CT_HELP_ID);
    record->optionNameLengthLimit = ReadColumnInt(n, v, CT_NAME_LENGTH_LIMIT);
    record->defaultDisplayState = ReadColumnInt(n, v, CT_DEFAULT_DISPLAY_STATE);
    record->displayState = record->defaultDisplayState;
    record->softLink = ReadColumnInt(n, v, CT_SOFT_LINK);
    record->softLinkFeatureId = ReadColumnInt(n, v, CT_SOFT_LINK_FEATURE_ID);
    record->auxIndex = ReadColumnInt(n, v, CT_AUX_INDEX);
    record->auxBitMask = ReadColumnInt(n, v, CT_AUX_BIT_OFFSET);
    record->biDiUpdate = ReadColumnInt(n, v, CT_BIDI_UPDATE);
    record->featureId = ReadColumnInt(n, v, CT_FEATURE_ID);
    record->ignoreOptionState = ReadColumnInt(n, v, CT_IGNORE_OPTION_STATE);
    return Deliver(context, record->featureId, CAPABILITY_KIND_FEATURE_UI, record);
}

int OnVocabularyRow(void* argument, int n, char** v, char**)
{
    if (n < kVcMinColumns) {
        return 0;
    }
    const auto& context = *static_cast<FeatureRowContext*>(argument);
    auto* record = AllocateRecord<VocabularyRecord>();
    if (record == nullptr) {
        return 1;
    }
    if (!DuplicateColumnText(n, v, VC_NAMESPACE, &record->vocabNamespace) ||
        !DuplicateColumnText(n, v, VC_MAP, &record->vocabMap)) {
        LocalFree(record->vocabNamespace);
        LocalFree(record);
        return 1;  // a text that is there must not arrive as a null column
    }
    return Deliver(context, ReadColumnInt(n, v, VC_FEATURE_ID), CAPABILITY_KIND_VOCABULARY, record);
}

int OnTreeViewRow(void* argument, int n, char** v, char**)
{
    if (n < kTvMinColumns) {
        return 0;
    }
    const auto& context = *static_cast<FeatureRowContext*>(argument);
    auto* record = AllocateRecord<TreeViewOptionRecord>();
    if (record == nullptr) {
        return 1;
    }
    record->size = sizeof(TreeViewOptionRecord);
    record->featureId = ReadColumnInt(n, v, TV_FEATURE_ID);
    record->optionId = ReadColumnInt(n, v, TV_OPTION_ID);
    record->optionIndex = ReadColumnInt(n, v, TV_OPTION_INDEX);
    if (!CopyColumnText(n, v, TV_OPTION_NAME, record->optionName, kTreeviewTextLength)) {
        LocalFree(record);
        return 1;
    }
    record->supportOption = ReadColumnInt(n, v, TV_SUPPORT_OPTION);
    record->stringId = ReadColumnInt(n, v, TV_STRING_ID);
    record->levelId = ReadColumnInt(n, v, TV_LEVEL_ID);
    record->discriminator = ReadColumnInt(n, v, TV_DISCRIMINATOR);
    record->groupId = ReadColumnInt(n, v, TV_GROUP_ID);
    return Deliver(context, record->featureId, CAPABILITY_KIND_TREEVIEW, record);
}

// VocabIndex as a language filter: 0 admits every language, +L only the language L, -L every
// language but L.
BOOL IsOptionForLanguage(INT vocabIndex, LANGID language)
{
    if (vocabIndex == 0) {
        return TRUE;
    }
    if (vocabIndex > 0) {
        return vocabIndex == language;
    }
    return vocabIndex != -static_cast<INT>(language);
}

int OnOptionRow(void* argument, int n, char** v, char**)
{
    if (n <= kOpMinColumns) {
        return 1;
    }
    const auto& context = *static_cast<OptionRowContext*>(argument);
    if (!IsOptionForLanguage(ReadColumnInt(n, v, OP_VOCAB_INDEX), context.language)) {
        return 0;
    }
    const int stateColumn = context.language == kLanguageEnglishUs  ? OP_OPTION_STATE
                            : context.language == kLanguageJapanese ? OP_JAPANESE_OPTION_STATE
                                                                    : OP_NON_US_OPTION_STATE;
    const CNiraColumnWideText optionName(n, v, OP_OPTION_NAME);
    const CNiraColumnWideText vocabNamespace(n, v, OP_VOCAB_NAMESPACE);
    const CNiraColumnWideText vocabMap(n, v, OP_VOCAB_MAP);
    if (optionName.Failed() || vocabNamespace.Failed() || vocabMap.Failed()) {
        return 1;
    }
    context.callback(
        ReadColumnInt(n, v, OP_OPTION_INDEX), context.featureId, ReadColumnInt(n, v, OP_OPTION_ID), 0,
        ReadColumnInt(n, v, OP_BITMAP_ID), ReadColumnInt(n, v, OP_STRING_ID), optionName.Get(),
        ReadColumnInt(n, v, OP_ICON_ID), ReadColumnInt(n, v, stateColumn), ReadColumnInt(n, v, OP_AUX_ID1),
        ReadColumnInt(n, v, OP_AUX_ID2), ReadColumnInt(n, v, OP_AUX_ID3), ReadColumnInt(n, v, OP_AUX_ID4),
        ReadColumnInt(n, v, OP_CATEGORY), ReadColumnInt(n, v, OP_GROUP1), ReadColumnInt(n, v, OP_GROUP2),
        ReadColumnInt(n, v, OP_GROUP3), ReadColumnInt(n, v, OP_GROUP4), ReadColumnInt(n, v, OP_GROUP5),
        ReadColumnInt(n, v, OP_BIDI_UPDATE), kEmptyText, ReadColumnInt(n, v, OP_BIDI_STATE),
        vocabNamespace.Get(), vocabMap.Get(), ReadColumnInt(n, v, OP_SEND_COMMAND), kEmptyText, 0, 0, 0,
        ReadColumnInt(n, v, OP_SEPARATOR), ReadColumnInt(n, v, OP_TREEVIEW_CATEGORY),
        ReadColumnInt(n, v, OP_TREEVIEW_SIZE_ID), context.user);
    return 0;
}

// Appends the WHERE clause of the feature-settings query for the listed ids (none for an
// empty or missing list).
void AppendFeatureFilter(CNiraQueryText& sql, CNiraPtrList* featureIds)
{
    if (featureIds == nullptr || featureIds->GetCount() == 0) {
        return;
    }
    sql.Append(kFeatureFilterStart);
    BOOL first = TRUE;
    for (CNiraPtrList::Node* node = featureIds->GetHead(); node != nullptr; node = node->next) {
        if (!first) {
            sql.Append(kFeatureFilterOr);
        }
        first = FALSE;
        sql.Append(kFeatureFilterTerm)
            .AppendQuotedUnsigned(static_cast<UINT>(reinterpret_cast<INT_PTR>(node->value)));
    }
}
}  // namespace

CNiraCapabilityDB::CNiraCapabilityDB(INT constructionValue) : m_constructionValue(constructionValue) {}

CNiraCapabilityDB::~CNiraCapabilityDB() = default;

LONG CNiraCapabilityDB::Open(LPCWSTR path)
{
    m_copy.SetPath(path);
    m_copy.Close();
    m_copy.EnsureOpen();
    return 0;
}

LONG CNiraCapabilityDB::GetFeatureIds(INT** ids, INT* count, INT* highestSettingsId, INT* highestUiId)
{
    if (ids == nullptr || count == nullptr || highestSettingsId == nullptr || highestUiId == nullptr) {
        return 0;
    }
    *ids = nullptr;
    *count = 0;
    *highestSettingsId = 0;
    *highestUiId = 0;
    CNiraDatabaseCopy::ReadTransaction transaction(m_copy);
    // A database without features answers an empty list; one whose ids could not be read fails
    // rather than pass for empty.
    INT expected = 0;
    if (m_copy.Run(kFeatureCountQuery, StoreFirstColumn, &expected) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (expected <= 0) {
        return 0;
    }
    CNiraIdCollector collector(expected);
    if (!collector.IsAllocated() || m_copy.Run(kFeatureIdsQuery, CNiraIdCollector::OnRow, &collector) != 0) {
        return NIRA_STATUS_FAILED;
    }
    for (INT i = 0; i < collector.Count(); ++i) {
        const INT id = collector.At(i);
        if (id > kFirstSettingsFeature && id < kFirstUIFeature && id > *highestSettingsId) {
            *highestSettingsId = id;
        }
        if (id > kFirstUIFeature && id < kUIFeatureLimit && id > *highestUiId) {
            *highestUiId = id;
        }
    }
    *count = collector.Count();
    *ids = collector.Detach();
    return 0;
}

LONG CNiraCapabilityDB::RunFeatureSettings(const CNiraQueryText& sql, NiraFeatureRowCallback callback,
                                           LPVOID user)
{
    if (callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    FeatureRowContext context = {callback, user, GetUserDefaultUILanguage()};
    return m_copy.Run(sql, OnFeatureSettingsRow, &context);
}

LONG CNiraCapabilityDB::GetFeatureSettings(NiraFeatureRowCallback callback, LPVOID user,
                                           CNiraPtrList* featureIds)
{
    CNiraQueryText sql;
    sql.Append(kFeatureSettingsQuery);
    AppendFeatureFilter(sql, featureIds);
    sql.Append(kFeatureOrder);
    const bool everyFeature = featureIds == nullptr || featureIds->GetCount() == 0;
    if (everyFeature && callback != nullptr && sql.IsComplete()) {
        // Without a list the text is always the same: it is compiled once for the copy.
        FeatureRowContext context = {callback, user, GetUserDefaultUILanguage()};
        return m_copy.Run(sql.Text(), OnFeatureSettingsRow, &context);
    }
    return RunFeatureSettings(sql, callback, user);
}

LONG CNiraCapabilityDB::GetFeature(const INT* featureId, NiraFeatureRowCallback callback, LPVOID user)
{
    if (featureId == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    CNiraQueryText sql;
    sql.Append(kFeatureSettingsQuery).Append(kFeatureFilterStart).Append(kFeatureFilterTerm);
    if (!sql.IsComplete()) {
        return NIRA_STATUS_FAILED;
    }
    FeatureRowContext context = {callback, user, GetUserDefaultUILanguage()};
    return m_copy.RunWithNumber(sql.Text(), static_cast<UINT>(*featureId), OnFeatureSettingsRow, &context);
}

LONG CNiraCapabilityDB::QueryFeatureTable(INT kind, NiraFeatureRowCallback callback, LPVOID user)
{
    NiraQueryRowCallback onRow = nullptr;
    LPCSTR query = nullptr;
    switch (kind) {
    case CAPABILITY_KIND_FEATURE:
        return GetFeatureSettings(callback, user, nullptr);
    case CAPABILITY_KIND_FEATURE_UI:
        onRow = OnCategoryRow;
        query = kCategoryQuery;
        break;
    case CAPABILITY_KIND_VOCABULARY:
        onRow = OnVocabularyRow;
        query = kVocabularyQuery;
        break;
    case CAPABILITY_KIND_TREEVIEW:
        onRow = OnTreeViewRow;
        query = kTreeviewQuery;
        break;
    default:
        return 0;
    }
    if (callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    FeatureRowContext context = {callback, user, GetUserDefaultUILanguage()};
    return m_copy.Run(query, onRow, &context);
}

LONG CNiraCapabilityDB::EnumCategories(NiraFeatureRowCallback callback, LPVOID user)
{
    return QueryFeatureTable(CAPABILITY_KIND_FEATURE_UI, callback, user);
}

LONG CNiraCapabilityDB::EnumFeatures(NiraFeatureRowCallback callback, LPVOID user)
{
    return QueryFeatureTable(CAPABILITY_KIND_FEATURE, callback, user);
}

LONG CNiraCapabilityDB::EnumFeatures2(NiraFeatureRowCallback callback, LPVOID user)
{
    return QueryFeatureTable(CAPABILITY_KIND_FEATURE, callback, user);
}

LONG CNiraCapabilityDB::EnumVocabularies(NiraFeatureRowCallback callback, LPVOID user)
{
    return QueryFeatureTable(CAPABILITY_KIND_VOCABULARY, callback, user);
}

LONG CNiraCapabilityDB::EnumTreeView(NiraFeatureRowCallback callback, LPVOID user)
{
    return QueryFeatureTable(CAPABILITY_KIND_TREEVIEW, callback, user);
}

LONG CNiraCapabilityDB::Reserved13(INT_PTR)
{
    return NIRA_STATUS_FAILED;
}

LONG CNiraCapabilityDB::Reserved14(INT_PTR, INT_PTR, INT_PTR)
{
    return NIRA_STATUS_FAILED;
}

LONG CNiraCapabilityDB::EnumOptions(const INT* featureId, NiraOptionCallback callback, LPVOID user)
{
    if (featureId == nullptr || callback == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    // No count of the options first: a feature without options gives no row, and a table that
    // cannot be counted cannot be read either, so the answers and callbacks stay the same.
    OptionRowContext context = {callback, user, *featureId, GetUserDefaultUILanguage()};
    return m_copy.RunWithNumber(kOptionQuery, static_cast<UINT>(*featureId), OnOptionRow, &context);
}

LONG CNiraCapabilityDB::Close()
{
    return m_copy.Close() ? 0 : NIRA_STATUS_FAILED;
}
