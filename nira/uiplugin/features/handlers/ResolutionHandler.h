// The handler of the resolution (class 4123): DC_ENUMRESOLUTIONS, the resolution in PrintTickets,
// and the print quality brought in line with a DEVMODE's resolution through the qualities the
// capability database allows for it (table FDT4123).
#pragma once

#include <memory>

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

class CXDResolutionFeature;

class CNiraResolutionHandler : public CNiraFeatureHandler {
public:
    CNiraResolutionHandler();
    ~CNiraResolutionHandler() override;

    int Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database) override;
    HRESULT OnDocumentEvent(HANDLE printer, HDC dc, INT escape, ULONG inSize, PVOID in, ULONG outSize,
                            PVOID out, PINT result, DEVMODEW* devMode) override;
    int OnPublicDevMode(DEVMODEW* publicDevMode) override;
    HRESULT DeviceCapabilities(HANDLE printer, PWSTR deviceName, WORD capability, PVOID output,
                               DEVMODEW* publicDevMode, PVOID privateDevMode, DWORD oldResult, DWORD* result,
                               int* handled) override;
    int ReadPrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintTicket(IXMLDOMDocument2* printTicket) override;
    int WritePrintCapabilities(IXMLDOMDocument2* printTicket, IXMLDOMDocument2* printCapabilities) override;

    // Picks the print quality the database allows for the resolution of dpi dots per inch.
    int SyncPrintQuality(int dpi);
    int LastResolution() const { return m_lastResolution; }

private:
    static int OnQualityRow(void* argument, int columns, char** values, char** names);
    void LoadQualityList(int resolutionOption);
    bool QualityListed(int quality) const;
    void FillConverterTables();

    std::unique_ptr<CXDResolutionFeature> m_converter;
    int m_optionCount = 0;
    INiraFeatureDatabase* m_database = nullptr;
    int m_lastResolution = 0;
    CNiraPtrList m_qualities;
};
