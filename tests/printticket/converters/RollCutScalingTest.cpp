// Roll cut and page scaling in PrintTickets.
#include "ConverterFixture.h"

#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDRollCutFeature.h"

#include "support/WString.h"
#include "support/Wine.h"

namespace {

using RollCutTest = ConverterTest;
using PageScalingTest = ConverterTest;

WString RollCutTicket(const WString& cut, const WString& save)
{
    return FeatureWithOption(TEXT("{k}DocumentRollCut"), cut,
                             SubFeatureWithOption(TEXT("{n}ZQSaveRollOnPaper"), save));
}

TEST_F(RollCutTest, ReadsTheFeatureAndItsSubFeature)
{
    struct Case {
        const char* what;
        WString body;
        RollCutValues preset;
        HRESULT result;
        RollCutValues values;
    } cases[] = {
        {"none, save on", RollCutTicket(TEXT("{k}None"), TEXT("{k}On")), {0, 0}, S_OK, {1, 1}},
        {"cut, save off",
         RollCutTicket(TEXT("{k}CutSheetAtStandardMediaSize"), TEXT("{k}Off")),
         {1, 1},
         S_OK,
         {0, 0}},
        {"without the sub-feature", RollCutTicket(TEXT("{k}None"), TEXT("")), {0, 0}, kNotFound, {1, 0}},
        {"unknown options keep the preset",
         RollCutTicket(TEXT("{k}Sometimes"), TEXT("{k}Maybe")),
         {1, 0},
         S_OK,
         {1, 0}},
        {"unknown option with a preset out of range",
         RollCutTicket(TEXT("{k}Sometimes"), TEXT("{k}On")),
         {4, 0},
         E_FAIL,
         {4, 1}},
        {"without the feature", TEXT(""), {1, 1}, kNotFound, {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.body);
        CXDPrintTicket ticket(m_dom.Get());
        RollCutValues values = c.preset;
        EXPECT_EQ(CXDRollCutFeature().ReadPrintTicket(ticket, &values), c.result);
        EXPECT_EQ(values.cutMode, c.values.cutMode);
        EXPECT_EQ(values.saveRollOnPaper, c.values.saveRollOnPaper);
    }
}

TEST_F(RollCutTest, WriteNestsTheSubFeature)
{
    LoadTicket(RollCutTicket(TEXT("{k}None"), TEXT("{k}Off")));
    CXDPrintTicket ticket(m_dom.Get());
    const RollCutValues values{0, 1};
    ASSERT_EQ(CXDRollCutFeature().WritePrintTicket(ticket, &values), S_OK);
    const WString feature = TEXT("/f:PrintTicket/f:Feature[@name='psk:DocumentRollCut']");
    EXPECT_EQ(Count(feature + TEXT("/f:Option[@name='psk:CutSheetAtStandardMediaSize']")), 1);
    EXPECT_EQ(Count(feature + TEXT("/f:Feature[@name='ns0000:ZQSaveRollOnPaper']/f:Option[@name='psk:On']")),
              1);
    EXPECT_EQ(Count(TEXT("//f:Option")), 2);
}

TEST_F(RollCutTest, WriteOfAnInvalidRecordLeavesTheTicket)
{
    LoadTicket(RollCutTicket(TEXT("{k}None"), TEXT("{k}Off")));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    for (RollCutValues values : {RollCutValues{2, 0}, RollCutValues{0, -1}}) {
        EXPECT_EQ(CXDRollCutFeature().WritePrintTicket(ticket, &values), E_INVALIDARG);
        EXPECT_EQ(Xml(), before);
    }
    EXPECT_EQ(CXDRollCutFeature().WritePrintTicket(ticket, nullptr), E_POINTER);
}

const WString kLetter = TEXT(R"(
  <{f}Feature name="{k}PageMediaSize"><{f}Option name="{k}NorthAmericaLetter">
    <{f}ScoredProperty name="{k}MediaSizeWidth"><{f}Value xsi:type="xsd:integer">215900</{f}Value></{f}ScoredProperty>
    <{f}ScoredProperty name="{k}MediaSizeHeight"><{f}Value xsi:type="xsd:integer">279400</{f}Value></{f}ScoredProperty>
  </{f}Option></{f}Feature>)");

WString Number(long long value)
{
    const std::string text = std::to_string(value);
    return WString(text.begin(), text.end());
}

WString MediaSize(int width, int height)
{
    return TEXT(
               "<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}CustomMediaSize\">"
               "<{f}ScoredProperty name=\"{k}MediaSizeWidth\"><{f}Value xsi:type=\"xsd:integer\">") +
           Number(width) +
           TEXT(
               "</{f}Value></{f}ScoredProperty><{f}ScoredProperty name=\"{k}MediaSizeHeight\">"
               "<{f}Value xsi:type=\"xsd:integer\">") +
           Number(height) + TEXT("</{f}Value></{f}ScoredProperty></{f}Option></{f}Feature>");
}

WString CustomSquare(int scale)
{
    return TEXT(
               "<{f}Feature name=\"{k}PageScaling\"><{f}Option name=\"{k}CustomSquare\">"
               "<{f}ScoredProperty name=\"{k}Scale\"><{f}ParameterRef name=\"{k}PageScalingScale\"/>"
               "</{f}ScoredProperty></{f}Option></{f}Feature>"
               "<{f}ParameterInit name=\"{k}PageScalingScale\"><{f}Value xsi:type=\"xsd:integer\">") +
           Number(scale) + TEXT("</{f}Value></{f}ParameterInit>");
}

WString FitToSize(int width, int height, int scaleToFit)
{
    WString body = TEXT("<{f}Feature name=\"{k}PageScaling\"><{f}Option name=\"{n}ZQPrintDocumentOn\">");
    const WString properties[][2] = {{TEXT("{k}ScaleWidth"), TEXT("{k}PageScalingScaleWidth")},
                                     {TEXT("{k}ScaleHeight"), TEXT("{k}PageScalingScaleHeight")},
                                     {TEXT("{n}ZQScaleToFit"), TEXT("{n}PageZQPrintDocumentOnScaleToFit")}};
    for (const auto& p : properties) {
        body += TEXT("<{f}ScoredProperty name=\"") + p[0] + TEXT("\"><{f}ParameterRef name=\"") + p[1] +
                TEXT("\"/></{f}ScoredProperty>");
    }
    body += TEXT("</{f}Option></{f}Feature>");
    const int numbers[] = {width, height, scaleToFit};
    for (int i = 0; i < 3; ++i) {
        body += TEXT("<{f}ParameterInit name=\"") + properties[i][1] +
                TEXT("\"><{f}Value xsi:type=\"xsd:integer\">") + Number(numbers[i]) +
                TEXT("</{f}Value></{f}ParameterInit>");
    }
    return body;
}

const PageScalingValues kHandlerPreset{0, 100, 1.0f, 1, 215900, 279400};

TEST_F(PageScalingTest, CustomSquareIsClampedTo25To400Percent)
{
    struct Case {
        int inTicket;
        int scale;
    } cases[] = {{10, 25}, {25, 25}, {150, 150}, {400, 400}, {500, 400}, {-7, 25}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.inTicket);
        LoadTicket(kLetter + CustomSquare(c.inTicket));
        CXDPrintTicket ticket(m_dom.Get());
        PageScalingValues values = kHandlerPreset;
        EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(ticket, &values), S_OK);
        EXPECT_EQ(values.kind, 2);
        EXPECT_EQ(values.scale, c.scale);
        EXPECT_FLOAT_EQ(values.factor, c.scale / 100.0f);
    }
}

