// The common property-sheet host: a sheet window, the host's function (pfnComPropSheet) that
// adds property-sheet pages (each made from its template, its PROPSHEETPAGEW copied with the
// host's PSPINFO behind it), inserts tree-view pages described by a COMPROPSHEETUI, takes the
// start page and the result; and the user's actions on the sheet: notifications to the pages,
// the tree page's callbacks. PSM_CHANGED and PSM_UNCHANGED sent to the sheet are journalled.
// For tests and the host program only.
#pragma once

#include <windows.h>

#include <compstui.h>
#include <prsht.h>

#include <memory>
#include <string>
#include <vector>

namespace nirasim {

// One call of the host's function.
struct SheetHostCall {
    UINT function;
    LPARAM lParam1;
    LPARAM lParam2;
    LONG_PTR answer;
};

class PropertySheet {
public:
    PropertySheet();
    // Destroys the pages that are left and the sheet window.
    ~PropertySheet();
    PropertySheet(const PropertySheet&) = delete;
    PropertySheet& operator=(const PropertySheet&) = delete;

    HANDLE Handle() const;
    HWND Window() const;
    // The host's function; it answers for the sheet whose handle it is given.
    static LONG_PTR CALLBACK Function(HANDLE sheet, UINT function, LPARAM lParam1, LPARAM lParam2);

    const std::vector<SheetHostCall>& Calls() const;
    // The property-sheet pages in the order they were added (null where a page's dialog could not
    // be made), and their handles.
    std::vector<HWND> Pages() const;
    std::vector<HANDLE> PageHandles() const;
    // The tree-view pages inserted, in order, with a copy of each insertion's record.
    std::vector<const COMPROPSHEETUI*> TreeViews() const;
    std::vector<INSERTPSUIPAGE_INFO> Insertions() const;
    // The handle CPSFUNC_SET_HSTARTPAGE named last (null before), and the result set last
    // (-1 before one).
    HANDLE StartPage() const;
    LONG_PTR Result() const;
    // PSM_CHANGED and PSM_UNCHANGED, in order.
    const std::vector<UINT>& SheetMessages() const;

    // The user's actions: a notification (PSN_SETACTIVE, PSN_APPLY, PSN_RESET, PSN_HELP) to one
    // page, answering the page procedure's answer; OK (PSN_APPLY to every page), Cancel
    // (PSN_RESET to every page). A tree page's callback with a reason for one of its items.
    LRESULT Notify(size_t page, UINT code);
    void PressOk();
    void PressCancel();
    LONG TreeCallback(size_t tree, WORD reason, size_t item);
    // The pages' windows go, as when the sheet closes.
    void DestroyPages();

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace nirasim
