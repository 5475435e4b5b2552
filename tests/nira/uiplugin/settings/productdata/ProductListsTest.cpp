// The blob entries of the product data, byte for byte, over the sample database and over small
// databases of the tests' own; and loads that fail part way.
#include "SettingsClientFixture.h"

#include <cstring>
#include <string>
#include "support/WString.h"
#include <vector>

#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/settings/productdata/ProductBlobs.h"
#include "nira/uiplugin/settings/productdata/ProductData.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutInt(Bytes& bytes, size_t offset, LONG value)
{
    std::memcpy(bytes.data() + offset, &value, sizeof(value));
}

void PutText(Bytes& bytes, size_t offset, const WString& text)
{
    std::memcpy(bytes.data() + offset, text.data(), text.size() * sizeof(WCHAR));
}

// A list blob of `count` records of `size` bytes and its closing zero record.
Bytes ListBlob(DWORD count, size_t size)
{
    Bytes bytes(4 + size * (count + 1), 0);
    PutInt(bytes, 0, static_cast<LONG>(count));
    return bytes;
}

Bytes ReadBlob(CNiraSettingsClient& client, LONG index)
{
    BYTE* copy = nullptr;
    DWORD length = 0;
    if (client.GetBlob(index, &copy, &length, 0, 0) != TRUE) {
        return {};
    }
    Bytes bytes(copy, copy + length);
    client.ReleaseBlob(copy);
    return bytes;
}

// The columns of a capability database that only the HB lists need.
const char kHbTables[] =
    "CREATE TABLE HB_MODULE_LIST (EHbModuleType, HbModuleFilename, HbModuleExportName);"
    "CREATE TABLE HB_COMMAND_LIST (EHbDriverCmdID, EHbDriverCmdScope);"
    "CREATE TABLE HB_JOBUI_EVENTS (EHbJobUIEventID, EHbJobUIEventScope);"
    "CREATE TABLE HB_JOBUI_DIALOGS (EHbJobUIDialogID, uiDialogID, uiTitle, uiIconID, uiDlgType, "
    "iMessage_Type,"
    " wcstrMessageString, iHelp_id, bCheckBox, ibutt1, ibutt2, ibutt4, ibitmap_id);";

}  // namespace

class ProductListsTest : public SettingsClientTest {
protected:
    // A product-data provider of this program attached to an initialised client, on a printer.
    void Attach(HANDLE target)
    {
        ASSERT_EQ(client.Initialize(target), TRUE);
        ASSERT_EQ(provider.Attach(&client), TRUE);
        ASSERT_EQ(provider.SetTarget(target, &sample->settings), TRUE);
    }

    std::unique_ptr<SampleUISettings> sample = SampleSettings();
    CNiraSettingsClient client;
    CNiraProductData provider;
};

TEST_F(ProductListsTest, SampleListsAreCountedRecordsWithAClosingZeroRecord)
{
    Attach(printer);
    ASSERT_EQ(provider.UpdateAll(), TRUE);

    Bytes commands = ListBlob(8, sizeof(HbIdScopeEntry));
    const LONG commandRows[8][2] = {{1, 1}, {2, 1}, {3, 2}, {4, 2}, {5, 3}, {6, 3}, {7, 2}, {8, 1}};
    for (int i = 0; i < 8; ++i) {
        PutInt(commands, 4 + 8 * i, commandRows[i][0]);
        PutInt(commands, 8 + 8 * i, commandRows[i][1]);
    }
    EXPECT_EQ(ReadBlob(client, 40), commands);

    Bytes events = ListBlob(5, sizeof(HbIdScopeEntry));
    const LONG eventRows[5][2] = {{1, 1}, {2, 2}, {3, 2}, {4, 1}, {5, 3}};
    for (int i = 0; i < 5; ++i) {
        PutInt(events, 4 + 8 * i, eventRows[i][0]);
        PutInt(events, 8 + 8 * i, eventRows[i][1]);
    }
    EXPECT_EQ(ReadBlob(client, 42), events);

    // The module without a file ("N/A") has an empty file name.
    Bytes modules = ListBlob(4, sizeof(HbModuleEntry));
    const struct {
        LONG type;
        WString file, entry;
    } moduleRows[4] = {{1, TEXT("nirarend.dll"), TEXT("HbCreateRenderer")},
                       {2, TEXT("niraht.dll"), TEXT("HbCreateHalftoner")},
                       {3, TEXT(""), TEXT("HbBuiltInColorMatcher")},
                       {4, TEXT("niramh.dll"), TEXT("HbCreateMediaHandler")}};
    for (int i = 0; i < 4; ++i) {
        const size_t record = 4 + 1044 * i;
        PutInt(modules, record, moduleRows[i].type);
        PutText(modules, record + 4, moduleRows[i].file);
        PutText(modules, record + 524, moduleRows[i].entry);
    }
    EXPECT_EQ(ReadBlob(client, 10), modules);

    // Dialog columns land at the record's offsets, not in the order of the query.
    const Bytes dialogs = ReadBlob(client, 41);
    ASSERT_EQ(dialogs.size(), 4u + 580u * 4u);
    Bytes second(dialogs.begin() + 4 + 580, dialogs.begin() + 4 + 2 * 580);
    Bytes expected(580, 0);
    PutInt(expected, 0, 2);
    PutInt(expected, 4, 302);
    PutInt(expected, 20, 1302);
    PutInt(expected, 24, 48);
    PutInt(expected, 28, 2);
    PutInt(expected, 32, 2);
    PutText(expected, 36, TEXT("The printer is out of paper. Load paper and press Continue."));
    PutInt(expected, 556, 5302);
    PutInt(expected, 560, 1);
    PutInt(expected, 564, 1);
    PutInt(expected, 568, 2);
    PutInt(expected, 572, 0);
    PutInt(expected, 576, 402);
    EXPECT_EQ(second, expected);
    EXPECT_EQ(Bytes(dialogs.end() - 580, dialogs.end()), Bytes(580, 0));
}

