#include "DatabaseFixture.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"

#include <cstring>
#include <map>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {
// The columns the reader selects, with the values that tell the language columns apart.
const char* const kCapabilitySql = R"sql(
CREATE TABLE CAP_FEATURES_INFO (Featureid INTEGER, FeatureName TEXT, ExternalOptions INTEGER,
  SaveState INTEGER, SettingsKey INTEGER, BiDiUpdate INTEGER, BiDiKeyOID TEXT, FeatureState INTEGER,
  DefaultOption INTEGER, DefaultNonUS INTEGER, DefaultJapanese INTEGER, SoftLink INTEGER,
  AuxIndex INTEGER, AuxBitOffset INTEGER, ClassId INTEGER, Categoryid INTEGER, Subcategoryid INTEGER,
  Thridcategoryid INTEGER, Stringid INTEGER, LableId INTEGER, Bitmapid INTEGER, IconId INTEGER,
  HelpId INTEGER, ProductIndex INTEGER, VariantIndex INTEGER, FeatureType INTEGER,
  VocabNameSpace TEXT, VocabMap TEXT, Commandtemplate TEXT, ProductInstance INTEGER,
  RangeMax INTEGER, RangeMin INTEGER, OptionNameLenghtLimit INTEGER, InfoProvided INTEGER,
  bRespectUserSelection INTEGER, uiDataStore INTEGER, Discriminator INTEGER,
  NonUSDiscriminator INTEGER, SoftLinkFeatureID INTEGER, DefaultDisplayState INTEGER,
  IgnoreOptionState INTEGER, IsFeatureUserInput INTEGER);
CREATE TABLE CAP_OPTIONS_INFO (Featureid INTEGER, OptionIndex INTEGER, OptionName TEXT,
  Optionid INTEGER, VocabIndex INTEGER, BitmapID INTEGER, StringID INTEGER, IconID INTEGER,
  OptionState INTEGER, AuxID1 INTEGER, AuxID2 INTEGER, AuxID3 INTEGER, AuxID4 INTEGER,
  Category INTEGER, Group1 INTEGER, Group2 INTEGER, Group3 INTEGER, Group4 INTEGER, Group5 INTEGER,
  BidiUpdate INTEGER, BiDiKey TEXT, BiDistate INTEGER, VocabNamespace TEXT, VocabMap TEXT,
  Sendcommand INTEGER, CommandString TEXT, Commandlevel INTEGER, CommandIndex INTEGER,
  ProductInstance INTEGER, Seperator INTEGER, TreeViewCategory INTEGER, TreeViewSizeID INTEGER,
  NonUSOptionState INTEGER, JapaneseOptionState INTEGER);
CREATE TABLE CAP_TREEVIEW_INFO (FeatureID INTEGER, OptionID INTEGER, OptionIndex INTEGER,
  SupportOption INTEGER, StringID INTEGER, LevelID INTEGER, Discriminator INTEGER, GroupID INTEGER,
  OptionName TEXT);

INSERT INTO CAP_FEATURES_INFO (Featureid, FeatureName, ExternalOptions, SaveState, SettingsKey,
  BiDiUpdate, FeatureState, DefaultOption, DefaultNonUS, DefaultJapanese, ClassId, RangeMax, RangeMin,
  bRespectUserSelection, uiDataStore, Discriminator, NonUSDiscriminator, Categoryid, Subcategoryid,
  Thridcategoryid, Stringid, LableId, Bitmapid, IconId, HelpId, OptionNameLenghtLimit, SoftLink,
  SoftLinkFeatureID, AuxIndex, AuxBitOffset, DefaultDisplayState, IgnoreOptionState,
  IsFeatureUserInput, VocabNameSpace, VocabMap) VALUES
  (4312, 'LAST', 1, 2, 3, 4, 5, 601, 602, 603, 4312, 70, 7, 8, 9, 1001, 1002,
   11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 3, 24, 25, 'psk', 'psk:Last'),
  (4114, 'PAPER', 0, 1, 0, 0, 1, 256, 259, 266, 4114, 0, 0, 0, 0, 1, 2,
   1, 0, 0, 14114, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 'psk', 'psk:PageMediaSize'),
  (4313, 'BEYOND', 0, 1, 0, 0, 1, 1, 1, 1, 4313, 0, 0, 0, 0, 0, 0,
   0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, NULL, NULL);

