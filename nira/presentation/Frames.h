// Frames: what the user finally sees of a presented container. Property-sheet pages added to the
// common property sheet, tree-view pages inserted into it, a modal or modeless dialog, a message
// pop-up or a message box, made from the registry's widget groups. The page procedure and the
// dialog procedure hand the windows' messages to their group.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <prsht.h>

class CNiraIdMap;
class CNiraPresentationController;
class CNiraWidgetGroup;

// The FrameType column of the layout's containers.
enum NiraFrameKind : int {
    FRAME_CPSUI = 1,
    FRAME_MODAL_DIALOG = 2,
    FRAME_MODELESS_DIALOG = 3,
    FRAME_MESSAGE_POPUP = 4,
    FRAME_MESSAGE_BOX = 5,
    FRAME_CPSUI_TREE_VIEW = 7,
};

// What a page or dialog window keeps in its DWLP_USER slot. A modeless dialog's context belongs
// to its window and goes with it.
struct PageContext {
    CNiraPresentationController* controller;
    CNiraWidgetGroup* group;
    bool freedWithWindow;
};

class CNiraFrame {
public:
    CNiraFrame(HMODULE resourceModule, void* context) : m_resourceModule(resourceModule), m_context(context)
    {}
    virtual ~CNiraFrame() = default;
    CNiraFrame(const CNiraFrame&) = delete;
    CNiraFrame& operator=(const CNiraFrame&) = delete;

    // Shows the frame from the registry's groups; result receives the handle of the last page
    // added or tree view inserted.
    virtual int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
                     CNiraPresentationController* controller);
    virtual int OnPageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    HMODULE m_resourceModule;
    void* m_context;  // PROPSHEETUI_INFO of the sheet frames, the PopupRequest of the dialogs
};

// Pages added through the common property sheet.
class CNiraCPSUIFrame : public CNiraFrame {
public:
    using CNiraFrame::CNiraFrame;
    ~CNiraCPSUIFrame() override;
    int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
             CNiraPresentationController* controller) override;
    int OnPageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HANDLE AddPage(PROPSHEETPAGEW* page, HMODULE module);
    void SetResult(LPARAM result);

    PFNCOMPROPSHEET m_callback = nullptr;
    PSPINFO* m_pspInfo = nullptr;  // behind the page initialised last
    PROPSHEETPAGEW* m_pages = nullptr;
    int m_count = 0;
};

// Tree-view pages inserted into the common property sheet.
class CNiraCPSUITreeViewFrame : public CNiraFrame {
public:
    using CNiraFrame::CNiraFrame;
    ~CNiraCPSUITreeViewFrame() override;
    int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
             CNiraPresentationController* controller) override;

private:
    PFNCOMPROPSHEET m_callback = nullptr;
    COMPROPSHEETUI* m_sheets = nullptr;
    int m_count = 0;
};

// The dialog frames: the PopupRequest names the dialog template (and window group) to show.
class CNiraDialogFrame : public CNiraFrame {
public:
    using CNiraFrame::CNiraFrame;

protected:
    // The template id, mapped to its right-to-left twin when asked (written back into the
    // request), and the group filed under it.
    CNiraWidgetGroup* GroupToShow(CNiraIdMap* groups, int rtl, CNiraPresentationController* controller,
                                  int* templateId);
};

class CNiraModalDialogFrame : public CNiraDialogFrame {
public:
    using CNiraDialogFrame::CNiraDialogFrame;
    int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
             CNiraPresentationController* controller) override;
};

// A dialog still open when the frame goes is destroyed with it: its group goes with the controller.
class CNiraModelessDialogFrame : public CNiraDialogFrame {
public:
    using CNiraDialogFrame::CNiraDialogFrame;
    ~CNiraModelessDialogFrame() override;
    int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
             CNiraPresentationController* controller) override;

protected:
    HWND m_dialog = nullptr;
};

// A modeless dialog shown with its template as the request names it, whatever the reading order.
class CNiraMessagePopupFrame : public CNiraModelessDialogFrame {
public:
    using CNiraModelessDialogFrame::CNiraModelessDialogFrame;
    int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
             CNiraPresentationController* controller) override;
};

// A message box with OK and Cancel: the text of the window's string id, the window's name as
// its caption.
class CNiraMessageBox : public CNiraDialogFrame {
public:
    using CNiraDialogFrame::CNiraDialogFrame;
    int Show(CNiraIdMap* groups, DWORD* result, HMODULE module, int rtl, int startPage,
             CNiraPresentationController* controller) override;
};

// The frame of a kind, or null for a null context or a kind without a frame.
CNiraFrame* CreateFrame(int kind, void* context, HMODULE resourceModule);

INT_PTR CALLBACK PageDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK FrameDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
