// The printing shortcuts' data: the stored forms of records and lists and how damaged ones are
// refused, the two stores and which one a user gets, the rows of the shortcuts table, the ids and
// the item updates.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <windows.h>
#include <winspool.h>

#include <string>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"

namespace {

const char kPrinter[] = "Nira Sample";

WString Repeat(WCHAR unit, size_t count)
{
    return WString(count, unit);
}

void SetName(WCHAR (&name)[kShortcutNameChars], const WString& text)
{
    std::copy(text.begin(), text.end(), name);
    name[text.size()] = 0;
}

ShortcutRecord MakeRecord(int id, const WString& name, int base)
{
    ShortcutRecord record;
    record.optionId = id;
    SetName(record.name, name);
    record.baseOptionId = base;
    SetName(record.baseName, TEXT("General everyday printing"));
    return record;
}

}  // namespace

TEST(ShortcutStoredForms, NamesWordsAndSizes)
{
    BYTE buffer[200] = {};
    BYTE* cursor = buffer;
    WriteNameToCursor(&cursor, Repeat('x', 80).c_str());
    EXPECT_EQ(cursor - buffer, 163);
    cursor = buffer;
    WriteNameToCursor(&cursor, TEXT(""));
    EXPECT_EQ(cursor - buffer, 3);

    // A word keeps the low 16 bits; negative stored numbers read as 0.
    ShortcutRecord record = MakeRecord(-1, TEXT("w"), 70000);
    std::vector<BYTE> data = SerializeShortcutRecord(record);
    ShortcutRecord read;
    ASSERT_TRUE(ParseShortcutRecord(data.data(), static_cast<DWORD>(data.size()), read));
    EXPECT_EQ(read.optionId, 65535);
    EXPECT_EQ(read.baseOptionId, 4464);
    const BYTE negative[] = {0xFF, 0xFF, 0xFF, 0xFF};
    CShortcutValueReader reader(negative, sizeof(negative));
    EXPECT_EQ(reader.ReadWord(), 0);
    EXPECT_TRUE(reader.Ok());
}

TEST(ShortcutStoredForms, RecordsRoundTripWithEveryItemKind)
{
    ShortcutRecord empty = MakeRecord(500, TEXT("A"), 2);
    EXPECT_EQ(GetShortcutRecordSize(&empty), 1060u);
    EXPECT_EQ(SerializeShortcutRecord(empty).size(), 1060u);
    EXPECT_EQ(GetShortcutRecordSize(nullptr), 0u);

    // A last character whose high byte is zero, and CJK units whose low byte is zero.
    const WCHAR cjk[] = {0x4E00, 0x5B00, 'A', 0};
    ShortcutRecord record = MakeRecord(501, cjk, 3);
    record.items = {{4115, 1, 3, 0, 3}, {4116, 2, 0, 261, 2}, {4125, 3, 2, 2, 3}, {4128, 4, 9, 9, 1}};
    EXPECT_EQ(GetShortcutRecordSize(&record), 1060u + 16 + 16 + 20 + 12);
    std::vector<BYTE> data = SerializeShortcutRecord(record);
    ASSERT_EQ(data.size(), 1060u + 16 + 16 + 20 + 12);

    ShortcutRecord read;
    ASSERT_TRUE(ParseShortcutRecord(data.data(), static_cast<DWORD>(data.size()), read));
    EXPECT_EQ(WString(read.name), WString(cjk));
    EXPECT_EQ(read.baseOptionId, 3);
    ASSERT_EQ(read.items.size(), 4u);
    // Each item read goes first.
    EXPECT_EQ(read.items[3].featureId, 4115);
    EXPECT_EQ(read.items[3].value, 3);
    EXPECT_EQ(read.items[2].extraOption, 261);
    EXPECT_EQ(read.items[1].value, 2);
    EXPECT_EQ(read.items[1].extraOption, 2);
    EXPECT_EQ(read.items[0].kind, 4);
    EXPECT_EQ(read.items[0].displayState, 1);
    EXPECT_EQ(read.items[0].value, 0);  // kind 4 stores no value
}

