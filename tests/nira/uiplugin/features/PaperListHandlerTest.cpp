// The paper list: the user's custom forms from the registry as paper options and device-table
// entries, their commands, the recently chosen papers, the margins of a chosen form and the forms
// in PrintTickets and PrintCapabilities.
#include <gtest/gtest.h>

#include <nirasim/Com.h>
#include <nirasim/Machine.h>

#include <printoem.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "FakeFeatureDatabase.h"
#include "FormServices.h"
#include "nira/uiplugin/features/handlers/PaperDimensionsHandler.h"
#include "nira/uiplugin/features/handlers/PaperListHandler.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "printticket/converters/ConverterFixture.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";
const WCHAR kGuid[] = TEXT("1234567-89ab-cdef-2301-6745ab89efcd");
constexpr int kDatabasePapers = 14;

std::string WideBytes(const WString& text)
{
    return std::string(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(WCHAR));
}

class PaperListTest : public ConverterTest {
protected:
    void SetUp() override
    {
        ConverterTest::SetUp();
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter);
        WString path = nirasim::Machine::DriverVersionDirectory() + nirasim::Wide("\\niracap.vdf");
        database = std::make_unique<CNiraFeatureDatabase>(path.c_str());
        services.printerName = nirasim::Wide(kPrinter);
        for (int paper = 256; paper < 256 + kDatabasePapers; ++paper) {
            services.listed[4114].push_back({paper, paper, TEXT("Paper")});
        }
        services.current[4114] = 256;
        services.defaults[4114] = 256;
        handler.Attach(&services, 4233, database.get());
    }
    void TearDown() override
    {
        handler.Detach();
        database.reset();
        machine.reset();
        ConverterTest::TearDown();
    }

    void UseGuid()
    {
        machine->SetPrinterData(kPrinter, "ZQRestrictedUserGuid", REG_SZ, WideBytes(kGuid), "ZQPresetRoot");
    }
    static HKEY FormsKey()
    {
        HKEY key = nullptr;
        WString path = WString(TEXT("Software\\Norvell-Ashby\\")) + kGuid + TEXT("\\ZQCustomForms");
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr);
        return key;
    }
    static void StoreForm(const WString& name, LONG width, LONG height, LONG paperIndex, LONG borderless = 0,
                          DWORD bytes = sizeof(CustomFormRecord))
    {
        CustomFormRecord record = {0, 0, width, height, 0, 0, width, height, borderless, paperIndex};
        std::vector<BYTE> data(bytes + 8, 0);
        std::memcpy(data.data(), &record, std::min<size_t>(bytes, sizeof(record)));
        HKEY key = FormsKey();
        ASSERT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_BINARY, data.data(), bytes), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    std::vector<LONG> FormIndexes()
    {
        std::vector<LONG> indexes;
        for (LONG index = 501; index < 520; ++index) {
            if (handler.Form(index) != nullptr) {
                indexes.push_back(index);
            }
        }
        return indexes;
    }
    template <class T>
    std::vector<T> Table(WORD capability, size_t entrySize = sizeof(T))
    {
        DWORD count = 0;
        int handled = 0;
        handler.DeviceCapabilities(nullptr, nullptr, capability, nullptr, nullptr, nullptr, 0, &count,
                                   &handled);
        std::vector<T> table(count * entrySize / sizeof(T));
        handler.DeviceCapabilities(nullptr, nullptr, capability, table.data(), nullptr, nullptr, 0, &count,
                                   &handled);
        return table;
    }
    int Calls(const std::string& what, int id, int option)
    {
        return static_cast<int>(std::count_if(
            services.calls.begin(), services.calls.end(),
            [&](const Call& call) { return call.what == what && call.id == id && call.option == option; }));
    }

    std::unique_ptr<nirasim::Machine> machine;
    std::unique_ptr<CNiraFeatureDatabase> database;
    FormServices services;
    CNiraPaperListHandler handler;
};

}  // namespace

