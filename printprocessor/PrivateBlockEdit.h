// Reading and writing the driver's settings inside a page DEVMODE's private section, as the
// render module reads them for that page.
#pragma once

#include <windows.h>

#include "common/PrivateDevMode.h"
#include "printprocessor/ProcessorSettingsClient.h"

// Private-section settings the print processor writes into page DEVMODEs.
constexpr LONG kMixedOrientationFlag = 182;
constexpr LONG kRepeatOnFlag = 209;
constexpr LONG kFirstRepeatFlag = 210;
constexpr LONG kParityFlagA = 221;
constexpr LONG kParityFlagB = 222;
constexpr LONG kPreviewFlag = 223;
constexpr LONG kPreviewKeptFlag = 225;
constexpr LONG kDuplexOffsetSetting = 2047;
constexpr LONG kRepeatCountSetting = 2049;

// The private section that ends the DEVMODE, or null when it has none.
PrivateDevMode* FindPrivateDevMode(DEVMODEW* devmode);

// A settings client loaded from the private section of one DEVMODE; Save writes it back.
class PrivateBlockEdit {
public:
    PrivateBlockEdit(LPCWSTR printerName, DEVMODEW* devmode);
    PrivateBlockEdit(const PrivateBlockEdit&) = delete;
    PrivateBlockEdit& operator=(const PrivateBlockEdit&) = delete;

    // Whether the section was found and loaded.
    bool Loaded() const { return m_loaded; }
    // The flag's value; 0 when it cannot be read.
    BYTE Flag(LONG index);
    // The 32-bit setting's value; 0 when it cannot be read.
    LONG Int(LONG index);
    CNiraProcessorSettingsClient& Client() { return m_client; }
    bool Save();

private:
    CNiraProcessorSettingsClient m_client;
    PrivateDevMode* m_block = nullptr;
    bool m_loaded = false;
};
