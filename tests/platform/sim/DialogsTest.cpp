#include <windows.h>
#include <commctrl.h>
#include <htmlhelp.h>

#include <nirasim/Gdi.h>
#include <nirasim/Help.h>
#include <nirasim/Machine.h>
#include <nirasim/Modules.h>
#include <nirasim/Windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

const char16_t* const kFixture = TEXT("C:\\Program Files\\Fixture\\DialogFixture.dll");
constexpr int kAllControls = 100;
constexpr int kOkCancel = 101;
constexpr int kCutShort = 102;

// What the dialog procedure saw: (message, control id or scroll code, notification code).
using Seen = std::tuple<UINT, int, int>;
std::vector<Seen> g_seen;
LPARAM g_initParam;

INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        g_initParam = lParam;
        return TRUE;
    case WM_COMMAND:
        g_seen.emplace_back(message, LOWORD(wParam), HIWORD(wParam));
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 77);
        }
        return TRUE;
    case WM_HSCROLL:
    case WM_VSCROLL:
        g_seen.emplace_back(message, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        g_seen.emplace_back(message, static_cast<int>(wParam),
                            static_cast<int>(reinterpret_cast<NMHDR*>(lParam)->code));
        return TRUE;
    case WM_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = 30;
        g_seen.emplace_back(message, static_cast<int>(wParam), 0);
        return TRUE;
    case WM_DRAWITEM:
        g_seen.emplace_back(message, static_cast<int>(wParam),
                            static_cast<int>(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->itemID));
        return TRUE;
    default:
        return FALSE;
    }
}

class Dialogs : public ::testing::Test {
protected:
    nirasim::Machine machine;
    HMODULE module = nullptr;

    void SetUp() override
    {
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/dialogfixture.dll", kFixture));
        module = LoadLibraryW(kFixture);
        ASSERT_NE(module, nullptr);
        g_seen.clear();
    }

    void TearDown() override { FreeLibrary(module); }

    // Runs the dialog with the script and answers its result.
    INT_PTR Run(int templateId, std::function<void(HWND)> script, HWND owner = nullptr)
    {
        nirasim::SetDialogScript(std::move(script));
        return DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), owner, RecordingDialogProc, 42);
    }
};

TEST_F(Dialogs, AModalDialogRunsItsScriptAndAnswersEndDialog)
{
    HWND seenDialog = nullptr;
    INT_PTR result = Run(kOkCancel, [&](HWND dialog) {
        seenDialog = dialog;
        EXPECT_EQ(nirasim::DialogTemplateOf(dialog), kOkCancel);
        EXPECT_TRUE(IsWindowVisible(dialog));
        WCHAR text[32] = {};
        EXPECT_EQ(GetDlgItemTextW(dialog, 1000, text, 32), 6u);
        EXPECT_EQ(std::u16string(text), TEXT("Go on?"));
        EndDialog(dialog, 5);
    });
    EXPECT_EQ(result, 5);
    EXPECT_EQ(g_initParam, 42);
    EXPECT_FALSE(IsWindow(seenDialog));
}

TEST_F(Dialogs, ADialogLeftOpenIsCancelledAsEscWould)
{
    EXPECT_EQ(Run(kOkCancel, nullptr), 77);
    ASSERT_EQ(g_seen.size(), 1u);
    EXPECT_EQ(g_seen[0], Seen(WM_COMMAND, IDCANCEL, BN_CLICKED));
}

