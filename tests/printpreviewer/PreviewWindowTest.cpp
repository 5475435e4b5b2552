// The preview frame on the test's thread: its toolbar and zoom box, the attach, the commands
// and the page buttons, the canvas's scroll bars and the window's size limit.
#include <commctrl.h>
#include <nirasim/Windows.h>

#include "PreviewFixture.h"
#include "printpreviewer/PreviewTexts.h"
#include "printpreviewer/PreviewWindow.h"

namespace {

class PreviewWindowTest : public PreviewFixture {
protected:
    void Open(bool specialtyInk = false)
    {
        m_frame = std::make_unique<CNiraPreviewWindow>(true, specialtyInk, TEXT("--job 12"));
        HMENU menu = LoadMenuW(m_module, MAKEINTRESOURCEW(20));
        ASSERT_NE(menu, nullptr);
        ASSERT_NE(m_frame->Create(TEXT("Preview"), 0, TEXT("zq preview"), 0x10CF0000, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, menu, m_module),
                  nullptr);
    }
    void Attach(PreviewJobBlock block)
    {
        m_block = block;
        m_document.reset(CNiraPreviewDocument::Build(m_block));
        EXPECT_EQ(m_frame->AttachDocument(m_document.get(), m_block.printerName, m_module), nullptr);
    }
    void TearDown() override
    {
        if (m_frame != nullptr && IsWindow(m_frame->Window())) {
            DestroyWindow(m_frame->Window());
        }
        m_frame.reset();
        m_document.reset();
        PreviewFixture::TearDown();
    }
    void Command(UINT command) { SendMessageW(m_frame->Window(), WM_COMMAND, command, 0); }
    bool Enabled(UINT command)
    {
        return SendMessageW(m_frame->Toolbar(), TB_ISBUTTONENABLED, command, 0) != 0;
    }
    LONG ZoomBoxWidth()
    {
        RECT box = {};
        GetWindowRect(m_frame->ZoomBox(), &box);
        return box.right - box.left;
    }

    PreviewJobBlock m_block = {};
    std::unique_ptr<CNiraPreviewWindow> m_frame;
    std::unique_ptr<CNiraPreviewDocument> m_document;
};

}  // namespace

TEST_F(PreviewWindowTest, AttachingShowsTheJobAndRelabelsTheMenus)
{
    LoadStringLibrary(kStringLibrary);
    Open();
    Attach(Block(3));
    WCHAR title[256] = {};
    GetWindowTextW(m_frame->Window(), title, 256);
    EXPECT_EQ(std::u16string(title), TEXT("Sample Printer - Report"));
    HMENU menu = GetMenu(m_frame->Window());
    WCHAR item[260] = {};
    GetMenuStringW(menu, kPrint, item, 260, MF_BYCOMMAND);
    EXPECT_NE(std::u16string(item).find(TEXT("Sample Printer")), std::u16string::npos);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetSubMenu(menu, 1), 0)), 11);
    EXPECT_EQ(SendMessageW(m_frame->ZoomBox(), CB_GETCOUNT, 0, 0), 11);
    EXPECT_EQ(SendMessageW(m_frame->ZoomBox(), CB_GETCURSEL, 0, 0), 10);  // Two Pages
    EXPECT_EQ(m_frame->Canvas().ZoomMode(), 4);
    EXPECT_EQ(m_frame->Canvas().Columns(), 2);
    EXPECT_NE(nirasim::ToolbarButtonText(m_frame->Toolbar(), kPrint), TEXT(""));
    // Three parts in the status bar, the page shown in the first.
    EXPECT_EQ(nirasim::StatusParts(m_frame->StatusBar()).size(), 3u);
    EXPECT_EQ(nirasim::StatusText(m_frame->StatusBar(), 0), TEXT("Page 1 of 3"));
}