INSERT INTO CAP_OPTIONS_INFO (Featureid, OptionIndex, OptionName, Optionid, VocabIndex, BitmapID,
  StringID, IconID, OptionState, AuxID1, AuxID2, AuxID3, AuxID4, Category, Group1, Group2, Group3,
  Group4, Group5, BidiUpdate, BiDiKey, BiDistate, VocabNamespace, VocabMap, Sendcommand,
  CommandString, Commandlevel, CommandIndex, ProductInstance, Seperator, TreeViewCategory,
  TreeViewSizeID, NonUSOptionState, JapaneseOptionState) VALUES
  (4114, 256, 'Letter', 256, 0, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 'key', 15,
   'psk', 'NorthAmericaLetter', 16, 'cmd', 17, 18, 19, 20, 21, 22, 4, 5),
  (4114, 266, 'Hagaki', 266, 1041, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0,
   NULL, NULL, 0, NULL, 0, 0, 0, 0, 0, 0, 2, 2),
  (4114, 258, 'Executive', 258, -1041, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0,
   'psk', 'NorthAmericaExecutive', 0, NULL, 0, 0, 0, 0, 0, 0, 2, 2),
  (4114, 260, 'German only', 260, 1031, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, NULL, 0,
   NULL, NULL, 0, NULL, 0, 0, 0, 0, 0, 0, 2, 2);

INSERT INTO CAP_TREEVIEW_INFO VALUES (4114, 0, 0, 1, 0, 1, 0, 100, 'Paper size'),
  (4114, 256, 256, 1, 5, 2, 1, 100, 'Letter');
)sql";

struct Delivered {
    INT featureId;
    INT kind;
    LPVOID record;
};

LONG Collect(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    static_cast<std::vector<Delivered>*>(user)->push_back({featureId, kind, record});
    return 0;
}

LONG StopAtFirst(INT, INT, LPVOID record, LPVOID user)
{
    ++*static_cast<int*>(user);
    LocalFree(record);
    return 1;
}

void FreeAll(std::vector<Delivered>& rows)
{
    for (Delivered& row : rows) {
        if (row.kind == CAPABILITY_KIND_VOCABULARY) {
            auto* vocabulary = static_cast<VocabularyRecord*>(row.record);
            if (vocabulary->vocabNamespace) {
                LocalFree(vocabulary->vocabNamespace);
            }
            if (vocabulary->vocabMap) {
                LocalFree(vocabulary->vocabMap);
            }
        }
        LocalFree(row.record);
    }
    rows.clear();
}

struct OptionSeen {
    std::vector<INT> numbers;
    WString name;
    WString biDiKey;
    WString vocabNamespace;
    WString vocabMap;
    WString commandString;
    bool nullNamespace;
};

