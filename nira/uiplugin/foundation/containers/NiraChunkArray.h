// A growable array kept as a list of chunks of kChunkSize items, the newest chunk at the head of
// the list. Items are copied in; the array owns the copies. Lookups try the chunk that served the
// last lookup, then the chunk that receives appended items, then walk the list.
#pragma once

#include "nira/uiplugin/foundation/containers/NiraPtrList.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"

#include <new>

template <class T>
class CNiraChunkArray {
public:
    static constexpr int kChunkSize = 100;

    struct Chunk {
        int first;  // index of the chunk's first item
        int count;  // items in use: only these are constructed
        T* items;   // room for kChunkSize items

        bool Holds(int index) const { return first <= index && index < first + count; }
    };

    CNiraChunkArray();
    virtual ~CNiraChunkArray();
    CNiraChunkArray(const CNiraChunkArray&) = delete;
    CNiraChunkArray& operator=(const CNiraChunkArray&) = delete;

    // Appends a copy; false, with nothing appended, when a new chunk or the copy failed.
    bool Add(const T& item);
    bool AddInt(int value) { return Add(value); }
    bool AddString(const CNiraString& value) { return Add(value); }

    // The item at an index, null outside [0, count).
    T* GetAt(int index);
    // The first chunk from the head whose range holds the index, null when none does.
    Chunk* FindChunk(int index) const;
    int GetCount() const;

private:
    static Chunk* NewChunk(int first);
    static void DeleteChunk(Chunk* chunk);

    CNiraPtrList* m_chunks;
    Chunk* m_current;
    Chunk* m_last;
};

template <class T>
CNiraChunkArray<T>::CNiraChunkArray()
    : m_chunks(new(std::nothrow) CNiraPtrList), m_current(nullptr), m_last(nullptr)
{
    Chunk* chunk = m_chunks ? NewChunk(0) : nullptr;
    if (chunk && m_chunks->AddHead(chunk)) {
        m_current = m_last = chunk;
    } else {
        DeleteChunk(chunk);
    }
}

template <class T>
CNiraChunkArray<T>::~CNiraChunkArray()
{
    if (!m_chunks) {
        return;
    }
    for (CNiraPtrList::Node* node = m_chunks->GetHead(); node; node = node->next) {
        DeleteChunk(static_cast<Chunk*>(node->value));
    }
    delete m_chunks;
}

template <class T>
typename CNiraChunkArray<T>::Chunk* CNiraChunkArray<T>::NewChunk(int first)
{
    // Items are built as they are added: a chunk of default items would cost each a construction
    // (a string's buffer) that the first Add throws away.
    auto chunk = new (std::nothrow) Chunk{first, 0, nullptr};
    if (!chunk) {
        return nullptr;
    }
    chunk->items = static_cast<T*>(::operator new(sizeof(T) * kChunkSize, std::nothrow));
    if (!chunk->items) {
        delete chunk;
        return nullptr;
    }
    return chunk;
}

template <class T>
void CNiraChunkArray<T>::DeleteChunk(Chunk* chunk)
{
    if (chunk) {
        for (int i = 0; i < chunk->count; ++i) {
            chunk->items[i].~T();
        }
        ::operator delete(chunk->items);
        delete chunk;
    }
}

template <class T>
bool CNiraChunkArray<T>::Add(const T& item)
{
    if (!m_last) {
        return false;
    }
    if (m_last->count == kChunkSize) {
        Chunk* chunk = NewChunk(m_last->first + kChunkSize);
        if (!chunk || !m_chunks->AddHead(chunk)) {
            DeleteChunk(chunk);
            return false;
        }
        m_last = chunk;
    }
    try {
        new (&m_last->items[m_last->count]) T(item);
    } catch (...) {
        return false;
    }
    ++m_last->count;
    return true;
}

template <class T>
T* CNiraChunkArray<T>::GetAt(int index)
{
    if (index < 0 || index >= GetCount()) {
        return nullptr;
    }
    if (!m_current->Holds(index)) {
        if (m_last->first < index && index < m_last->first + m_last->count) {
            m_current = m_last;
        } else if (Chunk* found = FindChunk(index)) {
            m_current = found;
        }
    }
    return m_current->Holds(index) ? &m_current->items[index - m_current->first] : nullptr;
}

template <class T>
typename CNiraChunkArray<T>::Chunk* CNiraChunkArray<T>::FindChunk(int index) const
{
    if (!m_chunks) {
        return nullptr;
    }
    for (CNiraPtrList::Node* node = m_chunks->GetHead(); node; node = node->next) {
        auto chunk = static_cast<Chunk*>(node->value);
        if (chunk->Holds(index)) {
            return chunk;
        }
    }
    return nullptr;
}

template <class T>
int CNiraChunkArray<T>::GetCount() const
{
    // Every chunk but the last is full, so the last one's end is the sum of the chunks' counts.
    return m_last ? m_last->first + m_last->count : 0;
}
