// The page-resolution converter.
#include "printticket/XDResolutionFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kFeatureName = TEXT("PageResolution");
constexpr LPCWSTR kResolutionX = TEXT("ResolutionX");
constexpr LPCWSTR kResolutionY = TEXT("ResolutionY");
constexpr LPCWSTR kOptions[CXDResolutionFeature::kOptionCount] = {
    TEXT("ZQ_300dpi"),
    TEXT("ZQ_600dpi"),
    TEXT("ZQ_1200dpi"),
};
constexpr int kResolutions[CXDResolutionFeature::kOptionCount] = {300, 600, 1200};

bool IsValidIndex(int index)
{
    return index >= 0 && index < CXDResolutionFeature::kOptionCount;
}

// Appends ResolutionX and ResolutionY, both with the value, to the option; the first property
// that cannot be made ends it with its failure (an option without ResolutionX is no resolution).
HRESULT AppendResolutionProperties(CXDPrintSchemaDocument& document, IXMLDOMNode* option, int value)
{
    static constexpr LPCWSTR kNames[] = {kResolutionX, kResolutionY};
    HRESULT result = S_OK;
    for (LPCWSTR name : kNames) {
        if (FAILED(result)) {
            break;
        }
        CXDComPtr<IXMLDOMElement> property;
        result = document.SetScoredPropertyInteger(name, value, &property);
        if (SUCCEEDED(result)) {
            result = XDAppendChild(option, property.Get());
        }
    }
    return result;
}

}  // namespace

LPCWSTR CXDResolutionFeature::OptionName(int index)
{
    return IsValidIndex(index) ? kOptions[index] : nullptr;
}

int CXDResolutionFeature::OptionResolution(int index)
{
    return IsValidIndex(index) ? kResolutions[index] : 0;
}

HRESULT CXDResolutionFeature::ReadPrintTicket(CXDPrintTicket& ticket, CXDResolutionValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    CXDBstr option;
    HRESULT result = XDReadFeatureOption(ticket, kFeatureName, option);
    if (FAILED(result)) {
        return result;
    }
    int found = XDFindName(option.Get(), kOptions, kOptionCount);
    if (found >= 0) {
        result = XDReadPositiveInteger(ticket, kFeatureName, kResolutionX, values->resolutionX);
        if (SUCCEEDED(result)) {
            values->resolutionY = values->resolutionX;
        }
        values->index = found;
    }
    if (SUCCEEDED(result) && !IsValidIndex(values->index)) {
        return E_FAIL;
    }
    return result;
}

HRESULT CXDResolutionFeature::WritePrintTicket(CXDPrintTicket& ticket, const CXDResolutionValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    if (!IsValidIndex(values->index)) {
        return E_INVALIDARG;
    }
    try {
        CXDComPtr<IXMLDOMElement> featureElement;
        CXDComPtr<IXMLDOMElement> option;
        HRESULT result =
            XDReplaceFeatureOption(ticket, kFeatureName, kOptions[values->index], featureElement, option);
        if (FAILED(result)) {
            return result;
        }
        result = AppendResolutionProperties(ticket, option.Get(), values->resolutionX);
        if (FAILED(result)) {
            return result;
        }
        return XDAppendFeatureToRoot(ticket, featureElement.Get(), nullptr, 0);
    } catch (const CXDException&) {
        return E_FAIL;
    }
}

HRESULT CXDResolutionFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        CXDComPtr<IXMLDOMElement> featureElement;
        HRESULT result = XDPrepareCapabilityFeature(capabilities, feature, root, featureElement);
        for (int i = 0; i < kOptionCount && SUCCEEDED(result); ++i) {
            if (options[i].listed != 1) {
                continue;
            }
            CXDComPtr<IXMLDOMElement> option;
            result = XDAddCapabilityOption(capabilities, options[i], true, option);
            if (SUCCEEDED(result)) {
                result = AppendResolutionProperties(capabilities, option.Get(), kResolutions[i]);
            }
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
