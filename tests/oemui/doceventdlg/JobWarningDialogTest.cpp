// The job warning: when it is shown, its templates, growth for long messages and the picture
// form's choice in the user's hive.
#include "JobDialogFixture.h"

#include <nirasim/AsyncUI.h>

#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/JobWarningDialog.h"
#include "oemui/doceventdlg/NiraEvtExports.h"

namespace {

const WCHAR kPrinterGuid[] = TEXT("5A0F2B4C-1D2E-4F60-9A7B-8C9D0E1F2A3B");

int PictureFormChoice(const WString& key, const WString& valueName)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_USERS, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return -1;
    }
    BYTE value = 0;
    DWORD size = sizeof(value);
    DWORD type = 0;
    LONG read = RegQueryValueExW(opened, valueName.c_str(), nullptr, &type, &value, &size);
    RegCloseKey(opened);
    return read == ERROR_SUCCESS && type == REG_BINARY && size == 1 ? value : -1;
}

}  // namespace

class JobWarningDialogTest : public JobDialogFixture {
protected:
    struct Shown {
        int templateId = 0;
        RECT dialogBefore = {};
        RECT dialogAfter = {};
        RECT checkBox = {};
        RECT ok = {};
        RECT pictureOk = {};
        RECT message = {};
    };
    // Shows the warning directly (Windows 5.1) and presses `button` (after ticking the check box when
    // `tick`); the end code.
    DWORD Show(const JobWarningRequest& request, int button, bool tick = false, Shown* shown = nullptr)
    {
        m_machine.SetWindowsVersion(5, 1);
        nirasim::SetDialogScript([button, tick, shown](HWND dialog) {
            if (shown != nullptr) {
                shown->templateId = nirasim::DialogTemplateOf(dialog);
                GetWindowRect(dialog, &shown->dialogAfter);
                for (auto [control, rect] : {std::make_pair(IDC_WARNING_DONT_SHOW, &shown->checkBox),
                                             std::make_pair(IDOK, &shown->ok),
                                             std::make_pair(IDC_WARNING_PICTURE_OK, &shown->pictureOk),
                                             std::make_pair(IDC_WARNING_MESSAGE, &shown->message)}) {
                    GetWindowRect(GetDlgItem(dialog, control), rect);
                }
            }
            if (tick) {
                nirasim::Click(GetDlgItem(dialog, IDC_WARNING_DONT_SHOW));
            }
            if (button == 0) {
                SendMessageW(dialog, WM_CLOSE, 0, 0);
            } else {
                nirasim::Click(GetDlgItem(dialog, button));
            }
        });
        DWORD code = IShowWarningDialog(m_printer, request);
        nirasim::SetDialogScript(nullptr);
        return code;
    }
};

TEST_F(JobWarningDialogTest, OnlyKindOneIsShownAndEachButtonEndsWithItsCode)
{
    JobWarningRequest request = WarningRequest();
    request.kind = 2;
    EXPECT_EQ(Show(request, IDOK), 0u);
    for (int button : {IDOK, IDCANCEL, IDC_WARNING_THIRD}) {
        EXPECT_EQ(Show(WarningRequest(), button), static_cast<DWORD>(button));
    }
    EXPECT_EQ(Show(WarningRequest(), 0), static_cast<DWORD>(IDCANCEL));

    // From Windows 6 on the user's session answers: 1 only for OK.
    m_machine.SetWindowsVersion(6, 1);
    nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply("OK")});
    EXPECT_EQ(IShowWarningDialog(m_printer, WarningRequest()), 1u);
    nirasim::asyncui::WaitForHost();
    EXPECT_EQ(nirasim::asyncui::Requests().back().entryPoint, TEXT("EvtDlgAsyncUIEntryPointJobUI"));
}

TEST_F(JobWarningDialogTest, TheMediaNameChoosesThePictureForm)
{
    struct Case {
        const WCHAR* media;
        BOOL rightToLeft;
        int templateId;
    } cases[] = {
        {TEXT("HagakiPrinting"), FALSE, IDD_JOB_WARNING_PICTURE},
        {TEXT("hagakiprinting"), TRUE, IDD_JOB_WARNING_PICTURE},
        {TEXT("Hagaki"), FALSE, IDD_JOB_WARNING},
        {TEXT("Hagaki"), TRUE, IDD_JOB_WARNING_RTL},
        {TEXT(""), FALSE, IDD_JOB_WARNING},
    };
    for (const Case& c : cases) {
        JobWarningRequest request = WarningRequest();
        lstrcpynW(request.mediaName, c.media, kWarningNameChars);
        EXPECT_EQ(JobWarningTemplate(request, c.rightToLeft), c.templateId);
    }
}

