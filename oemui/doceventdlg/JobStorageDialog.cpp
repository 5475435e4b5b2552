#include "oemui/doceventdlg/JobStorageDialog.h"

#include "common/SafeString.h"
#include "oemui/doceventdlg/DialogHelper.h"
#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/DialogThreads.h"

#include <initializer_list>
#include <new>

namespace {

constexpr UINT kCaptionTextId = 3064;
constexpr UINT kUserLabelTextId = 844;
constexpr UINT kJobLabelTextId = 845;
constexpr UINT kHeaderTextId = 3062;
constexpr UINT kDontShowTextId = 3063;
constexpr UINT kOkTextId = 849;
constexpr UINT kHelpTextId = 797;
constexpr DWORD kHelpContext = 15220;
constexpr LONG kBoldWeight = 700;
constexpr size_t kJobNameBufferChars = 25;
constexpr BYTE kShowAgain = 1;
constexpr BYTE kDontShowAgain = 0;
const WCHAR kNumberingSuffix[] = TEXT("(1-99)");
const WCHAR kChoiceValue[] = TEXT("ShowJobStorageDlg");

struct StorageText {
    int control;  // 0: the caption
    UINT id;
    LPCWSTR defaultText;
};

const StorageText kTexts[] = {
    {0, kCaptionTextId, TEXT("Job Storage Identification")},
    {IDC_STORAGE_USER_LABEL, kUserLabelTextId, TEXT("User Name:")},
    {IDC_STORAGE_JOB_LABEL, kJobLabelTextId, TEXT("Job Name:")},
    {IDC_STORAGE_HEADER, kHeaderTextId, TEXT("This print Job will be stored at:")},
    {IDC_STORAGE_DONT_SHOW, kDontShowTextId, TEXT("In the future, do not show this information.")},
    {IDOK, kOkTextId, TEXT("&OK")},
    {IDC_STORAGE_HELP, kHelpTextId, TEXT("&Help")},
};

class CJobStorageDialog : public CNiraDialogHelper {
public:
    explicit CJobStorageDialog(const JobStorageRequest& request) : m_request(request), m_boldFont(nullptr) {}
    ~CJobStorageDialog()
    {
        if (m_boldFont != nullptr) {
            DeleteObject(m_boldFont);
        }
    }

    void Initialise(HWND dialog);
    void StoreChoice(HWND dialog) const;
    void ShowHelp(HWND dialog) const
    {
        ShowControlHelp(GetDlgItem(dialog, IDC_STORAGE_HELP), IDC_STORAGE_HELP, kHelpContext,
                        m_request.helpFilePath);
    }

private:
    void MakeBoldFont(HWND dialog);