TEST(UserGuidText, LittleEndianGroupsAfterTheThirdDash)
{
    const GUID guid = {0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    WCHAR text[CNiraUserFormsKey::kGuidChars] = {};
    FormatUserGuidText(guid, text, CNiraUserFormsKey::kGuidChars);
    EXPECT_EQ(WString(text), kGuid);
}

TEST_F(PaperListTest, WithoutFormsTheGuidIsMadeAndNothingIsAdded)
{
    nirasim::com::FixNextGuids(
        {{0x01234567, 0x89AB, 0xCDEF, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}}});
    EXPECT_EQ(handler.OnFeaturesEnumerated(), 0);
    std::string bytes;
    DWORD type = 0;
    ASSERT_TRUE(machine->GetPrinterData(kPrinter, "ZQRestrictedUserGuid", bytes, &type, "ZQPresetRoot"));
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(WString(reinterpret_cast<const WCHAR*>(bytes.data())), kGuid);
    EXPECT_EQ(bytes.size(), (WString(kGuid).size() + 2) * sizeof(WCHAR));
    EXPECT_EQ(Calls("AddTreeViewOption", 4114, 999), 0);
    EXPECT_EQ(handler.FormCount(), 0);
    handler.InitializeStates();
    EXPECT_EQ(Table<WORD>(DC_PAPERS).size(), static_cast<size_t>(kDatabasePapers));
}

TEST_F(PaperListTest, FormsBecomeOptionsAndTableEntries)
{
    UseGuid();
    StoreForm(TEXT("my_form_2"), 100000, 150000, 502);
    StoreForm(TEXT("Wide"), 200000, 250000, 501, 1);
    services.acceptable = 1;
    ASSERT_EQ(handler.OnFeaturesEnumerated(), 0);
    EXPECT_EQ(FormIndexes(), (std::vector<LONG>{501, 502}));
    EXPECT_EQ(Calls("AddOption", 4114, 501), 1);
    EXPECT_EQ(Calls("AddOption", 4114, 502), 1);
    EXPECT_EQ(Calls("AddTreeViewOption", 4114, 999), 1);  // the heading, once
    EXPECT_EQ(services.treeViewTexts.front(), TEXT("Custom Forms"));
    EXPECT_EQ(services.addedState, 3);  // unavailable while the check option is acceptable
    EXPECT_EQ(Calls("Command", 4121, 26), 1);
    EXPECT_EQ(WString(services.optionInfos[{4114, 502}].displayName), TEXT("my_form_2"));

    ASSERT_EQ(handler.InitializeStates(), 0);
    std::vector<WORD> papers = Table<WORD>(DC_PAPERS);
    ASSERT_EQ(papers.size(), static_cast<size_t>(kDatabasePapers + 2));
    EXPECT_EQ(papers[kDatabasePapers], 501);
    EXPECT_EQ(papers[kDatabasePapers + 1], 502);
    std::vector<WCHAR> names = Table<WCHAR>(DC_PAPERNAMES, 64 * sizeof(WCHAR));
    EXPECT_EQ(WString(&names[kDatabasePapers * 64]), TEXT("Wide"));
    auto sizes = Table<CNiraPaperSizeHandler::PaperSize>(DC_PAPERSIZE);
    EXPECT_EQ(sizes[kDatabasePapers + 1].width, 1000);
    EXPECT_EQ(sizes[kDatabasePapers + 1].height, 1500);
    EXPECT_EQ(Table<WORD>(DC_PAPERS).size(),
              static_cast<size_t>(kDatabasePapers + 2));  // asked again: the same

    int value = 0;
    ASSERT_EQ(handler.GetOptionValue(4114, 502, &value), 0);
    EXPECT_EQ(value, 502);  // a form's DEVMODE number is its paper index
    int index = 502;
    int size[2] = {};
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_GET_SIZE, &index, size), 0);
    EXPECT_EQ(size[0], 1000);
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_GET_FORM_SIZE, &index, size), 0);
    EXPECT_EQ(size[1], 150000);
    index = 259;
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_GET_SIZE, &index, size), 0);
    EXPECT_EQ(size[0], 2100);  // a database paper as before
    int next = 0;
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_NEXT_FORM_INDEX, nullptr, &next), 0);
    EXPECT_EQ(next, 503);
}