TEST_F(PreviewWindowTest, TheZoomBoxIsHalfAsWideWithTheSpecialtyInkNotice)
{
    Open(false);
    LONG plain = ZoomBoxWidth();
    DestroyWindow(m_frame->Window());
    Open(true);
    EXPECT_EQ(ZoomBoxWidth() * 2, plain);
    EXPECT_NE(GetDlgItem(m_frame->Toolbar(), kBackToColorTool), nullptr);
}

TEST_F(PreviewWindowTest, CommandsZoomStepAndAnswer)
{
    Open();
    Attach(Block(6));
    // Fixed zooms come from the menu and the zoom box alike.
    Command(27);
    EXPECT_EQ(m_frame->Canvas().Zoom(), 96);
    EXPECT_EQ(SendMessageW(m_frame->ZoomBox(), CB_GETCURSEL, 0, 0), 4);
    nirasim::ChooseItem(m_frame->ZoomBox(), 5);
    EXPECT_EQ(m_frame->Canvas().Zoom(), 48);
    EXPECT_EQ(m_frame->SelectedZoom(), 28u);
    // First and Previous wait for a page to go back to.
    EXPECT_FALSE(Enabled(kFirstPage));
    EXPECT_TRUE(Enabled(kNextPage));
    Command(kNextPage);
    EXPECT_EQ(m_frame->Canvas().PageNumber(), 1);
    Command(kZoomTwoPages);
    Command(kNextPage);  // two pages at a time
    EXPECT_EQ(m_frame->Canvas().PageNumber(), 3);
    SendMessageW(m_frame->Window(), WM_KEYUP, VK_NEXT, 0);  // the key moves one
    EXPECT_EQ(m_frame->Canvas().PageNumber(), 4);
    Command(kLastPage);
    EXPECT_EQ(m_frame->Canvas().PageNumber(), 5);
    EXPECT_FALSE(Enabled(kLastPage));
    SendMessageW(m_frame->Window(), WM_KEYUP, VK_NEXT, 0);  // nothing beyond the last page
    EXPECT_EQ(m_frame->Canvas().PageNumber(), 5);
    SendMessageW(m_frame->Window(), WM_KEYUP, VK_HOME, 0);
    EXPECT_EQ(m_frame->Canvas().PageNumber(), 0);
    EXPECT_TRUE(nirasim::ClickToolbarButton(m_frame->Toolbar(), kPrint));
    EXPECT_FALSE(IsWindow(m_frame->Window()));
    EXPECT_EQ(m_frame->Result(), 1);
}

TEST_F(PreviewWindowTest, TheWindowKeepsItsSmallestSize)
{
    Open();
    MINMAXINFO limits = {};
    SendMessageW(m_frame->Window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 320);
    EXPECT_EQ(limits.ptMinTrackSize.y, 240);
}

TEST_F(PreviewWindowTest, AMenuLoopChecksTheSelectedZoom)
{
    Open();
    Command(25);
    SendMessageW(m_frame->Window(), WM_ENTERMENULOOP, FALSE, 0);
    HMENU zoom = GetSubMenu(GetSubMenu(GetMenu(m_frame->Window()), 1), 0);
    EXPECT_EQ(GetMenuState(zoom, 25, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(GetMenuState(zoom, 33, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(PreviewWindowTest, ScrollingFollowsTheBarsButNotTheThumbWhileItIsDragged)
{
    Open();
    Attach(Block(8));
    Command(23);  // 1000 %: far larger than the window
    HWND canvas = m_frame->Canvas().Window();
    nirasim::ScrollBarInfo bar = nirasim::WindowScrollBar(canvas, SB_VERT);
    ASSERT_TRUE(bar.arrowsEnabled);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 300), 0);
    EXPECT_EQ(GetScrollPos(canvas, SB_VERT), 0);
    SendMessageW(canvas, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 300), 0);
    EXPECT_EQ(GetScrollPos(canvas, SB_VERT), 300);
    SendMessageW(canvas, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(GetScrollPos(canvas, SB_VERT), 313);  // 96 dpi x 10 / 72
}