TEST_F(ProductListsTest, DefaultMarkAndFeatureBits)
{
    Attach(printer);
    ASSERT_EQ(provider.SyncBlob(0), TRUE);
    Bytes mark(1568, 0);
    PutText(mark, 0, TEXT(" [none]"));
    PutText(mark, 512, TEXT("HBRender Test"));
    PutText(mark, 1024, TEXT("Courier"));
    const LONG numbers[8] = {52, 150, 0, 1, 0, 0xC0C0C0, 0, 0xC0C0C0};
    for (int i = 0; i < 8; ++i) {
        PutInt(mark, 1536 + 4 * i, numbers[i]);
    }
    EXPECT_EQ(ReadBlob(client, 0), mark);

    // The sample model has no feature 4303: 25 zeros.
    ASSERT_EQ(provider.SyncBlob(1), TRUE);
    EXPECT_EQ(ReadBlob(client, 1), Bytes(100, 0));

    FeatureBitsRecord bits;
    FillFeatureBits(bits, 16777221);  // bits 0, 2 and 24
    for (int i = 0; i < kFeatureBitsCount; ++i) {
        EXPECT_EQ(bits.bits[i], i == 0 || i == 2 || i == 24 ? 1 : 0) << i;
    }
}

TEST_F(ProductListsTest, OwnDatabaseTextsAndTheEmptyList)
{
    const WString message(300, TEXT('m'));
    InstallPrinterWithDatabase(TEXT("List Texts"),
                               std::string(kHbTables) +
                                   "INSERT INTO HB_MODULE_LIST VALUES (5, 'n/a', 'Entry');"
                                   "INSERT INTO HB_JOBUI_DIALOGS VALUES (9, 1, 2, 3, 4, 5, '" +
                                   std::string(300, 'm') + "', 6, 7, 8, 9, 10, 11);");
    HANDLE other = OpenTestPrinter(TEXT("List Texts"));
    ASSERT_NE(other, nullptr);
    Attach(other);

    // Small letters n/a are a file name like any other; a long message is cut to 259 characters.
    ASSERT_EQ(provider.SyncBlob(10), TRUE);
    const Bytes modules = ReadBlob(client, 10);
    ASSERT_EQ(modules.size(), 4u + 2u * 1044u);
    Bytes record(1044, 0);
    PutInt(record, 0, 5);
    PutText(record, 4, TEXT("n/a"));
    PutText(record, 524, TEXT("Entry"));
    EXPECT_EQ(Bytes(modules.begin() + 4, modules.begin() + 4 + 1044), record);

    ASSERT_EQ(provider.SyncBlob(41), TRUE);
    const Bytes dialogs = ReadBlob(client, 41);
    ASSERT_EQ(dialogs.size(), 4u + 2u * 580u);
    WString stored(259, TEXT('\0'));
    std::memcpy(&stored[0], dialogs.data() + 4 + 36, 259 * sizeof(WCHAR));
    EXPECT_EQ(stored, message.substr(0, 259));
    EXPECT_EQ(dialogs[4 + 36 + 259 * 2], 0);
    EXPECT_EQ(dialogs[4 + 36 + 259 * 2 + 1], 0);

    // An empty command list counts 0 rows: the entry is not set.
    EXPECT_EQ(provider.SyncBlob(40), FALSE);
    EXPECT_EQ(client.IsBlobPresent(40), FALSE);
    ClosePrinter(other);
}

