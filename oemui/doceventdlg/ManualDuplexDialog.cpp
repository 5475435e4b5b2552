#include "oemui/doceventdlg/ManualDuplexDialog.h"

#include "common/SafeString.h"
#include "oemui/doceventdlg/DialogHelper.h"
#include "oemui/doceventdlg/DialogResources.h"
#include "oemui/doceventdlg/DialogThreads.h"

#include <initializer_list>
#include <new>
#include <utility>

namespace {

constexpr UINT kCaptionTextId = 3144;
constexpr UINT kHeadingOddPagesTextId = 3314;
constexpr UINT kHeadingDisplayTextId = 5022;
constexpr UINT kStep1NumberTextId = 3084;
constexpr UINT kStep2NumberTextId = 3085;
constexpr UINT kStep3NumberTextId = 3086;
constexpr UINT kContinueTextId = 3142;
constexpr UINT kOkTextId = 849;
constexpr UINT kJoinedStep3TextId = 3140;
constexpr UINT kJoinedStep3SecondTextId = 3066;
constexpr size_t kStep3TextChars = 512;
const WCHAR kLineFeed[] = {10, 0};

const WCHAR kCaption[] = TEXT("Print on Both Sides Instructions");
const WCHAR kHeadingOddPages[] = TEXT(
    "The odd-numbered pages of your document are printing.  Remove the printed pages from the OUT tray "
    "when printing is complete.  Follow the instructions below to print the second side of your pages.");
const WCHAR kHeadingDisplay[] = TEXT(
    "After the even-numbered pages have printed, a message will appear on the printer's display "
    "instructing you where to load the paper.  Follow the instructions below to print the odd-numbered "
    "pages (second sides).");
const WCHAR kStep1[] = TEXT(
    "Without changing the orientation, remove the  paper stack from the Output Bin.  Do not "
    "discard blank sheets.");
const WCHAR kStep2[] = TEXT("Maintaining the same orientation, insert the paper stack into Tray 1");
const WCHAR kStep3[] = TEXT("If printing does not automatically continue, press the Go or Check button.");
const WCHAR kJoinedStep3[] =
    TEXT("Insert the stack into the IN tray with the top of the pages toward the device, as shown.");
const WCHAR kJoinedStep3Second[] = TEXT("Press the Go or Select button to continue printing.");

struct CManualDuplexDialog {
    explicit CManualDuplexDialog(const ManualDuplexRequest* request) : request(request) {}
    const ManualDuplexRequest* request;
    CNiraDialogHelper helper;
};

void InitialiseTexts(HWND dialog, const CManualDuplexDialog& object)
{
    const ManualDuplexRequest& request = *object.request;
    const CNiraDialogHelper& helper = object.helper;
    helper.SetControlText(kCaptionTextId, dialog, kCaption);
    if (request.headingKind == 0) {
        helper.SetControlText(kHeadingOddPagesTextId, GetDlgItem(dialog, IDC_DUPLEX_HEADING),
                              kHeadingOddPages);
    } else {
        helper.SetControlText(kHeadingDisplayTextId, GetDlgItem(dialog, IDC_DUPLEX_HEADING), kHeadingDisplay);
    }
    helper.SetControlText(kStep1NumberTextId, GetDlgItem(dialog, IDC_DUPLEX_STEP1_NUMBER), TEXT("1."));
    helper.SetControlText(request.step1TextId, GetDlgItem(dialog, IDC_DUPLEX_STEP1_TEXT), kStep1);
    helper.SetControlText(kStep2NumberTextId, GetDlgItem(dialog, IDC_DUPLEX_STEP2_NUMBER), TEXT("2."));
    helper.SetControlText(request.step2TextId, GetDlgItem(dialog, IDC_DUPLEX_STEP2_TEXT), kStep2);
    helper.SetControlText(kStep3NumberTextId, GetDlgItem(dialog, IDC_DUPLEX_STEP3_NUMBER), TEXT("3."));
    WCHAR step3[kStep3TextChars] = {};
    ManualDuplexStep3Text(helper, request, step3, kStep3TextChars);
    SetDlgItemTextW(dialog, IDC_DUPLEX_STEP3_TEXT, step3);
    if (request.modal != 0) {
        helper.SetControlText(kContinueTextId, GetDlgItem(dialog, IDOK), TEXT("C&ontinue"));
    } else {
        helper.SetControlText(kOkTextId, GetDlgItem(dialog, IDOK), TEXT("&OK"));
    }
}

INT_PTR CALLBACK ManualDuplexProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<CManualDuplexDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        object = reinterpret_cast<CManualDuplexDialog*>(lParam);
        if (object != nullptr) {
            object->helper.LoadStringModule(object->request->stringDllPath);
            object->helper.LoadPictureModule(object->request->pictureDllPath);
            InitialiseTexts(dialog, *object);
            SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(object));
        }
        return FALSE;
    case WM_PAINT:
        if (object == nullptr) {
            return FALSE;
        }
        for (const auto& step : {std::make_pair(object->request->step1BitmapId, IDC_DUPLEX_STEP1_PICTURE),
                                 std::make_pair(object->request->step2BitmapId, IDC_DUPLEX_STEP2_PICTURE),
                                 std::make_pair(object->request->step3BitmapId, IDC_DUPLEX_STEP3_PICTURE)}) {
            object->helper.PaintBitmap(dialog, step.first, step.second, object->helper.GetPictureModule());
        }
        return FALSE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK && HIWORD(wParam) == BN_CLICKED) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        EndDialog(dialog, IDOK);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void ManualDuplexStep3Text(const CNiraDialogHelper& helper, const ManualDuplexRequest& request, LPWSTR buffer,
                           size_t capacity)
{
    WCHAR text[kDialogTextChars + 1] = {};
    if (request.modal != 0 || request.step3TextId != kJoinedStep3TextId) {
        helper.LoadTextOrDefault(request.step3TextId, kStep3, text);
        CopyStringSafe(buffer, capacity, text);
        return;
    }
    helper.LoadTextOrDefault(kJoinedStep3TextId, kJoinedStep3, text);
    CopyStringSafe(buffer, capacity, text);
    AppendStringSafe(buffer, capacity, kLineFeed);
    helper.LoadTextOrDefault(kJoinedStep3SecondTextId, kJoinedStep3Second, text);
    AppendStringSafe(buffer, capacity, text);
}

DWORD WINAPI RunManualDuplexDialog(LPVOID argument)
{
    auto* copy = static_cast<ManualDuplexRequest*>(argument);
    auto* object = new (std::nothrow) CManualDuplexDialog(copy);
    if (object == nullptr) {
        LocalFree(copy);
        return 0;
    }
    HWND owner = copy->modal != 0 ? GetForegroundWindow() : nullptr;
    int templateId = object->helper.TemplateId(IDD_MANUAL_DUPLEX, IDD_MANUAL_DUPLEX_RTL);
    DialogBoxParamW(NiraEvtModule(), MAKEINTRESOURCEW(templateId), owner, ManualDuplexProc,
                    reinterpret_cast<LPARAM>(object));
    LocalFree(copy);
    delete object;
    return 0;
}

void StartManualDuplexDialog(ManualDuplexRequest* copy)
{
    if (copy != nullptr && !StartDialogThread(DialogThreadSlot::ManualDuplex, RunManualDuplexDialog, copy)) {
        LocalFree(copy);
    }
}
