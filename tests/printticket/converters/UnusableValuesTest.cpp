// Values a ticket gives that no setting can take (empty, not a number, zero or negative sizes and
// resolutions): each converter reads them as not given, as it reads a missing value, and keeps the
// caller's preset.
#include "ConverterFixture.h"

#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDResolutionFeature.h"

#include "support/WString.h"

namespace {

using UnusableValuesTest = ConverterTest;

WString Scored(const WString& name, const WString& value)
{
    return TEXT("<{f}ScoredProperty name=\"{k}") + name + TEXT("\"><{f}Value>") + value +
           TEXT("</{f}Value></{f}ScoredProperty>");
}

const LPCWSTR kUnusable[] = {TEXT(""), TEXT("abc"), TEXT("-600"), TEXT("0"), TEXT("99999999999")};

TEST_F(UnusableValuesTest, ResolutionKeepsThePresetDots)
{
    for (LPCWSTR dots : kUnusable) {
        LoadTicket(TEXT("<{f}Feature name=\"{k}PageResolution\"><{f}Option name=\"{n}ZQ_300dpi\">") +
                   Scored(TEXT("ResolutionX"), dots) + TEXT("</{f}Option></{f}Feature>"));
        CXDPrintTicket ticket(m_dom.Get());
        CXDResolutionValues values{1, 600, 600};
        EXPECT_EQ(CXDResolutionFeature().ReadPrintTicket(ticket, &values), kNotFound) << Narrow(dots);
        EXPECT_EQ(values.index, 0);
        EXPECT_EQ(values.resolutionX, 600);
        EXPECT_EQ(values.resolutionY, 600);
    }
}

TEST_F(UnusableValuesTest, MediaSizeKeepsThePresetSize)
{
    for (LPCWSTR width : kUnusable) {
        LoadTicket(TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA4\">") +
                   Scored(TEXT("MediaSizeWidth"), width) + Scored(TEXT("MediaSizeHeight"), TEXT("297000")) +
                   TEXT("</{f}Option></{f}Feature>"));
        CXDPrintTicket ticket(m_dom.Get());
        MediaSizeValues values;
        values.width = 215900;
        values.height = 279400;
        EXPECT_EQ(CXDMediaSizeFeature().ReadPrintTicket(ticket, &values), kNotFound) << Narrow(width);
        EXPECT_EQ(values.width, 215900);
        EXPECT_EQ(values.height, 279400);
    }
}

TEST_F(UnusableValuesTest, ScaleAndPagesPerSheetAreNotZero)
{
    for (LPCWSTR value : {TEXT(""), TEXT("x")}) {
        LoadTicket(TEXT("<{f}Feature name=\"{k}PageScaling\"><{f}Option name=\"{k}CustomSquare\">") +
                   Scored(TEXT("Scale"), value) + TEXT("</{f}Option></{f}Feature>") +
                   TEXT("<{f}Feature name=\"{k}DocumentNUp\"><{f}Option>") +
                   Scored(TEXT("PagesPerSheet"), value) +
                   TEXT("</{f}Option><{f}Feature name=\"{k}PresentationDirection\"><{f}Option "
                        "name=\"{k}RightBottom\"/></{f}Feature></{f}Feature>"));
        CXDPrintTicket ticket(m_dom.Get());
        PageScalingValues scaling{};
        scaling.scale = 100;
        EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(ticket, &scaling), kNotFound);
        EXPECT_EQ(scaling.scale, 100);  // not 25, the clamp of a zero
        NUpValues nUp{0, 4, 0, 0};
        EXPECT_EQ(CXDNUpFeature().ReadPrintTicket(ticket, &nUp), kNotFound);
        EXPECT_EQ(nUp.pagesPerSheet, 4);
    }
}

TEST_F(UnusableValuesTest, FitToSizeWithoutAUsableTargetKeepsTheFactor)
{
    LoadTicket(TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA4\">") +
               Scored(TEXT("MediaSizeWidth"), TEXT("210000")) +
               Scored(TEXT("MediaSizeHeight"), TEXT("297000")) +
               TEXT("</{f}Option></{f}Feature><{f}Feature name=\"{k}PageScaling\"><{f}Option "
                    "name=\"{n}ZQPrintDocumentOn\">") +
               Scored(TEXT("ScaleWidth"), TEXT("-100000")) + Scored(TEXT("ScaleHeight"), TEXT("150000")) +
               TEXT("<{f}ScoredProperty name=\"{n}ZQScaleToFit\"><{f}Value>1</{f}Value></{f}ScoredProperty>"
                    "</{f}Option></{f}Feature>"));
    CXDPrintTicket ticket(m_dom.Get());
    PageScalingValues values{};
    values.factor = 1.0f;
    EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(values.targetWidth, 0);
    EXPECT_EQ(values.targetHeight, 150000);
    EXPECT_EQ(values.factor, 1.0f);
}

}  // namespace
