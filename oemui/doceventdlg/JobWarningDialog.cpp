#include "oemui/doceventdlg/JobWarningDialog.h"

#include <sddl.h>
#include <winspool.h>

#include "common/SafeString.h"
#include "oemui/doceventdlg/DialogHelper.h"
#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/DialogThreads.h"

#include <atomic>
#include <initializer_list>
#include <new>

namespace {

constexpr DWORD kWarningKind = 1;
constexpr UINT kDontShowTextId = 3063;
constexpr size_t kLongMessageChars = 150;
constexpr int kGrowth = 100;
constexpr size_t kKeyChars = MAX_PATH;
constexpr DWORD kGuidBytes = 520;
constexpr BYTE kPictureFormDeclined = 2;
const WCHAR kPictureFormMedia[] = TEXT("HagakiPrinting");
const WCHAR kDontShowDefault[] = TEXT("In the future, do not show this information.");
const WCHAR kMakerKey[] = TEXT("\\Software\\Norvell-Ashby");
const WCHAR kPresetKey[] = TEXT("ZQPresetRoot");
const WCHAR kGuidValue[] = TEXT("ZQRestrictedUserGuid");
const WCHAR kPictureFormKey[] = TEXT("HagakiMedia");
const WCHAR kEveryone[] = TEXT("Everyone");

std::atomic<HANDLE> g_warningPrinter{nullptr};

// A control's place in the dialog's client area (the dialog's own on the screen) and its size.
struct Placement {
    HWND window = nullptr;
    RECT rect = {};
    int width = 0;
    int height = 0;
};

class CJobWarningDialog : public CNiraDialogHelper {
public:
    explicit CJobWarningDialog(const JobWarningRequest& request) : m_request(request) {}

    void Initialise(HWND dialog);
    void Paint(HWND dialog) const
    {
        if (m_request.pictureControlId != 0) {
            PaintBitmap(dialog, m_request.bitmapId, static_cast<int>(m_request.pictureControlId),
                        NiraEvtModule());
        }
    }
    const JobWarningRequest& Request() const { return m_request; }

private:
    void SetTexts(HWND dialog) const;
    void ShowControls(HWND dialog) const;
    void GrowForLongMessage(HWND dialog);
    Placement Measure(HWND dialog, int control) const
    {
        Placement placement;
        placement.window = GetDlgItem(dialog, control);
        GetControlRect(dialog, placement.window, &placement.rect, &placement.width, &placement.height);
        return placement;
    }

