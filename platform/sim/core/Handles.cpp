// Handle values are small multiples of 4 above a base, as kernel handles are, never null and
// never INVALID_HANDLE_VALUE.
#include "core/Handles.h"

#include "core/MachineState.h"

#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr ULONG_PTR kFirstHandle = 0x1000;
constexpr ULONG_PTR kHandleStep = 4;

struct HandleTable {
    std::mutex lock;
    std::map<ULONG_PTR, std::shared_ptr<KernelObject>> objects;
    ULONG_PTR next = kFirstHandle;
};

HandleTable& Table()
{
    static HandleTable* table = new HandleTable;  // outlives every static destructor
    return *table;
}

}  // namespace

// A fresh machine starts without the handles an earlier one left open.
static ResetHook resetHandles(ClearHandles);

HANDLE AddHandle(std::shared_ptr<KernelObject> object)
{
    HandleTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    ULONG_PTR value = table.next;
    table.next += kHandleStep;
    table.objects[value] = std::move(object);
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle)
{
    HandleTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    return it == table.objects.end() ? nullptr : it->second;
}

bool RemoveHandle(HANDLE handle)
{
    std::shared_ptr<KernelObject> removed;
    HandleTable& table = Table();
    std::lock_guard<std::mutex> guard(table.lock);
    auto it = table.objects.find(reinterpret_cast<ULONG_PTR>(handle));
    if (it == table.objects.end()) {
        return false;
    }
    removed = std::move(it->second);
    table.objects.erase(it);
    return true;
}

void ClearHandles()
{
    std::map<ULONG_PTR, std::shared_ptr<KernelObject>> closing;
    {
        HandleTable& table = Table();
        std::lock_guard<std::mutex> guard(table.lock);
        closing.swap(table.objects);
    }
}

}  // namespace nirasim::sim

BOOL WINAPI CloseHandle(HANDLE hObject)
{
    if (!nirasim::sim::RemoveHandle(hObject)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI DuplicateHandle(HANDLE, HANDLE hSourceHandle, HANDLE, LPHANDLE lpTargetHandle, DWORD, BOOL,
                            DWORD dwOptions)
{
    auto object = nirasim::sim::LookUpHandle(hSourceHandle);
    if (!object || lpTargetHandle == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpTargetHandle = nirasim::sim::AddHandle(object);
    if (dwOptions & DUPLICATE_CLOSE_SOURCE) {
        nirasim::sim::RemoveHandle(hSourceHandle);
    }
    return TRUE;
}
