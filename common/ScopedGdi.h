// GDI objects and selections that last one drawing step: what a paint makes it also deletes, and
// every object it selects into a DC is replaced by the DC's previous one when the step ends.
#pragma once

#include <windows.h>

// Deletes the object (a pen, brush, font, bitmap or region) when it goes out of scope.
class CNiraScopedObject {
public:
    explicit CNiraScopedObject(HGDIOBJ object) : m_object(object) {}
    ~CNiraScopedObject()
    {
        if (m_object != nullptr) {
            DeleteObject(m_object);
        }
    }
    CNiraScopedObject(const CNiraScopedObject&) = delete;
    CNiraScopedObject& operator=(const CNiraScopedObject&) = delete;
    HGDIOBJ Get() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // Deletes the object held and takes `object` in its place.
    void Reset(HGDIOBJ object)
    {
        if (m_object != nullptr && m_object != object) {
            DeleteObject(m_object);
        }
        m_object = object;
    }

private:
    HGDIOBJ m_object;
};

// Selects the object into the DC and selects the previous one back when it goes out of scope.
class CNiraScopedSelection {
public:
    CNiraScopedSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~CNiraScopedSelection()
    {
        if (m_previous != nullptr) {
            SelectObject(m_dc, m_previous);
        }
    }
    CNiraScopedSelection(const CNiraScopedSelection&) = delete;
    CNiraScopedSelection& operator=(const CNiraScopedSelection&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A memory DC for one step, deleted with the bitmap it was given.
class CNiraScopedMemoryDC {
public:
    CNiraScopedMemoryDC(HDC reference, HBITMAP bitmap)
        : m_dc(CreateCompatibleDC(reference)),
          m_bitmap(bitmap),
          m_previous(m_dc != nullptr && bitmap != nullptr ? SelectObject(m_dc, bitmap) : nullptr)
    {}
    ~CNiraScopedMemoryDC()
    {
        if (m_previous != nullptr) {
            SelectObject(m_dc, m_previous);
        }
        if (m_dc != nullptr) {
            DeleteDC(m_dc);
        }
        if (m_bitmap != nullptr) {
            DeleteObject(m_bitmap);
        }
    }
    CNiraScopedMemoryDC(const CNiraScopedMemoryDC&) = delete;
    CNiraScopedMemoryDC& operator=(const CNiraScopedMemoryDC&) = delete;
    HDC Get() const { return m_dc; }
    // True when the DC was made and holds its bitmap.
    bool Ready() const { return m_previous != nullptr; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};
