#include "nira/uiplugin/core/plugin/PropSheetAdapter.h"

#include "nira/uiplugin/core/plugin/PropSheetItems.h"

#include "common/CodePageConversion.h"
#include "common/SafeString.h"

#include <string.h>

#include <memory>
#include <new>

namespace {

// Bins whose keyword list may hold one more entry (the automatic choice) than the name list.
const WCHAR* const kBinFeatures[] = {TEXT("pwstrFIDInputBin"), TEXT("pwstrFIDInputSlot")};

constexpr DWORD kDocumentMode = 1;

typedef std::unique_ptr<char[]> NarrowText;

LONG ToNarrow(LPCWSTR text, NarrowText& narrow)
{
    LPSTR converted = nullptr;
    if (text == nullptr || !ConvertToNarrow(text, &converted, CP_ACP)) {
        return ERROR_INSUFFICIENT_BUFFER;
    }
    narrow.reset(converted);
    return 0;
}

// A list of count empty entries.
LONG NewList(int count, WCHAR*** list)
{
    *list = new (std::nothrow) WCHAR*[count > 0 ? count : 1]();
    return *list != nullptr ? 0 : kPropsheetNoMemory;
}

bool IsBinFeature(LPCWSTR keyword)
{
    for (LPCWSTR bin : kBinFeatures) {
        if (CompareStringNoCaseSafe(keyword, bin) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

void FreeAdapterTexts(WCHAR** texts, int count)
{
    if (texts == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        delete[] texts[i];
    }
    delete[] texts;
}

bool CNiraPropSheetAdapter::IsUsable() const
{
    return m_param != nullptr && m_param->poemuiobj != nullptr;
}

void CNiraPropSheetAdapter::Notify(OPTITEM* item, DWORD previous, DWORD mode)
{
    const POEMUIPROCS procs = m_param->poemuiobj->pOemUIProcs;
    if (procs == nullptr || procs->DrvUpdateUISetting == nullptr) {
        return;
    }
    OPTPARAM* selected = HasOption(*item, item->Sel) ? &item->pOptType->pOptParam[item->Sel] : nullptr;
    const bool warning = selected != nullptr && (selected->Flags & OPTPF_OVERLAY_WARNING_ICON) != 0;
    if (warning) {
        selected->Flags &= ~OPTPF_OVERLAY_WARNING_ICON;
    }
    procs->DrvUpdateUISetting(m_param->poemuiobj, item, previous, mode);
    if (warning) {
        selected->Flags |= OPTPF_OVERLAY_WARNING_ICON;
    }
}

void CNiraPropSheetAdapter::Select(OPTITEM* item, LONG index, DWORD mode)
{
    const LONG previous = item->Sel;
    item->Sel = index;
    if (previous != index) {
        item->Flags |= OPTIF_CHANGED;
    }
    Notify(item, static_cast<DWORD>(previous), mode);
}

LONG CNiraPropSheetAdapter::ReadSetting(LPCSTR keyword, WCHAR** value)
{
    const POEMUIPROCS procs = m_param->poemuiobj->pOemUIProcs;
    if (procs == nullptr || procs->DrvGetDriverSetting == nullptr || keyword == nullptr || value == nullptr) {
        return kPropsheetBadArgument;
    }
    DWORD needed = 0;
    DWORD options = 0;
    procs->DrvGetDriverSetting(m_param->poemuiobj, keyword, nullptr, 0, &needed, &options);
    // One byte more than asked for, zeroed, so that the answer always ends.
    NarrowText buffer(new (std::nothrow) char[static_cast<size_t>(needed) + 1]());
    if (buffer == nullptr) {
        return kPropsheetNoMemory;
    }
    if (!procs->DrvGetDriverSetting(m_param->poemuiobj, keyword, buffer.get(), needed, &needed, &options) ||
        buffer[0] == 0) {
        return kPropsheetNoItem;
    }
    return ConvertToWide(value, buffer.get(), CP_ACP) ? 0 : ERROR_INSUFFICIENT_BUFFER;
}

LONG CNiraPropSheetAdapter::GetDriverSetting(LPCWSTR keyword, WCHAR** value)
{
    if (!IsUsable()) {
        return kPropsheetBadArgument;
    }
    NarrowText narrow;
    const LONG converted = ToNarrow(keyword, narrow);
    return converted != 0 ? converted : ReadSetting(narrow.get(), value);
}

LONG CNiraPropSheetAdapter::FindItem(LPCWSTR keyword, OPTITEM** item)
{
    if (!IsUsable() || item == nullptr) {
        return kPropsheetBadArgument;
    }
    NarrowText narrow;
    const LONG converted = ToNarrow(keyword, narrow);
    if (converted != 0) {
        return converted;
    }
    for (DWORD i = 0; m_param->pDrvOptItems != nullptr && i < m_param->cDrvOptItems; ++i) {
        OPTITEM& candidate = m_param->pDrvOptItems[i];
        if (CompareStringNoCaseSafeA(ItemKeyword(candidate), narrow.get()) == 0) {
            if (candidate.pOptType == nullptr) {
                return kPropsheetBadArgument;
            }
            *item = &candidate;
            return 0;
        }
    }
    return kPropsheetNoItem;
}

LONG CNiraPropSheetAdapter::FindItemContaining(LPCWSTR text, OPTITEM** item)
{
    if (!IsUsable() || item == nullptr) {
        return kPropsheetBadArgument;
    }
    NarrowText narrow;
    const LONG converted = ToNarrow(text, narrow);
    if (converted != 0) {
        return converted;
    }
    for (DWORD i = 0; m_param->pDrvOptItems != nullptr && i < m_param->cDrvOptItems; ++i) {
        LPCSTR keyword = ItemKeyword(m_param->pDrvOptItems[i]);
        if (keyword != nullptr && strstr(keyword, narrow.get()) != nullptr) {
            *item = &m_param->pDrvOptItems[i];
            return 0;
        }
    }
    return kPropsheetNoItem;
}

LONG CNiraPropSheetAdapter::SetItemFlag(OPTITEM* item, DWORD flag, LONG alreadySet, DWORD mode)
{
    if (item->Flags & flag) {
        return alreadySet;
    }
    item->Flags |= flag;
    Notify(item, static_cast<DWORD>(item->Sel), mode);
    return 0;
}

LONG CNiraPropSheetAdapter::HideItem(LPCWSTR keyword, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    return found != 0 ? found : SetItemFlag(item, OPTIF_HIDE, kPropsheetAlreadyHidden, mode);
}

LONG CNiraPropSheetAdapter::HideItemsContaining(LPCWSTR text, DWORD mode)
{
    if (!IsUsable()) {
        return kPropsheetBadArgument;
    }
    NarrowText narrow;
    const LONG converted = ToNarrow(text, narrow);
    if (converted != 0) {
        return converted;
    }
    LONG result = kPropsheetNoItem;
    for (DWORD i = 0; m_param->pDrvOptItems != nullptr && i < m_param->cDrvOptItems; ++i) {
        OPTITEM& item = m_param->pDrvOptItems[i];
        LPCSTR keyword = ItemKeyword(item);
        if (keyword == nullptr || strstr(keyword, narrow.get()) == nullptr) {
            continue;
        }
        const LONG hidden = SetItemFlag(&item, OPTIF_HIDE, kPropsheetAlreadyHidden, mode);
        if (result != kPropsheetAlreadyHidden) {
            result = hidden;
        }
    }
    return result;
}

LONG CNiraPropSheetAdapter::DisableItem(LPCWSTR keyword, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    return found != 0 ? found : SetItemFlag(item, OPTIF_DISABLED, kPropsheetAlreadyDisabled, mode);
}

LONG CNiraPropSheetAdapter::EnableItem(LPCWSTR keyword, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    if (found != 0) {
        return found;
    }
    if (!(item->Flags & OPTIF_DISABLED)) {
        return kPropsheetNotDisabled;
    }
    item->Flags &= ~OPTIF_DISABLED;
    Notify(item, static_cast<DWORD>(item->Sel), mode);
    return 0;
}

LONG CNiraPropSheetAdapter::HideOptionOf(OPTITEM* item, int index, DWORD mode)
{
    if (!HasOption(*item, index)) {
        return kPropsheetBadArgument;
    }
    OPTPARAM& option = item->pOptType->pOptParam[index];
    if (option.Flags & (OPTPF_HIDE | OPTPF_OVERLAY_WARNING_ICON)) {
        return kPropsheetAlreadyHidden;
    }
    option.Flags |= OPTPF_HIDE;
    Notify(item, static_cast<DWORD>(item->Sel), mode);
    return 0;
}

LONG CNiraPropSheetAdapter::HideOption(LPCWSTR keyword, int index, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    return found != 0 ? found : HideOptionOf(item, index, mode);
}

LONG CNiraPropSheetAdapter::GetOptionCount(LPCWSTR keyword, int* count)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    if (found != 0) {
        return found;
    }
    if (count == nullptr) {
        return kPropsheetBadArgument;
    }
    *count = item->pOptType->Count;
    return 0;
}

LONG CNiraPropSheetAdapter::GetOptionKeywords(LPCWSTR keyword, WCHAR*** keywords, int* count, DWORD mode)
{
    if (keywords == nullptr || count == nullptr) {
        return kPropsheetBadArgument;
    }
    *keywords = nullptr;
    *count = 0;
    OPTITEM* item = nullptr;
    LONG result = FindItem(keyword, &item);
    if (result == kPropsheetNoItem) {
        // The core driver names only the current option of a feature it shows no item for.
        WCHAR* current = nullptr;
        result = GetDriverSetting(keyword, &current);
        if (result == 0 && (result = NewList(1, keywords)) == 0) {
            (*keywords)[0] = current;
            *count = 1;
        } else {
            delete[] current;
        }
        return result;
    }
    if (result != 0) {
        return result;
    }
    const int options = item->pOptType->Count;
    if ((result = NewList(options, keywords)) != 0) {
        return result;
    }
    const LONG first = item->Sel;
    for (int i = 0; i < options && result == 0; ++i) {
        // The core driver reads a changed item's selection as its setting.
        item->Flags |= OPTIF_CHANGED;
        Select(item, i, mode);
        if (GetDriverSetting(keyword, &(*keywords)[i]) != 0) {
            result = kPropsheetSettingUnreadable;
        }
    }
    if (item->Sel != first) {
        Select(item, first, mode);
    }
    if (result != 0) {
        FreeAdapterTexts(*keywords, options);
        *keywords = nullptr;
        return result;
    }
    *count = options;
    return 0;
}

LONG CNiraPropSheetAdapter::NamesOf(const OPTITEM* item, WCHAR*** names, int* count)
{
    if (names == nullptr || count == nullptr || item->pOptType == nullptr) {
        return kPropsheetBadArgument;
    }
    *names = nullptr;
    *count = 0;
    const int options = item->pOptType->pOptParam != nullptr ? item->pOptType->Count : 0;
    WCHAR** list = nullptr;
    LONG result = NewList(options, &list);
    int written = 0;
    for (int i = 0; i < options && result == 0; ++i) {
        LPCWSTR text = item->pOptType->pOptParam[i].pData;
        if (IsOptionText(text)) {
            result = CopyAdapterText(text, &list[written]);
            written += result == 0 ? 1 : 0;
        }
    }
    if (result != 0) {
        FreeAdapterTexts(list, written);
        return result;
    }
    *names = list;
    *count = written;
    return 0;
}

LONG CNiraPropSheetAdapter::GetOptionNames(LPCWSTR keyword, WCHAR*** names, int* count)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    return found != 0 ? found : NamesOf(item, names, count);
}

LONG CNiraPropSheetAdapter::SelectOptionByKeyword(LPCWSTR keyword, LPCWSTR optionKeyword, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    if (found != 0) {
        return found;
    }
    const LONG first = item->Sel;
    for (int i = 0; i < item->pOptType->Count; ++i) {
        Select(item, i, mode);
        WCHAR* setting = nullptr;
        const bool matches =
            GetDriverSetting(keyword, &setting) == 0 && CompareStringNoCaseSafe(setting, optionKeyword) == 0;
        delete[] setting;
        if (matches) {
            return 0;
        }
    }
    if (item->Sel != first) {
        Select(item, first, mode);
    }
    return kPropsheetNoOption;
}

LONG CNiraPropSheetAdapter::SelectOptionByIndex(LPCWSTR keyword, int index, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    if (found != 0) {
        return found;
    }
    if (index < 0 || index >= item->pOptType->Count) {
        return kPropsheetBadArgument;
    }
    if (index != item->Sel) {
        Select(item, index, mode);
    }
    return 0;
}

LONG CNiraPropSheetAdapter::SelectOptionByName(OPTITEM* item, LPCWSTR name, DWORD mode)
{
    if (!IsUsable() || item == nullptr || name == nullptr || item->pOptType == nullptr ||
        item->pOptType->pOptParam == nullptr) {
        return kPropsheetBadArgument;
    }
    for (int i = 0; i < item->pOptType->Count; ++i) {
        LPCWSTR text = item->pOptType->pOptParam[i].pData;
        if (IsOptionText(text) && wcscmp(text, name) == 0) {
            if (item->Sel != i) {
                item->Flags |= OPTIF_CHANGED;
            }
            item->Sel = i;
            Notify(item, 0, mode);
            return 0;
        }
    }
    return kPropsheetNoOption;
}

// Pairs the item's option keywords with its option names by position and answers the partner of
// `wanted` (a name when byName, else a keyword), compared without regard to case.
LONG CNiraPropSheetAdapter::PairedText(LPCWSTR keyword, LPCWSTR wanted, bool byName, WCHAR** answer)
{
    if (answer == nullptr) {
        return kPropsheetBadArgument;
    }
    WCHAR** keywords = nullptr;
    WCHAR** names = nullptr;
    int keywordCount = 0;
    int nameCount = 0;
    LONG result = GetOptionKeywords(keyword, &keywords, &keywordCount, kDocumentMode);
    if (result == 0 && (result = GetOptionNames(keyword, &names, &nameCount)) == 0) {
        // The bins' first keyword is the automatic choice, which has no name of its own.
        const int skipped = !byName && IsBinFeature(keyword) && keywordCount == nameCount + 1 ? 1 : 0;
        result = keywordCount - skipped != nameCount ? kPropsheetBadArgument : kPropsheetNoOption;
        for (int i = 0; i < nameCount && result == kPropsheetNoOption; ++i) {
            WCHAR* key = keywords[i + skipped];
            if (CompareStringNoCaseSafe(byName ? names[i] : key, wanted) == 0) {
                result = CopyAdapterText(byName ? key : names[i], answer);
            }
        }
    }
    FreeAdapterTexts(keywords, keywordCount);
    FreeAdapterTexts(names, nameCount);
    return result;
}

LONG CNiraPropSheetAdapter::GetOptionKeywordByName(LPCWSTR keyword, LPCWSTR name, WCHAR** optionKeyword)
{
    return PairedText(keyword, name, true, optionKeyword);
}

LONG CNiraPropSheetAdapter::GetOptionNameByKeyword(LPCWSTR keyword, LPCWSTR optionKeyword, WCHAR** name)
{
    return PairedText(keyword, optionKeyword, false, name);
}

LONG CNiraPropSheetAdapter::GetSelectedOptionIndex(LPCWSTR keyword, int* index)
{
    OPTITEM* item = nullptr;
    LONG result = FindItem(keyword, &item);
    if (result != 0) {
        return result;
    }
    if (index == nullptr) {
        return kPropsheetBadArgument;
    }
    WCHAR* setting = nullptr;
    WCHAR* name = nullptr;
    if ((result = GetDriverSetting(keyword, &setting)) == 0 &&
        (result = GetOptionNameByKeyword(keyword, setting, &name)) == 0) {
        result = kPropsheetNoOption;
        for (int i = 0; HasOption(*item, i) && result != 0; ++i) {
            LPCWSTR text = item->pOptType->pOptParam[i].pData;
            if (IsOptionText(text) && wcscmp(text, name) == 0) {
                *index = i;
                result = 0;
            }
        }
    }
    delete[] setting;
    delete[] name;
    return result;
}
