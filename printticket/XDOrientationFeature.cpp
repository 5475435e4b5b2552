// The page-orientation converter.
#include "printticket/XDOrientationFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kFeatureName = TEXT("PageOrientation");
constexpr LPCWSTR kDisplayName = TEXT("Orientation");
constexpr LPCWSTR kOptions[CXDOrientationFeature::kOptionCount] = {
    TEXT("Portrait"),         TEXT("Landscape"),          TEXT("ReversePortrait"),
    TEXT("ReverseLandscape"), TEXT("ZQRotatePortrait90"), TEXT("ZQRotateLandscape90"),
};

bool IsValidIndex(int index)
{
    return index >= 0 && index < CXDOrientationFeature::kOptionCount;
}

}  // namespace

LPCWSTR CXDOrientationFeature::OptionName(int index)
{
    return IsValidIndex(index) ? kOptions[index] : nullptr;
}

HRESULT CXDOrientationFeature::ReadPrintTicket(CXDPrintTicket& ticket, int* index)
{
    if (!index) {
        return E_POINTER;
    }
    CXDBstr option;
    HRESULT result = XDReadFeatureOption(ticket, kFeatureName, option);
    if (FAILED(result)) {
        return result;
    }
    int found = XDFindName(option.Get(), kOptions, kOptionCount);
    if (found >= 0) {
        *index = found;
    }
    return IsValidIndex(*index) ? result : E_FAIL;
}

HRESULT CXDOrientationFeature::WritePrintTicket(CXDPrintTicket& ticket, const int* index)
{
    if (!index) {
        return E_POINTER;
    }
    if (!IsValidIndex(*index)) {
        return E_INVALIDARG;
    }
    try {
        CXDComPtr<IXMLDOMElement> featureElement;
        CXDComPtr<IXMLDOMElement> option;
        HRESULT result =
            XDReplaceFeatureOption(ticket, kFeatureName, kOptions[*index], featureElement, option);
        if (FAILED(result)) {
            return result;
        }
        return XDAppendFeatureToRoot(ticket, featureElement.Get(), nullptr, 0);
    } catch (const CXDException&) {
        return E_FAIL;
    }
}

HRESULT CXDOrientationFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        HRESULT result = XDSelectRoot(capabilities, root);
        if (FAILED(result)) {
            return result;
        }
        if (!feature.name.IsEmpty()) {
            result = capabilities.RemoveFeature(feature.name.GetBuffer());
        }
        CXDComPtr<IXMLDOMElement> featureElement;
        if (SUCCEEDED(result)) {
            result = capabilities.AddFeature(feature.name.GetBuffer(), kDisplayName, &featureElement);
        }
        // Each listed option is published with its own name as display name.
        for (int i = 0; i < kOptionCount && SUCCEEDED(result); ++i) {
            if (options[i].listed != 1) {
                continue;
            }
            CXDComPtr<IXMLDOMElement> option;
            result = capabilities.AddOption(options[i].name.GetBuffer(), options[i].name.GetBuffer(),
                                            options[i].flag, &option);
            if (SUCCEEDED(result)) {
                result = XDAppendChild(featureElement.Get(), option.Get());
            }
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(root.Get(), featureElement.Get());
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
