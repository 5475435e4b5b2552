#include "controls/ItemList.h"

#include "core/Wide.h"

#include <algorithm>
#include <cstring>

namespace nirasim::sim {

int ItemList::Insert(int index, LPARAM value)
{
    if (index < -1 || index > Count()) {
        return -1;
    }
    Item item;
    if (m_hasStrings) {
        item.text = WideFrom(reinterpret_cast<LPCWSTR>(value));
    } else {
        item.data = static_cast<ULONG_PTR>(value);
    }
    size_t at = index == -1 ? m_items.size() : static_cast<size_t>(index);
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), item);
    return static_cast<int>(at);
}

bool ItemList::Remove(int index)
{
    if (At(index) == nullptr) {
        return false;
    }
    m_items.erase(m_items.begin() + index);
    return true;
}

const ItemList::Item* ItemList::At(int index) const
{
    return index < 0 || index >= Count() ? nullptr : &m_items[static_cast<size_t>(index)];
}

ItemList::Item* ItemList::At(int index)
{
    return index < 0 || index >= Count() ? nullptr : &m_items[static_cast<size_t>(index)];
}

bool ItemList::Matches(const Item& item, LPARAM value, bool exact) const
{
    if (!m_hasStrings) {
        return item.data == static_cast<ULONG_PTR>(value);
    }
    std::u16string wanted = UpperCase(WideFrom(reinterpret_cast<LPCWSTR>(value)));
    std::u16string text = UpperCase(item.text);
    return exact ? text == wanted : text.compare(0, wanted.size(), wanted) == 0;
}

int ItemList::Find(int start, LPARAM value, bool exact) const
{
    int count = Count();
    if (count == 0 || (m_hasStrings && value == 0)) {
        return -1;
    }
    int first = start < 0 || start >= count ? 0 : start + 1;
    for (int step = 0; step < count; ++step) {
        int index = (first + step) % count;
        if (Matches(m_items[static_cast<size_t>(index)], value, exact)) {
            return index;
        }
    }
    return -1;
}

LRESULT ItemList::CopyText(int index, LPARAM buffer) const
{
    const Item* item = At(index);
    if (item == nullptr || buffer == 0) {
        return -1;
    }
    if (!m_hasStrings) {
        std::memcpy(reinterpret_cast<void*>(buffer), &item->data, sizeof(item->data));
        return sizeof(item->data);
    }
    auto* out = reinterpret_cast<WCHAR*>(buffer);
    std::copy(item->text.begin(), item->text.end(), out);
    out[item->text.size()] = 0;
    return static_cast<LRESULT>(item->text.size());
}

LRESULT ItemList::TextLength(int index) const
{
    const Item* item = At(index);
    if (item == nullptr) {
        return -1;
    }
    return m_hasStrings ? static_cast<LRESULT>(item->text.size()) : static_cast<LRESULT>(sizeof(item->data));
}

}  // namespace nirasim::sim
