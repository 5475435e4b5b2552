// The handler of the calibration (class 4262): it writes into every PrintTicket the command line
// that starts the printer toolbox's services plug-in and whether a calibration is due, and
// announces both private features in the PrintCapabilities, under the prefix bpe.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

// The namespace bound to the prefix bpe on the root of the documents the handler writes.
extern const WCHAR kCalibrationNamespace[];

class CNiraCalibrationHandler : public CNiraFeatureHandler {
public:
    int InitializeStates() override;
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;

    // The toolbox's command line for the printer: the driver's folder, the printer's "ToolboxPath",
    // the printer name in double quotation marks and the services plug-in's argument; false when
    // the driver's folder cannot be read or the line does not fit.
    static bool ToolboxCommand(LPCWSTR printerName, LPWSTR command, size_t chars);
};
