// The property-sheet adapter over the core driver's common-UI parameter block: the block is
// borrowed from the core driver for the life of the plug-in object and never freed here.
#pragma once

#include <windows.h>

#include <printoem.h>

#include "nira/uiplugin/core/plugin/INiraPropSheetAdapter.h"

class CNiraPropSheetAdapter : public INiraPropSheetAdapter {
public:
    explicit CNiraPropSheetAdapter(POEMCUIPPARAM param) : m_param(param) {}

    LONG GetSelectedOptionIndex(LPCWSTR keyword, int* index) override;
    LONG GetDriverSetting(LPCWSTR keyword, WCHAR** value) override;
    LONG FindItem(LPCWSTR keyword, OPTITEM** item) override;
    LONG FindItemContaining(LPCWSTR text, OPTITEM** item) override;
    LONG HideItem(LPCWSTR keyword, DWORD mode) override;
    LONG HideItemsContaining(LPCWSTR text, DWORD mode) override;
    LONG DisableItem(LPCWSTR keyword, DWORD mode) override;
    LONG EnableItem(LPCWSTR keyword, DWORD mode) override;
    LONG HideOption(LPCWSTR keyword, int index, DWORD mode) override;
    LONG GetOptionCount(LPCWSTR keyword, int* count) override;
    LONG GetOptionKeywords(LPCWSTR keyword, WCHAR*** keywords, int* count, DWORD mode) override;
    LONG GetOptionNames(LPCWSTR keyword, WCHAR*** names, int* count) override;
    LONG SelectOptionByKeyword(LPCWSTR keyword, LPCWSTR optionKeyword, DWORD mode) override;
    LONG SelectOptionByIndex(LPCWSTR keyword, int index, DWORD mode) override;
    LONG SelectOptionByName(OPTITEM* item, LPCWSTR name, DWORD mode) override;
    LONG GetOptionKeywordByName(LPCWSTR keyword, LPCWSTR name, WCHAR** optionKeyword) override;
    LONG GetOptionNameByKeyword(LPCWSTR keyword, LPCWSTR optionKeyword, WCHAR** name) override;
    LONG FindItemById(int id, int n, OPTITEM** item) override;
    LONG HideItemById(int id, int n) override;
    LONG DisableItemById(int id, int n) override;
    LONG HideOptionById(int id, int n, int index) override;
    LONG GetOptionCountById(int id, int n, int* count) override;
    LONG GetOptionNamesById(int id, int n, WCHAR*** names, int* count) override;
    LONG SetSelectionById(int id, int n, int index) override;
    LONG GetSelectedOptionNameById(int id, int n, WCHAR** name) override;
    LONG FindOemItemById(int id, OPTITEM** item) override;
    LONG ResetSelections(int* selections, int count) override;
    LONG SelectOptionById(int id, int n, int index) override;
    LONG HasWarningSelection() override;
    LONG GetDriverKeywords(WCHAR*** keywords, WCHAR*** settings, int* count) override;
    LONG GetStandardSettings(WCHAR*** names, WCHAR*** values, int* count) override;
    LONG FindOptionIndexByKeyword(LPCWSTR optionKeyword, LPCWSTR keyword, OPTITEM* item) override;
    LONG FindComboSelectionOption(int entry, HWND comboBox, OPTITEM* item) override;
    LONG FindComboEntry(LPCWSTR text, HWND comboBox) override;
    void CheckResourceData(int mode) override;
    LONG SelectOptionByIndexRef(LPCWSTR keyword, const unsigned* index, DWORD mode) override;

private:
    bool IsUsable() const;
    // The core driver's setting of the feature an ANSI keyword names.
    LONG ReadSetting(LPCSTR keyword, WCHAR** value);
    // Moves the selection and tells the core driver (OPTIF_CHANGED when it changed).
    void Select(OPTITEM* item, LONG index, DWORD mode);
    // Tells the core driver about the item, with the warning icon of the selected option lifted
    // for the call.
    void Notify(OPTITEM* item, DWORD previous, DWORD mode);
    LONG SetItemFlag(OPTITEM* item, DWORD flag, LONG alreadySet, DWORD mode);
    LONG HideOptionOf(OPTITEM* item, int index, DWORD mode);
    LONG NamesOf(const OPTITEM* item, WCHAR*** names, int* count);
    LONG SetSelectionOf(OPTITEM* item, int id, int index);
    LONG PairedText(LPCWSTR keyword, LPCWSTR wanted, bool byName, WCHAR** answer);
    LONG StandardValue(int which, WCHAR** value);

    POEMCUIPPARAM m_param;
};