LONG CollectOption(INT optionIndex, INT featureId, INT optionId, INT reserved, INT bitmapId, INT stringId,
                   LPCWSTR optionName, INT iconId, INT optionState, INT auxId1, INT auxId2, INT auxId3,
                   INT auxId4, INT category, INT group1, INT group2, INT group3, INT group4, INT group5,
                   INT biDiUpdate, LPCWSTR biDiKey, INT biDiState, LPCWSTR vocabNamespace, LPCWSTR vocabMap,
                   INT sendCommand, LPCWSTR commandString, INT commandLevel, INT commandIndex,
                   INT productInstance, INT separator, INT treeViewCategory, INT treeViewSizeId, LPVOID user)
{
    OptionSeen seen;
    seen.numbers = {optionIndex, featureId,        optionId,      reserved,     bitmapId,     stringId,
                    iconId,      optionState,      auxId1,        auxId2,       auxId3,       auxId4,
                    category,    group1,           group2,        group3,       group4,       group5,
                    biDiUpdate,  biDiState,        sendCommand,   commandLevel, commandIndex, productInstance,
                    separator,   treeViewCategory, treeViewSizeId};
    seen.name = optionName ? optionName : TEXT("(null)");
    seen.biDiKey = biDiKey ? biDiKey : TEXT("(null)");
    seen.nullNamespace = vocabNamespace == nullptr;
    seen.vocabNamespace = vocabNamespace ? vocabNamespace : TEXT("");
    seen.vocabMap = vocabMap ? vocabMap : TEXT("");
    seen.commandString = commandString ? commandString : TEXT("(null)");
    static_cast<std::vector<OptionSeen>*>(user)->push_back(seen);
    return 0;
}

std::vector<WString> OptionNames(const std::vector<OptionSeen>& options)
{
    std::vector<WString> names;
    for (const OptionSeen& option : options) {
        names.push_back(option.name);
    }
    return names;
}
}  // namespace

class CapabilityDBTest : public DatabaseFixture {
protected:
    void SetUp() override
    {
        machine.SetUILanguage(1033);
        EXPECT_EQ(0, reader.Open(MakeDatabase("caps.vdf", kCapabilitySql).c_str()));
    }

    FeatureRecord FeatureFor(LANGID language, INT featureId)
    {
        machine.SetUILanguage(language);
        CNiraPtrList ids;
        ids.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(featureId)));
        std::vector<Delivered> rows;
        EXPECT_EQ(0, reader.GetFeatureSettings(Collect, &rows, &ids));
        EXPECT_EQ(1u, rows.size());
        FeatureRecord record = *static_cast<FeatureRecord*>(rows.at(0).record);
        FreeAll(rows);
        return record;
    }

    CNiraCapabilityDB reader;
};

TEST_F(CapabilityDBTest, FeatureRecordsTakeEveryColumnInItsPlace)
{
    const FeatureRecord r = FeatureFor(1033, 4312);
    const INT expected[23] = {92, 1, 4312, 2, 4312, 1, 5, 0,    3, 0, 0, 601,
                              70, 7, 0,    4, 0,    0, 8, 1001, 9, 1, 0};
    EXPECT_EQ(0, std::memcmp(expected, &r, sizeof(expected)));
}

TEST_F(CapabilityDBTest, TheUserInterfaceLanguageChoosesDefaultDiscriminatorAndOptionState)
{
    const struct {
        LANGID language;
        INT defaultOption;
        INT discriminator;
        INT optionState;
    } cases[] = {{1033, 256, 1, 2}, {1041, 266, 2, 5}, {0x0407, 259, 2, 4}, {0x0809, 259, 2, 4}};
    for (const auto& c : cases) {
        const FeatureRecord r = FeatureFor(c.language, 4114);
        EXPECT_EQ(c.defaultOption, r.defaultOption) << c.language;
        EXPECT_EQ(c.discriminator, r.discriminator) << c.language;
        std::vector<OptionSeen> options;
        const INT paper = 4114;
        EXPECT_EQ(0, reader.EnumOptions(&paper, CollectOption, &options));
        ASSERT_FALSE(options.empty());
        EXPECT_EQ(TEXT("Letter"), options[0].name);
        EXPECT_EQ(c.optionState, options[0].numbers[7]) << c.language;
    }
}