TEST(ShortcutStoredForms, ListsHoldEveryNameTheyAreGiven)
{
    std::vector<ShortcutListEntry> entries(3);
    entries[0] = {500, 2, {}};
    entries[1] = {501, 500, {}};
    entries[2] = {502, 3, {}};
    SetName(entries[0].name, Repeat('a', 80));
    SetName(entries[1].name, TEXT(""));
    // A name of 259 units is longer than a 528-byte entry: the value grows for it.
    SetName(entries[2].name, Repeat('z', 259));
    std::vector<BYTE> data = SerializeShortcutList(entries.data(), 2);
    EXPECT_EQ(data.size(), 4u + 528 * 2);
    data = SerializeShortcutList(entries.data(), 3);
    EXPECT_EQ(data.size(), 4u + 528 * 2 + 8 + 259 * 2 + 3);

    std::vector<ShortcutListEntry> read;
    ASSERT_TRUE(ParseShortcutList(data.data(), static_cast<DWORD>(data.size()), read));
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[1].baseOptionId, 500);
    EXPECT_EQ(WString(read[0].name), Repeat('a', 80));
    EXPECT_EQ(WString(read[1].name), WString());
    EXPECT_EQ(WString(read[2].name), Repeat('z', 259));
}

TEST(ShortcutStoredForms, DamagedValuesAreRefused)
{
    ShortcutRecord record = MakeRecord(500, TEXT("Mine"), 2);
    record.items = {{4115, 1, 3, 0, 3}};
    const std::vector<BYTE> whole = SerializeShortcutRecord(record);
    ShortcutRecord read;

    struct Case {
        const char* what;
        std::vector<BYTE> data;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    cases.push_back({"cut in a word", std::vector<BYTE>(whole.begin(), whole.begin() + 2)});
    cases.push_back({"cut in the name", std::vector<BYTE>(whole.begin(), whole.begin() + 8)});
    // The item ends at byte 4 + 11 + 4 + 53 + 4 + 16; cutting inside it.
    cases.push_back({"cut in an item", std::vector<BYTE>(whole.begin(), whole.begin() + 80)});
    std::vector<BYTE> huge = whole;
    const size_t countOffset = 4 + 11 + 4 + (25 * 2 + 3);
    huge[countOffset] = 0xFF;
    huge[countOffset + 1] = 0xFF;
    huge[countOffset + 2] = 0xFF;
    huge[countOffset + 3] = 0x7F;
    cases.push_back({"a huge item count", huge});
    // A name that runs to the end of the value without its terminator.
    std::vector<BYTE> unterminated(4, 0);
    unterminated.insert(unterminated.end(), 600, 'x');
    cases.push_back({"a name without terminator", unterminated});
    std::vector<BYTE> tooLong(4, 0);
    tooLong.insert(tooLong.end(), 2 * 300, 'x');
    tooLong.insert(tooLong.end(), 3 + 1060, 0);
    cases.push_back({"a name of 300 units", tooLong});
    for (const Case& test : cases) {
        EXPECT_FALSE(ParseShortcutRecord(test.data.data(), static_cast<DWORD>(test.data.size()), read))
            << test.what;
    }
    EXPECT_EQ(read.optionId, 0);  // a refused value leaves the record as it was

    std::vector<ShortcutListEntry> entries;
    const BYTE hugeList[] = {0xFF, 0xFF, 0xFF, 0x7F, 1, 0, 0, 0};
    EXPECT_FALSE(ParseShortcutList(hugeList, sizeof(hugeList), entries));
    const BYTE shortList[] = {2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 'a', 0, 0, 0, 0};
    EXPECT_FALSE(ParseShortcutList(shortList, sizeof(shortList), entries));
    EXPECT_TRUE(entries.empty());
}

TEST(ShortcutItems, UpdateTable)
{
    struct Case {
        int kind;
        int update;
        int isDefault;
        int expectKind;  // 0: removed
        int expectValue;
        int expectExtra;
    };
    // The item holds value 5 and extraOption 6 before each update with 7.
    const Case cases[] = {
        {1, 1, 1, 0, 0, 0}, {1, 1, 0, 1, 7, 6}, {1, 2, 0, 3, 5, 7}, {1, 3, 0, 3, 7, 7},
        {2, 1, 1, 3, 7, 6}, {2, 1, 0, 2, 0, 6}, {2, 2, 0, 3, 5, 7}, {2, 3, 0, 3, 7, 7},
        {3, 1, 1, 3, 7, 6}, {3, 1, 0, 2, 0, 6}, {3, 2, 0, 3, 5, 7}, {3, 3, 0, 3, 7, 7},
    };
    for (const Case& test : cases) {
        std::vector<ShortcutItem> items = {{4116, 1, 1, 0, 3}, {4115, test.kind, 5, 6, 3}};
        int removed = 0;
        EXPECT_EQ(UpdateShortcutItem(4115, test.update, 7, items, &removed, test.isDefault), 1);
        SCOPED_TRACE(testing::Message() << "kind " << test.kind << " update " << test.update);
        if (test.expectKind == 0) {
            EXPECT_EQ(removed, 1);
            EXPECT_EQ(items.size(), 1u);
            continue;
        }
        EXPECT_EQ(removed, 0);
        EXPECT_EQ(items[1].kind, test.expectKind);
        EXPECT_EQ(items[1].value, test.expectValue);
        EXPECT_EQ(items[1].extraOption, test.expectExtra);
    }
    std::vector<ShortcutItem> items = {{4115, 4, 5, 6, 3}};
    EXPECT_EQ(UpdateShortcutItem(4115, 1, 7, items, nullptr, 0), 0);  // a kind without values
    EXPECT_EQ(UpdateShortcutItem(4115, 5, 7, items, nullptr, 0), 0);
    EXPECT_EQ(UpdateShortcutItem(4117, 1, 7, items, nullptr, 0), 0);  // no item
}

namespace {

class ShortcutStoreTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        services.printerName = nirasim::Wide(kPrinter);
        handler.Attach(&services, 4143, &database);
    }
    bool PrinterValue(const char* name, std::string* bytes = nullptr)
    {
        std::string read;
        bool found =
            machine.GetPrinterData(kPrinter, name, read, nullptr, "ZQPresetRoot\\CustomShortcutPoolData");
        if (bytes != nullptr) {
            *bytes = read;
        }
        return found;
    }
    // The user's shortcut key of the printer's GUID text; false without one.
    bool UserValue(const WString& name)
    {
        std::string guid;
        if (!machine.GetPrinterData(kPrinter, "ZQRestrictedUserGuid", guid, nullptr, "ZQPresetRoot")) {
            return false;
        }
        WString path = TEXT("Software\\Norvell-Ashby\\");
        path += reinterpret_cast<const WCHAR*>(guid.data());
        path += TEXT("\\CustomShortcutPoolData");
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        bool found = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(key);
        return found;
    }
    int HasUserKey()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Norvell-Ashby"), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return 0;
        }
        RegCloseKey(key);
        return 1;
    }
    // A user who may print but not administer the printer: every right is refused, use is not.
    void Restrict() { machine.RefusePrinterAccess(kPrinter, PRINTER_ACCESS_ADMINISTER); }

    nirasim::Machine machine;
    FakeCoreServices services;
    FakeFeatureDatabase database;
    CNiraShortcutsHandler handler;
};

}  // namespace

