// Holds a spooler printer handle, closing it only when the holder owns it.
#pragma once

#include <windows.h>

class CNiraPrinterHandle {
public:
    // With reopen and a handle, the printer is opened again by its name with PRINTER_ALL_ACCESS
    // and the holder owns the new handle; otherwise it keeps the given one without owning it.
    CNiraPrinterHandle(HANDLE printer, bool reopen);
    ~CNiraPrinterHandle();
    CNiraPrinterHandle(const CNiraPrinterHandle&) = delete;
    CNiraPrinterHandle& operator=(const CNiraPrinterHandle&) = delete;

    // Closes an owned handle first; the new one is held without owning it.
    void Assign(HANDLE printer);
    void Release();

    HANDLE GetHandle() const { return m_handle; }
    bool IsOwned() const { return m_owned != 0; }

private:
    HANDLE m_handle;
    int m_owned;
};
