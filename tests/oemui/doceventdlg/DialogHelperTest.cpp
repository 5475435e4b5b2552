// The dialog helpers: the right-to-left choice, texts with their defaults, the rectangle a bitmap
// is painted in, and controls moved.
#include "JobDialogFixture.h"

#include "oemui/doceventdlg/DialogHelper.h"
#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/JobWarningDialog.h"

class DialogHelperTest : public JobDialogFixture {};

TEST_F(DialogHelperTest, HebrewAndArabicUsersGetTheRightToLeftTemplates)
{
    struct Case {
        LANGID language;
        BOOL rightToLeft;
    } cases[] = {{1037, TRUE}, {1025, TRUE}, {0x0C01, TRUE}, {0x3801, TRUE}, {1065, FALSE}, {1033, FALSE}};
    for (const Case& c : cases) {
        m_machine.SetUILanguage(c.language);
        CNiraDialogHelper helper;
        EXPECT_EQ(helper.IsRightToLeft(), c.rightToLeft) << c.language;
        EXPECT_EQ(helper.TemplateId(IDD_JOB_STORAGE, IDD_JOB_STORAGE_RTL),
                  c.rightToLeft ? IDD_JOB_STORAGE_RTL : IDD_JOB_STORAGE);
        EXPECT_EQ(helper.TemplateId(IDD_MANUAL_DUPLEX, IDD_MANUAL_DUPLEX_RTL),
                  c.rightToLeft ? IDD_MANUAL_DUPLEX_RTL : IDD_MANUAL_DUPLEX);
        EXPECT_EQ(JobWarningTemplate(WarningRequest(), helper.IsRightToLeft()),
                  c.rightToLeft ? IDD_JOB_WARNING_RTL : IDD_JOB_WARNING);
    }
}

TEST_F(DialogHelperTest, DefaultsAreCutTo255AndLibraryTextsWin)
{
    CNiraDialogHelper helper;
    helper.LoadStringModule(DriverFile(TEXT("nirastr.dll")).c_str());
    WString longDefault(300, TEXT('d'));
    WCHAR text[kDialogTextChars + 1] = {};
    helper.LoadTextOrDefault(9999, longDefault.c_str(), text);
    EXPECT_EQ(WString(text), longDefault.substr(0, 255));
    helper.LoadTextOrDefault(3064, longDefault.c_str(), text);
    EXPECT_EQ(WString(text), TEXT("Job Storage Identification"));

    CNiraDialogHelper withoutLibrary;
    withoutLibrary.LoadTextOrDefault(3064, TEXT("Default"), text);
    EXPECT_EQ(WString(text), TEXT("Default"));
}

TEST_F(DialogHelperTest, PaintRectanglesAndMovedControls)
{
    HWND parent = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_POPUP, 100, 100, 400, 300, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND control = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_CHILD | WS_VISIBLE, 20, 30, 160, 90,
                                   parent, nullptr, nullptr, nullptr);
    ASSERT_NE(control, nullptr);

    m_machine.SetUILanguage(1033);
    CNiraDialogHelper leftToRight;
    RECT rect = leftToRight.PaintRect(control);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 160);
    EXPECT_EQ(rect.bottom, 90);
    m_machine.SetUILanguage(1037);
    CNiraDialogHelper rightToLeft;
    rect = rightToLeft.PaintRect(control);
    EXPECT_EQ(rect.left, 160);
    EXPECT_EQ(rect.right, 0);

    RECT placed = {};
    int width = 0;
    int height = 0;
    CNiraDialogHelper::GetControlRect(parent, control, &placed, &width, &height);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 30);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 90);
    CNiraDialogHelper::MoveControl(control, placed, width, height, 57.9f);
    CNiraDialogHelper::GetControlRect(parent, control, &placed, &width, &height);
    EXPECT_EQ(placed.left, 20);
    EXPECT_EQ(placed.top, 57);
    EXPECT_EQ(height, 90);
    DestroyWindow(parent);
}
