// The kernel handle table: files, find searches, processes, threads, tokens, events and mutexes.
#pragma once

#include <windows.h>

#include <memory>

namespace nirasim::sim {

class KernelObject {
public:
    virtual ~KernelObject() = default;
    // Waitable objects answer whether a wait on them is satisfied now, and take what the wait
    // consumes (an auto-reset event's signal, a mutex); both are called under the wait lock.
    virtual bool IsSignaled() const { return false; }
    virtual void Consume() {}
    virtual bool IsWaitable() const { return false; }
};

HANDLE AddHandle(std::shared_ptr<KernelObject> object);
std::shared_ptr<KernelObject> LookUpHandle(HANDLE handle);
// Removes the handle; false when it was not open.
bool RemoveHandle(HANDLE handle);
// Closes every handle (a new machine starts without open handles).
void ClearHandles();

template <typename T>
std::shared_ptr<T> LookUpHandleAs(HANDLE handle)
{
    return std::dynamic_pointer_cast<T>(LookUpHandle(handle));
}

}  // namespace nirasim::sim
