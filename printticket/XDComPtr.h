// Owned COM references and BSTRs for the PrintTicket library: released when they leave scope, so
// every path through an operation releases what it made.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include "common/ScopedResources.h"

template <class T>
class CXDComPtr {
public:
    CXDComPtr() = default;
    CXDComPtr(const CXDComPtr&) = delete;
    CXDComPtr& operator=(const CXDComPtr&) = delete;
    // Moving hands the reference over, so references can be kept in containers.
    CXDComPtr(CXDComPtr&& other) noexcept : m_pointer(other.Detach()) {}
    CXDComPtr& operator=(CXDComPtr&& other) noexcept
    {
        T* taken = other.Detach();  // Detach first: moving a pointer onto itself keeps it
        Reset();
        m_pointer = taken;
        return *this;
    }
    ~CXDComPtr() { Reset(); }

    // The slot for an out argument; what the pointer held is released first.
    T** operator&()
    {
        Reset();
        return &m_pointer;
    }
    T* operator->() const { return m_pointer; }
    T* Get() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    void Reset()
    {
        if (m_pointer) {
            m_pointer->Release();
        }
        m_pointer = nullptr;
    }
    // Hands the reference to the caller.
    T* Detach()
    {
        T* pointer = m_pointer;
        m_pointer = nullptr;
        return pointer;
    }
    template <class U>
    HRESULT QueryTo(REFIID iid, CXDComPtr<U>& out) const
    {
        return m_pointer->QueryInterface(iid, reinterpret_cast<void**>(&out));
    }

private:
    T* m_pointer = nullptr;
};

// The BSTR owner the whole driver uses.
using CXDBstr = CNiraBstr;