TEST_F(Dialogs, AMissingOrBadTemplateFailsTheCall)
{
    EXPECT_EQ(Run(kCutShort, nullptr), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
    EXPECT_EQ(Run(999, nullptr), -1);
    EXPECT_EQ(CreateDialogParamW(module, MAKEINTRESOURCEW(kCutShort), nullptr, RecordingDialogProc, 0),
              nullptr);
}

TEST_F(Dialogs, TheOwnerIsDisabledWhileTheModalDialogRuns)
{
    HWND owner = CreateDialogParamW(module, MAKEINTRESOURCEW(kOkCancel), nullptr, RecordingDialogProc, 0);
    ASSERT_NE(owner, nullptr);
    Run(
        kOkCancel,
        [&](HWND dialog) {
            EXPECT_FALSE(IsWindowEnabled(owner));
            EXPECT_EQ(GetParent(dialog), owner);
            EndDialog(dialog, 1);
        },
        owner);
    EXPECT_TRUE(IsWindowEnabled(owner));
    DestroyWindow(owner);
}

// The controls of template 100 as the user works them, each sending what Windows sends.
class Controls : public Dialogs {
protected:
    HWND dialog = nullptr;

    void SetUp() override
    {
        Dialogs::SetUp();
        nirasim::SetDialogScript(nullptr);
        dialog = CreateDialogParamW(module, MAKEINTRESOURCEW(kAllControls), nullptr, RecordingDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        g_seen.clear();
    }

    void TearDown() override
    {
        DestroyWindow(dialog);
        Dialogs::TearDown();
    }

    HWND Item(int id) { return GetDlgItem(dialog, id); }
};

TEST_F(Controls, OwnerDrawnControlsAskTheirHeightWhenMade)
{
    HWND owner = CreateDialogParamW(module, MAKEINTRESOURCEW(kAllControls), nullptr, RecordingDialogProc, 0);
    std::vector<Seen> measured;
    for (const Seen& seen : g_seen) {
        if (std::get<0>(seen) == WM_MEASUREITEM) {
            measured.push_back(seen);
        }
    }
    EXPECT_EQ(measured, (std::vector<Seen>{{WM_MEASUREITEM, 21, 0}, {WM_MEASUREITEM, 22, 0}}));
    EXPECT_EQ(SendDlgItemMessageW(owner, 22, LB_GETITEMHEIGHT, 0, 0), 30);
    DestroyWindow(owner);
}

TEST_F(Controls, ClicksCheckAndNotifyWhileSettingAStateNotifiesNothing)
{
    CheckDlgButton(dialog, 11, BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), static_cast<UINT>(BST_CHECKED));
    EXPECT_TRUE(g_seen.empty());

    nirasim::Click(Item(11));
    nirasim::Click(Item(12));
    nirasim::Click(Item(13));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 11), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 12), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, 13), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(g_seen,
              (std::vector<Seen>{
                  {WM_COMMAND, 11, BN_CLICKED}, {WM_COMMAND, 12, BN_CLICKED}, {WM_COMMAND, 13, BN_CLICKED}}));

    g_seen.clear();
    EnableWindow(Item(10), FALSE);
    nirasim::Click(Item(10));
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(Controls, AnEditNotifiesEveryChangeAndItsFocus)
{
    SetWindowTextW(Item(15), TEXT("12"));
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_COMMAND, 15, EN_UPDATE}, {WM_COMMAND, 15, EN_CHANGE}}));

    g_seen.clear();
    nirasim::SetEditChangeOnSetText(false);
    SetWindowTextW(Item(15), TEXT("13"));
    EXPECT_TRUE(g_seen.empty());

    SendMessageW(Item(15), EM_LIMITTEXT, 2, 0);
    nirasim::TypeText(Item(15), TEXT("456"));
    WCHAR text[8] = {};
    GetWindowTextW(Item(15), text, 8);
    EXPECT_EQ(std::u16string(text), TEXT("45"));
    SetFocus(Item(10));
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_COMMAND, 15, EN_SETFOCUS},
                                         {WM_COMMAND, 15, EN_UPDATE},
                                         {WM_COMMAND, 15, EN_CHANGE},
                                         {WM_COMMAND, 15, EN_UPDATE},
                                         {WM_COMMAND, 15, EN_CHANGE},
                                         {WM_COMMAND, 15, EN_MAXTEXT},
                                         {WM_COMMAND, 15, EN_KILLFOCUS}}));
}

