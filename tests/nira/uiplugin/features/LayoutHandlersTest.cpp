// The layout handlers: fit to size, posters, booklets, pages per sheet, orientation and roll cut
// between their features and PrintTickets, and their commands.
#include "printticket/converters/ConverterFixture.h"

#include "FakeCoreServices.h"
#include "nira/uiplugin/features/handlers/BookletHandler.h"
#include "nira/uiplugin/features/handlers/CustomForms.h"
#include "nira/uiplugin/features/handlers/FitToSizeHandler.h"
#include "nira/uiplugin/features/handlers/OrientationHandler.h"
#include "nira/uiplugin/features/handlers/PagesPerSheetHandler.h"
#include "nira/uiplugin/features/handlers/PaperSizeHandler.h"
#include "nira/uiplugin/features/handlers/PosterHandler.h"
#include "nira/uiplugin/features/handlers/RollCutHandler.h"

using Call = FakeCoreServices::Call;

namespace {

class LayoutHandlersTest : public ConverterTest {
protected:
    FakeCoreServices services;
};

WString Scaling(const WString& option, const WString& inner = WString())
{
    return FeatureWithOption(TEXT("{k}PageScaling"), option) + inner;
}

}  // namespace

TEST_F(LayoutHandlersTest, FitToSizeReadsTheScaling)
{
    CNiraFitToSizeHandler fit;
    fit.Attach(&services, 4120, nullptr);
    LoadTicket(Scaling(TEXT("{k}None")));
    EXPECT_EQ(fit.ReadPrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(services.current[4120], 1);
    EXPECT_EQ(services.current[4142], 100);
    LoadTicket(
        TEXT("<{f}Feature name='{k}PageScaling'><{f}Option name='{k}CustomSquare'>"
             "<{f}ScoredProperty name='{k}Scale'><{f}ParameterRef name='{k}PageScalingScale'/>"
             "</{f}ScoredProperty></{f}Option></{f}Feature>"
             "<{f}ParameterInit name='{k}PageScalingScale'><{f}Value xsi:type='xsd:integer'>150</{f}Value>"
             "</{f}ParameterInit>"));
    fit.ReadPrintTicket(m_dom.Get());
    EXPECT_EQ(services.current[4120], 3);
    EXPECT_EQ(services.current[4142], 150);
    EXPECT_EQ(fit.WritePrintTicket(nullptr), E_FAIL);
}

TEST_F(LayoutHandlersTest, FitToSizeWritesTheTargetPaper)
{
    services.current = {{4120, 2}, {4121, 256}, {4142, 100}};
    services.listed[4121] = {{256, 1, TEXT("Letter")}};
    services.answer = [](int command, int* value, int* result) {
        if (command == PAPER_COMMAND_GET_SIZE && *value == 1) {
            result[0] = 2159;
            result[1] = 2794;
        }
        return 0;
    };
    CNiraFitToSizeHandler fit;
    fit.Attach(&services, 4120, nullptr);
    LoadTicket(WString());
    EXPECT_EQ(fit.WritePrintTicket(m_dom.Get()), 0);
    Reload();
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:PageScaling']/f:Option[@name='ns0000:ZQPrintDocumentOn']")),
              1)
        << Narrow(Xml());
    EXPECT_EQ(Text(TEXT("//f:ParameterInit[@name='psk:PageScalingScaleWidth']/f:Value")), TEXT("215900"));
}

TEST_F(LayoutHandlersTest, FitToSizeOffersTheUsersForms)
{
    CNiraFitToSizeHandler fit;
    fit.Attach(&services, 4120, nullptr);
    CustomForm forms[3] = {};
    const WCHAR* names[] = {TEXT("Banner"), TEXT("Borderless card"), TEXT("Square")};
    CNiraIdMap loaded;
    for (int i = 0; i < 3; ++i) {
        forms[i].record.paperIndex = 501 + i;
        forms[i].record.borderless = i == 1 ? 1 : 0;
        lstrcpynW(forms[i].name, names[i], CustomForm::kNameChars);
        loaded.SetAt(forms[i].record.paperIndex, &forms[i]);
    }
    // The forms loaded: every form with borders, in the map's order (newest first).
    EXPECT_EQ(fit.OnCommand(4114, 26, reinterpret_cast<int*>(&loaded), nullptr), 0);
    EXPECT_EQ(services.calls,
              (std::vector<Call>{{"AddOption", 4120, 4121, 503}, {"AddOption", 4120, 4121, 501}}));
    EXPECT_EQ(services.added, TEXT("Banner"));

    // A form added, then one removed.
    services.calls.clear();
    EXPECT_EQ(fit.OnCommand(4114, 12, reinterpret_cast<int*>(&forms[2]), nullptr), 0);
    int removed = 501;
    EXPECT_EQ(fit.OnCommand(4114, 13, &removed, nullptr), 0);
    EXPECT_EQ(services.calls,
              (std::vector<Call>{{"AddOption", 4120, 4121, 503}, {"RemoveOption", 4120, 4121, 501}}));
    CNiraIdMap none;
    services.calls.clear();
    EXPECT_EQ(fit.OnCommand(4114, 26, reinterpret_cast<int*>(&none), nullptr), 0);
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(fit.OnCommand(4114, 26, nullptr, nullptr), NIRA_STATUS_FAILED);
}

