// How the UI settings object uses the id map and the pointer list: lookups that never add a key,
// ids kept as list values, record lists freed with LocalFree, and snapshots of keys and ids taken
// before a walk whose callbacks may change the container. Internal to the UI settings object.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/containers/NiraIdMap.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

inline int MapCount(const CNiraIdMap& map)
{
    return map.GetCount();
}

// The value stored under a key, null when the key is absent (nothing is added).
template <class T>
T* MapFind(CNiraIdMap& map, int key)
{
    return map.Contains(key) ? static_cast<T*>(*map.Lookup(key)) : nullptr;
}

inline int MapIntAt(CNiraIdMap& map, int key)
{
    return map.Contains(key) ? static_cast<int>(reinterpret_cast<INT_PTR>(*map.Lookup(key))) : 0;
}

inline int MapKeyAt(CNiraIdMap& map, int index)
{
    const NiraIdEntry* entry = map.GetEntryAt(index);
    return entry ? entry->key : 0;
}

template <class T>
T* MapValueAt(CNiraIdMap& map, int index)
{
    const NiraIdEntry* entry = map.GetEntryAt(index);
    return entry ? static_cast<T*>(entry->value) : nullptr;
}

// Replaces the value of a key in place, or adds the key at the head of the walk.
inline bool MapPut(CNiraIdMap& map, int key, void* value)
{
    map.SetAt(key, value);
    return map.Contains(key) && *map.Lookup(key) == value;
}

inline bool MapPutInt(CNiraIdMap& map, int key, int value)
{
    map.SetAt(key, reinterpret_cast<void*>(static_cast<INT_PTR>(value)));
    return map.Contains(key);
}

// Puts the key just before another in the walk (at the head when that one is absent).
inline bool MapPutBefore(CNiraIdMap& map, int beforeKey, int key, void* value)
{
    map.MoveBefore(beforeKey, key, value);
    return map.Contains(key);
}

inline CNiraPtrList::Node* ListHead(CNiraPtrList& list)
{
    return list.GetHead();
}

inline int ListCount(const CNiraPtrList& list)
{
    return list.GetCount();
}

inline int ListId(const CNiraPtrList::Node* node)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(node->value));
}

inline bool ListAddIdHead(CNiraPtrList& list, int id)
{
    return list.AddHead(reinterpret_cast<void*>(static_cast<INT_PTR>(id))) != nullptr;
}

inline bool ListAddIdTail(CNiraPtrList& list, int id)
{
    return list.AddTail(reinterpret_cast<void*>(static_cast<INT_PTR>(id))) != nullptr;
}

inline bool ListHoldsId(CNiraPtrList& list, int id)
{
    for (CNiraPtrList::Node* node = ListHead(list); node; node = node->next) {
        if (ListId(node) == id) {
            return true;
        }
    }
    return false;
}

// Frees every LocalAlloc'ed record a list holds, then empties it.
inline void FreeListRecords(CNiraPtrList& list)
{
    for (CNiraPtrList::Node* node = ListHead(list); node; node = node->next) {
        LocalFree(node->value);
    }
    list.RemoveAll();
}

// Frees every LocalAlloc'ed record a map holds, then empties it.
inline void FreeMapRecords(CNiraIdMap& map)
{
    const int count = MapCount(map);
    for (int i = 0; i < count; ++i) {
        LocalFree(MapValueAt<void>(map, i));
    }
    map.RemoveAll();
}

// Deletes the id lists a map holds, then empties it.
inline void DeleteMapLists(CNiraIdMap& map)
{
    const int count = MapCount(map);
    for (int i = 0; i < count; ++i) {
        delete MapValueAt<CNiraPtrList>(map, i);
    }
    map.RemoveAll();
}

// A fixed array of ints from LocalAlloc; Failed() when it could not be had.
class IntSnapshot {
public:
    IntSnapshot(const IntSnapshot&) = delete;
    IntSnapshot& operator=(const IntSnapshot&) = delete;
    ~IntSnapshot() { LocalFree(m_items); }

    bool Failed() const { return m_count < 0; }
    int Count() const { return m_count < 0 ? 0 : m_count; }
    int operator[](int i) const { return m_items[i]; }

protected:
    explicit IntSnapshot(int count) : m_items(nullptr), m_count(count)
    {
        if (count > 0) {
            m_items = static_cast<int*>(LocalAlloc(LMEM_FIXED, sizeof(int) * count));
            if (!m_items) {
                m_count = -1;
            }
        }
    }
    int* m_items;
    int m_count;
};

// The keys of a map in walk order.
class KeySnapshot : public IntSnapshot {
public:
    explicit KeySnapshot(CNiraIdMap& map) : IntSnapshot(MapCount(map))
    {
        for (int i = 0; i < Count(); ++i) {
            m_items[i] = MapKeyAt(map, i);
        }
    }
};

// The ids a list holds, from its head.
class IdSnapshot : public IntSnapshot {
public:
    explicit IdSnapshot(CNiraPtrList& list) : IntSnapshot(ListCount(list))
    {
        int i = 0;
        for (CNiraPtrList::Node* node = ListHead(list); node && i < Count(); node = node->next) {
            m_items[i++] = ListId(node);
        }
    }
};

// Two int fields of every record a list holds, from its head.
class PairSnapshot : public IntSnapshot {
public:
    template <class Record>
    PairSnapshot(CNiraPtrList& list, INT Record::*first, INT Record::*second)
        : IntSnapshot(2 * ListCount(list))
    {
        int i = 0;
        for (CNiraPtrList::Node* node = ListHead(list); node && i + 1 < IntSnapshot::Count();
             node = node->next) {
            const Record* record = static_cast<const Record*>(node->value);
            m_items[i++] = record->*first;
            m_items[i++] = record->*second;
        }
    }
    int Count() const { return IntSnapshot::Count() / 2; }
    int First(int i) const { return m_items[2 * i]; }
    int Second(int i) const { return m_items[2 * i + 1]; }
};
