// Pop-ups on a UI core of the sample printer, the UI sink's answers, and a widget change that the
// sample rules forbid, played by the presentation library's stand-in inside the pages' frame.
#include "SheetsFixture.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uicore/UISink.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "support/WString.h"

namespace {

using presentationdouble::FrameCall;
using presentationdouble::SinkCall;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr int kConflictPopup = 216;
constexpr int kPopupMode = 2;
constexpr DWORD kPopupRequestSize = 576;
constexpr int kPaperSize = 4114;
constexpr int kPaper4x6 = 263;
constexpr int kBorderless = 4119;  // 1 off, 2 on
constexpr int kMediaType = 4116;
constexpr int kPlainPaper = 256;
constexpr int kPhotoPaper = 263;

class CoreSheetsTest : public SheetsTest {
protected:
    void SetUp() override
    {
        SheetsTest::SetUp();
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
        uiCore = std::make_unique<CNiraUICore>();
    }
    void TearDown() override
    {
        uiCore.reset();
        ClosePrinter(printer);
        SheetsTest::TearDown();
    }

    // Binds both sheet instances as any reason but destroy does.
    void BindSheetInstances()
    {
        PROPSHEETUI_INFO info = {};
        info.cbSize = sizeof(info);
        info.Reason = PROPSHEETUI_REASON_GET_INFO_HEADER;
        EXPECT_EQ(uiCore->DocumentPropertySheets(&info, 0, printer, nullptr), 1);
    }
    void Destroy()
    {
        PROPSHEETUI_INFO info = {};
        info.cbSize = sizeof(info);
        info.Reason = PROPSHEETUI_REASON_DESTROY;
        uiCore->DocumentPropertySheets(&info, 0, printer, nullptr);
    }

    HANDLE printer = nullptr;
    std::unique_ptr<CNiraUICore> uiCore;
};

}  // namespace

TEST_F(CoreSheetsTest, PopupRequestAndItsOwnInstance)
{
    BindSheetInstances();
    ASSERT_EQ(uiCore->ConstructDriverState(printer, nullptr), 0);
    INiraPresentationIntf* pages = uiCore->GetPageInstance();
    ASSERT_NE(pages, nullptr);

    int initializing = 1;
    uiCore->SetSheetInitializing(&initializing);
    WCHAR container[] = TEXT("Feature unavailable");
    EXPECT_EQ(uiCore->ShowPopup(kConflictPopup, container), 0);
    EXPECT_THAT(Journal().frames, IsEmpty());

    initializing = 0;
    uiCore->SetSheetInitializing(&initializing);
    EXPECT_EQ(uiCore->ShowPopup(kConflictPopup, container), 0);
    EXPECT_EQ(uiCore->ShowPopup(kConflictPopup, container), 0);
    ASSERT_EQ(Journal().frames.size(), 2u);
    const FrameCall& popup = Journal().frames[0];
    EXPECT_EQ(popup.mode, kPopupMode);
    EXPECT_EQ(popup.cbSize, kPopupRequestSize);
    EXPECT_EQ(popup.frameType, 0u);
    EXPECT_EQ(popup.version, 1u);
    EXPECT_EQ(popup.popupMessage, static_cast<DWORD>(kConflictPopup));
    EXPECT_EQ(popup.popupParent, 0u);
    EXPECT_EQ(popup.container, TEXT("Feature unavailable"));
    EXPECT_NE(popup.resourceModule, nullptr);
    const std::u16string capability = TEXT("\\3\\niracap.vdf");
    ASSERT_GE(popup.database.size(), capability.size());
    EXPECT_EQ(popup.database.substr(popup.database.size() - capability.size()), capability);
    EXPECT_TRUE(popup.sink && popup.settings && popup.reader && popup.strings);

    // The pop-ups share an instance of their own; the pages keep theirs.
    EXPECT_NE(popup.instance, pages);
    EXPECT_EQ(Journal().frames[1].instance, popup.instance);
    EXPECT_EQ(uiCore->GetPageInstance(), pages);
    EXPECT_EQ(Journal().created, 3);
    Destroy();
    EXPECT_EQ(Journal().freed, 3);
    EXPECT_EQ(uiCore->GetPopupInstance(), nullptr);
}

// A core without the plug-in keeps initialising while its frames are presented: a conflict met
// then is taken back without a pop-up; after the initialisation pop-ups are shown.
TEST_F(CoreSheetsTest, PopupDuringInitializationShowsNothing)
{
    std::vector<BYTE> devMode = Core().DefaultDevMode().devMode;
    ASSERT_GE(devMode.size(), sizeof(DEVMODEW));
    Script().container = TEXT("DocPropSheet");
    Script().steps = {{SinkCall::ForceCurrentOption, kPaperSize, kPaper4x6},
                      {SinkCall::BackupSettings, kBorderless},
                      {SinkCall::ForceCurrentOption, kBorderless, 2},
                      {SinkCall::OnOptionChanged, kBorderless},
                      {SinkCall::ResolveConflicts, kBorderless}};
    WString name = kPrinter;
    OEMUIPSPARAM param = {};
    param.cbSize = sizeof(param);
    param.hPrinter = printer;
    param.pPrinterName = name.data();
    param.pPublicDM = reinterpret_cast<DEVMODEW*>(devMode.data());
    PROPSHEETUI_INFO info = {};
    info.cbSize = sizeof(info);
    info.Reason = PROPSHEETUI_REASON_INIT;
    info.lParamInit = reinterpret_cast<LPARAM>(&param);
    EXPECT_EQ(uiCore->DocumentPropertySheets(&info, 0, printer, nullptr), 1);

    ASSERT_EQ(Journal().frames.size(), 2u);
    EXPECT_EQ(Journal().frames[1].container, TEXT("DocPropSheet"));
    ASSERT_EQ(Journal().frames[1].steps.size(), 5u);
    EXPECT_EQ(Journal().frames[1].steps[4].out, 1);  // reverted, quietly
    EXPECT_EQ(uiCore->GetSheetRequest()->cbSize, 1064u);

    WCHAR container[] = TEXT("Feature unavailable");
    EXPECT_EQ(uiCore->ShowPopup(kConflictPopup, container), 0);
    ASSERT_EQ(Journal().frames.size(), 3u);
    EXPECT_EQ(Journal().frames[2].mode, kPopupMode);
    Destroy();
    EXPECT_EQ(uiCore->GetSheetRequest(), nullptr);
}

