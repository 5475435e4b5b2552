// A map from ids to pointer-sized values, kept as one ordered list: a new entry goes to the head,
// so every walk meets the entries newest first, except where MoveBefore placed one. The walk
// order is part of the contract: owners visit their handlers and widgets in it. An index of the
// keys answers look-ups without a walk. The map owns its entries, never what their values point to.
#pragma once

#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

#include <unordered_map>

struct NiraIdEntry {
    LONG key;
    void* value;
};

class CNiraIdMap {
public:
    // Called for every entry in walk order with the address of the entry's value.
    typedef int (*ForEachCallback)(NiraIdEntry* entry, void** value);

    static constexpr int kBucketCount = 100;

    CNiraIdMap();
    ~CNiraIdMap();
    CNiraIdMap(const CNiraIdMap&) = delete;
    CNiraIdMap& operator=(const CNiraIdMap&) = delete;

    // The address of the key's value; an absent key is first inserted at the head with a null
    // value. Null only when the entry could not be allocated.
    void** Lookup(LONG key);
    // Overwrites the value of the key's entry, or inserts the entry at the head.
    void SetAt(LONG key, void* value);
    BOOL Contains(LONG key) const;
    // An absent key changes nothing.
    void Remove(LONG key);
    // Takes out the key's entry when present, then inserts {key, value} directly before the entry
    // of beforeKey, or at the head when beforeKey is absent.
    void MoveBefore(LONG beforeKey, LONG key, void* value);

    // The entry, or the address of its value, at a 0-based position in walk order; null at or
    // past the count.
    NiraIdEntry* GetEntryAt(int index) const;
    void** GetValueAt(int index) const;

    // Calls the callback for every entry without stopping; answers its last result, 0 for an
    // empty map.
    int ForEach(ForEachCallback callback);

    void RemoveAll();
    int GetCount() const { return m_count; }

private:
    // Every key lands in bucket 1, which keeps all entries in one list and in walk order; the
    // other buckets stay empty.
    static constexpr int kEntryBucket = 1;
    CNiraPtrList& Entries() { return m_buckets[kEntryBucket]; }
    const CNiraPtrList& Entries() const { return m_buckets[kEntryBucket]; }
    CNiraPtrList::Node* FindNode(LONG key) const;
    static NiraIdEntry* EntryOf(const CNiraPtrList::Node* node);
    NiraIdEntry* InsertAtHead(LONG key, void* value);
    // Puts a new entry into the list (before the node, or at the head) and the index.
    NiraIdEntry* Insert(CNiraPtrList::Node* before, LONG key, void* value);
    CNiraPtrList::Node* NodeAt(int index) const;

    int m_count;
    CNiraPtrList m_buckets[kBucketCount];
    // The list node of every key, so that a look-up takes no walk; the list keeps the order.
    std::unordered_map<LONG, CNiraPtrList::Node*> m_nodes;
    // The node of the last position asked for, so that a walk by position takes one step each;
    // forgotten at every change.
    mutable int m_cursorIndex;
    mutable CNiraPtrList::Node* m_cursor;
};
