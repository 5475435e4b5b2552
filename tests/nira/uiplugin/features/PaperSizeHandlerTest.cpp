// The paper size handler over the sample package's paper table: the DeviceCapabilities tables,
// the DEVMODE paper numbers, PageMediaSize in PrintTickets and the size commands.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <printoem.h>

#include <cstring>
#include <memory>
#include <vector>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "printticket/converters/ConverterFixture.h"

namespace {

struct Paper {
    int option;
    const WCHAR* name;
    const WCHAR* keyword;
};

// The sample's papers as the settings list them (option id = paper index).
const Paper kPapers[] = {
    {256, TEXT("Letter (8.5 x 11 in)"), TEXT("NorthAmericaLetter")},
    {257, TEXT("Legal (8.5 x 14 in)"), TEXT("NorthAmericaLegal")},
    {259, TEXT("A4 (210 x 297 mm)"), TEXT("ISOA4")},
    {263, TEXT("A long name of a paper that goes on well beyond the sixty-four characters of a list"),
     TEXT("NorthAmerica4x6")},
};

class PaperSizeHandlerTest : public ConverterTest {
protected:
    void SetUp() override
    {
        ConverterTest::SetUp();
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        WString path = nirasim::Machine::DriverVersionDirectory() + nirasim::Wide("\\niracap.vdf");
        database = std::make_unique<CNiraFeatureDatabase>(path.c_str());
        for (const Paper& paper : kPapers) {
            services.listed[4114].push_back({paper.option, paper.option, paper.name});
            OptionInfo info = {};
            info.featureId = 4114;
            info.optionIndex = paper.option;
            std::memcpy(info.vocabMap, paper.keyword, (WString(paper.keyword).size() + 1) * sizeof(WCHAR));
            services.optionInfos[{4114, paper.option}] = info;
        }
        handler.Attach(&services, 4233, database.get());
    }
    void TearDown() override
    {
        handler.Detach();
        database.reset();
        machine.reset();
        ConverterTest::TearDown();
    }

    HRESULT Ask(WORD capability, void* output, DWORD* result)
    {
        int handled = 0;
        return handler.DeviceCapabilities(nullptr, nullptr, capability, output, nullptr, nullptr, 0, result,
                                          &handled);
    }

    std::unique_ptr<nirasim::Machine> machine;
    std::unique_ptr<CNiraFeatureDatabase> database;
    FakeCoreServices services;
    CNiraPaperSizeHandler handler;
};

}  // namespace

