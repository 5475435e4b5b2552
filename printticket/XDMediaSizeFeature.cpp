// The media-size converter.
#include "printticket/XDMediaSizeFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kMediaSize = TEXT("PageMediaSize");
// Width, then height: the scored properties and the parameters of a custom size.
constexpr LPCWSTR kDimensions[] = {TEXT("MediaSizeWidth"), TEXT("MediaSizeHeight")};
constexpr LPCWSTR kCustomMediaSize = TEXT("CustomMediaSize");
constexpr LPCWSTR kCustomParameters[] = {TEXT("PageMediaSizeMediaSizeWidth"),
                                         TEXT("PageMediaSizeMediaSizeHeight")};
constexpr int kDimensionCount = XDCountOf(kDimensions);

// The option named name with plain width and height values.
HRESULT BuildStandardSize(CXDPrintTicket& ticket, LPCWSTR name, const int* dimensions,
                          CXDComPtr<IXMLDOMElement>& feature)
{
    CXDComPtr<IXMLDOMElement> option;
    HRESULT result = ticket.SetFeatureOption(kMediaSize, name, &feature, &option);
    for (int i = 0; i < kDimensionCount && SUCCEEDED(result); ++i) {
        CXDComPtr<IXMLDOMElement> property;
        result = ticket.SetScoredPropertyInteger(kDimensions[i], dimensions[i], &property);
        if (SUCCEEDED(result)) {
            result = XDAppendChild(option.Get(), property.Get());
        }
    }
    return result;
}

// CustomMediaSize with width and height in ParameterInit elements, handed back for the root.
HRESULT BuildCustomSize(CXDPrintTicket& ticket, const int* dimensions, CXDComPtr<IXMLDOMElement>& feature,
                        CXDComPtr<IXMLDOMElement>* parameterInits)
{
    try {
        CXDComPtr<IXMLDOMElement> option;
        HRESULT result = ticket.SetFeatureOption(kMediaSize, kCustomMediaSize, &feature, &option);
        if (SUCCEEDED(result)) {
            result = XDAppendIntegerParameterProperties(ticket, option.Get(), kDimensions, kCustomParameters,
                                                        dimensions, kDimensionCount, parameterInits);
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}

}  // namespace

HRESULT CXDMediaSizeFeature::ReadPrintTicket(CXDPrintTicket& ticket, MediaSizeValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    CXDBstr option;
    HRESULT result = ticket.GetFeatureOption(kMediaSize, &option);
    if (FAILED(result)) {
        return result;
    }
    result = XDReadPositiveInteger(ticket, kMediaSize, kDimensions[0], values->width);
    if (FAILED(result)) {
        return result;
    }
    result = XDReadPositiveInteger(ticket, kMediaSize, kDimensions[1], values->height);
    values->optionName = option.Get() ? option.Get() : TEXT("");
    return result;
}

HRESULT CXDMediaSizeFeature::WritePrintTicket(CXDPrintTicket& ticket, const MediaSizeValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    LPCWSTR name = values->optionName.GetBuffer();
    HRESULT result = ticket.RemoveFeature(kMediaSize);
    if (FAILED(result)) {
        return result;
    }
    const int dimensions[kDimensionCount] = {values->width, values->height};
    CXDComPtr<IXMLDOMElement> feature;
    CXDComPtr<IXMLDOMElement> parameterInits[kDimensionCount];
    if (wcscmp(name, kCustomMediaSize) == 0) {
        result = BuildCustomSize(ticket, dimensions, feature, parameterInits);
    } else {
        result = BuildStandardSize(ticket, name, dimensions, feature);
    }
    if (FAILED(result)) {
        return result;
    }
    return XDAppendFeatureToRoot(ticket, feature.Get(), parameterInits, kDimensionCount);
}
