// CNiraArray: the settings engine's growable array of plain records (pointers, blobs, entries).
#pragma once

#include <string.h>

#include <type_traits>

#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsMemory.h"

// Objects that receive a CNiraArray from another object read only items and count.
template <typename T>
class CNiraArray {
    static_assert(std::is_trivially_copyable<T>::value, "CNiraArray holds plain records");

public:
    T* items = nullptr;
    LONG count = 0;     // elements in use
    LONG capacity = 0;  // elements allocated
    LONG growBy = 0;    // 0: grow by count / 8, clamped to 4..1024

    CNiraArray() = default;
    CNiraArray(const CNiraArray&) = delete;
    CNiraArray& operator=(const CNiraArray&) = delete;
    ~CNiraArray() { RemoveAll(); }

    LONG GetCount() const { return count; }

    T& operator[](LONG index) { return items[index]; }
    const T& operator[](LONG index) const { return items[index]; }

    // Sets the element at index count; raises ERROR_NOT_ENOUGH_MEMORY when the array cannot grow.
    void Append(const T& item)
    {
        SetSize(count + 1);
        items[count - 1] = item;
    }

    // Makes size elements in use; elements above the old count are zero.
    void SetSize(LONG size)
    {
        RequireArgument(size >= 0);
        if (size > capacity) {
            Grow(size);
        } else if (size > count) {
            memset(static_cast<void*>(items + count), 0, sizeof(T) * static_cast<size_t>(size - count));
        }
        count = size;
    }

    // Moves the elements after index down by one.
    void RemoveAt(LONG index)
    {
        RequireArgument(index >= 0 && index < count);
        memmove(static_cast<void*>(items + index), items + index + 1,
                sizeof(T) * static_cast<size_t>(count - index - 1));
        --count;
    }

    // Frees the block; count and capacity become 0.
    void RemoveAll()
    {
        FreeSettingsBlock(items);
        items = nullptr;
        count = 0;
        capacity = 0;
    }

private:
    static constexpr LONG kMinimumStep = 4;
    static constexpr LONG kMaximumStep = 1024;

    void Grow(LONG size)
    {
        LONG step = growBy;
        if (step == 0) {
            step = count / 8;
            step = step < kMinimumStep ? kMinimumStep : (step > kMaximumStep ? kMaximumStep : step);
        }
        const LONG newCapacity = size > capacity + step ? size : capacity + step;
        // The new block comes zeroed, so the elements above the old count are zero.
        T* grown = static_cast<T*>(AllocateSettingsBlock(sizeof(T) * static_cast<size_t>(newCapacity)));
        if (count > 0) {
            memcpy(static_cast<void*>(grown), items, sizeof(T) * static_cast<size_t>(count));
        }
        FreeSettingsBlock(items);
        items = grown;
        capacity = newCapacity;
    }
};
