// The entry points as the print-UI host calls them: niraevt.dll loaded from the driver's folder,
// the record behind the request text, and the reply the sender counts.
#include "JobDialogFixture.h"

#include <nirasim/AsyncUI.h>
#include <nirasim/Modules.h>

#include <atomic>
#include <chrono>
#include <future>

#include "common/AsyncUIRequest.h"
#include "common/PreviewRecords.h"
#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/NiraEvtExports.h"

namespace {

constexpr UINT kPreviewPrint = 38;
constexpr UINT kPreviewCancel = 35;
constexpr int kPreviewStatusBar = 102;

bool PreviewLoaded()
{
    for (const std::u16string& path : nirasim::ModulesLoaded()) {
        if (path.size() >= 12 && lstrcmpiW(path.c_str() + path.size() - 12, TEXT("niraprev.dll")) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

class EntryPointsTest : public JobDialogFixture {
protected:
    void SetUp() override
    {
        JobDialogFixture::SetUp();
        m_machine.SetWindowsVersion(6, 1);
    }

    // Sends a request for an entry point with `record` behind the text; the host calls it.
    BOOL Send(LPCWSTR entryPoint, const std::vector<BYTE>& record)
    {
        std::vector<BYTE> message(AsyncUIRequestSize(entryPoint, record.size()));
        size_t offset = AsyncUIRequestRecordOffset(entryPoint);
        WriteAsyncUIRequestText(entryPoint, reinterpret_cast<LPWSTR>(message.data()), offset / sizeof(WCHAR));
        std::copy(record.begin(), record.end(), message.begin() + static_cast<std::ptrdiff_t>(offset));
        nirasim::asyncui::ScriptReplies({nirasim::asyncui::CallEntryPoint()});
        BOOL confirmed = SendAsyncUIRequest(kPrinterName, TEXT("bidi"), message.data(),
                                            static_cast<DWORD>(message.size()));
        nirasim::asyncui::WaitForHost();
        return confirmed;
    }
    static WString LastReply()
    {
        std::vector<nirasim::asyncui::Request> requests = nirasim::asyncui::Requests();
        return requests.empty() || !requests.back().entryPointCalled ? WString(TEXT("(not called)"))
                                                                     : requests.back().entryPointReply;
    }

    // A preview block of `count` sheets as the print processor sends it: the block, then the
    // records with the sender's own pointers in `next`.
    std::vector<BYTE> PreviewRecord(LONG count, LONG recordsSent, const WCHAR* printer = kPrinterName)
    {
        PreviewJobBlock block = {};
        lstrcpynW(block.stringDllPath, DriverFile(TEXT("nirastr.dll")).c_str(), kPreviewTextChars);
        lstrcpynW(block.printerName, printer, kPreviewTextChars);
        lstrcpynW(block.documentName, TEXT("Report"), kPreviewTextChars);
        block.jobId = 7;
        block.recordCount = count;
        block.copies = 1;
        block.collate = 1;
        block.pagesPerSheet = 1;
        block.scalePercent = 100;
        block.dpiX = block.dpiY = 300;
        std::vector<BYTE> bytes(reinterpret_cast<BYTE*>(&block),
                                reinterpret_cast<BYTE*>(&block) + sizeof(block));
        for (LONG i = 0; i < recordsSent; ++i) {
            PreviewPageRecord record = {};
            record.paperSize = DMPAPER_LETTER;
            record.sheetWidth = 2550.0f;
            record.sheetHeight = 3300.0f;
            record.orientation = DMORIENT_PORTRAIT;
            record.next = i + 1 < recordsSent ? reinterpret_cast<PreviewPageRecord*>(0x1000 + i) : nullptr;
            const BYTE* raw = reinterpret_cast<const BYTE*>(&record);
            bytes.insert(bytes.end(), raw, raw + sizeof(record));
        }
        return bytes;
    }
    template <class Record>
    static std::vector<BYTE> Bytes(const Record& record)
    {
        const BYTE* raw = reinterpret_cast<const BYTE*>(&record);
        return std::vector<BYTE>(raw, raw + sizeof(record));
    }
};

TEST_F(EntryPointsTest, ThePreviewShowsTheCopiedSheetsAndAnswersTheUsersChoice)
{
    for (UINT command : {kPreviewPrint, kPreviewCancel}) {
        WString status;
        bool acted = false;
        nirasim::SetIdleScript([&] {
            HWND frame = GetForegroundWindow();
            if (acted || frame == nullptr) {
                return false;
            }
            acted = true;
            status = nirasim::StatusText(GetDlgItem(frame, kPreviewStatusBar), 0);
            SendMessageW(frame, WM_COMMAND, command, 0);
            return true;
        });
        BOOL confirmed = Send(kEntryPointPrintPreview, PreviewRecord(3, 3));
        nirasim::SetIdleScript(nullptr);
        EXPECT_TRUE(acted);
        EXPECT_NE(status.find(TEXT("3")), WString::npos) << nirasim::Utf8(status.c_str());
        EXPECT_EQ(LastReply(), command == kPreviewPrint ? TEXT("OK") : TEXT("Cancel"));
        EXPECT_EQ(confirmed, command == kPreviewPrint ? TRUE : FALSE);
    }
}

TEST_F(EntryPointsTest, ThePreviewRefusesWhatItCannotShowWithoutLoadingTheWindow)
{
    struct Case {
        const char* what;
        std::vector<BYTE> record;
    } cases[] = {
        {"no such printer", PreviewRecord(2, 2, TEXT("Nobody's Printer"))},
        {"count 0", PreviewRecord(0, 0)},
        {"count above the data", PreviewRecord(5, 2)},
        {"count above the most a request carries", PreviewRecord(kMaxPreviewRecords + 1, 1)},
        {"block cut short", std::vector<BYTE>(100, 0)},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(Send(kEntryPointPrintPreview, c.record)) << c.what;
        EXPECT_EQ(LastReply(), TEXT("Cancel")) << c.what;
        EXPECT_FALSE(PreviewLoaded()) << c.what;
    }
}

TEST_F(EntryPointsTest, TheModalInstructionsAnswerAfterTheDialogTheModelessAtOnce)
{
    for (DWORD modal : {DWORD{1}, DWORD{0}}) {
        std::promise<void> release;
        std::shared_future<void> released = release.get_future().share();
        std::atomic<bool> closed{false};
        nirasim::SetDialogScript([&closed, released](HWND dialog) {
            // The user reads the instructions for a while, then closes them.
            released.wait_for(std::chrono::seconds(5));
            closed = true;
            nirasim::Click(GetDlgItem(dialog, IDOK));
        });
        if (modal != 0) {
            release.set_value();
        }
        EXPECT_FALSE(Send(modal != 0 ? kEntryPointManualDuplexModal : kEntryPointManualDuplexModeless,
                          Bytes(DuplexRequest(modal))));
        EXPECT_EQ(closed.load(), modal != 0) << "modal " << modal;
        EXPECT_EQ(LastReply(), TEXT("Cancel"));
        if (modal == 0) {
            release.set_value();
        }
        nirasim::WaitForStartedThreads();
        EXPECT_TRUE(closed.load());
        nirasim::SetDialogScript(nullptr);
    }
}

TEST_F(EntryPointsTest, OnlyTheWarningsOkConfirms)
{
    for (int button : {IDOK, IDCANCEL, IDC_WARNING_THIRD, IDC_WARNING_PICTURE_OK}) {
        JobWarningRequest request = WarningRequest();
        if (button == IDC_WARNING_PICTURE_OK) {
            lstrcpynW(request.mediaName, TEXT("HagakiPrinting"), kWarningNameChars);
        }
        nirasim::SetDialogScript([button](HWND dialog) { nirasim::Click(GetDlgItem(dialog, button)); });
        EXPECT_EQ(Send(kEntryPointJobUI, Bytes(request)), button == IDOK ? TRUE : FALSE) << button;
        EXPECT_EQ(LastReply(), button == IDOK ? TEXT("OK") : TEXT("Cancel")) << button;
        nirasim::SetDialogScript(nullptr);
    }
    EXPECT_TRUE(nirasim::DebugJournalContains(TEXT("Come to EvtDlgAsyncUIEntryPointJobUI")));
}

TEST_F(EntryPointsTest, TheJobStorageEntryPointAnswersAtOnce)
{
    std::atomic<bool> shown{false};
    nirasim::SetDialogScript([&shown](HWND dialog) {
        shown = true;
        SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(Send(TEXT("EvtDlgAsyncUIEntryPointJobStorage"), Bytes(StorageRequest())));
    EXPECT_EQ(LastReply(), TEXT("Cancel"));
    nirasim::WaitForStartedThreads();
    EXPECT_TRUE(shown.load());
    nirasim::SetDialogScript(nullptr);
}

TEST_F(EntryPointsTest, ThreadDetachClosesTheKeptThreadHandles)
{
    JobStorageRequest request = StorageRequest();
    nirasim::SetDialogScript([](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
    VJobStorageDialog(request);
    nirasim::WaitForStartedThreads();
    EXPECT_NE(DialogThreadHandle(DialogThreadSlot::JobStorage), nullptr);
    DllMain(m_niraevt, DLL_THREAD_DETACH, nullptr);
    EXPECT_EQ(DialogThreadHandle(DialogThreadSlot::JobStorage), nullptr);
    nirasim::SendThreadDetach();  // niraevt.dll's own DllMain, with nothing kept
    nirasim::SetDialogScript(nullptr);
}

TEST_F(EntryPointsTest, ThePictureFormsChoiceInTheSessionGoesUnderTheMakersKey)
{
    JobWarningRequest request = WarningRequest();
    lstrcpynW(request.mediaName, TEXT("HagakiPrinting"), kWarningNameChars);
    nirasim::SetDialogScript([](HWND dialog) {
        nirasim::Click(GetDlgItem(dialog, IDC_WARNING_DONT_SHOW));
        nirasim::Click(GetDlgItem(dialog, IDC_WARNING_PICTURE_OK));
    });
    EXPECT_FALSE(Send(kEntryPointJobUI, Bytes(request)));
    nirasim::SetDialogScript(nullptr);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, TEXT("Software\\Norvell-Ashby"), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    BYTE value = 0;
    DWORD size = sizeof(value);
    EXPECT_EQ(RegQueryValueExW(key, TEXT("Tester"), nullptr, nullptr, &value, &size), ERROR_SUCCESS);
    EXPECT_EQ(value, 2);
    RegCloseKey(key);
}
