// Operations on the core driver's common property-sheet items: find items by feature keyword or
// by public DEVMODE item id, hide or disable items and options, read the core driver's setting of
// a feature and select options with its notification.
//
// Results are 0 or one of the PROPSHEET_ codes below. Texts handed out through WCHAR** are new[]
// allocations that the caller frees with delete[]; lists of texts are new[] arrays of such texts
// (FreeAdapterTexts frees one). Every operation of this base does nothing and answers 1.
#pragma once

#include <windows.h>

#include <compstui.h>

constexpr LONG kPropsheetNoItem = 0x20000015;       // no item with that keyword or id; empty setting
constexpr LONG kPropsheetBadArgument = 0x20000017;  // no block, no UI object, no option type, range
constexpr LONG kPropsheetAlreadyHidden = 0x20000018;
constexpr LONG kPropsheetAlreadyDisabled = 0x20000019;
constexpr LONG kPropsheetNotDisabled = 0x2000001A;
constexpr LONG kPropsheetNoOption = 0x2000001B;
constexpr LONG kPropsheetNoMemory = 0x2000001C;
constexpr LONG kPropsheetSettingUnreadable = 0x2000001D;

// Frees a list of texts handed out by an adapter, and its entries.
void FreeAdapterTexts(WCHAR** texts, int count);

class INiraPropSheetAdapter {
public:
    virtual ~INiraPropSheetAdapter() = default;

    virtual LONG GetSelectedOptionIndex(LPCWSTR, int*) { return 1; }
    virtual LONG GetDriverSetting(LPCWSTR, WCHAR**) { return 1; }
    virtual LONG FindItem(LPCWSTR, OPTITEM**) { return 1; }
    virtual LONG FindItemContaining(LPCWSTR, OPTITEM**) { return 1; }
    virtual LONG HideItem(LPCWSTR, DWORD) { return 1; }
    virtual LONG HideItemsContaining(LPCWSTR, DWORD) { return 1; }
    virtual LONG DisableItem(LPCWSTR, DWORD) { return 1; }
    virtual LONG EnableItem(LPCWSTR, DWORD) { return 1; }
    virtual LONG HideOption(LPCWSTR, int, DWORD) { return 1; }
    virtual LONG GetOptionCount(LPCWSTR, int*) { return 1; }
    virtual LONG GetOptionKeywords(LPCWSTR, WCHAR***, int*, DWORD) { return 1; }
    virtual LONG GetOptionNames(LPCWSTR, WCHAR***, int*) { return 1; }
    virtual LONG SelectOptionByKeyword(LPCWSTR, LPCWSTR, DWORD) { return 1; }
    virtual LONG SelectOptionByIndex(LPCWSTR, int, DWORD) { return 1; }
    virtual LONG SelectOptionByName(OPTITEM*, LPCWSTR, DWORD) { return 1; }
    virtual LONG GetOptionKeywordByName(LPCWSTR, LPCWSTR, WCHAR**) { return 1; }
    virtual LONG GetOptionNameByKeyword(LPCWSTR, LPCWSTR, WCHAR**) { return 1; }
    virtual LONG FindItemById(int, int, OPTITEM**) { return 1; }
    virtual LONG HideItemById(int, int) { return 1; }
    virtual LONG DisableItemById(int, int) { return 1; }
    virtual LONG HideOptionById(int, int, int) { return 1; }
    virtual LONG GetOptionCountById(int, int, int*) { return 1; }
    virtual LONG GetOptionNamesById(int, int, WCHAR***, int*) { return 1; }
    virtual LONG SetSelectionById(int, int, int) { return 1; }
    virtual LONG GetSelectedOptionNameById(int, int, WCHAR**) { return 1; }
    virtual LONG FindOemItemById(int, OPTITEM**) { return 1; }
    virtual LONG ResetSelections(int*, int) { return 1; }
    virtual LONG SelectOptionById(int, int, int) { return 1; }
    virtual LONG HasWarningSelection() { return 1; }
    virtual LONG GetDriverKeywords(WCHAR***, WCHAR***, int*) { return 1; }
    virtual LONG GetStandardSettings(WCHAR***, WCHAR***, int*) { return 1; }
    virtual LONG FindOptionIndexByKeyword(LPCWSTR, LPCWSTR, OPTITEM*) { return 1; }
    virtual LONG FindComboSelectionOption(int, HWND, OPTITEM*) { return 1; }
    virtual LONG FindComboEntry(LPCWSTR, HWND) { return 1; }
    virtual void CheckResourceData(int) {}
    virtual LONG SelectOptionByIndexRef(LPCWSTR, const unsigned*, DWORD) { return 1; }
};
