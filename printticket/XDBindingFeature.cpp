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
    if (!values) {
        return E_POINTER;
    }
    CXDBstr option;
    HRESULT result = XDReadFeatureOption(ticket, kBinding, option);
    if (FAILED(result)) {
        return result;
    }
    int found = XDFindContainedName(option.Get(), kBindings, XDCountOf(kBindings));
    if (found >= 0) {
        values->binding = found;
    }
    if (values->binding == kBooklet) {
        CXDBstr layoutOption;
        result = ticket.GetSubFeatureOption(kBinding, kLayout, &layoutOption);
        if (SUCCEEDED(result)) {
            found = XDFindContainedName(layoutOption.Get(), kLayouts, XDCountOf(kLayouts));
            if (found >= 0) {
                values->layout = found;
            }
        }
    }
    return result;
}

HRESULT CXDBindingFeature::WritePrintTicket(CXDPrintTicket& ticket, const BindingValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    if (values->binding != kNone && values->binding != kBooklet) {
        return E_INVALIDARG;
    }
    CXDComPtr<IXMLDOMElement> feature;
    CXDComPtr<IXMLDOMElement> option;
    HRESULT result = XDReplaceFeatureOption(ticket, kBinding, kBindings[values->binding], feature, option);
    if (SUCCEEDED(result) && values->binding == kBooklet) {
        if (!IsLayout(values->layout)) {
            return E_FAIL;
        }
        result = XDAppendSubFeatureOption(ticket, feature.Get(), kLayout, kLayouts[values->layout]);
    }
    if (FAILED(result)) {
        return result;
    }
    return XDAppendFeatureToRoot(ticket, feature.Get(), nullptr, 0);
}

HRESULT CXDBindingFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        CXDComPtr<IXMLDOMElement> feature;
        HRESULT result = XDPrepareCapabilityFeature(capabilities, binding, root, feature);
        if (SUCCEEDED(result)) {
            result =
                XDAppendListedOptions(capabilities, feature.Get(), bindingOptions, XDCountOf(bindingOptions));
        }
        if (SUCCEEDED(result) && layout.listed == 1) {
            result = XDAppendCapabilitySubFeature(capabilities, feature.Get(), layout, layoutOptions,
                                                  XDCountOf(layoutOptions));
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(root.Get(), feature.Get());
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