TEST_F(Controls, ExactSearchesIgnoreCaseStartAfterTheIndexAndWrap)
{
    HWND combo = Item(16);
    for (LPCWSTR text : {TEXT("Alpha"), TEXT("beta"), TEXT("ALPHA"), TEXT("Alphabet")}) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    LPARAM alpha = reinterpret_cast<LPARAM>(TEXT("alpha"));
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), alpha), 0);
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, 0, alpha), 2);
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, 2, alpha), 0);
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(TEXT("gamma"))), CB_ERR);
    EXPECT_EQ(SendMessageW(combo, CB_FINDSTRING, 2, reinterpret_cast<LPARAM>(TEXT("alphab"))), 3);

    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    EXPECT_EQ(SendMessageW(info.hwndList, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(TEXT("BETA"))),
              1);
    RECT row{};
    EXPECT_EQ(SendMessageW(info.hwndList, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row)), 1);
    EXPECT_EQ(row.top, 16);
    EXPECT_EQ(row.bottom, 32);

    HWND list = Item(17);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("x")));
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("X")));
    EXPECT_EQ(SendMessageW(list, LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(TEXT("x"))), 1);
    EXPECT_TRUE(g_seen.empty());
}

TEST_F(Controls, ChoosingARowNotifiesWhatWindowsNotifies)
{
    HWND combo = Item(16);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("A")));
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("B")));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    EXPECT_TRUE(g_seen.empty());

    nirasim::ChooseItem(combo, 1);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    WCHAR text[8] = {};
    GetWindowTextW(combo, text, 8);
    EXPECT_EQ(std::u16string(text), TEXT("B"));
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_COMMAND, 16, CBN_SETFOCUS},
                                         {WM_COMMAND, 16, CBN_DROPDOWN},
                                         {WM_COMMAND, 16, CBN_SELCHANGE},
                                         {WM_COMMAND, 16, CBN_SELENDOK},
                                         {WM_COMMAND, 16, CBN_CLOSEUP}}));

    g_seen.clear();
    nirasim::TypeText(combo, TEXT("Q"));
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(g_seen,
              (std::vector<Seen>{{WM_COMMAND, 16, CBN_EDITUPDATE}, {WM_COMMAND, 16, CBN_EDITCHANGE}}));

    g_seen.clear();
    HWND list = Item(17);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("row")));
    nirasim::ChooseItem(list, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_COMMAND, 16, CBN_KILLFOCUS},
                                         {WM_COMMAND, 17, LBN_SETFOCUS},
                                         {WM_COMMAND, 17, LBN_SELCHANGE}}));
}

TEST_F(Controls, ScrollingNotifiesTheCodeThenTheEnd)
{
    HWND track = Item(20);
    SendMessageW(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 100));
    SendMessageW(track, TBM_SETPAGESIZE, 0, 5);
    SendMessageW(track, TBM_SETPOS, TRUE, 50);
    nirasim::Scroll(track, TB_PAGEDOWN);
    nirasim::Scroll(track, TB_THUMBTRACK, 200);
    EXPECT_EQ(SendMessageW(track, TBM_GETPOS, 0, 0), 100);

    HWND bar = Item(18);
    SetScrollRange(bar, SB_CTL, 0, 10, FALSE);
    SetScrollPos(bar, SB_CTL, 4, TRUE);
    nirasim::Scroll(bar, SB_LINEDOWN);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 4);  // the parent moves a scroll bar's thumb
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_HSCROLL, TB_PAGEDOWN, 0},
                                         {WM_HSCROLL, TB_ENDTRACK, 0},
                                         {WM_HSCROLL, TB_THUMBTRACK, 100},
                                         {WM_HSCROLL, TB_ENDTRACK, 0},
                                         {WM_HSCROLL, SB_LINEDOWN, 0},
                                         {WM_HSCROLL, SB_ENDSCROLL, 0}}));
}