TEST_F(PaperListTest, StoredValuesAreCheckedAndRenumbered)
{
    UseGuid();
    StoreForm(TEXT("short"), 100000, 150000, 505, 0, 39);
    StoreForm(TEXT("long"), 100000, 150000, 506, 0, 41);
    StoreForm(TEXT("unnumbered"), 100000, 150000, 0);  // saved when no index could be had
    StoreForm(TEXT("first"), 100000, 150000, 501);
    StoreForm(TEXT("again"), 120000, 150000, 501);
    handler.LoadCustomForms();
    // No value of another size; every form its own index, none overwriting another.
    EXPECT_EQ(FormIndexes(), (std::vector<LONG>{501, 502, 503}));
    EXPECT_EQ(handler.NextFormIndex(), 503);
    handler.LoadCustomForms();
    EXPECT_EQ(FormIndexes(), (std::vector<LONG>{501, 502, 503}));
}

TEST_F(PaperListTest, RemovalAndReloadLeaveNoGapNoPhantomNoDuplicate)
{
    UseGuid();
    StoreForm(TEXT("A"), 100000, 150000, 501);
    StoreForm(TEXT("B"), 110000, 150000, 502);
    StoreForm(TEXT("C"), 120000, 150000, 503);
    handler.OnFeaturesEnumerated();
    handler.InitializeStates();
    services.listed[4121].push_back({502, 502, TEXT("B")});
    int index = 502;
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_REMOVE_FORM, &index, nullptr), 0);
    EXPECT_EQ(Calls("Command", 4121, 13), 1);  // the target size had it
    std::vector<WORD> papers = Table<WORD>(DC_PAPERS);
    ASSERT_EQ(papers.size(), static_cast<size_t>(kDatabasePapers + 2));
    EXPECT_EQ(papers[kDatabasePapers], 501);
    EXPECT_EQ(papers[kDatabasePapers + 1], 503);  // C moves up: no empty entry between

    HKEY key = FormsKey();
    RegDeleteValueW(key, TEXT("B"));
    RegCloseKey(key);
    handler.LoadCustomForms();
    int next = 0;
    handler.OnCommand(0, PAPER_COMMAND_NEXT_FORM_INDEX, nullptr, &next);
    EXPECT_EQ(next, 504);  // past every index still held
    for (int last : {501, 503}) {
        index = last;
        handler.OnCommand(0, PAPER_COMMAND_REMOVE_FORM, &index, nullptr);
    }
    EXPECT_EQ(Calls("RemoveTreeViewOption", 4114, 999), 1);  // the heading goes with the last form
    EXPECT_EQ(Table<WORD>(DC_PAPERS).size(), static_cast<size_t>(kDatabasePapers));
}

TEST_F(PaperListTest, TheFourthDistinctPaperDisablesTheOldest)
{
    services.acceptable = 1;
    for (int paper : {257, 258, 258, 256, 259, 260}) {
        services.current[4114] = paper;
        handler.OnFeatureChanged(4114, 7);
    }
    EXPECT_EQ(Calls("SetOptionState", 4114, 257 * 10 + 3), 1);
    EXPECT_EQ(Calls("SetOptionState", 4114, 258 * 10 + 3), 0);
    services.acceptable = 0;  // without the check option nothing is tracked
    services.current[4114] = 261;
    handler.OnFeatureChanged(4114, 7);
    EXPECT_EQ(Calls("SetOptionState", 4114, 258 * 10 + 3), 0);
}

