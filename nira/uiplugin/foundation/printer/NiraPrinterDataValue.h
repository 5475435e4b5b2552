// A named, typed value kept as printer data of one printer (GetPrinterDataW, SetPrinterDataW,
// DeletePrinterDataW). The handle is borrowed from the holder given at construction.
#pragma once

#include "nira/uiplugin/foundation/printer/NiraPrinterHandle.h"
#include "nira/uiplugin/foundation/printer/NiraRegValue.h"

class CNiraPrinterDataValue : public CNiraRegValue {
public:
    CNiraPrinterDataValue(const CNiraPrinterHandle& holder, LPCWSTR name, DWORD type);
    ~CNiraPrinterDataValue() override;

    // Without copy the spooler writes the needed or returned size into *size; with copy the
    // value is read through a temporary and *size changes only on success.
    bool Query(LPBYTE buffer, LPDWORD size, bool copy) override;
    bool Set(const BYTE* data, DWORD size) override;
    // Deletes the printer-data value named by the argument (not necessarily this one).
    virtual bool Delete(LPCWSTR valueName);

private:
    CNiraPrinterHandle m_printer;
    LPCWSTR m_valueName;
};