TEST_F(PageScalingTest, FitToSizeTakesTheSmallerRatioOfTargetToPage)
{
    struct Case {
        const char* what;
        WString media;
        int targetWidth;
        int targetHeight;
        float factor;
    } cases[] = {
        // 2969 x 279400 is not above 4318 x 215900: the width ratio.
        {"letter onto a larger target", kLetter, 296968, 431800, 2969.0f / 2159.0f},
        {"letter onto a square", kLetter, 215900, 215900, 2159.0f / 2794.0f},
        {"equal ratios take the width", kLetter, 431800, 558800, 4318.0f / 2159.0f},
        // Products beyond 32 bits: 20000 x 2000000 against 10000 x 2000000.
        {"large sizes", MediaSize(2000000, 2000000), 2000000, 1000000, 0.5f},
        {"a ticket page of zero width keeps the factor", MediaSize(0, 279400), 296968, 431800, 1.0f},
        {"a ticket without media size keeps the factor", TEXT(""), 296968, 431800, 1.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.media + FitToSize(c.targetWidth, c.targetHeight, 0));
        CXDPrintTicket ticket(m_dom.Get());
        PageScalingValues values = kHandlerPreset;
        EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(ticket, &values), S_OK);
        EXPECT_EQ(values.kind, 1);
        EXPECT_EQ(values.targetWidth, c.targetWidth);
        EXPECT_EQ(values.targetHeight, c.targetHeight);
        EXPECT_EQ(values.scaleToFit, 0);
        EXPECT_FLOAT_EQ(values.factor, c.factor);
    }
}