// A load that fails part way keeps nothing: the next request loads again, and fails again,
// instead of handing out the rows read before the failure.
TEST_F(ProductListsTest, LoadsThatFailPartWayKeepNothing)
{
    InstallPrinterWithDatabase(TEXT("Broken Rows"),
                               std::string(kHbTables) +
                                   "INSERT INTO HB_COMMAND_LIST VALUES (1, 1), (2, NULL), (3, 3);"
                                   "CREATE TABLE PRODUCT_DATA AS SELECT 1 AS EKeyEnum_HbIjPmRmProductId;");
    HANDLE other = OpenTestPrinter(TEXT("Broken Rows"));
    ASSERT_NE(other, nullptr);
    Attach(other);

    EXPECT_EQ(provider.LoadCommandList(), FALSE);
    EXPECT_EQ(provider.LoadCommandList(), FALSE);
    EXPECT_EQ(provider.SyncBlob(40), FALSE);
    EXPECT_EQ(client.IsBlobPresent(40), FALSE);
    // The product row's query fails (a missing column): no row is kept.
    EXPECT_EQ(provider.LoadProductRow(), FALSE);
    LONG value = 0;
    EXPECT_EQ(provider.LookupValue(PRODUCT_SOURCE_PRODUCT_ROW, SETTING_ARRAY_INT_REF, 101, &value), FALSE);
    ClosePrinter(other);
}

// The sample's product row twice, the second changed by `change`.
std::string TwoProductRows(const std::string& change)
{
    return "ATTACH DATABASE '" + std::string(NIRA_BUILD_DIR) +
           "/package/niracap.vdf' AS sample;"
           "CREATE TABLE PRODUCT_DATA AS SELECT * FROM sample.PRODUCT_DATA;"
           "INSERT INTO PRODUCT_DATA SELECT * FROM sample.PRODUCT_DATA;"
           "UPDATE PRODUCT_DATA SET " +
           change +
           " WHERE rowid = 2;"
           "DETACH DATABASE sample;";
}

// With two product rows every entry comes from the first; a second row that cannot be read
// drops the first as well.
TEST_F(ProductListsTest, ProductRowComesFromTheFirstRowOnly)
{
    InstallPrinterWithDatabase(TEXT("Two Products"), TwoProductRows("EKeyEnum_HbIjPmRmProductId = 99"));
    InstallPrinterWithDatabase(TEXT("Broken Product"),
                               TwoProductRows("EKeyDword_HbIjPmWantedBandCount = NULL"));
    for (const WCHAR* name : {TEXT("Two Products"), TEXT("Broken Product")}) {
        SCOPED_TRACE(nirasim::Utf8(name));
        HANDLE other = OpenTestPrinter(name);
        ASSERT_NE(other, nullptr);
        Attach(other);
        LONG productId = 0;
        const bool readable = WString(name) == TEXT("Two Products");
        EXPECT_EQ(provider.LookupValue(PRODUCT_SOURCE_PRODUCT_ROW, SETTING_ARRAY_INT_REF, 101, &productId),
                  readable ? TRUE : FALSE);
        EXPECT_EQ(productId, readable ? 23 : 0);
        EXPECT_EQ(provider.LoadProductRow(), readable ? TRUE : FALSE);
        ClosePrinter(other);
    }
}

// A list is handed on whole only while its blob fits the settings' 16-bit length: 8,190
// commands do, 8,191 are not loaded at all.
TEST_F(ProductListsTest, ListsLongerThanABlobAreRefused)
{
    const std::string commands = [](int count) {
        return "WITH RECURSIVE n(v) AS (SELECT 1 UNION ALL SELECT v + 1 FROM n WHERE v < " +
               std::to_string(count) + ") INSERT INTO HB_COMMAND_LIST SELECT v, 1 FROM n;";
    }(8190);
    InstallPrinterWithDatabase(TEXT("Long Lists"),
                               std::string(kHbTables) + commands +
                                   "INSERT INTO HB_JOBUI_EVENTS SELECT * FROM HB_COMMAND_LIST;"
                                   "INSERT INTO HB_JOBUI_EVENTS VALUES (8191, 1);");
    HANDLE other = OpenTestPrinter(TEXT("Long Lists"));
    ASSERT_NE(other, nullptr);
    Attach(other);
    ASSERT_EQ(provider.SyncBlob(40), TRUE);
    EXPECT_EQ(ReadBlob(client, 40).size(), 4u + 8u * 8191u);
    EXPECT_EQ(provider.LoadJobEventList(), FALSE);
    EXPECT_EQ(provider.SyncBlob(42), FALSE);
    ClosePrinter(other);
}