TEST_F(CapabilityDBTest, VocabIndexLimitsOptionsToALanguage)
{
    const INT paper = 4114;
    const struct {
        LANGID language;
        std::vector<WString> names;
    } cases[] = {
        {1033, {TEXT("Letter"), TEXT("Executive")}},
        {1041, {TEXT("Letter"), TEXT("Hagaki")}},
        {1031, {TEXT("Letter"), TEXT("Executive"), TEXT("German only")}},
    };
    for (const auto& c : cases) {
        machine.SetUILanguage(c.language);
        std::vector<OptionSeen> options;
        EXPECT_EQ(0, reader.EnumOptions(&paper, CollectOption, &options));
        EXPECT_EQ(c.names, OptionNames(options)) << c.language;
    }
}

TEST_F(CapabilityDBTest, OptionArgumentsComeInTheirOrder)
{
    const INT paper = 4114;
    std::vector<OptionSeen> options;
    ASSERT_EQ(0, reader.EnumOptions(&paper, CollectOption, &options));
    const OptionSeen& letter = options.at(0);
    // BiDiKey, CommandString, Commandlevel, CommandIndex and ProductInstance are not passed on.
    EXPECT_EQ((std::vector<INT>{256, 4114, 256, 0,  1,  2,  3,  2, 4, 5, 6,  7,  8, 9,
                                10,  11,   12,  13, 14, 15, 16, 0, 0, 0, 20, 21, 22}),
              letter.numbers);
    EXPECT_EQ(TEXT(""), letter.biDiKey);
    EXPECT_EQ(TEXT(""), letter.commandString);
    EXPECT_EQ(TEXT("psk"), letter.vocabNamespace);
    EXPECT_EQ(TEXT("NorthAmericaLetter"), letter.vocabMap);

    // Null texts stay null.
    machine.SetUILanguage(1041);
    options.clear();
    ASSERT_EQ(0, reader.EnumOptions(&paper, CollectOption, &options));
    ASSERT_EQ(TEXT("Hagaki"), options.at(1).name);
    EXPECT_TRUE(options.at(1).nullNamespace);
}

TEST_F(CapabilityDBTest, AFeatureWithoutOptionsDeliversNothing)
{
    const INT none = 4313;
    std::vector<OptionSeen> options;
    EXPECT_EQ(0, reader.EnumOptions(&none, CollectOption, &options));
    EXPECT_TRUE(options.empty());
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.EnumOptions(nullptr, CollectOption, &options));
}

// A callback may read the same feature's options again while the outer read is under way (the
// reader keeps its statements compiled): both reads deliver every option, in order.
TEST_F(CapabilityDBTest, OptionsReadAgainFromInsideACallbackComeWhole)
{
    struct Nested {
        CNiraCapabilityDB* reader;
        INT feature;
        std::vector<WString> outer;
        std::vector<std::vector<WString>> inner;
    } nested = {&reader, 4114, {}, {}};
    auto onOuter = [](INT, INT, INT, INT, INT, INT, LPCWSTR name, INT, INT, INT, INT, INT, INT, INT, INT, INT,
                      INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR, LPCWSTR, INT, LPCWSTR, INT, INT, INT, INT,
                      INT, INT, LPVOID user) -> LONG {
        auto& n = *static_cast<Nested*>(user);
        n.outer.push_back(name);
        std::vector<OptionSeen> again;
        EXPECT_EQ(0, n.reader->EnumOptions(&n.feature, CollectOption, &again));
        n.inner.push_back(OptionNames(again));
        return 0;
    };
    ASSERT_EQ(0, reader.EnumOptions(&nested.feature, onOuter, &nested));
    std::vector<OptionSeen> once;
    ASSERT_EQ(0, reader.EnumOptions(&nested.feature, CollectOption, &once));
    const std::vector<WString> names = OptionNames(once);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names, nested.outer);
    EXPECT_EQ(std::vector<std::vector<WString>>(names.size(), names), nested.inner);
}

TEST_F(CapabilityDBTest, OnlyTheSettingsRangeIsMarkedAsSettingsFeatures)
{
    EXPECT_EQ(1, FeatureFor(1033, 4312).firstChange);
    EXPECT_EQ(0, FeatureFor(1033, 4313).firstChange);
    EXPECT_EQ(1, FeatureFor(1033, 4114).firstChange);
}