TEST_F(Controls, AnUpDownAsksMovesAndSetsItsBuddy)
{
    HWND upDown = Item(19);
    SendMessageW(upDown, UDM_SETRANGE, 0, MAKELPARAM(10, 1));  // maximum low, minimum high
    EXPECT_EQ(SendMessageW(upDown, UDM_GETRANGE, 0, 0), MAKELONG(10, 1));
    SendMessageW(upDown, UDM_SETPOS, 0, 9);
    nirasim::SetEditChangeOnSetText(false);
    g_seen.clear();
    nirasim::ClickSpin(upDown, true);
    nirasim::ClickSpin(upDown, true);
    EXPECT_EQ(LOWORD(SendMessageW(upDown, UDM_GETPOS, 0, 0)), 10);
    WCHAR text[8] = {};
    GetWindowTextW(Item(15), text, 8);
    EXPECT_EQ(std::u16string(text), TEXT("10"));
    ASSERT_EQ(g_seen.size(), 6u);
    EXPECT_EQ(g_seen[0], Seen(WM_NOTIFY, 19, static_cast<int>(UDN_DELTAPOS)));
    EXPECT_EQ(g_seen[1], Seen(WM_VSCROLL, SB_THUMBPOSITION, 10));
    EXPECT_EQ(g_seen[2], Seen(WM_VSCROLL, SB_ENDSCROLL, 10));
}

TEST_F(Controls, DrawItemAsksTheParent)
{
    RECT rect{0, 0, 80, 16};
    nirasim::DrawItem(Item(21), 3, ODS_SELECTED, nullptr, rect);
    EXPECT_EQ(g_seen, (std::vector<Seen>{{WM_DRAWITEM, 21, 3}}));
}

TEST_F(Controls, ADialogIsPicturedWithItsControlsAndOwnerDrawnItemsDrawn)
{
    SendDlgItemMessageW(dialog, 21, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("entry")));
    SendDlgItemMessageW(dialog, 21, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageW(dialog, 22, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(TEXT("row")));
    ShowWindow(dialog, SW_SHOW);
    g_seen.clear();
    const std::string path = std::string(NIRA_BUILD_DIR) + "/dialog-all-controls.png";
    ASSERT_TRUE(nirasim::SaveDialogPicture(dialog, path));
    nirasim::Picture picture;
    ASSERT_TRUE(nirasim::ReadPicture(path, picture));
    RECT client{};
    GetClientRect(dialog, &client);
    EXPECT_EQ(picture.width, client.right);
    EXPECT_EQ(picture.height, client.bottom);
    // The owner-drawn combo box draws its selection field, the owner-drawn list its row.
    std::vector<Seen> drawn;
    for (const Seen& seen : g_seen) {
        if (std::get<0>(seen) == WM_DRAWITEM) {
            drawn.push_back(seen);
        }
    }
    EXPECT_EQ(drawn, (std::vector<Seen>{{WM_DRAWITEM, 21, 0}, {WM_DRAWITEM, 22, 0}}));
    // A drop-down combo box is as tall as its selection field, not as its list.
    RECT combo{};
    GetWindowRect(Item(21), &combo);
    EXPECT_EQ(combo.bottom - combo.top, 30 + 6);
}

TEST_F(Dialogs, ActivationContextsComeFromTheManifestResource)
{
    ACTCTXW context{};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = kFixture;
    context.lpResourceName = MAKEINTRESOURCEW(2);
    HANDLE made = CreateActCtxW(&context);
    EXPECT_NE(made, INVALID_HANDLE_VALUE);
    context.lpResourceName = MAKEINTRESOURCEW(3);
    EXPECT_EQ(CreateActCtxW(&context), INVALID_HANDLE_VALUE);
    EXPECT_EQ(nirasim::LiveActivationContexts(), 1);
    ReleaseActCtx(made);
    EXPECT_EQ(nirasim::LiveActivationContexts(), 0);
    auto requests = nirasim::ActivationContextRequests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].resourceId, 2);
    EXPECT_TRUE(requests[0].created);
    EXPECT_FALSE(requests[1].created);
}

TEST_F(Dialogs, HelpCallsAreJournalled)
{
    EXPECT_NE(HtmlHelpW(nullptr, TEXT("C:\\help.chm::/12.html"), HH_DISPLAY_TOPIC, 0), nullptr);
    auto requests = nirasim::HelpRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].file, TEXT("C:\\help.chm::/12.html"));
    EXPECT_EQ(requests[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
}

}  // namespace
