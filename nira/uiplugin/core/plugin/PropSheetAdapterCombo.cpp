// The adapter's operations that match a combo box's entries with an item's option names.
#include "nira/uiplugin/core/plugin/PropSheetAdapter.h"

#include "nira/uiplugin/core/plugin/PropSheetItems.h"

#include "common/SafeString.h"

#include <memory>
#include <new>

namespace {

constexpr LONG kNotFound = -1;

// The text of a combo-box entry, or null when the entry has none or memory runs out.
std::unique_ptr<WCHAR[]> EntryText(HWND comboBox, int entry)
{
    const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(entry), 0);
    if (length < 0) {
        return nullptr;
    }
    std::unique_ptr<WCHAR[]> text(new (std::nothrow) WCHAR[static_cast<size_t>(length) + 1]());
    if (text == nullptr) {
        return nullptr;
    }
    const LRESULT copied = SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(entry),
                                        reinterpret_cast<LPARAM>(text.get()));
    if (copied < 0 || copied > length) {
        return nullptr;
    }
    text[copied] = 0;
    return text;
}

}  // namespace

LONG CNiraPropSheetAdapter::FindComboSelectionOption(int entry, HWND comboBox, OPTITEM* item)
{
    if (!IsUsable() || comboBox == nullptr || !IsWindow(comboBox) || item == nullptr ||
        item->pOptType == nullptr || item->pOptType->pOptParam == nullptr) {
        return kNotFound;
    }
    const std::unique_ptr<WCHAR[]> text = EntryText(comboBox, entry);
    if (text == nullptr) {
        return kNotFound;
    }
    for (LONG i = 0; i < item->pOptType->Count; ++i) {
        const LPCWSTR name = item->pOptType->pOptParam[i].pData;
        if (IsOptionText(name) && CompareStringSafe(name, text.get()) == 0) {
            return i;
        }
    }
    return kNotFound;
}

LONG CNiraPropSheetAdapter::FindComboEntry(LPCWSTR text, HWND comboBox)
{
    if (!IsUsable() || text == nullptr || comboBox == nullptr || !IsWindow(comboBox)) {
        return kNotFound;
    }
    const LRESULT count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT entry = 0; entry < count; ++entry) {
        const std::unique_ptr<WCHAR[]> entryText = EntryText(comboBox, static_cast<int>(entry));
        if (entryText == nullptr) {
            return kNotFound;
        }
        if (CompareStringNoCaseSafe(entryText.get(), text) == 0) {
            return static_cast<LONG>(entry);
        }
    }
    return kNotFound;
}
