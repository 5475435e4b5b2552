// The items of a list box or a combo box: texts with their item data, searched as the controls
// search them (without regard to case, starting after the given index and wrapping).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace nirasim::sim {

class ItemList {
public:
    struct Item {
        std::u16string text;
        ULONG_PTR data = 0;
    };

    // hasStrings false: the item's lParam is its data and searches compare data (owner-drawn
    // controls without strings).
    explicit ItemList(bool hasStrings = true) : m_hasStrings(hasStrings) {}

    void SetHasStrings(bool hasStrings) { m_hasStrings = hasStrings; }
    // Inserts at index (-1: at the end); answers the new item's index, -1 for a bad index.
    int Insert(int index, LPARAM value);
    bool Remove(int index);
    void Clear() { m_items.clear(); }
    int Count() const { return static_cast<int>(m_items.size()); }
    const Item* At(int index) const;
    Item* At(int index);
    // The first item after `start` (-1: from the top) whose text starts with, or (exact) equals,
    // the text; the search wraps to the top. -1 when none does.
    int Find(int start, LPARAM value, bool exact) const;
    // Copies the item's text (or its data for controls without strings) into the caller's
    // buffer: answers the length, -1 for a bad index.
    LRESULT CopyText(int index, LPARAM buffer) const;
    LRESULT TextLength(int index) const;

private:
    bool Matches(const Item& item, LPARAM value, bool exact) const;

    bool m_hasStrings;
    std::vector<Item> m_items;
};

}  // namespace nirasim::sim
