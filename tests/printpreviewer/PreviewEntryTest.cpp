// The export: the window on the calling thread, the document from the worker, the user's answer
// (played by the idle script once the worker has attached), and the page files deleted afterwards.
#include <commctrl.h>
#include <shlobj.h>
#include <nirasim/Windows.h>

#include <functional>

#include "PreviewFixture.h"
#include "printpreviewer/PreviewWindow.h"

namespace {

using DisplayProc = INT(WINAPI*)(PreviewJobBlock);

// The preview's frame: the visible top-level window.
HWND Frame()
{
    return GetForegroundWindow();
}

class PreviewEntryTest : public PreviewFixture {
protected:
    // Runs the export with a user who does `act` on the frame once the window is idle.
    INT Run(const PreviewJobBlock& block, std::function<void(HWND frame)> act)
    {
        auto display = reinterpret_cast<DisplayProc>(
            reinterpret_cast<void*>(GetProcAddress(m_module, "BDisplayZQPrintPreview")));
        EXPECT_NE(display, nullptr);
        m_played = 0;
        nirasim::SetIdleScript([&] {
            HWND frame = Frame();
            if (m_played++ > 0 || frame == nullptr) {
                return false;
            }
            WCHAR title[256] = {};
            GetWindowTextW(frame, title, 256);
            m_title = title;
            act(frame);
            return true;
        });
        return display == nullptr ? -1 : display(block);
    }
    static void Send(HWND frame, UINT command) { SendMessageW(frame, WM_COMMAND, command, 0); }

    int m_played = 0;
    std::u16string m_title;
};

}  // namespace

TEST_F(PreviewEntryTest, EveryWayOutButPrintAnswersNothing)
{
    struct Case {
        const char* what;
        std::function<void(HWND)> act;
        INT answer;
    } cases[] = {
        {"print", [](HWND frame) { Send(frame, kPrint); }, 1},
        {"print button",
         [](HWND frame) {
             nirasim::ClickToolbarButton(GetDlgItem(frame, CNiraPreviewWindow::kToolbarId), kPrint);
         },
         1},
        {"cancel", [](HWND frame) { Send(frame, kCancelPrinting); }, 0},
        {"exit", [](HWND frame) { Send(frame, kExit); }, 0},
        {"close", [](HWND frame) { SendMessageW(frame, WM_CLOSE, 0, 0); }, 0},
        {"user leaves it open", [](HWND) {}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(Block(2), c.act), c.answer) << c.what;
        EXPECT_EQ(m_title, TEXT("Sample Printer - Report")) << c.what;
    }
    PreviewJobBlock noRecords = Block(2);
    noRecords.pageRecords = nullptr;  // an empty preview: no document
    EXPECT_EQ(Run(noRecords, [](HWND frame) { Send(frame, kPrint); }), 1);
    EXPECT_EQ(Run(noRecords, [](HWND frame) { Send(frame, kCancelPrinting); }), 0);
}

TEST_F(PreviewEntryTest, AnEmptyBlockOpensNoWindow)
{
    PreviewJobBlock block = Block(2);
    block.recordCount = 0;
    EXPECT_EQ(Run(block, [](HWND frame) { Send(frame, kPrint); }), 0);
    EXPECT_EQ(m_played, 0);
}

TEST_F(PreviewEntryTest, TheTitleFallsBackWithoutTheStringLibrary)
{
    PreviewJobBlock block = Block(2, 1, DMDUP_SIMPLEX, false);
    block.pageRecords = nullptr;
    Run(block, [](HWND frame) { Send(frame, kExit); });
    // Another preview in this process may have loaded the library already: its title is the
    // library's, else the fallback.
    EXPECT_TRUE(m_title == TEXT("zq preview") || m_title == TEXT("Print Preview")) << nirasim::Utf8(m_title);
}

TEST_F(PreviewEntryTest, PageFilesAreDeletedAfterTheWindow)
{
    WCHAR folder[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, folder)));
    std::u16string base = std::u16string(folder) + TEXT("\\[j0012]-[p0");
    for (char16_t k = static_cast<char16_t>('1'); k <= static_cast<char16_t>('4'); ++k) {
        ASSERT_TRUE(m_machine.WriteFile(base + k + TEXT("].bmp"), "BM"));
    }
    bool seenWhileOpen = false;
    EXPECT_EQ(Run(Block(2, 2),
                  [&](HWND frame) {
                      seenWhileOpen = m_machine.FileExists(base + TEXT("4].bmp"));
                      Send(frame, kPrint);
                  }),
              1);
    EXPECT_TRUE(seenWhileOpen);
    for (char16_t k = static_cast<char16_t>('1'); k <= static_cast<char16_t>('4'); ++k) {
        EXPECT_FALSE(m_machine.FileExists(base + k + TEXT("].bmp")));
    }
}

TEST_F(PreviewEntryTest, AWindowThatCannotBeMadeAnswersNothing)
{
    m_machine.FailCalls("CreateWindowExW", ERROR_NOT_ENOUGH_MEMORY);
    EXPECT_EQ(Run(Block(2), [](HWND frame) { Send(frame, kPrint); }), 0);
    EXPECT_EQ(m_played, 0);
}

TEST_F(PreviewEntryTest, CancelToTheColorToolStartsItQuoted)
{
    m_machine.InstallSamplePackage(NIRA_BUILD_DIR);
    m_machine.AddSamplePrinter("Sample Printer");
    PreviewJobBlock block = Block(2);
    block.colorToolEnabled2 = 1;
    lstrcpynW(block.colorToolArgument, TEXT("/job 12"), 256);
    EXPECT_EQ(Run(block, [](HWND frame) { Send(frame, kBackToColorTool); }), 0);
    std::vector<nirasim::ProcessStart> started = m_machine.ProcessesStarted();
    ASSERT_EQ(started.size(), 1u);
    const std::u16string& line = started[0].commandLine;
    EXPECT_EQ(line.substr(0, 1), TEXT("\""));
    EXPECT_NE(line.find(TEXT("\\niracolor.exe\" /job 12")), std::u16string::npos);
}