TEST_F(ShortcutStoreTest, AnAdministratorKeepsShortcutsInThePrinterData)
{
    EXPECT_EQ(handler.Store().ProbePrinterDataAccess(), 0);
    ShortcutRecord record = MakeRecord(500, TEXT("Mine"), 2);
    record.items = {{4115, 1, 3, 0, 0}};
    services.display[4115] = 2;
    ASSERT_EQ(handler.Store().SaveShortcutRecord(&record), 0);
    std::string bytes;
    ASSERT_TRUE(PrinterValue("Mine", &bytes));
    EXPECT_EQ(bytes.size(), 1060u + 16);

    ShortcutRecord read;
    ASSERT_EQ(handler.Store().LoadShortcutRecord(read, TEXT("Mine")), 0);
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0].displayState, 2);  // refreshed when saved
    EXPECT_EQ(handler.Store().LoadShortcutRecord(read, TEXT("Other")), NIRA_STATUS_FAILED);

    ShortcutListEntry entries[1] = {{500, 2, {}}};
    SetName(entries[0].name, TEXT("Mine"));
    ASSERT_EQ(handler.Store().ReplaceShortcutList(entries, 1), 0);
    std::vector<ShortcutListEntry> list;
    ASSERT_EQ(handler.Store().LoadShortcutList(list), 0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(WString(list[0].name), TEXT("Mine"));

    EXPECT_EQ(handler.Store().DeleteShortcutValue(TEXT("Mine")), 0);
    EXPECT_FALSE(PrinterValue("Mine"));
    EXPECT_NE(handler.Store().DeleteShortcutValue(TEXT("Mine")), 0);
    EXPECT_EQ(handler.Store().DeleteShortcutList(), 0);
    EXPECT_FALSE(PrinterValue("CustomShortcutsDataSnapShot"));
    EXPECT_EQ(HasUserKey(), 0);
}

