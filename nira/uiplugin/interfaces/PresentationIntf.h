// What the UI core and the presentation library nirapres share: the request that asks nirapres
// for a frame (a tree view, a container of property-sheet pages or a pop-up), the pop-up's own
// record, the presentation instance's table and the two exports that make and free instances.
// nirapres is a library of its own: the layouts and the slot order are a contract.
#pragma once

#include <windows.h>

#include <stddef.h>

class CNiraStringDll;
class CNiraUILayoutDB;
class INiraUISettings;
class INiraUISink;

// Frame kinds the core asks for; PresentFrame replaces them by the container's own.
constexpr DWORD kFramePopup = 0;
constexpr DWORD kFramePropertySheet = 1;  // FRAME_CPSUI
constexpr DWORD kFrameTreeView = 7;       // FRAME_CPSUI_TREE_VIEW

// The size field tells nirapres which road the request comes from.
constexpr DWORD kFrameRequestSheetSize = 1064;
constexpr DWORD kFrameRequestPopupSize = 576;
constexpr DWORD kFrameRequestVersion = 1;
constexpr int kFrameNameChars = 260;

// PresentFrame modes.
constexpr int kPresentSheet = 1;
constexpr int kPresentPopup = 2;

// Zero-filled with LocalAlloc by the core, read by PresentFrame.
struct FrameRequest {
    DWORD cbSize;       // kFrameRequestSheetSize or kFrameRequestPopupSize
    DWORD version;      // kFrameRequestVersion
    DWORD parentValue;  // 0; the frame may write to it (a pop-up's answer)
    void* context;      // PROPSHEETUI_INFO of the property sheets, or the PopupRequest
    DWORD frameType;    // a kFrame kind
    HMODULE resourceModule;
    WCHAR containerName[kFrameNameChars];
    WCHAR databasePath[kFrameNameChars];  // UI layout database, or the capability database for pop-ups
};

// The context of a pop-up frame.
struct PopupRequest {
    DWORD messageId;  // the dialog template and window group of the pop-up
    DWORD reserved1[2];
    DWORD parentWindow;  // 0: the frame uses the active window and stores it here
    DWORD reserved2[140];
};

static_assert(offsetof(FrameRequest, parentValue) == 8 && offsetof(FrameRequest, context) == 16 &&
                  offsetof(FrameRequest, frameType) == 24 && offsetof(FrameRequest, resourceModule) == 32 &&
                  offsetof(FrameRequest, containerName) == 40 &&
                  offsetof(FrameRequest, databasePath) == 560 && sizeof(FrameRequest) == 1080,
              "FrameRequest layout (x64)");
static_assert(offsetof(PopupRequest, parentWindow) == 12 && sizeof(PopupRequest) == kFrameRequestPopupSize,
              "PopupRequest layout");

// A presentation instance: a controller of nirapres. Made by CreateInstance, freed by FreeInstance.
class INiraPresentationIntf {
public:
    // NIRA_STATUS_FAILED without a request or any of sink, settings, reader and strings.
    virtual int PresentFrame(INiraUISink* sink, INiraUISettings* settings, CNiraUILayoutDB* layoutReader,
                             FrameRequest* request, CNiraStringDll* strings, int mode) = 0;  // 0
    virtual ~INiraPresentationIntf() = default;                                              // 1
};

// The exports of nirapres, by these names.
constexpr char kCreateInstanceExport[] = "CreateInstance";
constexpr char kFreeInstanceExport[] = "FreeInstance";
constexpr int kCreateInstanceKind = 1;
typedef INiraPresentationIntf*(WINAPI* NiraCreateInstanceProc)(int kind);
typedef int(WINAPI* NiraFreeInstanceProc)(INiraPresentationIntf* instance);
