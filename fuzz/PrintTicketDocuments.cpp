// Feeds arbitrary XML to the PrintTicket library as the platform hands it documents: a PrintTicket
// is read by every converter and written back by each (then read again), a PrintCapabilities gets
// every converter's capabilities written into it. Nothing may crash, leak or read outside memory,
// whatever the document's shape, names or values.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDException.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

#include "printticket/converters/Descriptions.h"

#include <stdint.h>

#include <string>

namespace {

// Runs every converter's read on the ticket, then its write with values a handler could send.
void ReadAndWriteTicket(CXDPrintTicket& ticket)
{
    int orientation = 0;
    CXDOrientationFeature().ReadPrintTicket(ticket, &orientation);
    CXDResolutionValues resolution{1, 600, 600};
    CXDResolutionFeature().ReadPrintTicket(ticket, &resolution);
    RollCutValues rollCut{};
    CXDRollCutFeature().ReadPrintTicket(ticket, &rollCut);
    PageScalingValues scaling{};
    scaling.kind = 2;
    scaling.scale = 100;
    scaling.targetWidth = 215900;
    scaling.targetHeight = 279400;
    CXDPageScalingFeature().ReadPrintTicket(ticket, &scaling);
    PosterValues poster{};
    CXDPosterFeature().ReadPrintTicket(ticket, &poster);
    BindingValues binding{};
    CXDBindingFeature().ReadPrintTicket(ticket, &binding);
    NUpValues nUp{0, 1, 0, 0};
    CXDNUpFeature().ReadPrintTicket(ticket, &nUp);
    MediaSizeValues mediaSize;
    mediaSize.width = 215900;
    mediaSize.height = 279400;
    CXDMediaSizeFeature().ReadPrintTicket(ticket, &mediaSize);

    // The writes check their values themselves; what a read left is passed on as it stands.
    CXDOrientationFeature().WritePrintTicket(ticket, &orientation);
    CXDResolutionFeature().WritePrintTicket(ticket, &resolution);
    CXDRollCutFeature().WritePrintTicket(ticket, &rollCut);
    CXDPageScalingFeature().WritePrintTicket(ticket, &scaling);
    poster.sheetsIndex = 1;
    poster.sheets = 4;
    poster.tileMode = 1;
    poster.tiles[0] = poster.tiles[2] = 1;
    CXDPosterFeature().WritePrintTicket(ticket, &poster);
    CXDBindingFeature().WritePrintTicket(ticket, &binding);
    CXDNUpFeature().WritePrintTicket(ticket, &nUp);
    CXDMediaSizeFeature().WritePrintTicket(ticket, &mediaSize);
}

void WriteCapabilities(IXMLDOMDocument2* dom)
{
    CXDOrientationFeature orientation;
    FillOrientation(orientation);
    CXDResolutionFeature resolution;
    FillResolution(resolution);
    CXDRollCutFeature rollCut;
    FillRollCut(rollCut);
    CXDPageScalingFeature scaling;
    FillPageScaling(scaling);
    CXDPosterFeature poster;
    FillPoster(poster);
    CXDBindingFeature binding;
    FillBinding(binding);
    CXDNUpFeature nUp;
    FillNUp(nUp);
    CXDFeature* descriptions[] = {&orientation, &resolution, &rollCut, &scaling, &poster, &binding, &nUp};
    for (CXDFeature* description : descriptions) {
        CXDPrintCapabilities capabilities(dom, description);
        if (description == &orientation) {
            orientation.WritePrintCapabilities(capabilities);
        } else if (description == &resolution) {
            resolution.WritePrintCapabilities(capabilities);
        } else if (description == &rollCut) {
            rollCut.WritePrintCapabilities(capabilities);
        } else if (description == &scaling) {
            scaling.WritePrintCapabilities(capabilities);
        } else if (description == &poster) {
            poster.WritePrintCapabilities(capabilities);
        } else if (description == &binding) {
            binding.WritePrintCapabilities(capabilities);
        } else {
            nUp.WritePrintCapabilities(capabilities);
        }
    }
}

bool Load(IXMLDOMDocument2* dom, const uint8_t* data, size_t size)
{
    std::u16string text;
    int length = MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(data), static_cast<int>(size),
                                     nullptr, 0);
    if (length <= 0) {
        return false;
    }
    text.resize(static_cast<size_t>(length));
    MultiByteToWideChar(CP_UTF8, 0, reinterpret_cast<const char*>(data), static_cast<int>(size), &text[0],
                        length);
    BSTR xml = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    HRESULT hr = dom->loadXML(xml, &loaded);
    SysFreeString(xml);
    return hr == S_OK && loaded == VARIANT_TRUE;
}

}  // namespace

// The sanitizer runtime is a shared library here (the driver's DLLs share it); libFuzzer's own
// C++ runtime is loaded before it, which is harmless.
extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const HRESULT initialized = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    (void)initialized;
    CXDComPtr<IXMLDOMDocument2> dom;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                reinterpret_cast<void**>(&dom))) ||
        !Load(dom.Get(), data, size)) {
        return 0;
    }
    try {
        CXDPrintTicket ticket(dom.Get());
        ReadAndWriteTicket(ticket);
        ReadAndWriteTicket(ticket);  // a second pass reads what the first one wrote
        return 0;
    } catch (const CXDException&) {
        // not a PrintTicket: perhaps a PrintCapabilities
    }
    try {
        WriteCapabilities(dom.Get());
    } catch (const CXDException&) {
        // neither: the library refuses it, as it should
    }
    return 0;
}