TEST_F(ShortcutStoreTest, ARestrictedUserWithoutGuidStoresNothing)
{
    Restrict();
    ASSERT_EQ(handler.Store().ProbePrinterDataAccess(), 1);
    handler.Store().SetRestrictedUser(1);
    ShortcutRecord record = MakeRecord(500, TEXT("Mine"), 2);
    EXPECT_EQ(handler.Store().SaveShortcutRecord(&record), NIRA_STATUS_FAILED);
    EXPECT_EQ(HasUserKey(), 0);
    EXPECT_FALSE(PrinterValue("Mine"));
}

TEST_F(ShortcutStoreTest, ARestrictedUserWithGuidUsesTheUserStoreAfterThePrinters)
{
    // The printer's data already holds a shortcut and the printer's GUID text.
    ShortcutRecord shared = MakeRecord(500, TEXT("Shared"), 2);
    ASSERT_EQ(handler.Store().SaveShortcutRecord(&shared), 0);
    ShortcutListEntry sharedEntry[1] = {{500, 2, {}}};
    SetName(sharedEntry[0].name, TEXT("Shared"));
    handler.Store().SaveShortcutList(sharedEntry, 1);
    const WString guid = TEXT("1a2b-3c4d-5e6f-7081-92a3b4c5d6e7");
    machine.SetPrinterData(
        kPrinter, "ZQRestrictedUserGuid", REG_SZ,
        std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * sizeof(WCHAR)),
        "ZQPresetRoot");

    Restrict();
    handler.Store().SetRestrictedUser(handler.Store().ProbePrinterDataAccess());
    ASSERT_EQ(handler.Store().IsRestrictedUser(), 1);
    ShortcutRecord mine = MakeRecord(501, TEXT("Mine"), 500);
    mine.items = {{4125, 3, 2, 2, 3}};
    ASSERT_EQ(handler.Store().SaveShortcutRecord(&mine), 0);
    ShortcutListEntry mineEntry[1] = {{501, 500, {}}};
    SetName(mineEntry[0].name, TEXT("Mine"));
    ASSERT_EQ(handler.Store().SaveShortcutList(mineEntry, 1), 0);
    EXPECT_TRUE(UserValue(TEXT("Mine")));
    EXPECT_FALSE(PrinterValue("Mine"));

    std::vector<ShortcutListEntry> list;
    ASSERT_EQ(handler.Store().LoadShortcutList(list), 0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(WString(list[0].name), TEXT("Shared"));  // the printer's list first
    EXPECT_EQ(WString(list[1].name), TEXT("Mine"));

    ShortcutRecord read;
    int fromUser = -1;
    ASSERT_EQ(handler.Store().LoadShortcutRecordHead(read, TEXT("Shared"), &fromUser), 0);
    EXPECT_EQ(fromUser, 0);
    ASSERT_EQ(handler.Store().LoadShortcutRecordHead(read, TEXT("Mine"), &fromUser), 0);
    EXPECT_EQ(fromUser, 1);
    ASSERT_EQ(handler.Store().LoadShortcutRecord(read, TEXT("Mine")), 0);
    ASSERT_EQ(read.items.size(), 1u);
    EXPECT_EQ(read.items[0].extraOption, 2);
    EXPECT_EQ(handler.Store().DeleteShortcutValue(TEXT("Mine")), 0);
    EXPECT_FALSE(UserValue(TEXT("Mine")));
}

TEST_F(ShortcutStoreTest, DamagedStoredValuesReadAsAbsent)
{
    machine.SetPrinterData(kPrinter, "Cut", REG_BINARY, std::string(30, 'x'),
                           "ZQPresetRoot\\CustomShortcutPoolData");
    machine.SetPrinterData(kPrinter, "CustomShortcutsDataSnapShot", REG_BINARY,
                           std::string("\xff\xff\xff\x7f", 4), "ZQPresetRoot\\CustomShortcutPoolData");
    ShortcutRecord read;
    EXPECT_EQ(handler.Store().LoadShortcutRecord(read, TEXT("Cut")), NIRA_STATUS_FAILED);
    std::vector<ShortcutListEntry> list;
    EXPECT_EQ(handler.Store().LoadShortcutList(list), 0);
    EXPECT_TRUE(list.empty());
}