TEST_F(CapabilityDBTest, AnEmptyListReadsEveryFeatureInAscendingOrder)
{
    CNiraPtrList empty;
    for (CNiraPtrList* list : {static_cast<CNiraPtrList*>(nullptr), &empty}) {
        std::vector<Delivered> rows;
        EXPECT_EQ(0, reader.GetFeatureSettings(Collect, &rows, list));
        ASSERT_EQ(3u, rows.size());
        EXPECT_EQ(4114, rows[0].featureId);
        EXPECT_EQ(4312, rows[1].featureId);
        EXPECT_EQ(4313, rows[2].featureId);
        EXPECT_EQ(CAPABILITY_KIND_FEATURE, rows[0].kind);
        FreeAll(rows);
    }
}

TEST_F(CapabilityDBTest, AListTooLongForTheStatementFailsAndDeliversNothing)
{
    CNiraPtrList ids;
    for (INT id = 4114; id < 4114 + 14; ++id) {
        ids.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(id)));
    }
    std::vector<Delivered> rows;
    EXPECT_EQ(0, reader.GetFeatureSettings(Collect, &rows, &ids));
    EXPECT_EQ(1u, rows.size());  // only 4114 exists among them
    FreeAll(rows);

    for (INT id = 4200; id < 4200 + 20; ++id) {
        ids.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(id)));
    }
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.GetFeatureSettings(Collect, &rows, &ids));
    EXPECT_TRUE(rows.empty());
}

TEST_F(CapabilityDBTest, ACallbackThatAnswersNonZeroStopsTheFeatures)
{
    int calls = 0;
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.GetFeatureSettings(StopAtFirst, &calls, nullptr));
    EXPECT_EQ(1, calls);
}

TEST_F(CapabilityDBTest, HighestIdsAreReportedPerRange)
{
    CNiraCapabilityDB ids;
    ids.Open(
        MakeDatabase("ids.vdf",
                     "CREATE TABLE CAP_FEATURES_INFO (Featureid INTEGER);"
                     "INSERT INTO CAP_FEATURES_INFO VALUES (4113), (4200), (6005), (6000), (8000), (5999);")
            .c_str());
    INT* array = nullptr;
    INT count = -1, settings = -1, ui = -1;
    EXPECT_EQ(0, ids.GetFeatureIds(&array, &count, &settings, &ui));
    ASSERT_EQ(6, count);
    EXPECT_EQ((std::vector<INT>{4113, 4200, 6005, 6000, 8000, 5999}), std::vector<INT>(array, array + count));
    EXPECT_EQ(5999, settings);
    EXPECT_EQ(6005, ui);
    LocalFree(array);

    CNiraCapabilityDB empty;
    empty.Open(MakeDatabase("empty.vdf", "CREATE TABLE CAP_FEATURES_INFO (Featureid INTEGER);").c_str());
    EXPECT_EQ(0, empty.GetFeatureIds(&array, &count, &settings, &ui));
    EXPECT_EQ(0, count);
    EXPECT_EQ(nullptr, array);
    EXPECT_EQ(0, settings);
    EXPECT_EQ(0, ui);
}

TEST_F(CapabilityDBTest, CategoryRecordsCarryTheDisplayColumns)
{
    std::vector<Delivered> rows;
    EXPECT_EQ(0, reader.EnumCategories(Collect, &rows));
    ASSERT_EQ(3u, rows.size());
    EXPECT_EQ(4312, rows[1].featureId);
    EXPECT_EQ(CAPABILITY_KIND_FEATURE_UI, rows[1].kind);
    const auto& r = *static_cast<FeatureUIRecord*>(rows[1].record);
    const INT expected[22] = {88, 1, 11, 12, 13, 14, 15, 16, 17, 25,   18,
                              19, 3, 3,  20, 21, 0,  22, 23, 4,  4312, 24};
    EXPECT_EQ(0, std::memcmp(expected, &r, sizeof(expected)));
    FreeAll(rows);
}

