// The process heap and the local and global allocators over the C heap. Each block carries a
// small header with its size; a moveable block also has a handle record that Lock resolves.
// The local and global allocators are one allocator, as they are on Windows.
#include <windows.h>

#include <nirasim/Runtime.h>

#include "core/Failures.h"

#include <stdlib.h>

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "core/Failures.h"

namespace {

constexpr uint32_t kBlockMagic = 0x4B4C424E;  // "NBLK"
constexpr uintptr_t kProcessHeap = 0x00500000;

struct alignas(16) BlockHeader {
    uint32_t magic;
    uint32_t flags;
    size_t size;
    HANDLE handle;  // the moveable handle, or null for a fixed block
};

std::atomic<size_t> liveBlocks{0};
std::atomic<size_t> liveGlobalBlocks{0};
constexpr uint32_t kGlobalBlock = 0x1;  // made by GlobalAlloc or GlobalReAlloc

struct MoveableRecord {
    void* data;
    DWORD locks;
};

struct Handles {
    std::mutex lock;
    std::unordered_map<HANDLE, MoveableRecord*> moveable;
};

Handles& TheHandles()
{
    static Handles* handles = new Handles;
    return *handles;
}

BlockHeader* HeaderOf(LPCVOID data)
{
    auto header = reinterpret_cast<BlockHeader*>(const_cast<void*>(data)) - 1;
    return header->magic == kBlockMagic ? header : nullptr;
}

void* NewBlock(SIZE_T bytes, bool zero)
{
    if (bytes > (static_cast<SIZE_T>(1) << 40)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto header = static_cast<BlockHeader*>(zero ? calloc(1, sizeof(BlockHeader) + bytes)
                                                 : malloc(sizeof(BlockHeader) + bytes));
    if (!header) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    ++liveBlocks;
    header->magic = kBlockMagic;
    header->flags = 0;
    header->size = bytes;
    header->handle = nullptr;
    return header + 1;
}

// Grows or shrinks a block, zeroing new bytes when asked; the block may move.
void* ResizeBlock(void* data, SIZE_T bytes, bool zero)
{
    BlockHeader* header = HeaderOf(data);
    size_t old = header->size;
    auto moved = static_cast<BlockHeader*>(realloc(header, sizeof(BlockHeader) + bytes));
    if (!moved) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    moved->size = bytes;
    if (zero && bytes > old) {
        memset(reinterpret_cast<char*>(moved + 1) + old, 0, bytes - old);
    }
    return moved + 1;
}

void FreeBlock(void* data)
{
    BlockHeader* header = HeaderOf(data);
    if (header->flags & kGlobalBlock) {
        --liveGlobalBlocks;
    }
    header->magic = 0;
    free(header);
    --liveBlocks;
}

MoveableRecord* FindMoveable(HANDLE handle)
{
    Handles& handles = TheHandles();
    std::lock_guard<std::mutex> hold(handles.lock);
    auto found = handles.moveable.find(handle);
    return found == handles.moveable.end() ? nullptr : found->second;
}

// The data of a handle: a moveable block's memory, or the handle itself for a fixed block.
void* DataOf(HANDLE handle, MoveableRecord** record)
{
    *record = FindMoveable(handle);
    return *record ? (*record)->data : handle;
}

HANDLE Allocate(UINT flags, SIZE_T bytes)
{
    // A zero-byte moveable block is "discarded": a handle without memory, as on Windows; a fixed
    // one is a real block of no bytes.
    void* data =
        (flags & LMEM_MOVEABLE) && bytes == 0 ? nullptr : NewBlock(bytes, (flags & LMEM_ZEROINIT) != 0);
    if (!(flags & LMEM_MOVEABLE)) {
        return data;
    }
    if (bytes != 0 && !data) {
        return nullptr;
    }
    auto record = new MoveableRecord{data, 0};
    HANDLE handle = record;
    if (data) {
        HeaderOf(data)->handle = handle;
    }
    Handles& handles = TheHandles();
    std::lock_guard<std::mutex> hold(handles.lock);
    handles.moveable[handle] = record;
    return handle;
}

HANDLE Free(HANDLE handle)
{
    if (!handle) {
        return nullptr;
    }
    MoveableRecord* record = nullptr;
    {
        Handles& handles = TheHandles();
        std::lock_guard<std::mutex> hold(handles.lock);
        auto found = handles.moveable.find(handle);
        if (found != handles.moveable.end()) {
            record = found->second;
            handles.moveable.erase(found);
        }
    }
    if (record) {
        if (record->data) {
            FreeBlock(record->data);
        }
        delete record;
        return nullptr;
    }
    if (!HeaderOf(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return handle;
    }
    FreeBlock(handle);
    return nullptr;
}

HANDLE Reallocate(HANDLE handle, SIZE_T bytes, UINT flags)
{
    if (!handle) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    MoveableRecord* record = nullptr;
    void* data = DataOf(handle, &record);
    if (flags & LMEM_MODIFY) {
        return handle;  // only attributes change, and the simulated heap keeps none
    }
    bool zero = (flags & LMEM_ZEROINIT) != 0;
    if (record) {
        void* moved = data ? ResizeBlock(data, bytes, zero) : NewBlock(bytes, zero);
        if (!moved) {
            return nullptr;
        }
        HeaderOf(moved)->handle = handle;
        record->data = moved;
        return handle;
    }
    // A fixed block may move only when the caller allows it.
    if (bytes > HeaderOf(data)->size && !(flags & LMEM_MOVEABLE)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return ResizeBlock(data, bytes, zero);
}

LPVOID Lock(HANDLE handle)
{
    MoveableRecord* record = nullptr;
    void* data = handle ? DataOf(handle, &record) : nullptr;
    if (!data) {
        SetLastError(handle ? ERROR_DISCARDED : ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (record) {
        ++record->locks;
    }
    return data;
}

BOOL Unlock(HANDLE handle)
{
    MoveableRecord* record = FindMoveable(handle);
    if (!record || record->locks == 0) {
        SetLastError(record ? ERROR_NOT_LOCKED : ERROR_SUCCESS);
        return FALSE;
    }
    --record->locks;
    SetLastError(ERROR_SUCCESS);
    return record->locks != 0;
}

SIZE_T Size(HANDLE handle)
{
    MoveableRecord* record = nullptr;
    void* data = handle ? DataOf(handle, &record) : nullptr;
    if (!data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return HeaderOf(data)->size;
}

HANDLE HandleOf(LPCVOID data)
{
    if (!data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    BlockHeader* header = HeaderOf(data);
    return header->handle ? header->handle : const_cast<void*>(data);
}

// Counts the memory of a global handle among the global blocks (once).
HANDLE MarkGlobal(HANDLE handle)
{
    MoveableRecord* record = nullptr;
    void* data = handle ? DataOf(handle, &record) : nullptr;
    BlockHeader* header = data ? HeaderOf(data) : nullptr;
    if (header != nullptr && !(header->flags & kGlobalBlock)) {
        header->flags |= kGlobalBlock;
        ++liveGlobalBlocks;
    }
    return handle;
}

}  // namespace

size_t nirasim::LiveHeapBlocks()
{
    return liveBlocks;
}

size_t nirasim::LiveGlobalBlocks()
{
    return liveGlobalBlocks;
}

HANDLE WINAPI GetProcessHeap(void)
{
    return reinterpret_cast<HANDLE>(kProcessHeap);
}

LPVOID WINAPI HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes)
{
    UNREFERENCED_PARAMETER(hHeap);
    NIRASIM_FAIL_IF_INJECTED("HeapAlloc", nullptr);
    return NewBlock(dwBytes, (dwFlags & HEAP_ZERO_MEMORY) != 0);
}

LPVOID WINAPI HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes)
{
    UNREFERENCED_PARAMETER(hHeap);
    if (!lpMem) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    NIRASIM_FAIL_IF_INJECTED("HeapReAlloc", nullptr);
    if ((dwFlags & HEAP_REALLOC_IN_PLACE_ONLY) && dwBytes > HeaderOf(lpMem)->size) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return ResizeBlock(lpMem, dwBytes, (dwFlags & HEAP_ZERO_MEMORY) != 0);
}

BOOL WINAPI HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem)
{
    UNREFERENCED_PARAMETER(hHeap);
    UNREFERENCED_PARAMETER(dwFlags);
    if (lpMem) {
        FreeBlock(lpMem);
    }
    return TRUE;
}

SIZE_T WINAPI HeapSize(HANDLE hHeap, DWORD dwFlags, LPCVOID lpMem)
{
    UNREFERENCED_PARAMETER(hHeap);
    UNREFERENCED_PARAMETER(dwFlags);
    return lpMem ? HeaderOf(lpMem)->size : static_cast<SIZE_T>(-1);
}

HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes)
{
    NIRASIM_FAIL_IF_INJECTED("LocalAlloc", nullptr);
    return Allocate(uFlags, uBytes);
}
HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags)
{
    NIRASIM_FAIL_IF_INJECTED("LocalReAlloc", nullptr);
    return Reallocate(hMem, uBytes, uFlags);
}
HLOCAL WINAPI LocalFree(HLOCAL hMem)
{
    return Free(hMem);
}
LPVOID WINAPI LocalLock(HLOCAL hMem)
{
    return Lock(hMem);
}
BOOL WINAPI LocalUnlock(HLOCAL hMem)
{
    return Unlock(hMem);
}
SIZE_T WINAPI LocalSize(HLOCAL hMem)
{
    return Size(hMem);
}
HLOCAL WINAPI LocalHandle(LPCVOID pMem)
{
    return HandleOf(pMem);
}

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    NIRASIM_FAIL_IF_INJECTED("GlobalAlloc", nullptr);
    return MarkGlobal(Allocate(uFlags, dwBytes));
}
HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    NIRASIM_FAIL_IF_INJECTED("GlobalReAlloc", nullptr);
    return MarkGlobal(Reallocate(hMem, dwBytes, uFlags));
}
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem)
{
    return Free(hMem);
}
LPVOID WINAPI GlobalLock(HGLOBAL hMem)
{
    return Lock(hMem);
}
BOOL WINAPI GlobalUnlock(HGLOBAL hMem)
{
    return Unlock(hMem);
}
SIZE_T WINAPI GlobalSize(HGLOBAL hMem)
{
    return Size(hMem);
}
HGLOBAL WINAPI GlobalHandle(LPCVOID pMem)
{
    return HandleOf(pMem);
}