TEST_F(PaperSizeHandlerTest, TheDeviceCapabilitiesTables)
{
    DWORD count = 0;
    ASSERT_EQ(Ask(DC_PAPERS, nullptr, &count), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(count, 14u);  // the distinct papers 256..500 of FDT4114
    std::vector<WORD> papers(count);
    ASSERT_EQ(Ask(DC_PAPERS, papers.data(), &count), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    // Each paper's DEVMODE number in the slot of its paper index, in the table's row order.
    EXPECT_EQ(papers, (std::vector<WORD>{1, 5, 7, 9, 11, 70, 13, 262, 263, 264, 43, 20, 27, 28}));
    std::vector<CNiraPaperSizeHandler::PaperSize> sizes(count);
    ASSERT_EQ(Ask(DC_PAPERSIZE, sizes.data(), &count), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(sizes[0].width, 2159);   // 10200 / 1200 inch
    EXPECT_EQ(sizes[0].height, 2794);  // 13200
    EXPECT_EQ(sizes[3].width, 2100);   // A4: 9921
    EXPECT_EQ(sizes[3].height, 2970);  // 14031
    std::vector<WCHAR> names(count * 64, TEXT('#'));
    ASSERT_EQ(Ask(DC_PAPERNAMES, names.data(), &count), S_DEVCAP_OUTPUT_FULL_REPLACEMENT);
    EXPECT_EQ(WString(&names[0]), TEXT("Letter (8.5 x 11 in)"));
    EXPECT_EQ(WString(&names[7 * 64]).size(), 63u);  // 4x6, the eighth paper: cut to 63
    EXPECT_EQ(Ask(DC_BINS, nullptr, &count), E_FAIL);
}

TEST_F(PaperSizeHandlerTest, DevmodeNumbersAndOptions)
{
    int value = 0;
    ASSERT_EQ(handler.GetOptionValue(4114, 259, &value), 0);
    EXPECT_EQ(value, 9);  // A4
    int option = 0;
    ASSERT_EQ(handler.FindOptionByValue(4114, 5, &option), 0);
    EXPECT_EQ(option, 257);
    EXPECT_EQ(handler.FindOptionByValue(4114, 4242, &option), 0x20000021);
}

TEST_F(PaperSizeHandlerTest, SizeCommands)
{
    int index = 259;
    int size[2] = {};
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_GET_SIZE, &index, size), 0);
    EXPECT_EQ(size[0], 2100);
    EXPECT_EQ(size[1], 2970);
    index = 501;
    EXPECT_EQ(handler.OnCommand(0, PAPER_COMMAND_GET_SIZE, &index, size), NIRA_STATUS_FAILED);
    int letter[2] = {215900, 279400};
    int found = 0;
    ASSERT_EQ(handler.OnCommand(0, PAPER_COMMAND_FIND_BY_SIZE, letter, &found), 0);
    EXPECT_EQ(found, 256);  // 8.5 and 11 compared as texts of two digits
    int a4[2] = {210000, 297000};
    found = -1;
    EXPECT_EQ(handler.OnCommand(0, PAPER_COMMAND_FIND_BY_SIZE, a4, &found), 0);
    EXPECT_EQ(found, -1);  // "8.3" is not the table's 8.2677: no row, nothing written
    EXPECT_EQ(handler.OnCommand(0, 99, a4, &found), NIRA_STATUS_FAILED);
}

TEST_F(PaperSizeHandlerTest, PageMediaSizeInTickets)
{
    LoadTicket(
        TEXT("<{f}Feature name='{k}PageMediaSize'><{f}Option name='{k}ISOA4'>"
             "<{f}ScoredProperty name='{k}MediaSizeWidth'><{f}Value xsi:type='xsd:integer'>210000</{f}Value>"
             "</{f}ScoredProperty></{f}Option></{f}Feature>"));
    EXPECT_EQ(handler.ReadPrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(services.current[4114], 259);
    LoadTicket(WString());
    handler.ReadPrintTicket(m_dom.Get());
    EXPECT_EQ(services.current[4114], 256);  // no PageMediaSize: Letter

    services.current[4114] = 259;
    services.records[4114] = {};
    LoadTicket(WString());
    EXPECT_EQ(handler.WritePrintTicket(m_dom.Get()), 0);
    Reload();
    EXPECT_EQ(Text(TEXT("//f:Feature[@name='psk:PageMediaSize']/f:Option/@name")), TEXT("psk:ISOA4"));
    EXPECT_EQ(Text(TEXT("//f:ScoredProperty[@name='psk:MediaSizeWidth']/f:Value")), TEXT("210000"));

    // A custom form is the paper list's to write.
    services.listed[4114].push_back({501, 501, TEXT("My form")});
    services.current[4114] = 501;
    LoadTicket(WString());
    EXPECT_EQ(handler.WritePrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(Count(TEXT("//f:Feature")), 0);
}

TEST_F(PaperSizeHandlerTest, PageMediaSizeInCapabilities)
{
    WString keyword = TEXT("psk:PageMediaSize");
    VocabularyRecord vocabulary = {0, 0, nullptr, &keyword[0]};
    services.records[4114] = {};
    int id = 4114;
    FeatureEntry* entry = nullptr;
    ASSERT_EQ(services.FindFeature(&id, &entry), 0);
    entry->vocabulary = &vocabulary;
    handler.AddFeature(4114);
    LoadCapabilities(FeatureWithOption(TEXT("{k}PageMediaSize"), TEXT("{k}Written")));
    EXPECT_EQ(handler.WritePrintCapabilities(nullptr, m_dom.Get()), 0);
    Reload();
    const WString feature = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageMediaSize']");
    EXPECT_EQ(Count(feature), 1);
    EXPECT_EQ(Count(feature + TEXT("/f:Option")), 4);  // the listed papers, the one written before gone
    EXPECT_EQ(
        Text(feature +
             TEXT("/f:Option[@name='psk:ISOA4']/f:ScoredProperty[@name='psk:MediaSizeHeight']/f:Value")),
        TEXT("297000"));
    EXPECT_EQ(
        Text(feature + TEXT("/f:Option[@name='psk:ISOA4']/f:Property[@name='psk:DisplayName']/f:Value")),
        TEXT("A4 (210 x 297 mm)"));
    entry->vocabulary = nullptr;
}

TEST(PaperSizeQueries, FindingBySizeComparesTwoDigitInchTexts)
{
    FakeCoreServices services;
    FakeFeatureDatabase database;
    const std::string query =
        "SELECT DISTINCT OptionID FROM FDT4114 WHERE PaperIndex BETWEEN '256' AND '500' AND "
        " EKeyFloat_PmPaperWidthInches=\"8.3\" and EKeyFloat_PmPaperHeightInches=\"12\"";
    database.rows[query] = {"259"};
    CNiraPaperSizeHandler handler;
    handler.Attach(&services, 4233, &database);
    int a4[2] = {210000, 297000};  // 8.27 x 11.69 inches
    int found = 0;
    EXPECT_EQ(handler.OnCommand(0, PAPER_COMMAND_FIND_BY_SIZE, a4, &found), 0);
    EXPECT_EQ(found, 259);
    ASSERT_EQ(database.statements.size(), 1u);
    EXPECT_EQ(database.statements[0], query);
    EXPECT_EQ(database.mode, 4114);
    EXPECT_EQ(handler.OnCommand(0, PAPER_COMMAND_FIND_BY_SIZE, nullptr, &found), NIRA_STATUS_FAILED);
    EXPECT_EQ(handler.OnCommand(0, PAPER_COMMAND_FIND_BY_SIZE, a4, nullptr), NIRA_STATUS_FAILED);
    handler.Detach();
}