TEST_F(LayoutHandlersTest, APosterSwitchesFitToSizeOff)
{
    services.current = {{4114, 259}, {4120, 3}};
    CNiraFitToSizeHandler fit;
    fit.Attach(&services, 4120, nullptr);
    int option = 3;
    EXPECT_EQ(fit.OnCommand(4219, 35, &option, nullptr), 0);
    EXPECT_EQ(services.current[4121], 259);
    EXPECT_EQ(services.current[4120], 1);
    EXPECT_EQ(services.display[4121], 2);
    services.calls.clear();
    option = 1;
    EXPECT_EQ(fit.OnCommand(4219, 35, &option, nullptr), 0);  // no poster: nothing
    EXPECT_TRUE(services.calls.empty());
    EXPECT_EQ(fit.OnCommand(4219, 35, nullptr, nullptr), NIRA_STATUS_FAILED);
}

TEST_F(LayoutHandlersTest, PagesPerSheetAndTheirOrder)
{
    CNiraPagesPerSheetHandler nup;
    nup.Attach(&services, 4128, nullptr);
    LoadTicket(
        TEXT("<{f}Feature name='{k}DocumentNUp'><{f}Option><{f}ScoredProperty name='{k}PagesPerSheet'>"
             "<{f}Value xsi:type='xsd:integer'>9</{f}Value></{f}ScoredProperty></{f}Option>"
             "<{f}Feature name='{k}PresentationDirection'><{f}Option name='{k}LeftBottom'/></{f}Feature>"
             "</{f}Feature>"));
    EXPECT_EQ(nup.ReadPrintTicket(m_dom.Get()), 0);
    EXPECT_EQ(services.current[4128], 5);
    EXPECT_EQ(services.current[4129], 3);
    LoadTicket(WString());
    nup.WritePrintTicket(m_dom.Get());
    Reload();
    EXPECT_EQ(Text(TEXT("//f:ScoredProperty[@name='psk:PagesPerSheet']/f:Value")), TEXT("9"));
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:PresentationDirection']/f:Option[@name='psk:LeftBottom']")),
              1);
}

TEST_F(LayoutHandlersTest, OrientationWithItsRotation)
{
    CNiraOrientationHandler orientation;
    orientation.Attach(&services, 4118, nullptr);
    struct Case {
        const WCHAR* option;
        int orientation;
        int rotation;
    } cases[] = {{TEXT("{k}Landscape"), 2, 1},
                 {TEXT("{n}ZQRotatePortrait90"), 1, 2},
                 {TEXT("{k}ReversePortrait"), 0, 0},
                 {TEXT("{k}ReverseLandscape"), 0, 0}};
    for (const Case& c : cases) {
        LoadTicket(FeatureWithOption(TEXT("{k}PageOrientation"), c.option));
        orientation.ReadPrintTicket(m_dom.Get());
        EXPECT_EQ(services.current[4118], c.orientation) << Narrow(c.option);
        EXPECT_EQ(services.current[4135], c.rotation) << Narrow(c.option);
    }
    // A click on the sheet picture turns the page; an orientation that cannot be read turns to landscape.
    services.current[4118] = 2;
    EXPECT_EQ(orientation.OnCommand(4132, 11, nullptr, nullptr), 0);
    EXPECT_EQ(services.current[4118], 1);
    services.current.erase(4118);
    orientation.OnCommand(4132, 11, nullptr, nullptr);
    EXPECT_EQ(services.current[4118], 2);
    EXPECT_EQ(orientation.OnCommand(4132, 12, nullptr, nullptr), NIRA_STATUS_FAILED);

    // The rotated orientations are offered only by a handler that serves the rotation.
    const WString options = TEXT("/f:PrintCapabilities/f:Feature[@name='psk:PageOrientation']/f:Option");
    const WString rotated =
        options + TEXT("[@name='ns0000:ZQRotatePortrait90' or @name='ns0000:ZQRotateLandscape90']");
    LoadCapabilities(WString());
    orientation.WritePrintCapabilities(nullptr, m_dom.Get());
    Reload();
    EXPECT_EQ(Count(options), 2) << Narrow(Xml());
    EXPECT_EQ(Count(rotated), 0);
    orientation.AddFeature(4135);
    LoadCapabilities(WString());
    orientation.WritePrintCapabilities(nullptr, m_dom.Get());
    Reload();
    EXPECT_EQ(Count(options), 4) << Narrow(Xml());
    EXPECT_EQ(Count(rotated), 2);
    EXPECT_EQ(Count(options + TEXT("[@name='psk:ReversePortrait']")), 0);
}

TEST_F(LayoutHandlersTest, PostersBookletsAndRollCut)
{
    CNiraPosterHandler poster;
    poster.Attach(&services, 4219, nullptr);
    services.current[4219] = 3;
    LoadTicket(WString());
    poster.WritePrintTicket(m_dom.Get());
    Reload();
    EXPECT_EQ(Text(TEXT("//f:ScoredProperty[@name='psk:SheetsPerPage']/f:Value")), TEXT("9"))
        << Narrow(Xml());
    poster.ReadPrintTicket(m_dom.Get());
    EXPECT_EQ(services.current[4219], 3);

    CNiraBookletHandler booklet;
    booklet.Attach(&services, 4130, nullptr);
    services.current[4130] = 3;
    LoadTicket(WString());
    booklet.WritePrintTicket(m_dom.Get());
    services.current[4130] = 0;
    booklet.ReadPrintTicket(m_dom.Get());
    EXPECT_EQ(services.current[4130], 3);  // right-edge booklet, back and forth

    CNiraRollCutHandler rollCut;
    rollCut.Attach(&services, 4254, nullptr);
    services.current[4133] = 2;
    services.current[4132] = 1;
    LoadTicket(WString());
    rollCut.WritePrintTicket(m_dom.Get());
    services.current[4133] = 0;
    rollCut.ReadPrintTicket(m_dom.Get());
    EXPECT_EQ(services.current[4133], 2);  // saving roll paper "On"
    EXPECT_EQ(services.current[4132], 1);
}
