// The handler of the orientation (class 4118): PageOrientation with the rotation (4135) in
// PrintTickets, and the sheet picture's click that turns the page.
#pragma once

#include "nira/uiplugin/features/base/LayoutHandler.h"
#include "printticket/XDOrientationFeature.h"

class CNiraOrientationHandler : public CNiraLayoutHandler {
public:
    static constexpr int kCommandToggleOrientation = 11;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;

    const CXDOrientationFeature& Converter() const { return m_converter; }

private:
    void FillConverterTables();
    bool ServesRotation() const;

    CXDOrientationFeature m_converter;
    int m_ownId = 0;
};
