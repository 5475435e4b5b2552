// Page orientation and resolution in PrintTickets.
#include "ConverterFixture.h"

#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDResolutionFeature.h"

#include "support/WString.h"
#include "support/Wine.h"

namespace {

using OrientationTest = ConverterTest;
using ResolutionTest = ConverterTest;

WString OrientationTicket(const WString& option)
{
    return TEXT("<{f}Feature name=\"{k}PageOrientation\">") + option + TEXT("</{f}Feature>");
}

TEST_F(OrientationTest, ReadsTheOptionInEachForm)
{
    struct Case {
        const char* what;
        WString option;
        int preset;
        HRESULT result;
        int index;
    } cases[] = {
        {"keyword", TEXT("<{f}Option name=\"{k}Landscape\"/>"), 0, S_OK, 1},
        {"reverse", TEXT("<{f}Option name=\"{k}ReverseLandscape\"/>"), 0, S_OK, 3},
        {"private", TEXT("<{f}Option name=\"{n}ZQRotatePortrait90\"/>"), 0, S_OK, 4},
        {"option name",
         TEXT("<{f}Option><{f}ScoredProperty name=\"{k}OptionName\"><{f}Value xsi:type=\"xsd:string\">"
              "ZQRotateLandscape90</{f}Value></{f}ScoredProperty></{f}Option>"),
         0, S_OK, 5},
        {"unknown option keeps the preset", TEXT("<{f}Option name=\"{k}Sideways\"/>"), 2, S_OK, 2},
        {"unknown option with a preset out of range", TEXT("<{f}Option name=\"{k}Sideways\"/>"), 6, E_FAIL,
         6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(OrientationTicket(c.option));
        CXDPrintTicket ticket(m_dom.Get());
        int index = c.preset;
        EXPECT_EQ(CXDOrientationFeature().ReadPrintTicket(ticket, &index), c.result);
        EXPECT_EQ(index, c.index);
    }
}

TEST_F(OrientationTest, TicketWithoutTheFeatureKeepsThePreset)
{
    LoadTicket(TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA4\"/></{f}Feature>"));
    CXDPrintTicket ticket(m_dom.Get());
    int index = 2;
    EXPECT_EQ(CXDOrientationFeature().ReadPrintTicket(ticket, &index), kNotFound);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(CXDOrientationFeature().ReadPrintTicket(ticket, nullptr), E_POINTER);
}

TEST_F(OrientationTest, WriteReplacesTheFeature)
{
    LoadTicket(OrientationTicket(TEXT("<{f}Option name=\"{k}Landscape\"/>")));
    CXDPrintTicket ticket(m_dom.Get());
    const int index = 5;
    ASSERT_EQ(CXDOrientationFeature().WritePrintTicket(ticket, &index), S_OK);
    EXPECT_EQ(Count(TEXT("/f:PrintTicket/f:Feature[@name='psk:PageOrientation']/f:Option")), 1);
    EXPECT_EQ(Count(TEXT("//f:Option[@name='ns0000:ZQRotateLandscape90']")), 1);
}

TEST_F(OrientationTest, WriteOutsideTheTableLeavesTheTicket)
{
    LoadTicket(OrientationTicket(TEXT("<{f}Option name=\"{k}Landscape\"/>")));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    for (int index : {-1, 6}) {
        EXPECT_EQ(CXDOrientationFeature().WritePrintTicket(ticket, &index), E_INVALIDARG) << index;
        EXPECT_EQ(Xml(), before);
    }
    EXPECT_EQ(CXDOrientationFeature().WritePrintTicket(ticket, nullptr), E_POINTER);
}

WString ResolutionTicket(const WString& option, const WString& x, const WString& y)
{
    return TEXT("<{f}Feature name=\"{k}PageResolution\"><{f}Option name=\"") + option + TEXT("\">") + x + y +
           TEXT("</{f}Option></{f}Feature>");
}

WString Scored(const WString& name, const WString& value)
{
    return TEXT("<{f}ScoredProperty name=\"{k}") + name + TEXT("\"><{f}Value xsi:type=\"xsd:integer\">") +
           value + TEXT("</{f}Value></{f}ScoredProperty>");
}

TEST_F(ResolutionTest, ReadsTheOptionAndTakesResolutionXForBothAxes)
{
    LoadTicket(ResolutionTicket(TEXT("{n}ZQ_1200dpi"), Scored(TEXT("ResolutionX"), TEXT("1200")),
                                Scored(TEXT("ResolutionY"), TEXT("600"))));
    CXDPrintTicket ticket(m_dom.Get());
    CXDResolutionValues values{1, 600, 600};
    EXPECT_EQ(CXDResolutionFeature().ReadPrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(values.index, 2);
    EXPECT_EQ(values.resolutionX, 1200);
    EXPECT_EQ(values.resolutionY, 1200);
}

TEST_F(ResolutionTest, ReadsResolutionGivenThroughAParameter)
{
    LoadTicket(
        ResolutionTicket(
            TEXT("{n}ZQ_300dpi"),
            TEXT("<{f}ScoredProperty name=\"{k}ResolutionX\"><{f}ParameterRef name=\"{n}PageZQDpi\"/>"
                 "</{f}ScoredProperty>"),
            TEXT("")) +
        TEXT("<{f}ParameterInit name=\"{n}PageZQDpi\"><{f}Value xsi:type=\"xsd:integer\">300</{f}Value>"
             "</{f}ParameterInit>"));
    CXDPrintTicket ticket(m_dom.Get());
    CXDResolutionValues values{1, 600, 600};
    EXPECT_EQ(CXDResolutionFeature().ReadPrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(values.index, 0);
    EXPECT_EQ(values.resolutionX, 300);
    EXPECT_EQ(values.resolutionY, 300);
}

TEST_F(ResolutionTest, OptionWithoutResolutionSetsTheIndexAndReportsNotFound)
{
    LoadTicket(ResolutionTicket(TEXT("{n}ZQ_300dpi"), TEXT(""), TEXT("")));
    CXDPrintTicket ticket(m_dom.Get());
    CXDResolutionValues values{1, 600, 600};
    EXPECT_EQ(CXDResolutionFeature().ReadPrintTicket(ticket, &values), kNotFound);
    EXPECT_EQ(values.index, 0);
    EXPECT_EQ(values.resolutionX, 600);
}

TEST_F(ResolutionTest, UnknownOptionKeepsTheValues)
{
    LoadTicket(ResolutionTicket(TEXT("{k}Draft"), Scored(TEXT("ResolutionX"), TEXT("150")), TEXT("")));
    CXDPrintTicket ticket(m_dom.Get());
    CXDResolutionValues values{1, 600, 600};
    EXPECT_EQ(CXDResolutionFeature().ReadPrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(values.index, 1);
    EXPECT_EQ(values.resolutionX, 600);
}

TEST_F(ResolutionTest, WriteGivesBothAxesResolutionX)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadTicket(TEXT(""));
    CXDPrintTicket ticket(m_dom.Get());
    const CXDResolutionValues values{0, 300, 150};
    ASSERT_EQ(CXDResolutionFeature().WritePrintTicket(ticket, &values), S_OK);
    const WString option =
        TEXT("/f:PrintTicket/f:Feature[@name='psk:PageResolution']/f:Option[@name='ns0000:ZQ_300dpi']");
    EXPECT_EQ(
        Text(option + TEXT("/f:ScoredProperty[@name='psk:ResolutionX']/f:Value[@i:type='xsd:integer']")),
        TEXT("300"));
    EXPECT_EQ(Text(option + TEXT("/f:ScoredProperty[@name='psk:ResolutionY']/f:Value")), TEXT("300"));
}

TEST_F(ResolutionTest, WriteOutsideTheTableLeavesTheTicket)
{
    LoadTicket(ResolutionTicket(TEXT("{n}ZQ_600dpi"), Scored(TEXT("ResolutionX"), TEXT("600")), TEXT("")));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    for (int index : {-1, 3}) {
        const CXDResolutionValues values{index, 600, 600};
        EXPECT_EQ(CXDResolutionFeature().WritePrintTicket(ticket, &values), E_INVALIDARG) << index;
        EXPECT_EQ(Xml(), before);
    }
}

}  // namespace
