// The adapter's operations on items found by public DEVMODE item id, and those over all items.
#include "nira/uiplugin/core/plugin/PropSheetAdapter.h"

#include "nira/uiplugin/core/plugin/PropSheetItems.h"

#include "common/CodePageConversion.h"
#include "common/SafeString.h"

#include <strsafe.h>
#include <winspool.h>

#include <string.h>

#include <new>

namespace {

constexpr DWORD kDocumentMode = 1;
constexpr int kCopiesId = DMPUB_COPIES_COLLATE;
constexpr int kFormId = DMPUB_FORMNAME;
constexpr int kNoId = DMPUB_NONE;
const WCHAR kNoDuplexItem[] = TEXT("pwstrOIDNone");
const WCHAR kResourceDataItem[] = TEXT("pwstrFIDZQResourceData");
const WCHAR kInstallCompleteValue[] = TEXT("pwstrInstallComplete");
const WCHAR* const kStandardNames[] = {TEXT("Copies"), TEXT("PageOrder"), TEXT("Duplex")};
enum StandardSetting { kStandardCopies, kStandardPageOrder, kStandardDuplex, kStandardCount };
constexpr size_t kNumberChars = 16;

// The text of the item's selected option; kPropsheetNoOption when it is a resource id.
LONG SelectedText(const OPTITEM& item, WCHAR** text)
{
    if (!HasOption(item, item.Sel)) {
        return kPropsheetBadArgument;
    }
    LPCWSTR name = item.pOptType->pOptParam[item.Sel].pData;
    return IsOptionText(name) ? CopyAdapterText(name, text) : kPropsheetNoOption;
}

}  // namespace

LONG CNiraPropSheetAdapter::FindItemById(int id, int n, OPTITEM** item)
{
    if (!IsUsable() || item == nullptr) {
        return kPropsheetBadArgument;
    }
    int unnamed = 0;
    for (DWORD i = 0; m_param->pDrvOptItems != nullptr && i < m_param->cDrvOptItems; ++i) {
        OPTITEM& candidate = m_param->pDrvOptItems[i];
        if (candidate.DMPubID != id) {
            continue;
        }
        // Items without an id are told apart by their position among themselves.
        if (id != kNoId || unnamed++ == n) {
            *item = &candidate;
            return 0;
        }
    }
    return kPropsheetNoItem;
}

LONG CNiraPropSheetAdapter::HideItemById(int id, int n)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, n, &item);
    return found != 0 ? found : SetItemFlag(item, OPTIF_HIDE, kPropsheetAlreadyHidden, kDocumentMode);
}

LONG CNiraPropSheetAdapter::DisableItemById(int id, int n)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, n, &item);
    return found != 0 ? found : SetItemFlag(item, OPTIF_DISABLED, kPropsheetAlreadyDisabled, kDocumentMode);
}

LONG CNiraPropSheetAdapter::HideOptionById(int id, int n, int index)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, n, &item);
    return found != 0 ? found : HideOptionOf(item, index, kDocumentMode);
}

LONG CNiraPropSheetAdapter::GetOptionCountById(int id, int n, int* count)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, n, &item);
    if (found != 0) {
        return found;
    }
    if (count == nullptr || item->pOptType == nullptr) {
        return kPropsheetBadArgument;
    }
    *count = item->pOptType->Count;
    return 0;
}

LONG CNiraPropSheetAdapter::GetOptionNamesById(int id, int n, WCHAR*** names, int* count)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, n, &item);
    return found != 0 ? found : NamesOf(item, names, count);
}

LONG CNiraPropSheetAdapter::SetSelectionOf(OPTITEM* item, int id, int index)
{
    // The copies item's selection is the number of copies, not an option.
    if (id == kCopiesId) {
        Select(item, index, kDocumentMode);
        return 0;
    }
    if (item->pOptType == nullptr || index < 0 || index >= item->pOptType->Count) {
        return kPropsheetBadArgument;
    }
    if (index != item->Sel) {
        Select(item, index, kDocumentMode);
    }
    return 0;
}

LONG CNiraPropSheetAdapter::SetSelectionById(int id, int n, int index)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, n, &item);
    return found != 0 ? found : SetSelectionOf(item, id, index);
}

