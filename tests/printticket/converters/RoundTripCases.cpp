#include "RoundTripCases.h"

#include "printticket/XDBindingFeature.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPosterFeature.h"
#include "printticket/XDResolutionFeature.h"
#include "printticket/XDRollCutFeature.h"

std::vector<RoundTripCase> RoundTripCases()
{
    std::vector<RoundTripCase> cases;
    cases.push_back({"orientation",
                     [](CXDPrintTicket& t) {
                         const int index = 5;
                         return CXDOrientationFeature().WritePrintTicket(t, &index);
                     },
                     [](CXDPrintTicket& t) {
                         int index = 0;
                         EXPECT_EQ(CXDOrientationFeature().ReadPrintTicket(t, &index), S_OK);
                         EXPECT_EQ(index, 5);
                     },
                     TEXT("{k}PageOrientation"),
                     {}});
    cases.push_back({"resolution",
                     [](CXDPrintTicket& t) {
                         const CXDResolutionValues values{2, 1200, 1200};
                         return CXDResolutionFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         CXDResolutionValues values{1, 600, 600};
                         EXPECT_EQ(CXDResolutionFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.index, 2);
                         EXPECT_EQ(values.resolutionX, 1200);
                         EXPECT_EQ(values.resolutionY, 1200);
                     },
                     TEXT("{k}PageResolution"),
                     {}});
    cases.push_back({"roll cut",
                     [](CXDPrintTicket& t) {
                         const RollCutValues values{0, 1};
                         return CXDRollCutFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         RollCutValues values{1, 0};
                         EXPECT_EQ(CXDRollCutFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.cutMode, 0);
                         EXPECT_EQ(values.saveRollOnPaper, 1);
                     },
                     TEXT("{k}DocumentRollCut"),
                     {}});
    cases.push_back({"page scaling, custom square",
                     [](CXDPrintTicket& t) {
                         const PageScalingValues values{2, 250, 0.0f, 0, 0, 0};
                         return CXDPageScalingFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         PageScalingValues values{0, 100, 1.0f, 1, 215900, 279400};
                         EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.kind, 2);
                         EXPECT_EQ(values.scale, 250);
                         EXPECT_FLOAT_EQ(values.factor, 2.5f);
                     },
                     TEXT("{k}PageScaling"),
                     {TEXT("{k}PageScalingScale")}});
    cases.push_back({"page scaling, fit to size",
                     [](CXDPrintTicket& t) {
                         const PageScalingValues values{1, 100, 0.0f, 1, 210000, 297000};
                         return CXDPageScalingFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         PageScalingValues values{0, 100, 1.0f, 0, 215900, 279400};
                         EXPECT_EQ(CXDPageScalingFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.kind, 1);
                         EXPECT_EQ(values.scaleToFit, 1);
                         EXPECT_EQ(values.targetWidth, 210000);
                         EXPECT_EQ(values.targetHeight, 297000);
                     },
                     TEXT("{k}PageScaling"),
                     {TEXT("{k}PageScalingScaleWidth"), TEXT("{k}PageScalingScaleHeight"),
                      TEXT("{n}PageZQPrintDocumentOnScaleToFit")}});
    cases.push_back({"poster",
                     [](CXDPrintTicket& t) {
                         PosterValues values{};
                         values.sheetsIndex = 2;
                         values.sheets = 9;
                         values.tileMode = 1;
                         values.tiles[1] = values.tiles[6] = values.tiles[8] = 1;
                         return CXDPosterFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         PosterValues values{0, 1, 0, {}};
                         EXPECT_EQ(CXDPosterFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.sheetsIndex, 2);
                         EXPECT_EQ(values.sheets, 9);
                         EXPECT_EQ(values.tileMode, 1);
                         for (int i = 0; i < kXDMaximumPosterTiles; ++i) {
                             EXPECT_EQ(values.tiles[i], i == 1 || i == 6 || i == 8 ? 1 : 0)
                                 << "tile " << i + 1;
                         }
                     },
                     TEXT("{k}PagePoster"),
                     {TEXT("{n}PageZQSelectedPosterTilesList")}});
    cases.push_back({"binding",
                     [](CXDPrintTicket& t) {
                         const BindingValues values{1, 1};
                         return CXDBindingFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         BindingValues values{0, 0};
                         EXPECT_EQ(CXDBindingFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.binding, 1);
                         EXPECT_EQ(values.layout, 1);
                     },
                     TEXT("{k}DocumentBinding"),
                     {}});
    cases.push_back({"pages per sheet",
                     [](CXDPrintTicket& t) {
                         const NUpValues values{0, 6, 2, 1};
                         return CXDNUpFeature().WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         NUpValues values{0, 1, 0, 0};
                         EXPECT_EQ(CXDNUpFeature().ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.pagesPerSheet, 6);
                         EXPECT_EQ(values.direction, 2);
                         EXPECT_EQ(values.borders, 1);
                     },
                     TEXT("{k}DocumentNUp"),
                     {}});
    cases.push_back({"media size, custom",
                     [](CXDPrintTicket& t) {
                         MediaSizeValues values{76200, 127000, CXDString(TEXT("CustomMediaSize"))};
                         return CXDMediaSizeFeature::WritePrintTicket(t, &values);
                     },
                     [](CXDPrintTicket& t) {
                         MediaSizeValues values{215900, 279400, CXDString(TEXT("NorthAmericaLetter"))};
                         EXPECT_EQ(CXDMediaSizeFeature::ReadPrintTicket(t, &values), S_OK);
                         EXPECT_EQ(values.width, 76200);
                         EXPECT_EQ(values.height, 127000);
                         EXPECT_TRUE(values.optionName.Equals(TEXT("CustomMediaSize")));
                     },
                     TEXT("{k}PageMediaSize"),
                     {TEXT("{k}PageMediaSizeMediaSizeWidth"), TEXT("{k}PageMediaSizeMediaSizeHeight")}});
    return cases;
}

const WString kOtherFeature = TEXT(R"(
  <{f}Feature name="{k}DocumentCollate"><{f}Option name="{k}Collated" /></{f}Feature>
  <{f}ParameterInit name="{k}JobCopiesAllDocuments"><{f}Value xsi:type="xsd:integer">3</{f}Value></{f}ParameterInit>)");
