// The manual two-sided printing instructions: where they are shown, their texts and pictures.
#include "JobDialogFixture.h"

#include <nirasim/AsyncUI.h>

#include <cstring>

#include "common/AsyncUIRequest.h"
#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/NiraEvtExports.h"

class ManualDuplexDialogTest : public JobDialogFixture {
protected:
    struct Shown {
        int dialogs = 0;
        WString button;
        WString heading;
        WString step3;
        COLORREF pictures[3] = {};
    };
    // Shows the instructions with a user who reads them, looks at the pictures and presses the button.
    Shown Show(const ManualDuplexRequest& request, DWORD useAsynchronous)
    {
        Shown shown;
        nirasim::SetDialogScript([&shown](HWND dialog) {
            ++shown.dialogs;
            shown.button = Text(dialog, IDOK);
            shown.heading = Text(dialog, IDC_DUPLEX_HEADING);
            shown.step3 = Text(dialog, IDC_DUPLEX_STEP3_TEXT);
            const int pictures[] = {IDC_DUPLEX_STEP1_PICTURE, IDC_DUPLEX_STEP2_PICTURE,
                                    IDC_DUPLEX_STEP3_PICTURE};
            for (int picture : pictures) {
                InvalidateRect(GetDlgItem(dialog, picture), nullptr, TRUE);
            }
            SendMessageW(dialog, WM_PAINT, 0, 0);
            for (int i = 0; i < 3; ++i) {
                HWND control = GetDlgItem(dialog, pictures[i]);
                HDC dc = GetDC(control);
                // Inside the paper stack every step shows.
                shown.pictures[i] = GetPixel(dc, 40, 40);
                ReleaseDC(control, dc);
            }
            nirasim::Click(GetDlgItem(dialog, IDOK));
        });
        VDisplayDialog(request, useAsynchronous);
        nirasim::asyncui::WaitForHost();
        nirasim::WaitForStartedThreads();
        nirasim::SetDialogScript(nullptr);
        return shown;
    }
};

TEST_F(ManualDuplexDialogTest, Windows5IgnoresTheAsynchronousFlag)
{
    m_machine.SetWindowsVersion(5, 1);
    Shown shown = Show(DuplexRequest(1), 1);
    EXPECT_EQ(shown.dialogs, 1);
    EXPECT_TRUE(nirasim::asyncui::Requests().empty());
}

TEST_F(ManualDuplexDialogTest, Windows6WithTheFlagSendsTheNamedEntryPointAndTheRecord)
{
    m_machine.SetWindowsVersion(6, 0);
    for (DWORD modal : {DWORD{1}, DWORD{0}}) {
        ManualDuplexRequest request = DuplexRequest(modal);
        nirasim::asyncui::ScriptReplies({nirasim::asyncui::CustomDataReply("Cancel")});
        Shown shown = Show(request, 1);
        EXPECT_EQ(shown.dialogs, 0);
        std::vector<nirasim::asyncui::Request> requests = nirasim::asyncui::Requests();
        ASSERT_FALSE(requests.empty());
        const nirasim::asyncui::Request& sent = requests.back();
        EXPECT_EQ(sent.dll, TEXT("niraevt.dll"));
        EXPECT_EQ(sent.entryPoint,
                  modal != 0 ? kEntryPointManualDuplexModal : kEntryPointManualDuplexModeless);
        EXPECT_EQ(sent.printerName, kPrinterName);
        ASSERT_EQ(sent.afterText.size(), sizeof(request) + kAsyncUIRequestTailBytes);
        EXPECT_EQ(std::memcmp(sent.afterText.data(), &request, sizeof(request)), 0);
    }
    // Without the flag the dialog is shown here, also on Windows 6.
    EXPECT_EQ(Show(DuplexRequest(1), 0).dialogs, 1);
}

TEST_F(ManualDuplexDialogTest, TextsByKindAndThreePicturesPainted)
{
    m_machine.SetWindowsVersion(5, 1);
    Shown modal = Show(DuplexRequest(1), 0);
    EXPECT_EQ(modal.button, TEXT("C&ontinue"));
    EXPECT_EQ(
        modal.step3,
        TEXT("Insert the stack into the IN tray with the top of the pages toward the device, as shown."));
    EXPECT_EQ(modal.heading.substr(0, 21), TEXT("The odd-numbered page"));
    for (COLORREF pixel : modal.pictures) {
        EXPECT_EQ(pixel, RGB(245, 245, 245));
    }

    ManualDuplexRequest request = DuplexRequest(0);
    request.headingKind = 1;
    Shown modeless = Show(request, 0);
    EXPECT_EQ(modeless.button, TEXT("&OK"));
    EXPECT_EQ(modeless.step3,
              WString(TEXT("Insert the stack into the IN tray with the top of the pages toward the "
                           "device, as shown.\nPress the Go or Select button to continue printing.")));
    EXPECT_EQ(modeless.heading.substr(0, 20), TEXT("After the even-numbe"));
}