LONG CNiraPropSheetAdapter::SelectOptionById(int id, int n, int index)
{
    return SetSelectionById(id, n, index);
}

LONG CNiraPropSheetAdapter::GetSelectedOptionNameById(int id, int, WCHAR** name)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItemById(id, 0, &item);
    if (found != 0) {
        return found;
    }
    return name != nullptr ? SelectedText(*item, name) : kPropsheetBadArgument;
}

LONG CNiraPropSheetAdapter::FindOemItemById(int id, OPTITEM** item)
{
    if (!IsUsable() || item == nullptr) {
        return kPropsheetBadArgument;
    }
    for (DWORD i = 0; m_param->pOEMOptItems != nullptr && i < m_param->cOEMOptItems; ++i) {
        if (m_param->pOEMOptItems[i].DMPubID == id) {
            *item = &m_param->pOEMOptItems[i];
            return 0;
        }
    }
    return kPropsheetNoItem;
}

// The array is not read: every item from the first one with a selection to reset on is put back
// to its first option.
LONG CNiraPropSheetAdapter::ResetSelections(int*, int count)
{
    if (!IsUsable() || count < 0 ||
        static_cast<DWORD>(count) != m_param->cDrvOptItems + m_param->cOEMOptItems) {
        return kPropsheetBadArgument;
    }
    bool resetting = false;
    for (int i = 0; i < count; ++i) {
        const bool driverItem = static_cast<DWORD>(i) < m_param->cDrvOptItems;
        OPTITEM* items = driverItem ? m_param->pDrvOptItems : m_param->pOEMOptItems;
        if (items == nullptr) {
            continue;
        }
        OPTITEM& item = items[driverItem ? i : i - static_cast<int>(m_param->cDrvOptItems)];
        const bool firstWarns =
            HasOption(item, 0) && (item.pOptType->pOptParam[0].Flags & OPTPF_OVERLAY_WARNING_ICON);
        resetting = resetting ||
                    (item.pOptType != nullptr && item.Sel != 0 && (item.DMPubID == kCopiesId || !firstWarns));
        if (!resetting || item.Sel == 0) {
            continue;
        }
        if (driverItem) {
            Select(&item, 0, kDocumentMode);
        } else {
            item.Sel = 0;
        }
    }
    return 0;
}

LONG CNiraPropSheetAdapter::HasWarningSelection()
{
    if (!IsUsable()) {
        return 0;
    }
    for (DWORD i = 0; m_param->pDrvOptItems != nullptr && i < m_param->cDrvOptItems; ++i) {
        const OPTITEM& item = m_param->pDrvOptItems[i];
        if ((IsOptionText(item.pName) || item.DMPubID == kFormId) && HasOption(item, item.Sel) &&
            (item.pOptType->pOptParam[item.Sel].Flags & OPTPF_OVERLAY_WARNING_ICON)) {
            return 1;
        }
    }
    return 0;
}

LONG CNiraPropSheetAdapter::GetDriverKeywords(WCHAR*** keywords, WCHAR*** settings, int* count)
{
    if (!IsUsable() || keywords == nullptr || settings == nullptr || count == nullptr) {
        return kPropsheetBadArgument;
    }
    const int items = m_param->pDrvOptItems != nullptr ? static_cast<int>(m_param->cDrvOptItems) : 0;
    *keywords = new (std::nothrow) WCHAR*[items > 0 ? items : 1]();
    *settings = new (std::nothrow) WCHAR*[items > 0 ? items : 1]();
    if (*keywords == nullptr || *settings == nullptr) {
        delete[] *keywords;
        delete[] *settings;
        *keywords = *settings = nullptr;
        return kPropsheetNoMemory;
    }
    // Only the items whose keyword and setting both read are listed.
    int written = 0;
    for (int i = 0; i < items; ++i) {
        LPCSTR keyword = ItemKeyword(m_param->pDrvOptItems[i]);
        WCHAR* wide = nullptr;
        WCHAR* setting = nullptr;
        if (keyword != nullptr && ConvertToWide(&wide, keyword, CP_ACP) &&
            ReadSetting(keyword, &setting) == 0) {
            (*keywords)[written] = wide;
            (*settings)[written] = setting;
            ++written;
        } else {
            delete[] wide;
        }
    }
    *count = written;
    return 0;
}

