// The job storage notice: its texts, the job name with its numbering, the stored choice and help.
#include "JobDialogFixture.h"

#include <nirasim/Help.h>

#include <htmlhelp.h>

#include <atomic>

#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/JobStorageDialog.h"
#include "oemui/doceventdlg/NiraEvtExports.h"

namespace {

const WCHAR kChoiceKey[] = TEXT("Software\\Norvell-Ashby\\JobStorage");

// The stored byte, or -1 when there is none.
int StoredChoice()
{
    BYTE value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kChoiceKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return -1;
    }
    LONG read = RegQueryValueExW(key, TEXT("ShowJobStorageDlg"), nullptr, &type, &value, &size);
    RegCloseKey(key);
    return read == ERROR_SUCCESS && type == REG_BINARY && size == 1 ? value : -1;
}

}  // namespace

class JobStorageDialogTest : public JobDialogFixture {
protected:
    // Shows the notice with `act` as the user; waits until its thread has ended.
    void Show(const JobStorageRequest& request, std::function<void(HWND)> act)
    {
        nirasim::SetDialogScript([this, act](HWND dialog) {
            m_template = nirasim::DialogTemplateOf(dialog);
            m_caption = Text(dialog, 0);
            m_jobName = Text(dialog, IDC_STORAGE_JOB);
            m_header = Text(dialog, IDC_STORAGE_HEADER);
            act(dialog);
        });
        VJobStorageDialog(request);
        nirasim::WaitForStartedThreads();
        nirasim::SetDialogScript(nullptr);
    }

    int m_template = 0;
    WString m_caption;
    WString m_jobName;
    WString m_header;
};

TEST_F(JobStorageDialogTest, TheJobNameCarriesTheNumberingOnlyWithBothFlags)
{
    struct Case {
        const WCHAR* name;
        DWORD flag1;
        DWORD flag2;
        const WCHAR* shown;
    } cases[] = {
        {TEXT("Report"), 1, 1, TEXT("Report(1-99)")},
        {TEXT("Report"), 1, 0, TEXT("Report")},
        {TEXT("Report"), 0, 1, TEXT("Report")},
        {TEXT("Report"), 2, 1, TEXT("Report")},
        {TEXT("SixteenCharsLong"), 1, 1, TEXT("SixteenCharsLong(1-99)")},
    };
    for (const Case& c : cases) {
        JobStorageRequest request = StorageRequest();
        lstrcpynW(request.jobName, c.name, kJobNameChars);
        request.numberingFlag1 = c.flag1;
        request.numberingFlag2 = c.flag2;
        WCHAR shown[25] = {};
        JobStorageJobName(request, shown, 25);
        EXPECT_EQ(WString(shown), c.shown);
    }
    JobStorageRequest request = StorageRequest();
    request.numberingFlag1 = request.numberingFlag2 = 1;
    Show(request, [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(m_template, IDD_JOB_STORAGE);
    EXPECT_EQ(m_jobName, TEXT("Report(1-99)"));
    EXPECT_EQ(m_caption, TEXT("Job Storage Identification"));
    EXPECT_EQ(m_header, TEXT("This print Job will be stored at:"));
}

TEST_F(JobStorageDialogTest, OkStoresTheChoiceAndClosingStoresNothing)
{
    Show(StorageRequest(), [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(StoredChoice(), -1);
    Show(StorageRequest(), [](HWND dialog) {
        nirasim::Click(GetDlgItem(dialog, IDC_STORAGE_DONT_SHOW));
        nirasim::Click(GetDlgItem(dialog, IDOK));
    });
    EXPECT_EQ(StoredChoice(), 0);
    Show(StorageRequest(), [](HWND dialog) { nirasim::Click(GetDlgItem(dialog, IDOK)); });
    EXPECT_EQ(StoredChoice(), 1);
}

TEST_F(JobStorageDialogTest, HelpShowsTheContextOfTheHelpButton)
{
    Show(StorageRequest(), [](HWND dialog) {
        nirasim::Click(GetDlgItem(dialog, IDC_STORAGE_HELP));
        SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
    std::vector<nirasim::HelpRequest> requests = nirasim::HelpRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].command, static_cast<UINT>(HH_TP_HELP_WM_HELP));
    EXPECT_EQ(requests[0].file, TEXT("C:\\help\\nira.chm"));
    ASSERT_EQ(requests[0].idMap.size(), 1u);
    EXPECT_EQ(requests[0].idMap[0], std::make_pair(DWORD{IDC_STORAGE_HELP}, DWORD{15220}));
}

TEST_F(JobStorageDialogTest, AHebrewUserSeesTheRightToLeftTemplate)
{
    m_machine.SetUILanguage(1037);
    Show(StorageRequest(), [](HWND dialog) { SendMessageW(dialog, WM_CLOSE, 0, 0); });
    EXPECT_EQ(m_template, IDD_JOB_STORAGE_RTL);
    EXPECT_EQ(m_caption, TEXT("זיהוי אחסון עבודה"));
}