// A pop-up outside the sheets stays until the core goes, which frees its instance.
TEST_F(CoreSheetsTest, PopupInstanceIsFreedWithTheCore)
{
    ASSERT_EQ(uiCore->ConstructDriverState(printer, nullptr), 0);
    WCHAR container[] = TEXT("Feature unavailable");
    uiCore->ShowPopup(kConflictPopup, container);
    EXPECT_EQ(Journal().frames.size(), 1u);
    uiCore.reset();
    EXPECT_EQ(Journal().created, 1);
    EXPECT_EQ(Journal().freed, 1);
}

TEST_F(CoreSheetsTest, UnboundSinkAnswersFailure)
{
    CNiraUISink sink(nullptr);
    int reverted = 0;
    int helpId = 0;
    EXPECT_EQ(sink.BackupSettings(kPaperSize, 1), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.OnOptionChanged(kPaperSize, 1), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.ResolveConflicts(kPaperSize, &reverted, 1, 0), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.NotifyFeatureHandler(kPaperSize), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.GetHelpId(kPaperSize, &helpId), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.QueuePendingChange(kPaperSize, 1, 1, 0), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.TakeValueSnapshot(), NIRA_STATUS_FAILED);
    EXPECT_EQ(sink.PaintWidget(6002, nullptr, 0), 0);
    EXPECT_EQ(sink.GetResourceModule(), nullptr);
    EXPECT_EQ(sink.GetPrinterAccess(), nullptr);
}

TEST_F(CoreSheetsTest, BoundSinkForwardsToItsCore)
{
    INiraUISink* sink = uiCore->GetSink();
    ASSERT_NE(sink, nullptr);
    WCHAR* path = reinterpret_cast<WCHAR*>(&path);
    EXPECT_EQ(sink->GetHelpFilePath(&path), NIRA_STATUS_FAILED);  // no printer access yet
    EXPECT_EQ(path, nullptr);

    ASSERT_EQ(uiCore->ConstructDriverState(printer, nullptr), 0);
    int helpId = 77;
    EXPECT_EQ(sink->GetHelpId(99999, &helpId), 0);
    EXPECT_EQ(helpId, 77);
    CNiraPrinterAccess* access = sink->GetPrinterAccess();
    EXPECT_NE(access, nullptr);
    EXPECT_EQ(sink->GetPrinterAccess(), access);
    EXPECT_EQ(access, uiCore->GetPrinterAccess());
}

// Borderless printing is on and the widget of the paper type chooses plain paper, which a sample
// rule forbids: the settings go back and the conflict pop-up is asked for with its texts.
TEST_F(SheetsTest, ForbiddenPaperTypeIsRevertedWithThePopup)
{
    Script().container = TEXT("DocPropSheet");
    Script().steps = {
        {SinkCall::ForceCurrentOption, kPaperSize, kPaper4x6},
        {SinkCall::ForceCurrentOption, kMediaType, kPhotoPaper},
        {SinkCall::ForceCurrentOption, kBorderless, 2},
        {SinkCall::TakeValueSnapshot},
        {SinkCall::BackupSettings, kMediaType},
        {SinkCall::ForceCurrentOption, kMediaType, kPlainPaper},
        {SinkCall::OnOptionChanged, kMediaType},
        {SinkCall::ResolveConflicts, kMediaType},
        {SinkCall::RefreshChangedHandlers},
        {SinkCall::GetHelpId, 99999},
    };
    Core().RunPropertySheets(true, {});

    ASSERT_EQ(Journal().frames.size(), 3u);
    const FrameCall& pages = Journal().frames[2];
    EXPECT_EQ(pages.container, TEXT("DocPropSheet"));
    ASSERT_EQ(pages.steps.size(), Script().steps.size());
    EXPECT_EQ(pages.steps[7].out, 1);  // reverted
    EXPECT_EQ(pages.steps[9].status, 0);
    EXPECT_EQ(pages.steps[9].out, -1);

    const FrameCall& popup = Journal().frames[1];
    EXPECT_EQ(popup.popupMessage, static_cast<DWORD>(kConflictPopup));
    EXPECT_EQ(popup.cbSize, kPopupRequestSize);
    EXPECT_NE(popup.instance, pages.instance);
    EXPECT_THAT(popup.popupTexts, ElementsAre(TEXT("These settings cannot be used together:"),
                                              TEXT("The previous settings are restored."), TEXT("Paper type"),
                                              TEXT(":"), TEXT("Plain paper"), TEXT("-"),
                                              TEXT("Borderless printing"), TEXT(":"), TEXT("On")));
}
