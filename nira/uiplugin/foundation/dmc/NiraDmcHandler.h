// Captures a printer's device-model configuration through the DMC core library into the UI
// settings and the printer data, and applies the kept snapshot again later.
#pragma once

#include "nira/uiplugin/foundation/dmc/INiraDmcHandler.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

class CNiraDmcPrinterData;

class CNiraDmcHandler : public INiraDmcHandler {
public:
    CNiraDmcHandler() : m_access(nullptr), m_settings(nullptr) {}

    // Neither is owned; a null argument leaves its field as it was. Answers 1.
    int Bind(CNiraPrinterAccess* access, INiraUISettings* settings);
    // 0 without printer access, else 1 (also when there is no printer handle and nothing ran).
    int CaptureDeviceModel() override;
    int Reserved() override { return 0; }
    // 1 when a stored snapshot was applied, else 0.
    int ApplySnapshot() override;

private:
    // The driver directory's "\3\" and the file the key names; empty when the key is missing.
    void ComponentPath(LPCWSTR key, LPWSTR path);
    // Runs the DMC core library and pushes its values; answers the DMCStatus to store.
    int RunCore(LPCWSTR libraryPath, LPCWSTR configPath, CNiraDmcPrinterData& data);

    CNiraPrinterAccess* m_access;
    INiraUISettings* m_settings;
};
