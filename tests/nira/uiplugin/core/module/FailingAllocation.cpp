#include "FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_failNothrow{false};

void* Allocate(std::size_t size)
{
    return std::malloc(size == 0 ? 1 : size);
}

}  // namespace

void FailNothrowAllocations(bool fail)
{
    g_failNothrow = fail;
}

// Every form allocates and frees with malloc and free, so that the pairs always match.
void* operator new(std::size_t size)
{
    void* block = Allocate(size);
    if (block == nullptr) {
        throw std::bad_alloc();
    }
    return block;
}

void* operator new[](std::size_t size)
{
    return operator new(size);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return g_failNothrow ? nullptr : Allocate(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return g_failNothrow ? nullptr : Allocate(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete(void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}

void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    std::free(block);
}
