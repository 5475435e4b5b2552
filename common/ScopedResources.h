// Owners of Win32 resources that free them when they leave scope, so that every way out of a
// function (an early return or an exception) frees what it made: LocalAlloc blocks, printer
// handles, registry keys, BSTRs and VARIANTs. operator& gives the slot for an out argument (what
// the owner held is freed first); Detach hands the resource to a caller where a contract gives it
// out.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <winspool.h>

// A block from LocalAlloc, freed with LocalFree.
template <class T>
class CNiraLocalBuffer {
public:
    CNiraLocalBuffer() = default;
    explicit CNiraLocalBuffer(T* owned) : m_block(owned) {}
    // A zero-filled block of the given size in bytes; null when it cannot be had.
    static CNiraLocalBuffer Allocate(SIZE_T bytes)
    {
        return CNiraLocalBuffer(static_cast<T*>(LocalAlloc(LPTR, bytes)));
    }
    CNiraLocalBuffer(CNiraLocalBuffer&& other) noexcept : m_block(other.Detach()) {}
    CNiraLocalBuffer& operator=(CNiraLocalBuffer&& other) noexcept
    {
        Reset(other.Detach());
        return *this;
    }
    CNiraLocalBuffer(const CNiraLocalBuffer&) = delete;
    CNiraLocalBuffer& operator=(const CNiraLocalBuffer&) = delete;
    ~CNiraLocalBuffer() { Reset(nullptr); }

    T* Get() const { return m_block; }
    T* operator->() const { return m_block; }
    explicit operator bool() const { return m_block != nullptr; }
    void Reset(T* owned)
    {
        if (m_block != nullptr) {
            LocalFree(m_block);
        }
        m_block = owned;
    }
    T* Detach()
    {
        T* block = m_block;
        m_block = nullptr;
        return block;
    }

private:
    T* m_block = nullptr;
};

// A printer handle this code opened (OpenPrinterW), closed with ClosePrinter.
class CNiraOpenedPrinter {
public:
    CNiraOpenedPrinter() = default;
    CNiraOpenedPrinter(const CNiraOpenedPrinter&) = delete;
    CNiraOpenedPrinter& operator=(const CNiraOpenedPrinter&) = delete;
    ~CNiraOpenedPrinter() { Reset(nullptr); }

    HANDLE* operator&()
    {
        Reset(nullptr);
        return &m_printer;
    }
    HANDLE Get() const { return m_printer; }
    explicit operator bool() const { return m_printer != nullptr; }
    void Reset(HANDLE owned)
    {
        if (m_printer != nullptr) {
            ClosePrinter(m_printer);
        }
        m_printer = owned;
    }
    HANDLE Detach()
    {
        HANDLE printer = m_printer;
        m_printer = nullptr;
        return printer;
    }

private:
    HANDLE m_printer = nullptr;
};

// An open registry key, closed with RegCloseKey.
class CNiraRegKey {
public:
    CNiraRegKey() = default;
    CNiraRegKey(const CNiraRegKey&) = delete;
    CNiraRegKey& operator=(const CNiraRegKey&) = delete;
    ~CNiraRegKey() { Reset(nullptr); }

    HKEY* operator&()
    {
        Reset(nullptr);
        return &m_key;
    }
    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }
    void Reset(HKEY owned)
    {
        if (m_key != nullptr) {
            RegCloseKey(m_key);
        }
        m_key = owned;
    }

private:
    HKEY m_key = nullptr;
};

// A BSTR, freed with SysFreeString.
class CNiraBstr {
public:
    CNiraBstr() = default;
    explicit CNiraBstr(BSTR owned) : m_text(owned) {}
    CNiraBstr(const CNiraBstr&) = delete;
    CNiraBstr& operator=(const CNiraBstr&) = delete;
    ~CNiraBstr() { SysFreeString(m_text); }

    BSTR* operator&()
    {
        Reset(nullptr);
        return &m_text;
    }
    // The slot for an in/out argument, keeping what it holds.
    BSTR* InOut() { return &m_text; }
    operator BSTR() const { return m_text; }
    BSTR Get() const { return m_text; }
    bool IsEmpty() const { return !m_text || !m_text[0]; }
    void Reset(BSTR owned)
    {
        SysFreeString(m_text);
        m_text = owned;
    }
    BSTR Detach()
    {
        BSTR text = m_text;
        m_text = nullptr;
        return text;
    }

private:
    BSTR m_text = nullptr;
};

// A VARIANT, initialised when made and cleared with VariantClear.
class CNiraVariant {
public:
    CNiraVariant() { VariantInit(&m_value); }
    CNiraVariant(const CNiraVariant&) = delete;
    CNiraVariant& operator=(const CNiraVariant&) = delete;
    ~CNiraVariant() { VariantClear(&m_value); }

    VARIANT* operator&()
    {
        Clear();
        return &m_value;
    }
    // The slot for an in/out argument, keeping what it holds.
    VARIANT* InOut() { return &m_value; }
    const VARIANT& Get() const { return m_value; }
    void Clear()
    {
        VariantClear(&m_value);
        VariantInit(&m_value);
    }
    // Holds the BSTR from now on.
    void SetBstr(BSTR owned)
    {
        Clear();
        m_value.vt = VT_BSTR;
        m_value.bstrVal = owned;
    }
    // The BSTR it holds, handed to the caller; null when it holds no BSTR.
    BSTR DetachBstr()
    {
        if (m_value.vt != VT_BSTR) {
            return nullptr;
        }
        BSTR text = m_value.bstrVal;
        VariantInit(&m_value);
        return text;
    }

private:
    VARIANT m_value;
};
