#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

#include <new>

CNiraIdMap::CNiraIdMap() : m_count(0), m_cursorIndex(-1), m_cursor(nullptr) {}

CNiraIdMap::~CNiraIdMap()
{
    RemoveAll();
}

NiraIdEntry* CNiraIdMap::EntryOf(const CNiraPtrList::Node* node)
{
    return static_cast<NiraIdEntry*>(node->value);
}

CNiraPtrList::Node* CNiraIdMap::FindNode(LONG key) const
{
    const auto found = m_nodes.find(key);
    return found != m_nodes.end() ? found->second : nullptr;
}

NiraIdEntry* CNiraIdMap::Insert(CNiraPtrList::Node* before, LONG key, void* value)
{
    auto entry = new (std::nothrow) NiraIdEntry{key, value};
    if (!entry) {
        return nullptr;
    }
    CNiraPtrList::Node* node = before ? Entries().InsertBefore(before, entry) : Entries().AddHead(entry);
    if (!node) {
        delete entry;
        return nullptr;
    }
    try {
        m_nodes[key] = node;
    } catch (...) {  // no room in the index: the entry is not kept either
        Entries().Remove(node);
        delete entry;
        return nullptr;
    }
    ++m_count;
    m_cursor = nullptr;
    return entry;
}

NiraIdEntry* CNiraIdMap::InsertAtHead(LONG key, void* value)
{
    return Insert(nullptr, key, value);
}

void** CNiraIdMap::Lookup(LONG key)
{
    CNiraPtrList::Node* node = FindNode(key);
    NiraIdEntry* entry = node ? EntryOf(node) : InsertAtHead(key, nullptr);
    return entry ? &entry->value : nullptr;
}

void CNiraIdMap::SetAt(LONG key, void* value)
{
    CNiraPtrList::Node* node = FindNode(key);
    if (node) {
        EntryOf(node)->value = value;
    } else {
        InsertAtHead(key, value);
    }
}

BOOL CNiraIdMap::Contains(LONG key) const
{
    return FindNode(key) ? TRUE : FALSE;
}

void CNiraIdMap::Remove(LONG key)
{
    CNiraPtrList::Node* node = FindNode(key);
    if (!node) {
        return;
    }
    m_nodes.erase(key);
    delete EntryOf(node);
    Entries().Remove(node);
    --m_count;
    m_cursor = nullptr;
}

void CNiraIdMap::MoveBefore(LONG beforeKey, LONG key, void* value)
{
    Remove(key);
    Insert(FindNode(beforeKey), key, value);
}

CNiraPtrList::Node* CNiraIdMap::NodeAt(int index) const
{
    CNiraPtrList::Node* node = Entries().GetHead();
    int at = 0;
    if (m_cursor && m_cursorIndex <= index) {
        node = m_cursor;
        at = m_cursorIndex;
    }
    for (; node && at < index; ++at) {
        node = node->next;
    }
    m_cursor = node;
    m_cursorIndex = at;
    return node;
}

NiraIdEntry* CNiraIdMap::GetEntryAt(int index) const
{
    if (index < 0 || index >= m_count) {
        return nullptr;
    }
    CNiraPtrList::Node* node = NodeAt(index);
    return node ? EntryOf(node) : nullptr;
}

void** CNiraIdMap::GetValueAt(int index) const
{
    NiraIdEntry* entry = GetEntryAt(index);
    return entry ? &entry->value : nullptr;
}

int CNiraIdMap::ForEach(ForEachCallback callback)
{
    int result = 0;
    // The next node is taken first: a callback may remove its own entry.
    for (CNiraPtrList::Node* node = Entries().GetHead(); node;) {
        CNiraPtrList::Node* next = node->next;
        NiraIdEntry* entry = EntryOf(node);
        result = callback(entry, &entry->value);
        node = next;
    }
    return result;
}

void CNiraIdMap::RemoveAll()
{
    for (CNiraPtrList& bucket : m_buckets) {
        for (CNiraPtrList::Node* node = bucket.GetHead(); node; node = node->next) {
            delete EntryOf(node);
        }
        bucket.RemoveAll();
    }
    m_nodes.clear();
    m_count = 0;
    m_cursor = nullptr;
}