TEST_F(JobWarningDialogTest, AMessageOver150CharactersGrowsTheDialogBy100Pixels)
{
    Shown normal;
    Show(WarningRequest(WString(150, TEXT('m'))), IDOK, false, &normal);
    Shown grown;
    Show(WarningRequest(WString(151, TEXT('m'))), IDOK, false, &grown);
    EXPECT_EQ(normal.dialogAfter.bottom - normal.dialogAfter.top + 100,
              grown.dialogAfter.bottom - grown.dialogAfter.top);
    EXPECT_EQ(normal.message.bottom - normal.message.top + 100, grown.message.bottom - grown.message.top);
    EXPECT_EQ(grown.checkBox.top, grown.message.bottom);
    EXPECT_EQ(grown.ok.top, grown.checkBox.bottom);

    JobWarningRequest picture = WarningRequest(WString(151, TEXT('m')));
    lstrcpynW(picture.mediaName, TEXT("HagakiPrinting"), kWarningNameChars);
    Shown pictureForm;
    Show(picture, IDC_WARNING_PICTURE_OK, false, &pictureForm);
    EXPECT_EQ(pictureForm.templateId, IDD_JOB_WARNING_PICTURE);
    EXPECT_GT(pictureForm.checkBox.top, pictureForm.message.bottom);
    // The picture form's OK stays beside the check box.
    EXPECT_LT(pictureForm.pictureOk.top, pictureForm.checkBox.bottom);
    EXPECT_GT(pictureForm.pictureOk.bottom, pictureForm.checkBox.top);
}

TEST_F(JobWarningDialogTest, ThePictureFormsChoiceGoesToTheUsersHive)
{
    const WString guid = kPrinterGuid;
    m_machine.SetPrinterData(
        kPrinterName, TEXT("ZQRestrictedUserGuid"), REG_SZ,
        std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * sizeof(WCHAR)),
        TEXT("ZQPresetRoot"));
    JobWarningRequest request = WarningRequest();
    lstrcpynW(request.mediaName, TEXT("HagakiPrinting"), kWarningNameChars);
    const WString userKey =
        WString(TEXT("S-1-5-21-3623811015-3361044348-30300820-1001\\Software\\Norvell-Ashby\\")) +
        kPrinterGuid + TEXT("\\HagakiMedia");

    EXPECT_EQ(Show(request, IDC_WARNING_PICTURE_OK, false), static_cast<DWORD>(IDC_WARNING_PICTURE_OK));
    EXPECT_EQ(PictureFormChoice(userKey, TEXT("Tester")), -1);
    EXPECT_EQ(Show(request, IDC_WARNING_PICTURE_OK, true), static_cast<DWORD>(IDC_WARNING_PICTURE_OK));
    EXPECT_EQ(PictureFormChoice(userKey, TEXT("Tester")), 2);
    // The user's hive is the current user's key.
    HKEY own = nullptr;
    EXPECT_EQ(RegOpenKeyExW(
                  HKEY_CURRENT_USER,
                  (WString(TEXT("Software\\Norvell-Ashby\\")) + kPrinterGuid + TEXT("\\HagakiMedia")).c_str(),
                  0, KEY_READ, &own),
              ERROR_SUCCESS);
    RegCloseKey(own);

    lstrcpynW(request.userName, TEXT("Everyone"), kWarningNameChars);
    Show(request, IDC_WARNING_PICTURE_OK, true);
    EXPECT_EQ(PictureFormChoice(
                  WString(TEXT("S-1-1-0\\Software\\Norvell-Ashby\\")) + kPrinterGuid + TEXT("\\HagakiMedia"),
                  TEXT("Everyone")),
              2);
}

TEST_F(JobWarningDialogTest, OnTheSessionRoadTheChoiceGoesUnderTheMakersKey)
{
    SetWarningPrinter(nullptr);
    RecordPictureFormChoice(TEXT("Tester"));
    EXPECT_EQ(PictureFormChoice(TEXT("S-1-5-21-3623811015-3361044348-30300820-1001\\Software\\Norvell-Ashby"),
                                TEXT("Tester")),
              2);
}