TEST_F(CapabilityDBTest, VocabulariesAreWideCopiesOrNull)
{
    std::vector<Delivered> rows;
    EXPECT_EQ(0, reader.EnumVocabularies(Collect, &rows));
    ASSERT_EQ(3u, rows.size());
    const auto& paper = *static_cast<VocabularyRecord*>(rows[0].record);
    EXPECT_EQ(0, paper.reserved1);
    EXPECT_EQ(WString(TEXT("psk")), paper.vocabNamespace);
    EXPECT_EQ(WString(TEXT("psk:PageMediaSize")), paper.vocabMap);
    const auto& beyond = *static_cast<VocabularyRecord*>(rows[2].record);
    EXPECT_EQ(nullptr, beyond.vocabNamespace);
    EXPECT_EQ(nullptr, beyond.vocabMap);
    FreeAll(rows);
}

TEST_F(CapabilityDBTest, TreeViewRowsLeaveTheDisplayNameToTheCaller)
{
    std::vector<Delivered> rows;
    EXPECT_EQ(0, reader.EnumTreeView(Collect, &rows));
    ASSERT_EQ(2u, rows.size());
    const auto& letter = *static_cast<TreeViewOptionRecord*>(rows[1].record);
    EXPECT_EQ(1076, letter.size);
    EXPECT_EQ(4114, letter.featureId);
    EXPECT_EQ(256, letter.optionId);
    EXPECT_EQ(256, letter.optionIndex);
    EXPECT_EQ(TEXT(""), WString(letter.displayName));
    EXPECT_EQ(TEXT("Letter"), WString(letter.optionName));
    EXPECT_EQ((std::vector<INT>{1, 5, 2, 1, 100}),
              (std::vector<INT>{letter.supportOption, letter.stringId, letter.levelId, letter.discriminator,
                                letter.groupId}));
    FreeAll(rows);
}

TEST_F(CapabilityDBTest, ALongOptionNameIsCutToTheRecord)
{
    CNiraCapabilityDB tree;
    tree.Open(MakeDatabase("tree.vdf",
                           "CREATE TABLE CAP_TREEVIEW_INFO (FeatureID, OptionID, OptionIndex, SupportOption,"
                           " StringID, LevelID, Discriminator, GroupID, OptionName);"
                           "INSERT INTO CAP_TREEVIEW_INFO VALUES (1, 2, 3, 4, 5, 6, 7, 8, '" +
                               std::string(400, 'n') + "');")
                  .c_str());
    std::vector<Delivered> rows;
    EXPECT_EQ(0, tree.EnumTreeView(Collect, &rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(WString(kTreeviewTextLength - 1, TEXT('n')),
              WString(static_cast<TreeViewOptionRecord*>(rows[0].record)->optionName));
    FreeAll(rows);
}

TEST_F(CapabilityDBTest, OneFeatureAndTheUnusedSlots)
{
    std::vector<Delivered> rows;
    const INT paper = 4114;
    EXPECT_EQ(0, reader.GetFeature(&paper, Collect, &rows));
    ASSERT_EQ(1u, rows.size());
    EXPECT_EQ(4114, static_cast<FeatureRecord*>(rows[0].record)->featureId);
    FreeAll(rows);
    EXPECT_EQ(0, reader.EnumFeatures(Collect, &rows));
    EXPECT_EQ(3u, rows.size());
    FreeAll(rows);
    EXPECT_EQ(0, reader.QueryFeatureTable(5, Collect, &rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.Reserved13(0));
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.Reserved14(0, 0, 0));
    EXPECT_EQ(0, reader.Close());
    EXPECT_EQ(NIRA_STATUS_FAILED, reader.Close());
}