TEST_F(PageScalingTest, OtherOptionsLeaveTheRecord)
{
    struct Case {
        const char* what;
        WString body;
        HRESULT result;
    } cases[] = {
        {"none",
         kLetter + TEXT("<{f}Feature name=\"{k}PageScaling\"><{f}Option name=\"{k}None\"/></{f}Feature>"),
         S_FALSE},
        {"an option of another driver",
         kLetter + TEXT("<{f}Feature name=\"{k}PageScaling\"><{f}Option "
                        "name=\"{k}FitApplicationBleedSizeToPageImageableSize\"/></{f}Feature>"),
         S_OK},
        {"an option of another driver, no media size",
         TEXT("<{f}Feature name=\"{k}PageScaling\"><{f}Option name=\"{k}Custom\"/></{f}Feature>"), kNotFound},
        {"no scaling feature", kLetter, kNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.body);
        CXDPrintTicket ticket(m_dom.Get());
        PageScalingValues values = kHandlerPreset;
        EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(ticket, &values), c.result);
        EXPECT_EQ(values.kind, kHandlerPreset.kind);
        EXPECT_EQ(values.scale, kHandlerPreset.scale);
        EXPECT_EQ(values.factor, kHandlerPreset.factor);
        EXPECT_EQ(values.targetWidth, kHandlerPreset.targetWidth);
    }
}

TEST_F(PageScalingTest, WriteCarriesTheScaleInAParameterInit)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadTicket(kLetter);
    CXDPrintTicket ticket(m_dom.Get());
    const PageScalingValues values{2, 150, 0.0f, 0, 0, 0};
    ASSERT_EQ(CXDPageScalingFeature().WritePrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(
        Count(TEXT("/f:PrintTicket/f:Feature[@name='psk:PageScaling']/f:Option[@name='psk:CustomSquare']/"
                   "f:ScoredProperty[@name='psk:Scale']/f:ParameterRef[@name='psk:PageScalingScale']")),
        1);
    EXPECT_EQ(
        Text(TEXT(
            "/f:PrintTicket/f:ParameterInit[@name='psk:PageScalingScale']/f:Value[@i:type='xsd:integer']")),
        TEXT("150"));
}

TEST_F(PageScalingTest, WritingNoneDropsTheOldParameters)
{
    LoadTicket(kLetter + FitToSize(296968, 431800, 1));
    CXDPrintTicket ticket(m_dom.Get());
    const PageScalingValues values{0, 100, 0.0f, 0, 0, 0};
    ASSERT_EQ(CXDPageScalingFeature().WritePrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:PageScaling']/f:Option[@name='psk:None']")), 1);
    EXPECT_EQ(Count(TEXT("//f:ParameterInit")), 0);
    EXPECT_EQ(Count(TEXT("//f:ScoredProperty")), 2);  // the media size's
}

TEST_F(PageScalingTest, WriteOfAnUnknownKindLeavesTheTicket)
{
    LoadTicket(kLetter + CustomSquare(150));
    const WString before = Xml();
    CXDPrintTicket ticket(m_dom.Get());
    for (int kind : {-1, 3}) {
        const PageScalingValues values{kind, 100, 0.0f, 0, 0, 0};
        EXPECT_EQ(CXDPageScalingFeature().WritePrintTicket(ticket, &values), E_INVALIDARG);
        EXPECT_EQ(Xml(), before);
    }
}

}  // namespace
