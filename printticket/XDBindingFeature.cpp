// The binding converter.
#include "printticket/XDBindingFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kBinding = TEXT("DocumentBinding");
constexpr LPCWSTR kBindings[] = {TEXT("None"), TEXT("Booklet")};
constexpr LPCWSTR kLayout = TEXT("ZQBookletLayout");
constexpr LPCWSTR kLayouts[] = {TEXT("ZQLeftEdgeBindingLayout"), TEXT("ZQRightEdgeBindingLayout")};

enum Binding { kNone = 0, kBooklet = 1 };

bool IsLayout(int layout)
{
    return layout >= 0 && layout < XDCountOf(kLayouts);
}

}  // namespace

HRESULT CXDBindingFeature::ReadPrintTicket(CXDPrintTicket& ticket, BindingValues* values)
{
    if (!values)
        return E_POINTER;
    HRESULT result = ticket.GetFeatureElement(kBinding, nullptr);
    if (FAILED(result))
        return result;
    CXDBstr option;
    result = ticket.GetFeatureOption(kBinding, &option);
    if (FAILED(result))
        return result;
    int found = XDFindContainedName(option.Get(), kBindings, XDCountOf(kBindings));
    if (found >= 0)
        values->binding = found;
    if (values->binding == kBooklet) {
        CXDBstr layoutOption;
        result = ticket.GetSubFeatureOption(kBinding, kLayout, &layoutOption);
        if (SUCCEEDED(result)) {
            found = XDFindContainedName(layoutOption.Get(), kLayouts, XDCountOf(kLayouts));
            if (found >= 0)
                values->layout = found;
        }
    }
    return result;
}

HRESULT CXDBindingFeature::WritePrintTicket(CXDPrintTicket& ticket, const BindingValues* values)
{
    if (!values)
        return E_POINTER;
    if (values->binding != kNone && values->binding != kBooklet)
        return E_INVALIDARG;
    HRESULT result = ticket.RemoveFeature(kBinding);
    if (FAILED(result))
        return result;
    CXDComPtr<IXMLDOMElement> feature;
    CXDComPtr<IXMLDOMElement> option;
    result = ticket.SetFeatureOption(kBinding, kBindings[values->binding], &feature, &option);
    if (SUCCEEDED(result) && values->binding == kBooklet) {
        if (!IsLayout(values->layout))
            return E_FAIL;
        CXDComPtr<IXMLDOMElement> layoutFeature;
        CXDComPtr<IXMLDOMElement> layoutOption;
        result = ticket.SetFeatureOption(kLayout, kLayouts[values->layout], &layoutFeature, &layoutOption);
        if (SUCCEEDED(result))
            result = XDAppendChild(feature.Get(), layoutFeature.Get());
    }
    if (FAILED(result))
        return result;
    return XDAppendFeatureToRoot(ticket, feature.Get(), nullptr, 0);
}

HRESULT CXDBindingFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        HRESULT result = XDSelectRoot(capabilities, root);
        if (FAILED(result))
            return result;
        CXDComPtr<IXMLDOMElement> feature;
        result = XDAddCapabilityFeature(capabilities, binding, feature);
        if (SUCCEEDED(result))
            result = XDAppendListedOptions(capabilities, feature.Get(), bindingOptions, XDCountOf(bindingOptions));
        if (SUCCEEDED(result) && layout.listed == 1) {
            CXDComPtr<IXMLDOMElement> layoutFeature;
            result = XDAddCapabilitySubFeature(capabilities, layout, layoutFeature);
            if (SUCCEEDED(result))
                result = XDAppendListedOptions(capabilities, layoutFeature.Get(), layoutOptions,
                                               XDCountOf(layoutOptions));
            if (SUCCEEDED(result))
                result = XDAppendChild(feature.Get(), layoutFeature.Get());
        }
        if (SUCCEEDED(result))
            result = XDAppendChild(root.Get(), feature.Get());
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
