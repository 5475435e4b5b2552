// The common property-sheet host of the machine (see nirasim/PropertySheets.h).
#include <nirasim/PropertySheets.h>

#include "windows/Dialogs.h"

#include <cstring>
#include <map>

namespace nirasim {

struct PropertySheet::State {
    HWND window = nullptr;
    std::vector<SheetHostCall> calls;
    std::vector<HWND> pages;
    std::vector<HANDLE> pageHandles;
    std::vector<std::unique_ptr<BYTE[]>> pageCopies;  // each PROPSHEETPAGEW with its PSPINFO behind
    std::vector<const COMPROPSHEETUI*> trees;
    std::vector<INSERTPSUIPAGE_INFO> insertions;
    HANDLE startPage = nullptr;
    LONG_PTR result = -1;
    std::vector<UINT> sheetMessages;
};

namespace {

// A page description is at least the first version's fields and at most this large.
constexpr DWORD kSmallestPage = offsetof(PROPSHEETPAGEW, pszHeaderTitle);
constexpr DWORD kLargestPage = 4096;
constexpr ULONG_PTR kFirstPageHandle = 0x5000;
constexpr ULONG_PTR kFirstTreeHandle = 0x6000;

std::map<HANDLE, PropertySheet::State*>& Sheets()
{
    static std::map<HANDLE, PropertySheet::State*> sheets;
    return sheets;
}

LRESULT CALLBACK SheetWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == PSM_CHANGED || message == PSM_UNCHANGED) {
        for (auto& [handle, state] : Sheets()) {
            if (state->window == window) {
                state->sheetMessages.push_back(message);
            }
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

sim::SystemClass sheetClass(u"NiraSimPropertySheet", SheetWindowProc);

LONG_PTR AddPage(PropertySheet::State& sheet, HANDLE handle, const PROPSHEETPAGEW* page)
{
    if (page == nullptr || page->dwSize < kSmallestPage || page->dwSize > kLargestPage) {
        return 0;
    }
    auto pageHandle = reinterpret_cast<HANDLE>(kFirstPageHandle + sheet.pageHandles.size());
    std::unique_ptr<BYTE[]> copy(new BYTE[page->dwSize + sizeof(PSPINFO)]());
    std::memcpy(copy.get(), page, page->dwSize);
    PSPINFO info = {};
    info.cbSize = sizeof(PSPINFO);
    info.hComPropSheet = handle;
    info.hCPSUIPage = pageHandle;
    info.pfnComPropSheet = &PropertySheet::Function;
    std::memcpy(copy.get() + page->dwSize, &info, sizeof(info));
    auto* copied = reinterpret_cast<PROPSHEETPAGEW*>(copy.get());
    sheet.pageCopies.push_back(std::move(copy));
    sheet.pageHandles.push_back(pageHandle);
    sheet.pages.push_back(CreateDialogParamW(copied->hInstance, copied->pszTemplate, sheet.window,
                                             copied->pfnDlgProc, reinterpret_cast<LPARAM>(copied)));
    return reinterpret_cast<LONG_PTR>(pageHandle);
}

LONG_PTR InsertPage(PropertySheet::State& sheet, const INSERTPSUIPAGE_INFO* insert)
{
    if (insert == nullptr) {
        return 0;
    }
    sheet.insertions.push_back(*insert);
    if (insert->Type != PSUIPAGEINSERT_PCOMPROPSHEETUI || insert->dwData1 == 0) {
        return 0;
    }
    sheet.trees.push_back(reinterpret_cast<const COMPROPSHEETUI*>(insert->dwData1));
    return static_cast<LONG_PTR>(kFirstTreeHandle + sheet.trees.size() - 1);
}

}  // namespace

PropertySheet::PropertySheet() : state_(std::make_unique<State>())
{
    state_->window = CreateWindowExW(0, TEXT("NiraSimPropertySheet"), TEXT("Properties"), WS_OVERLAPPED, 0, 0,
                                     640, 480, nullptr, nullptr, nullptr, nullptr);
    Sheets()[Handle()] = state_.get();
}

PropertySheet::~PropertySheet()
{
    DestroyPages();
    DestroyWindow(state_->window);
    Sheets().erase(Handle());
}

HANDLE PropertySheet::Handle() const
{
    return reinterpret_cast<HANDLE>(state_.get());
}

HWND PropertySheet::Window() const
{
    return state_->window;
}

LONG_PTR CALLBACK PropertySheet::Function(HANDLE handle, UINT function, LPARAM lParam1, LPARAM lParam2)
{
    auto found = Sheets().find(handle);
    if (found == Sheets().end()) {
        return 0;
    }
    State& sheet = *found->second;
    LONG_PTR answer = 0;
    switch (function) {
    case CPSFUNC_ADD_PROPSHEETPAGEW:
        answer = AddPage(sheet, handle, reinterpret_cast<const PROPSHEETPAGEW*>(lParam1));
        break;
    case CPSFUNC_SET_HSTARTPAGE:
        sheet.startPage = reinterpret_cast<HANDLE>(lParam1);
        answer = 1;
        break;
    case CPSFUNC_SET_RESULT:
        sheet.result = lParam2;
        answer = 1;
        break;
    case CPSFUNC_INSERT_PSUIPAGEW:
        answer = InsertPage(sheet, reinterpret_cast<const INSERTPSUIPAGE_INFO*>(lParam2));
        break;
    default:
        break;
    }
    sheet.calls.push_back({function, lParam1, lParam2, answer});
    return answer;
}

const std::vector<SheetHostCall>& PropertySheet::Calls() const
{
    return state_->calls;
}

std::vector<HWND> PropertySheet::Pages() const
{
    return state_->pages;
}

std::vector<HANDLE> PropertySheet::PageHandles() const
{
    return state_->pageHandles;
}

std::vector<const COMPROPSHEETUI*> PropertySheet::TreeViews() const
{
    return state_->trees;
}

HANDLE PropertySheet::StartPage() const
{
    return state_->startPage;
}

LONG_PTR PropertySheet::Result() const
{
    return state_->result;
}

std::vector<INSERTPSUIPAGE_INFO> PropertySheet::Insertions() const
{
    return state_->insertions;
}

const std::vector<UINT>& PropertySheet::SheetMessages() const
{
    return state_->sheetMessages;
}

LRESULT PropertySheet::Notify(size_t page, UINT code)
{
    if (page >= state_->pages.size() || state_->pages[page] == nullptr) {
        return 0;
    }
    HWND window = state_->pages[page];
    PSHNOTIFY notify = {};
    notify.hdr.hwndFrom = state_->window;
    notify.hdr.code = code;
    return SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

void PropertySheet::PressOk()
{
    for (size_t page = 0; page < state_->pages.size(); ++page) {
        Notify(page, PSN_APPLY);
    }
}

void PropertySheet::PressCancel()
{
    for (size_t page = 0; page < state_->pages.size(); ++page) {
        Notify(page, PSN_RESET);
    }
}

LONG PropertySheet::TreeCallback(size_t tree, WORD reason, size_t item)
{
    if (tree >= state_->trees.size()) {
        return 0;
    }
    const COMPROPSHEETUI& sheet = *state_->trees[tree];
    if (sheet.pfnCallBack == nullptr || item >= sheet.cOptItem) {
        return 0;
    }
    CPSUICBPARAM param = {};
    param.cbSize = sizeof(param);
    param.Reason = reason;
    param.pOptItem = sheet.pOptItem;
    param.cOptItem = sheet.cOptItem;
    param.pCurItem = &sheet.pOptItem[item];
    param.OldSel = sheet.pOptItem[item].Sel;
    param.UserData = sheet.UserData;
    return sheet.pfnCallBack(&param);
}

void PropertySheet::DestroyPages()
{
    for (HWND& page : state_->pages) {
        if (page != nullptr) {
            DestroyWindow(page);
            page = nullptr;
        }
    }
}

}  // namespace nirasim
