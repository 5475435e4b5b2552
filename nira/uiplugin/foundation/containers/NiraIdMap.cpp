#include "nira/uiplugin/foundation/containers/NiraIdMap.h"

#include <new>

CNiraIdMap::CNiraIdMap()
    : m_count(0)
{
}

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
    for (CNiraPtrList::Node* node = Entries().GetHead(); node; node = node->next) {
        if (EntryOf(node)->key == key) {
            return node;
        }
    }
    return nullptr;
}

NiraIdEntry* CNiraIdMap::InsertAtHead(LONG key, void* value)
{
    auto entry = new (std::nothrow) NiraIdEntry{key, value};
    if (!entry) {
        return nullptr;
    }
    if (!Entries().AddHead(entry)) {
        delete entry;
        return nullptr;
    }
    ++m_count;
    return entry;
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
    delete EntryOf(node);
    Entries().Remove(node);
    --m_count;
}

void CNiraIdMap::MoveBefore(LONG beforeKey, LONG key, void* value)
{
    Remove(key);
    CNiraPtrList::Node* before = FindNode(beforeKey);
    if (!before) {
        InsertAtHead(key, value);
        return;
    }
    auto entry = new (std::nothrow) NiraIdEntry{key, value};
    if (!entry) {
        return;
    }
    if (!Entries().InsertBefore(before, entry)) {
        delete entry;
        return;
    }
    ++m_count;
}

NiraIdEntry* CNiraIdMap::GetEntryAt(int index) const
{
    if (index < 0 || index >= m_count) {
        return nullptr;
    }
    CNiraPtrList::Node* node = Entries().GetHead();
    for (int i = 0; node && i < index; ++i) {
        node = node->next;
    }
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
    m_count = 0;
}