TEST_F(ShortcutStoreTest, TheRowsTakeTheDefaultOfTheUsersLanguage)
{
    static std::vector<ShortcutRow> rows;
    static std::vector<WString> names;
    rows.clear();
    names.clear();
    auto keep = [](CNiraShortcutsHandler*, const ShortcutRow& row) {
        rows.push_back(row);
        names.push_back(row.name != nullptr ? WString(row.name) : WString());
        return 0;
    };
    std::vector<std::string> row = {"2", "Everyday", "301", "6399", "Quality", "77", "1", "4115",
                                    "0", "3",        "0",   "0",    "0",       "4",  "5", "600"};
    std::vector<char*> values;
    for (std::string& value : row) {
        values.push_back(&value[0]);
    }
    std::vector<char*> columnNames(values.size(), nullptr);
    CNiraShortcutsHandler::ShortcutQuery query = {CNiraShortcutsHandler::kQueryRows, &handler, 0, keep};
    for (LANGID language : {1033, 1041, 1036}) {
        machine.SetUILanguage(language);
        CNiraShortcutsHandler::OnShortcutQueryRow(&query, static_cast<int>(values.size()), values.data(),
                                                  columnNames.data());
    }
    // Fewer than nine columns: the row is passed over.
    CNiraShortcutsHandler::OnShortcutQueryRow(&query, 8, values.data(), columnNames.data());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].defaultOption, 3);
    EXPECT_EQ(rows[1].defaultOption, 5);
    EXPECT_EQ(rows[2].defaultOption, 4);
    EXPECT_EQ(rows[0].softLinkFeatureId, 4115);
    EXPECT_EQ(rows[0].maxDpiSupported, 600);
    EXPECT_EQ(names[0], TEXT("Everyday"));

    // A shortcut without rows: the count and the bitmap id stay 0.
    int bitmap = -1;
    EXPECT_EQ(handler.GetShortcutBitmapId(&bitmap, 7), 0);
    EXPECT_EQ(bitmap, 0);
    database.rows["SELECT CustomBitmapID FROM FDT4143 WHERE PSOptionID=\"2\""] = {"301"};
    EXPECT_EQ(handler.GetShortcutBitmapId(&bitmap, 2), 0);
    EXPECT_EQ(bitmap, 301);
}

TEST_F(ShortcutStoreTest, IdsAndBases)
{
    int isCustom = -1;
    CNiraShortcutsHandler::IsCustomShortcutId(499, &isCustom);
    EXPECT_EQ(isCustom, 0);
    CNiraShortcutsHandler::IsCustomShortcutId(500, &isCustom);
    EXPECT_EQ(isCustom, 1);

    services.listed[4143] = {{2, 2, TEXT("General")}, {500, 500, TEXT("A")}, {501, 501, TEXT("B")}};
    int id = 0;
    ASSERT_EQ(handler.FindFreeShortcutId(&id, 500), 0);
    EXPECT_EQ(id, 502);

    // A records base on B and B on A: the walk ends at the default shortcut.
    services.defaults[4143] = 2;
    for (int option : {500, 501, 502}) {
        OptionInfo info = {};
        const WString name = option == 500 ? TEXT("A") : (option == 501 ? TEXT("B") : TEXT("C"));
        std::copy(name.begin(), name.end(), info.displayName);
        services.optionInfos[{4143, option}] = info;
    }
    ShortcutRecord a = MakeRecord(500, TEXT("A"), 501);
    ShortcutRecord b = MakeRecord(501, TEXT("B"), 500);
    ShortcutRecord c = MakeRecord(502, TEXT("C"), 501);
    handler.Store().SaveShortcutRecord(&a);
    handler.Store().SaveShortcutRecord(&b);
    handler.Store().SaveShortcutRecord(&c);
    EXPECT_EQ(handler.GetShortcutBase(502), 501);
    EXPECT_EQ(handler.GetShortcutBase(3), 3);
    EXPECT_EQ(handler.GetShortcutBase(0), 2);
    EXPECT_EQ(handler.ResolvePredefinedBase(502), 2);
    EXPECT_EQ(handler.ResolvePredefinedBase(500), 2);
    b.baseOptionId = 4;
    handler.Store().SaveShortcutRecord(&b);
    EXPECT_EQ(handler.ResolvePredefinedBase(501), 4);
    EXPECT_EQ(handler.ResolvePredefinedBase(3), 3);
}
