#include "printpreviewer/PreviewEntry.h"

#include <strsafe.h>

#include <new>

#include "common/StringResource.h"
#include "printpreviewer/PreviewDocument.h"
#include "printpreviewer/PreviewTexts.h"
#include "printpreviewer/PreviewWindow.h"

namespace {

constexpr UINT kTextTitle = 4339;
constexpr UINT kMenuId = 20;
constexpr int kTitleChars = 256;
constexpr DWORD kFrameStyle = 0x10CF0000;  // visible overlapped window, sizing border, min/max boxes
constexpr LANGID kUsEnglish = 1033;
const WCHAR kTitleFallback[] = TEXT("zq preview");
const WCHAR kFrameClass[] = TEXT("Preview");

HMODULE g_module = nullptr;

// What the worker thread is given.
struct PreviewThreadContext {
    CNiraPreviewDocument* document;
    CNiraPreviewWindow* frame;
    HMODULE module;
    WCHAR title[kTitleChars];
    PreviewJobBlock* block;
};

DWORD WINAPI BuildAndAttach(LPVOID parameter)
{
    auto* context = static_cast<PreviewThreadContext*>(parameter);
    if (context == nullptr || context->block->pageRecords == nullptr) {
        return 0;
    }
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    context->document = CNiraPreviewDocument::Build(*context->block);
    DWORD code = 0;
    if (context->document != nullptr) {
        CNiraPreviewDocument* previous =
            context->frame->AttachDocument(context->document, context->block->printerName, context->module);
        if (previous != context->document) {
            delete previous;
        }
        code = 1;
    }
    SetCursor(previous);
    return code;
}

void RunMessageLoop()
{
    MSG message = {};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

INT WINAPI BDisplayZQPrintPreview(PreviewJobBlock block)
{
    if (block.recordCount == 0) {
        return 0;
    }
    auto* copy = static_cast<PreviewJobBlock*>(LocalAlloc(LPTR, sizeof(PreviewJobBlock)));
    if (copy == nullptr) {
        return 0;
    }
    *copy = block;
    LoadStringLibrary(copy->stringDllPath);
    auto* context = new (std::nothrow) PreviewThreadContext{nullptr, nullptr, g_module, {}, copy};
    if (context == nullptr) {
        LocalFree(copy);
        return 0;
    }
    LoadDriverTextOr(kTextTitle, kTitleFallback, context->title, kTitleChars);
    if (context->title[0] == 0) {
        StringCchCopyW(context->title, kTitleChars, kTitleFallback);
    }
    CNiraPreviewWindow frame(GetStringLanguage() == kUsEnglish, copy->colorToolEnabled2 != 0,
                             copy->colorToolArgument);
    context->frame = &frame;
    HMENU menu = LoadMenuW(g_module, MAKEINTRESOURCEW(kMenuId));
    HWND owner = GetForegroundWindow();
    INT answer = 0;
    if (frame.Create(kFrameClass, 0, context->title, kFrameStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, owner, menu, g_module) != nullptr) {
        SetForegroundWindow(frame.Window());
        HANDLE worker = CreateThread(nullptr, 0, BuildAndAttach, context, 0, nullptr);
        ShowWindow(frame.Window(), SW_SHOW);
        RunMessageLoop();
        if (IsWindow(frame.Window())) {
            // The loop ended without the window closing (a quit posted by someone else): close it
            // now, and take the quit its destruction posts.
            DestroyWindow(frame.Window());
            MSG quit = {};
            PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        }
        if (worker != nullptr && worker != INVALID_HANDLE_VALUE) {
            WaitForSingleObject(worker, INFINITE);
            CloseHandle(worker);
        }
        answer = frame.Result() == 1 ? 1 : 0;
    } else if (menu != nullptr) {
        // Without a window the loop would never end: nothing starts, everything is freed.
        DestroyMenu(menu);
    }
    if (context->document != nullptr) {
        context->document->DeletePageFiles();
        delete context->document;
    }
    delete context;
    LocalFree(copy);
    return answer;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = instance;
    }
    return TRUE;
}