TEST_F(PaperListTest, LimitsAndMarginsFromThePaperTable)
{
    int limits[4] = {};
    ASSERT_EQ(handler.OnCommand(6023, PAPER_COMMAND_GET_CUSTOM_LIMITS, limits, nullptr), 0);
    EXPECT_EQ(std::vector<int>(limits, limits + 4), (std::vector<int>{3600, 6000, 10200, 16800}));

    FakeFeatureDatabase empty;
    CNiraPaperListHandler without;
    without.Attach(&services, 4233, &empty);
    int none[4] = {};
    EXPECT_EQ(without.OnCommand(6023, PAPER_COMMAND_GET_CUSTOM_LIMITS, none, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(std::vector<int>(none, none + 4), (std::vector<int>{0, 0, 0, 0}));
    ASSERT_EQ(empty.statements.size(), 1u);
    EXPECT_EQ(empty.statements[0],
              "SELECT PaperName, DimX, DimY FROM FDT4114 WHERE ( PaperName = \"CustomMin\" OR PaperName = "
              "\"CustomMax\") AND MM=\"0\" AND Duplex=\"0\" AND Orientation=\"1\" ORDER BY PaperName desc");

    UseGuid();
    StoreForm(TEXT("Card"), 100000, 150000, 501);
    handler.OnFeaturesEnumerated();
    for (int feature : CNiraPaperListHandler::kMarginFeatures) {
        services.optionCounts[feature] = 1;
    }
    services.current[4215] = 1;
    services.current[4125] = 2;  // two-sided: the larger bottom margin
    services.current[4119] = 1;
    services.current[4118] = 1;
    int form = 501;
    ASSERT_EQ(handler.OnCommand(6023, PAPER_COMMAND_SELECT_FORM, &form, nullptr), 0);
    EXPECT_EQ(services.current[4114], 501);
    EXPECT_EQ(WString(services.optionInfos[{4150, 1}].displayName), TEXT("3.937008"));
    EXPECT_EQ(WString(services.optionInfos[{4151, 1}].displayName), TEXT("5.905512"));
    EXPECT_EQ(WString(services.optionInfos[{4147, 1}].displayName), TEXT("0.125000"));
    EXPECT_EQ(WString(services.optionInfos[{4149, 1}].displayName), TEXT("0.460000"));
    EXPECT_EQ(Calls("SetValue", 4183, 1), 1);
    EXPECT_EQ(Calls("Command", 4119, 21), 1);  // its borders
}

TEST_F(PaperListTest, FormsInTicketsAndCapabilities)
{
    UseGuid();
    StoreForm(TEXT("my_form_2"), 100000, 150000, 502);
    handler.OnFeaturesEnumerated();
    LoadTicket(
        TEXT("<{f}Feature name='{k}PageMediaSize'><{f}Option name='{k}ZQ_my_form_2'>"
             "<{f}ScoredProperty name='{k}MediaSizeWidth'><{f}Value xsi:type='xsd:integer'>100000</{f}Value>"
             "</{f}ScoredProperty></{f}Option></{f}Feature>"));
    EXPECT_EQ(handler.ReadPrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(services.current[4114], 502);  // only the first underscore is cut

    services.records[4114] = {};
    LoadTicket(WString());
    ASSERT_EQ(handler.WritePrintTicket(m_dom.Get()), 0);
    Reload();
    EXPECT_EQ(Text(TEXT("//f:Feature[@name='psk:PageMediaSize']/f:Option/@name")),
              TEXT("ns0000:ZQ_my_form_2"));
    EXPECT_EQ(Text(TEXT("//f:ScoredProperty[@name='psk:MediaSizeWidth']/f:Value")), TEXT("100000"));

    OptionInfo gone = {};
    gone.optionIndex = 507;
    std::memcpy(gone.displayName, TEXT("gone"), 5 * sizeof(WCHAR));
    services.optionInfos[{4114, 507}] = gone;
    services.current[4114] = 507;
    LoadTicket(WString());
    ASSERT_EQ(handler.WritePrintTicket(m_dom.Get()), 0);
    Reload();
    EXPECT_EQ(Text(TEXT("//f:Feature[@name='psk:PageMediaSize']/f:Option/@name")),
              TEXT("psk:NorthAmericaLetter"));
    EXPECT_EQ(Text(TEXT("//f:ScoredProperty[@name='psk:MediaSizeHeight']/f:Value")), TEXT("279400"));

    WString keyword = TEXT("psk:PageMediaSize");
    VocabularyRecord vocabulary = {0, 0, nullptr, &keyword[0]};
    int id = 4114;
    FeatureEntry* entry = nullptr;
    ASSERT_EQ(services.FindFeature(&id, &entry), 0);
    entry->vocabulary = &vocabulary;
    handler.AddFeature(4114);
    LoadCapabilities(FeatureWithOption(TEXT("{k}PageMediaSize"), TEXT("{k}Written")));
    EXPECT_EQ(handler.WritePrintCapabilities(nullptr, m_dom.Get()), 0);
    Reload();
    const WString form = TEXT(
        "/f:PrintCapabilities/f:Feature[@name='psk:PageMediaSize']/f:Option[@name='ns0000:ZQ_my_form_2']");
    EXPECT_EQ(Count(form), 1);
    EXPECT_EQ(Text(form + TEXT("/f:Property[@name='psk:DisplayName']/f:Value")), TEXT("ZQ_my_form_2"));
    EXPECT_EQ(Text(form + TEXT("/f:ScoredProperty[@name='psk:MediaSizeHeight']/f:Value")), TEXT("150000"));
    entry->vocabulary = nullptr;
}
