// Freeing an array of owned pointers.
#pragma once

#include <windows.h>

// Deletes each non-null element and nulls it, then deletes the array (allocated with new[]) when
// there is one. The count is read through its pointer before each element. Always answers 1.
template <class T>
BOOL FreePointerArray(T** array, const int* count)
{
    if (!array) {
        return TRUE;
    }
    for (int i = 0; count && i < *count; ++i) {
        delete array[i];
        array[i] = nullptr;
    }
    delete[] array;
    return TRUE;
}
