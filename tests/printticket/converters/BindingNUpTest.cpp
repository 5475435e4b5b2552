// Booklet binding and pages per sheet in PrintTickets.
#include "ConverterFixture.h"

#include "printticket/XDBindingFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDPrintTicket.h"

#include "support/WString.h"
#include "support/Wine.h"

namespace {

using BindingTest = ConverterTest;
using NUpTest = ConverterTest;

WString BindingTicket(const WString& option, const WString& layout)
{
    return FeatureWithOption(TEXT("{k}DocumentBinding"), option,
                             SubFeatureWithOption(TEXT("{n}ZQBookletLayout"), layout));
}

TEST_F(BindingTest, ReadsOptionsByWhatTheirNamesContain)
{
    struct Case {
        const char* what;
        WString body;
        BindingValues preset;
        HRESULT result;
        BindingValues values;
    } cases[] = {
        {"booklet, right edge",
         BindingTicket(TEXT("{k}Booklet"), TEXT("{n}ZQRightEdgeBindingLayout")),
         {0, 0},
         S_OK,
         {1, 1}},
        {"a longer booklet name",
         BindingTicket(TEXT("{n}ZQSaddleBooklet"), TEXT("{n}ZQLeftEdgeBindingLayout")),
         {0, 1},
         S_OK,
         {1, 0}},
        {"None is tested first",
         BindingTicket(TEXT("{n}NoneOrBooklet"), TEXT("{n}ZQRightEdgeBindingLayout")),
         {1, 0},
         S_OK,
         {0, 0}},
        {"none", BindingTicket(TEXT("{k}None"), TEXT("")), {1, 1}, S_OK, {0, 1}},
        {"booklet without layout", BindingTicket(TEXT("{k}Booklet"), TEXT("")), {0, 1}, kNotFound, {1, 1}},
        {"another binding keeps the preset",
         BindingTicket(TEXT("{k}BindLeft"), TEXT("")),
         {0, 0},
         S_OK,
         {0, 0}},
        {"without the feature", TEXT(""), {1, 1}, kNotFound, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.body);
        CXDPrintTicket ticket(m_dom.Get());
        BindingValues values = c.preset;
        EXPECT_EQ(CXDBindingFeature().ReadPrintTicket(ticket, &values), c.result);
        EXPECT_EQ(values.binding, c.values.binding);
        EXPECT_EQ(values.layout, c.values.layout);
    }
}

TEST_F(BindingTest, WriteNestsTheLayoutOfABooklet)
{
    LoadTicket(BindingTicket(TEXT("{k}None"), TEXT("")));
    CXDPrintTicket ticket(m_dom.Get());
    const BindingValues booklet{1, 0};
    ASSERT_EQ(CXDBindingFeature().WritePrintTicket(ticket, &booklet), S_OK);
    const WString feature = TEXT("/f:PrintTicket/f:Feature[@name='psk:DocumentBinding']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option[@name='psk:Booklet']")), 1);
    EXPECT_EQ(Count(feature + TEXT("/f:Feature[@name='ns0000:ZQBookletLayout']/"
                                   "f:Option[@name='ns0000:ZQLeftEdgeBindingLayout']")),
              1);

    const BindingValues none{0, 1};
    ASSERT_EQ(CXDBindingFeature().WritePrintTicket(ticket, &none), S_OK);
    EXPECT_EQ(Count(feature + TEXT("/f:Option[@name='psk:None']")), 1);
    EXPECT_EQ(Count(TEXT("//f:Feature")), 1);
}

TEST_F(BindingTest, InvalidRecords)
{
    LoadTicket(BindingTicket(TEXT("{k}None"), TEXT("")));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    const BindingValues unknownBinding{2, 0};
    EXPECT_EQ(CXDBindingFeature().WritePrintTicket(ticket, &unknownBinding), E_INVALIDARG);
    EXPECT_EQ(Xml(), before);
    // An unknown layout is found only after the old feature is gone.
    const BindingValues unknownLayout{1, 2};
    EXPECT_EQ(CXDBindingFeature().WritePrintTicket(ticket, &unknownLayout), E_FAIL);
    EXPECT_EQ(Count(TEXT("//f:Feature")), 0);
}

WString NUpTicket(int pages, const WString& direction, const WString& borders)
{
    const std::string count = std::to_string(pages);
    WString body = TEXT(
                       "<{f}Feature name=\"{k}DocumentNUp\"><{f}Option><{f}ScoredProperty "
                       "name=\"{k}PagesPerSheet\"><{f}Value xsi:type=\"xsd:integer\">") +
                   WString(count.begin(), count.end()) + TEXT("</{f}Value></{f}ScoredProperty></{f}Option>");
    body += SubFeatureWithOption(TEXT("{k}PresentationDirection"), direction);
    body += SubFeatureWithOption(TEXT("{n}ZQBorders"), borders);
    return body + TEXT("</{f}Feature>");
}