LONG CNiraPropSheetAdapter::StandardValue(int which, WCHAR** value)
{
    OPTITEM* item = nullptr;
    switch (which) {
    case kStandardCopies: {
        if (FindItemById(kCopiesId, 0, &item) != 0) {
            return kPropsheetNoItem;
        }
        WCHAR number[kNumberChars];
        StringCchPrintfW(number, kNumberChars, TEXT("%d"), static_cast<int>(item->Sel));
        return CopyAdapterText(number, value);
    }
    case kStandardPageOrder:
        return FindOemItemById(kNoId, &item) == 0 ? SelectedText(*item, value) : kPropsheetNoItem;
    default:
        if (FindItemById(DMPUB_DUPLEX, 0, &item) != 0) {
            return CopyAdapterText(kNoDuplexItem, value);
        }
        return SelectedText(*item, value);
    }
}

LONG CNiraPropSheetAdapter::GetStandardSettings(WCHAR*** names, WCHAR*** values, int* count)
{
    if (!IsUsable() || names == nullptr || values == nullptr || count == nullptr) {
        return kPropsheetBadArgument;
    }
    *names = new (std::nothrow) WCHAR*[kStandardCount]();
    *values = new (std::nothrow) WCHAR*[kStandardCount]();
    if (*names == nullptr || *values == nullptr) {
        delete[] *names;
        delete[] *values;
        *names = *values = nullptr;
        return kPropsheetNoMemory;
    }
    // A setting without a readable value is left out.
    int written = 0;
    for (int which = 0; which < kStandardCount; ++which) {
        WCHAR* value = nullptr;
        WCHAR* name = nullptr;
        if (StandardValue(which, &value) == 0 && CopyAdapterText(kStandardNames[which], &name) == 0) {
            (*names)[written] = name;
            (*values)[written] = value;
            ++written;
        } else {
            delete[] value;
        }
    }
    *count = written;
    return 0;
}

LONG CNiraPropSheetAdapter::FindOptionIndexByKeyword(LPCWSTR optionKeyword, LPCWSTR keyword, OPTITEM* item)
{
    if (!IsUsable() || optionKeyword == nullptr || (item == nullptr && keyword == nullptr)) {
        return -1;
    }
    if (item == nullptr && FindItem(keyword, &item) != 0) {
        return -1;
    }
    LPCSTR feature = ItemKeyword(*item);
    if (item->pOptType == nullptr || feature == nullptr) {
        return -1;
    }
    const LONG first = item->Sel;
    int found = item->pOptType->Count;
    for (int i = 0; i < item->pOptType->Count; ++i) {
        Select(item, i, kDocumentMode);
        WCHAR* setting = nullptr;
        const bool matches =
            ReadSetting(feature, &setting) == 0 && CompareStringNoCaseSafe(setting, optionKeyword) == 0;
        delete[] setting;
        if (matches) {
            found = i;
            break;
        }
    }
    Select(item, first, kDocumentMode);
    return found;
}

void CNiraPropSheetAdapter::CheckResourceData(int)
{
    WCHAR** names = nullptr;
    int count = 0;
    if (GetOptionNames(kResourceDataItem, &names, &count) == 0) {
        FreeAdapterTexts(names, count);
    }
    if (m_param == nullptr || m_param->hPrinter == nullptr) {
        return;
    }
    DWORD installed = 0;
    DWORD type = 0;
    DWORD needed = 0;
    GetPrinterDataW(m_param->hPrinter, const_cast<LPWSTR>(kInstallCompleteValue), &type,
                    reinterpret_cast<LPBYTE>(&installed), sizeof(installed), &needed);
}

LONG CNiraPropSheetAdapter::SelectOptionByIndexRef(LPCWSTR keyword, const unsigned* index, DWORD mode)
{
    OPTITEM* item = nullptr;
    const LONG found = FindItem(keyword, &item);
    if (found != 0) {
        return found;
    }
    if (index == nullptr) {
        return kPropsheetBadArgument;
    }
    if (*index >= item->pOptType->Count) {
        return kPropsheetNoOption;
    }
    Select(item, static_cast<LONG>(*index), mode);
    return 0;
}