    const JobWarningRequest& m_request;
};

void ShowControl(HWND dialog, int control, bool shown)
{
    HWND window = GetDlgItem(dialog, control);
    EnableWindow(window, shown ? TRUE : FALSE);
    ShowWindow(window, shown ? SW_SHOW : SW_HIDE);
}

void CJobWarningDialog::SetTexts(HWND dialog) const
{
    // An id the string library lacks leaves the text empty.
    SetControlText(m_request.captionId, dialog, TEXT(""));
    SetDlgItemTextW(dialog, IDC_WARNING_MESSAGE, m_request.message);
    SetControlText(m_request.okTextId, GetDlgItem(dialog, IDOK), TEXT(""));
    SetControlText(m_request.okTextId, GetDlgItem(dialog, IDC_WARNING_PICTURE_OK), TEXT(""));
    SetControlText(m_request.cancelTextId, GetDlgItem(dialog, IDCANCEL), TEXT(""));
    SetControlText(m_request.thirdButtonTextId, GetDlgItem(dialog, IDC_WARNING_THIRD), TEXT(""));
    SetControlText(kDontShowTextId, GetDlgItem(dialog, IDC_WARNING_DONT_SHOW), kDontShowDefault);
}

void CJobWarningDialog::ShowControls(HWND dialog) const
{
    ShowControl(dialog, IDOK, m_request.okTextId != 0);
    ShowControl(dialog, IDC_WARNING_PICTURE_OK, m_request.okTextId != 0);
    ShowControl(dialog, IDCANCEL, m_request.cancelTextId != 0);
    ShowControl(dialog, IDC_WARNING_PICTURE_FRAME, m_request.pictureControlId != 0);
    ShowControl(dialog, IDC_WARNING_THIRD, m_request.thirdButtonTextId != 0);
    ShowControl(dialog, IDC_WARNING_DONT_SHOW, m_request.showCheckBox != 0);
}

void CJobWarningDialog::GrowForLongMessage(HWND dialog)
{
    size_t length = 0;
    GetStringLengthSafe(m_request.message, kWarningMessageChars, &length);
    if (length <= kLongMessageChars) {
        return;
    }
    Placement frame = Measure(dialog, IDC_WARNING_PICTURE_FRAME);
    Placement message = Measure(dialog, IDC_WARNING_MESSAGE);
    Placement third = Measure(dialog, IDC_WARNING_THIRD);
    Placement checkBox = Measure(dialog, IDC_WARNING_DONT_SHOW);
    Placement ok = Measure(dialog, IDOK);
    Placement cancel = Measure(dialog, IDCANCEL);
    Placement whole;
    GetControlRect(nullptr, dialog, &whole.rect, &whole.width, &whole.height);
    constexpr UINT kKeepPixels = SWP_NOZORDER | SWP_NOCOPYBITS;
    SetWindowPos(message.window, nullptr, message.rect.left, message.rect.top, message.width,
                 message.height + kGrowth, kKeepPixels);
    SetWindowPos(dialog, nullptr, whole.rect.left, whole.rect.top, whole.width, whole.height + kGrowth,
                 kKeepPixels);
    float row = static_cast<float>(message.rect.bottom + kGrowth);
    // The picture form keeps its OK beside the check box; it moves down with it.
    Placement pictureOk = Measure(dialog, IDC_WARNING_PICTURE_OK);
    float pictureOkOffset = static_cast<float>(pictureOk.rect.top - checkBox.rect.top);
    if (frame.window != nullptr) {
        MoveControl(frame.window, frame.rect, frame.width, frame.height, row);
        row += static_cast<float>(frame.height);
        MoveControl(checkBox.window, checkBox.rect, checkBox.width, checkBox.height, row);
        MoveControl(pictureOk.window, pictureOk.rect, pictureOk.width, pictureOk.height,
                    row + pictureOkOffset);
    } else {
        MoveControl(checkBox.window, checkBox.rect, checkBox.width, checkBox.height, row);
        row += static_cast<float>(checkBox.height);
    }
    for (const Placement* button : {&ok, &cancel, &third}) {
        MoveControl(button->window, button->rect, button->width, button->height, row);
    }
}

void CJobWarningDialog::Initialise(HWND dialog)
{
    LoadStringModule(m_request.stringDllPath);
    SetTexts(dialog);
    ShowControls(dialog);
    GrowForLongMessage(dialog);
}

INT_PTR CALLBACK JobWarningProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<CJobWarningDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        object = reinterpret_cast<CJobWarningDialog*>(lParam);
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        object->Initialise(dialog);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
        return TRUE;
    case WM_PAINT:
        if (object != nullptr) {
            object->Paint(dialog);
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_COMMAND: {
        if (HIWORD(wParam) != BN_CLICKED) {
            return FALSE;
        }
        if (object == nullptr) {
            SetLastError(ERROR_INVALID_DATA);
            return FALSE;
        }
        int control = LOWORD(wParam);
        if (control == IDOK || control == IDCANCEL || control == IDC_WARNING_THIRD) {
            EndDialog(dialog, control);
        } else if (control == IDC_WARNING_PICTURE_OK) {
            if (IsDlgButtonChecked(dialog, IDC_WARNING_DONT_SHOW) == BST_CHECKED) {
                RecordPictureFormChoice(object->Request().userName);
            }
            EndDialog(dialog, IDC_WARNING_PICTURE_OK);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}

// The SID of an account in LocalAlloc memory, or the world SID for "Everyone" when the name is not
// known; null without one. FreeSidOf frees either.
struct AccountSid {
    PSID sid = nullptr;
    bool world = false;
};

AccountSid LookUpSid(LPCWSTR userName)
{
    AccountSid account;
    DWORD sidBytes = 0;
    DWORD domainChars = 0;
    SID_NAME_USE use;
    LookupAccountNameW(nullptr, userName, nullptr, &sidBytes, nullptr, &domainChars, &use);
    if (sidBytes != 0 && domainChars != 0) {
        account.sid = LocalAlloc(LPTR, sidBytes);
        auto* domain = static_cast<LPWSTR>(LocalAlloc(LPTR, domainChars * sizeof(WCHAR)));
        if (account.sid == nullptr || domain == nullptr ||
            !LookupAccountNameW(nullptr, userName, account.sid, &sidBytes, domain, &domainChars, &use)) {
            LocalFree(account.sid);
            account.sid = nullptr;
        }
        LocalFree(domain);
    }
    if (account.sid == nullptr && lstrcmpW(userName, kEveryone) == 0) {
        SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
        account.world = AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0,
                                                 &account.sid) != FALSE;
        if (!account.world) {
            account.sid = nullptr;
        }
    }
    return account;
}

void FreeSidOf(AccountSid& account)
{
    if (account.world) {
        FreeSid(account.sid);
    } else {
        LocalFree(account.sid);
    }
    account.sid = nullptr;
}

// "<SID>\Software\<maker>[\<GUID>\HagakiMedia]" under HKEY_USERS.
BOOL PictureFormKey(PSID sid, LPWSTR key)
{
    LPWSTR sidText = nullptr;
    if (!ConvertSidToStringSidW(sid, &sidText)) {
        return FALSE;
    }
    HRESULT made = CopyStringSafe(key, kKeyChars, sidText);
    LocalFree(sidText);
    if (FAILED(made) || FAILED(AppendStringSafe(key, kKeyChars, kMakerKey))) {
        return FALSE;
    }
    WCHAR guid[kGuidBytes / sizeof(WCHAR) + 1] = {};
    DWORD type = 0;
    DWORD needed = 0;
    HANDLE printer = g_warningPrinter.load();
    if (printer != nullptr &&
        GetPrinterDataExW(printer, kPresetKey, kGuidValue, &type, reinterpret_cast<LPBYTE>(guid), kGuidBytes,
                          &needed) == ERROR_SUCCESS &&
        guid[0] != 0) {
        WCHAR tail[kKeyChars] = {};
        CopyStringSafe(tail, kKeyChars, TEXT("\\"));
        AppendStringSafe(tail, kKeyChars, guid);
        AppendStringSafe(tail, kKeyChars, TEXT("\\"));
        AppendStringSafe(tail, kKeyChars, kPictureFormKey);
        // A key that does not fit stays at the maker's key.
        size_t length = 0;
        size_t tailLength = 0;
        GetStringLengthSafe(key, kKeyChars, &length);
        GetStringLengthSafe(tail, kKeyChars, &tailLength);
        if (length + tailLength < kKeyChars) {
            AppendStringSafe(key, kKeyChars, tail);
        }
    }
    return TRUE;
}

}  // namespace

void SetWarningPrinter(HANDLE printer)
{
    g_warningPrinter.store(printer);
}

void RecordPictureFormChoice(LPCWSTR userName)
{
    AccountSid account = LookUpSid(userName);
    if (account.sid == nullptr) {
        return;
    }
    WCHAR key[kKeyChars] = {};
    BOOL named = PictureFormKey(account.sid, key);
    FreeSidOf(account);
    HKEY opened = nullptr;
    if (!named || RegCreateKeyExW(HKEY_USERS, key, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                  KEY_READ | KEY_CREATE_SUB_KEY | KEY_SET_VALUE, nullptr, &opened,
                                  nullptr) != ERROR_SUCCESS) {
        return;
    }
    BYTE choice = kPictureFormDeclined;
    RegSetValueExW(opened, userName, 0, REG_BINARY, &choice, sizeof(choice));
    RegCloseKey(opened);
}

int JobWarningTemplate(const JobWarningRequest& request, BOOL rightToLeft)
{
    if (lstrcmpiW(request.mediaName, kPictureFormMedia) == 0) {
        return IDD_JOB_WARNING_PICTURE;
    }
    return rightToLeft ? IDD_JOB_WARNING_RTL : IDD_JOB_WARNING;
}

INT_PTR RunJobWarningDialog(const JobWarningRequest& request, HWND owner)
{
    if (request.kind != kWarningKind) {
        return 0;
    }
    auto* object = new (std::nothrow) CJobWarningDialog(request);
    if (object == nullptr) {
        return 0;
    }
    int templateId = JobWarningTemplate(request, object->IsRightToLeft());
    INT_PTR code = DialogBoxParamW(NiraEvtModule(), MAKEINTRESOURCEW(templateId), owner, JobWarningProc,
                                   reinterpret_cast<LPARAM>(object));
    delete object;
    return code;
}