    JobStorageRequest m_request;
    HFONT m_boldFont;
};

void CJobStorageDialog::MakeBoldFont(HWND dialog)
{
    auto font = reinterpret_cast<HFONT>(SendDlgItemMessageW(dialog, IDC_STORAGE_USER, WM_GETFONT, 0, 0));
    LOGFONTW logFont = {};
    if (font == nullptr || GetObjectW(font, sizeof(logFont), &logFont) == 0) {
        return;
    }
    logFont.lfWeight = kBoldWeight;
    m_boldFont = CreateFontIndirectW(&logFont);
    if (m_boldFont == nullptr) {
        return;
    }
    for (int control : {IDC_STORAGE_USER, IDC_STORAGE_JOB, IDC_STORAGE_HEADER}) {
        SendDlgItemMessageW(dialog, control, WM_SETFONT, reinterpret_cast<WPARAM>(m_boldFont), FALSE);
    }
}

// Centres the dialog on the foreground window, kept on the desktop.
void CentreOnForeground(HWND dialog)
{
    RECT own = {};
    RECT foreground = {};
    RECT desktop = {};
    HWND front = GetForegroundWindow();
    if (!GetWindowRect(dialog, &own) || front == nullptr || !GetWindowRect(front, &foreground) ||
        !GetWindowRect(GetDesktopWindow(), &desktop)) {
        return;
    }
    int width = own.right - own.left;
    int height = own.bottom - own.top;
    int x = foreground.left + (foreground.right - foreground.left) / 2 - width / 2;
    int y = foreground.top + (foreground.bottom - foreground.top) / 2 - height / 2;
    if (x < 0) {
        x = 0;
    } else if (x + width > desktop.right) {
        x = desktop.right - width;
    }
    if (y < 0) {
        y = 0;
    } else if (y + height > desktop.bottom) {
        y = desktop.bottom - height;
    }
    SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void CJobStorageDialog::Initialise(HWND dialog)
{
    LoadStringModule(m_request.stringDllPath);
    MakeBoldFont(dialog);
    for (const StorageText& text : kTexts) {
        SetControlText(text.id, text.control == 0 ? dialog : GetDlgItem(dialog, text.control),
                       text.defaultText);
    }
    SetDlgItemTextW(dialog, IDC_STORAGE_LINE1, m_request.locationLine1);
    SetDlgItemTextW(dialog, IDC_STORAGE_LINE2, m_request.locationLine2);
    SetDlgItemTextW(dialog, IDC_STORAGE_LINE3, m_request.locationLine3);
    WCHAR jobName[kJobNameBufferChars] = {};
    JobStorageJobName(m_request, jobName, kJobNameBufferChars);
    SetDlgItemTextW(dialog, IDC_STORAGE_JOB, jobName);
    SetDlgItemTextW(dialog, IDC_STORAGE_USER, m_request.userName);
    CentreOnForeground(dialog);
}

void CJobStorageDialog::StoreChoice(HWND dialog) const
{
    BOOL ticked = SendDlgItemMessageW(dialog, IDC_STORAGE_DONT_SHOW, BM_GETCHECK, 0, 0) == BST_CHECKED;
    BYTE choice = ticked ? kDontShowAgain : kShowAgain;
    WriteUserBinaryValue(m_request.settingsSubKey, kChoiceValue, &choice, sizeof(choice));
}

CJobStorageDialog* DialogObject(HWND dialog)
{
    return reinterpret_cast<CJobStorageDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

INT_PTR CALLBACK JobStorageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        auto* object = reinterpret_cast<CJobStorageDialog*>(lParam);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        object->Initialise(dialog);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
        return FALSE;
    }
    case WM_COMMAND: {
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        CJobStorageDialog* object = DialogObject(dialog);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        if (LOWORD(wParam) == IDOK) {
            object->StoreChoice(dialog);
            EndDialog(dialog, IDOK);
        } else if (LOWORD(wParam) == IDC_STORAGE_HELP) {
            object->ShowHelp(dialog);
        }
        return TRUE;
    }
    case WM_CLOSE:
        EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

DWORD WINAPI JobStorageThread(LPVOID argument)
{
    auto* copy = static_cast<JobStorageRequest*>(argument);
    auto* object = new (std::nothrow) CJobStorageDialog(*copy);
    LocalFree(copy);
    if (object == nullptr) {
        return 0;
    }
    int templateId = object->TemplateId(IDD_JOB_STORAGE, IDD_JOB_STORAGE_RTL);
    DialogBoxParamW(NiraEvtModule(), MAKEINTRESOURCEW(templateId), nullptr, JobStorageProc,
                    reinterpret_cast<LPARAM>(object));
    delete object;
    return 0;
}

}  // namespace

void JobStorageJobName(const JobStorageRequest& request, LPWSTR buffer, size_t capacity)
{
    CopyStringSafe(buffer, capacity, request.jobName);
    if (request.numberingFlag1 == 1 && request.numberingFlag2 == 1) {
        AppendStringSafe(buffer, capacity, kNumberingSuffix);
    }
}

BOOL StartJobStorageDialog(JobStorageRequest* copy)
{
    if (copy == nullptr) {
        return FALSE;
    }
    if (!StartDialogThread(DialogThreadSlot::JobStorage, JobStorageThread, copy)) {
        LocalFree(copy);
        return FALSE;
    }
    return TRUE;
}
