#include "nira/uiplugin/core/plugin/PropSheetItems.h"

#include "nira/uiplugin/core/plugin/INiraPropSheetAdapter.h"

#include <string.h>

#include <new>

namespace {

constexpr ULONG_PTR kResourceIdLimit = 256;

}  // namespace

bool IsOptionText(LPCWSTR text)
{
    return reinterpret_cast<ULONG_PTR>(text) >= kResourceIdLimit;
}

bool HasOption(const OPTITEM& item, LONG index)
{
    return item.pOptType != nullptr && item.pOptType->pOptParam != nullptr && index >= 0 &&
           index < item.pOptType->Count;
}

LPCSTR ItemKeyword(const OPTITEM& item)
{
    const auto* data = reinterpret_cast<const USERDATA*>(item.UserData);
    return data != nullptr ? data->pKeyWordName : nullptr;
}

LONG CopyAdapterText(LPCWSTR text, WCHAR** copy)
{
    const size_t length = wcslen(text);
    *copy = new (std::nothrow) WCHAR[length + 1];
    if (*copy == nullptr) {
        return kPropsheetNoMemory;
    }
    memcpy(*copy, text, (length + 1) * sizeof(WCHAR));
    return 0;
}
