// The preview frame on the test's thread: its toolbar and zoom box, the attach, the commands
// and the page buttons, the canvas's scroll bars and the window's size limit.
#include <commctrl.h>

#include <algorithm>
#include <nirasim/Gdi.h>
#include <nirasim/Windows.h>

#include "PreviewFixture.h"
#include "printpreviewer/PreviewTexts.h"
#include "printpreviewer/PreviewWindow.h"

namespace {

// The window of another program that realised its palette.
constexpr WPARAM kOtherProgramsWindow = 0x0BAD0;

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
    Command(32);  // the box follows a fitting zoom from the menu too
    EXPECT_EQ(SendMessageW(m_frame->ZoomBox(), CB_GETCURSEL, 0, 0), 9);
    Command(kZoomTwoPages);
    EXPECT_EQ(SendMessageW(m_frame->ZoomBox(), CB_GETCURSEL, 0, 0), 10);
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

TEST_F(PreviewWindowTest, OnlyTheFirstDroppedFileIsPrintedHidden)
{
    Open();
    const std::u16string longPath = TEXT("C:\\Docs\\") + std::u16string(300, TEXT('x'));
    ASSERT_TRUE(
        nirasim::DropFiles(m_frame->Window(), {TEXT("C:\\Docs\\letter.txt"), TEXT("C:\\Docs\\b.txt")}));
    ASSERT_TRUE(nirasim::DropFiles(m_frame->Window(), {longPath}));
    std::vector<nirasim::ShellExecution> runs = nirasim::ShellExecutions();
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].verb, TEXT("print"));
    EXPECT_EQ(runs[0].file, TEXT("C:\\Docs\\letter.txt"));
    EXPECT_EQ(runs[0].show, SW_HIDE);
    EXPECT_EQ(runs[1].file, longPath.substr(0, MAX_PATH - 1));
    EXPECT_EQ(nirasim::OpenDrops(), 0);
    std::vector<std::u16string> debug = m_machine.DebugOutput();
    EXPECT_NE(std::find(debug.begin(), debug.end(), TEXT("C:\\Docs\\letter.txt")), debug.end());
}

TEST_F(PreviewWindowTest, APaletteDisplayKeepsAHalftonePaletteRealised)
{
    nirasim::SetDisplayBitsPerPixel(8);
    Open();
    Attach(Block(2));
    ASSERT_EQ(nirasim::GdiCallsNamed("CreateHalftonePalette").size(), 1u);
    UpdateWindow(m_frame->Canvas().Window());
    std::vector<nirasim::GdiCall> realized = nirasim::GdiCallsNamed("RealizePalette");
    ASSERT_EQ(realized.size(), 1u);
    EXPECT_EQ(realized[0].result, 256);
    // Nothing moved the colours: the canvas has nothing to realise when it comes to the front.
    EXPECT_EQ(SendMessageW(m_frame->Window(), WM_QUERYNEWPALETTE, 0, 0), 0);
    // The frame's own palette change is not passed on; another program's is.
    SendMessageW(m_frame->Window(), WM_PALETTECHANGED, reinterpret_cast<WPARAM>(m_frame->Window()), 0);
    EXPECT_TRUE(nirasim::GdiCallsNamed("UnrealizeObject").empty());
    nirasim::RealizeOtherProgramsPalette();
    SendMessageW(m_frame->Window(), WM_PALETTECHANGED, kOtherProgramsWindow, 0);
    EXPECT_EQ(nirasim::GdiCallsNamed("UpdateColors").size(), 1u);
    nirasim::ClearInvalidations();
    EXPECT_EQ(SendMessageW(m_frame->Window(), WM_QUERYNEWPALETTE, 0, 0), 1);
    std::vector<nirasim::Invalidation> invalidated = nirasim::Invalidations();
    ASSERT_FALSE(invalidated.empty());
    EXPECT_EQ(invalidated.back().window, m_frame->Canvas().Window());
}

TEST_F(PreviewWindowTest, ATrueColourDisplayHasNoPalette)
{
    Open();
    Attach(Block(2));
    UpdateWindow(m_frame->Canvas().Window());
    SendMessageW(m_frame->Window(), WM_PALETTECHANGED, kOtherProgramsWindow, 0);
    EXPECT_TRUE(nirasim::GdiCallsNamed("CreateHalftonePalette").empty());
    EXPECT_TRUE(nirasim::GdiCallsNamed("RealizePalette").empty());
    EXPECT_EQ(SendMessageW(m_frame->Window(), WM_QUERYNEWPALETTE, 0, 0), 0);
}
