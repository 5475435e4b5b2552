// The window procedures of the frames: every property-sheet page runs PageDialogProc, the modal,
// modeless and pop-up dialogs run FrameDialogProc; both find their group through the PageContext
// in the window's DWLP_USER slot.
#include "nira/presentation/Frames.h"

#include "nira/presentation/PresentationController.h"
#include "nira/presentation/WidgetGroup.h"

#include <commctrl.h>

namespace {

constexpr int kCancelId = 2;
constexpr int kEndAction = 1;
constexpr int kRestoreEndAction = 2;
constexpr UINT kTreeNotifications[] = {NM_CLICK, TVN_KEYDOWN, TVN_SELCHANGINGW, TVN_SELCHANGEDW};

PageContext* ContextOf(HWND window)
{
    return reinterpret_cast<PageContext*>(GetWindowLongPtrW(window, DWLP_USER));
}

void PassToFrame(PageContext* context, HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (context == nullptr || context->controller == nullptr) {
        return;
    }
    if (CNiraFrame* frame = context->controller->GetFrame()) {
        frame->OnPageMessage(window, message, wParam, lParam);
    }
}

bool IsTreeNotification(LPARAM lParam)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header == nullptr) {
        return false;
    }
    for (UINT code : kTreeNotifications) {
        if (header->code == code) {
            return true;
        }
    }
    return false;
}

int EndActionOf(CNiraWidgetGroup* group, WPARAM id)
{
    return id == kCancelId ? kRestoreEndAction : group->GetEndAction(static_cast<int>(id));
}

// A modal dialog ends; a modeless one goes away with its window.
void EndFrameDialog(HWND window, PageContext* context, INT_PTR code)
{
    if (context->freedWithWindow) {
        DestroyWindow(window);
    } else {
        EndDialog(window, code);
    }
}

}  // namespace

INT_PTR CALLBACK PageDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    PageContext* context = ContextOf(window);
    if (message == WM_INITDIALOG) {
        const auto* page = reinterpret_cast<const PROPSHEETPAGEW*>(lParam);
        context = page != nullptr ? reinterpret_cast<PageContext*>(page->lParam) : nullptr;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(context));
        PassToFrame(context, window, message, wParam, lParam);
    } else if (message == WM_NOTIFY) {
        PassToFrame(context, window, message, wParam, lParam);
    }
    CNiraWidgetGroup* group = context != nullptr ? context->group : nullptr;
    if (group == nullptr) {
        return 0;
    }
    switch (message) {
    case WM_INITDIALOG:
        group->AttachDialog(window);
        return 0;
    case WM_DESTROY:
        group->AttachDialog(nullptr);
        return 0;
    default:
        return group->OnMessage(message, wParam, lParam, 0, window);
    }
}

INT_PTR CALLBACK FrameDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* context = reinterpret_cast<PageContext*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        if (context != nullptr && context->group != nullptr) {
            context->group->AttachDialog(window);
            context->group->SetTitle(window);
            context->group->RememberInitialValues();
        }
    }
    PageContext* context = ContextOf(window);
    CNiraWidgetGroup* group = context != nullptr ? context->group : nullptr;
    if (group == nullptr) {
        return 1;
    }
    switch (message) {
    case WM_COMMAND: {
        const int endAction = EndActionOf(group, wParam);
        if (endAction != kEndAction && endAction != kRestoreEndAction) {
            break;
        }
        group->OnMessage(message, wParam, lParam, 0, window);
        if (endAction == kRestoreEndAction) {
            group->RestoreInitialValues();
        }
        EndFrameDialog(window, context, 0);
        return 1;
    }
    case WM_NOTIFY:
        if (IsTreeNotification(lParam)) {
            group->OnTreeNotify(wParam, reinterpret_cast<NMHDR*>(lParam), EndActionOf(group, wParam));
            return 1;
        }
        break;
    case WM_CLOSE:
        group->AttachDialog(nullptr);
        group->RestoreInitialValues();
        EndFrameDialog(window, context, 1);
        return 0;
    case WM_DESTROY:
        group->AttachDialog(nullptr);
        if (context->freedWithWindow) {
            SetWindowLongPtrW(window, DWLP_USER, 0);
            delete context;
        }
        return 0;
    default:
        break;
    }
    return group->OnMessage(message, wParam, lParam, 0, window);
}