TEST_F(NUpTest, ReadsCountDirectionAndBorders)
{
    struct Case {
        const char* what;
        WString body;
        HRESULT result;
        NUpValues values;
    } cases[] = {
        {"bottom left, borders on", NUpTicket(4, TEXT("{k}BottomLeft"), TEXT("{k}On")), S_OK, {0, 4, 3, 1}},
        {"right bottom, no borders", NUpTicket(16, TEXT("{k}RightBottom"), TEXT("")), S_OK, {0, 16, 0, 0}},
        {"borders of another name read as off",
         NUpTicket(2, TEXT("{k}LeftBottom"), TEXT("{k}Thick")),
         S_OK,
         {0, 2, 2, 0}},
        {"a count not offered", NUpTicket(3, TEXT("{k}BottomRight"), TEXT("")), E_FAIL, {0, 3, 1, 0}},
        {"a count below one", NUpTicket(0, TEXT("{k}BottomRight"), TEXT("")), kNotFound, {5, 0, 9, 9}},
        {"without direction", NUpTicket(4, TEXT(""), TEXT("{k}On")), kNotFound, {5, 9, 9, 9}},
        {"without the feature", TEXT(""), kNotFound, {5, 9, 9, 9}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.body);
        CXDPrintTicket ticket(m_dom.Get());
        NUpValues values{5, 9, 9, 9};  // marks what the read leaves
        EXPECT_EQ(CXDNUpFeature().ReadPrintTicket(ticket, &values), c.result);
        EXPECT_EQ(values.featureIndex, c.values.featureIndex);
        EXPECT_EQ(values.pagesPerSheet, c.values.pagesPerSheet);
        EXPECT_EQ(values.direction, c.values.direction);
        EXPECT_EQ(values.borders, c.values.borders);
    }
}

TEST_F(NUpTest, WriteOfACountNotOfferedWritesOnePage)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadTicket(TEXT(""));
    CXDPrintTicket ticket(m_dom.Get());
    const NUpValues values{0, 3, 1, 0};
    ASSERT_EQ(CXDNUpFeature().WritePrintTicket(ticket, &values), S_OK);
    const WString feature = TEXT("/f:PrintTicket/f:Feature[@name='psk:DocumentNUp']");
    EXPECT_EQ(Text(feature + TEXT("/f:Option[not(@name)]/f:ScoredProperty[@name='psk:PagesPerSheet']/"
                                  "f:Value[@i:type='xsd:integer']")),
              TEXT("1"));
    EXPECT_EQ(Count(feature +
                    TEXT("/f:Feature[@name='psk:PresentationDirection']/f:Option[@name='psk:BottomRight']")),
              1);
    EXPECT_EQ(Count(feature + TEXT("/f:Feature[@name='ns0000:ZQBorders']/f:Option[@name='psk:Off']")), 1);
}

TEST_F(NUpTest, WriteLeavesTheJobNUpOfTheTicket)
{
    // The ticket's job-wide N-up has a direction of its own, which is not ours to remove.
    LoadTicket(
        NUpTicket(2, TEXT("{k}RightBottom"), TEXT("{k}Off")) +
        TEXT("<{f}Feature name=\"{k}JobNUpAllDocumentsContiguously\"><{f}Option><{f}ScoredProperty "
             "name=\"{k}PagesPerSheet\"><{f}Value xsi:type=\"xsd:integer\">1</{f}Value></{f}ScoredProperty>"
             "</{f}Option><{f}Feature name=\"{k}PresentationDirection\"><{f}Option name=\"{k}LeftBottom\"/>"
             "</{f}Feature></{f}Feature>"));
    CXDPrintTicket ticket(m_dom.Get());
    const NUpValues values{0, 9, 3, 1};
    ASSERT_EQ(CXDNUpFeature().WritePrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:JobNUpAllDocumentsContiguously']/"
                         "f:Feature[@name='psk:PresentationDirection']/f:Option[@name='psk:LeftBottom']")),
              1);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:DocumentNUp']/f:Feature[@name='psk:PresentationDirection']/"
                         "f:Option[@name='psk:BottomLeft']")),
              1);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:PresentationDirection']")), 2);
}

TEST_F(NUpTest, WriteOfAnInvalidRecordLeavesTheTicket)
{
    LoadTicket(NUpTicket(2, TEXT("{k}RightBottom"), TEXT("")));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    for (NUpValues values :
         {NUpValues{1, 2, 0, 0}, NUpValues{0, 2, 4, 0}, NUpValues{0, 2, -1, 0}, NUpValues{0, 2, 0, 2}}) {
        EXPECT_EQ(CXDNUpFeature().WritePrintTicket(ticket, &values), E_INVALIDARG);
        EXPECT_EQ(Xml(), before);
    }
}

}  // namespace
