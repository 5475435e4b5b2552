// The shared steps of the feature converters.
#include "printticket/XDConverterSteps.h"

#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintSchemaDocument.h"
#include "printticket/XDString.h"

// The steps answer HRESULTs to converters that need not catch: a query text that cannot be built
// comes back as its failure.
HRESULT XDSelectRoot(CXDPrintSchemaDocument& document, CXDComPtr<IXMLDOMNode>& root)
{
    return document.SelectRoot(&root);
}

HRESULT XDAppendChild(IXMLDOMNode* parent, IXMLDOMNode* child)
{
    if (!parent || !child) {
        return E_POINTER;
    }
    CXDComPtr<IXMLDOMNode> appended;
    return parent->appendChild(child, &appended);
}

static LPCWSTR BareName(LPCWSTR name)
{
    LPCWSTR colon = wcschr(name, TEXT(':'));
    return colon ? colon + 1 : name;
}

bool XDNameEquals(LPCWSTR optionName, LPCWSTR text)
{
    return optionName && text && wcscmp(BareName(optionName), text) == 0;
}

bool XDNameContains(LPCWSTR optionName, LPCWSTR text)
{
    return optionName && text && wcsstr(optionName, text) != nullptr;
}

int XDFindName(LPCWSTR optionName, const LPCWSTR* table, int count)
{
    for (int i = 0; i < count; ++i) {
        if (XDNameEquals(optionName, table[i])) {
            return i;
        }
    }
    return -1;
}

int XDFindContainedName(LPCWSTR optionName, const LPCWSTR* table, int count)
{
    for (int i = 0; i < count; ++i) {
        if (XDNameContains(optionName, table[i])) {
            return i;
        }
    }
    return -1;
}

HRESULT XDReadPositiveInteger(CXDPrintSchemaDocument& ticket, LPCWSTR featureName, LPCWSTR propertyName,
                              int& value)
{
    int read = 0;
    HRESULT result = ticket.GetScoredPropertyInteger(featureName, propertyName, &read);
    if (result != S_OK) {
        return result;
    }
    if (read <= 0) {
        return kXDNotFound;
    }
    value = read;
    return S_OK;
}

HRESULT XDReadFeatureOption(CXDPrintSchemaDocument& ticket, LPCWSTR featureName, CXDBstr& option)
{
    HRESULT result = ticket.GetFeatureElement(featureName, nullptr);
    if (FAILED(result)) {
        return result;
    }
    return ticket.GetFeatureOption(featureName, &option);
}

HRESULT XDReplaceFeatureOption(CXDPrintSchemaDocument& ticket, LPCWSTR featureName, LPCWSTR optionName,
                               CXDComPtr<IXMLDOMElement>& feature, CXDComPtr<IXMLDOMElement>& option)
{
    HRESULT result = ticket.RemoveFeature(featureName);
    if (FAILED(result)) {
        return result;
    }
    return ticket.SetFeatureOption(featureName, optionName, &feature, &option);
}

HRESULT XDAppendSubFeatureOption(CXDPrintSchemaDocument& ticket, IXMLDOMNode* feature, LPCWSTR subFeatureName,
                                 LPCWSTR optionName)
{
    CXDComPtr<IXMLDOMElement> subFeature;
    CXDComPtr<IXMLDOMElement> subOption;
    HRESULT result = ticket.SetFeatureOption(subFeatureName, optionName, &subFeature, &subOption);
    if (SUCCEEDED(result)) {
        result = XDAppendChild(feature, subFeature.Get());
    }
    return result;
}

HRESULT XDPrepareCapabilityFeature(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry,
                                   CXDComPtr<IXMLDOMNode>& root, CXDComPtr<IXMLDOMElement>& feature)
{
    HRESULT result = XDSelectRoot(capabilities, root);
    if (FAILED(result)) {
        return result;
    }
    return XDAddCapabilityFeature(capabilities, entry, feature);
}

HRESULT XDAddCapabilitySubFeature(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry,
                                  CXDComPtr<IXMLDOMElement>& feature)
{
    // A display name that cannot be made would publish the feature without one.
    CXDBstr displayName;
    HRESULT result = capabilities.FormatInteger(entry.displayId, &displayName);
    if (FAILED(result)) {
        return result;
    }
    return capabilities.AddFeature(entry.name.GetBuffer(), displayName.Get(), &feature);
}

HRESULT XDAddCapabilityFeature(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry,
                               CXDComPtr<IXMLDOMElement>& feature)
{
    // A document may already publish the feature (the core driver's, or an earlier pass): it is
    // replaced, so the document never holds two features of one name.
    if (!entry.name.IsEmpty()) {
        HRESULT result = capabilities.RemoveFeature(entry.name.GetBuffer());
        if (FAILED(result)) {
            return result;
        }
    }
    return XDAddCapabilitySubFeature(capabilities, entry, feature);
}

HRESULT XDAddCapabilityOption(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry, bool named,
                              CXDComPtr<IXMLDOMElement>& option)
{
    CXDBstr displayName;
    HRESULT result = capabilities.FormatInteger(entry.displayId, &displayName);
    if (FAILED(result)) {
        return result;
    }
    return capabilities.AddOption(named ? entry.name.GetBuffer() : nullptr, displayName.Get(), entry.flag,
                                  &option);
}

HRESULT XDAppendListedOptions(CXDPrintCapabilities& capabilities, IXMLDOMNode* parent,
                              const CXDOptionEntry* entries, int count)
{
    HRESULT result = S_OK;
    for (int i = 0; i < count && SUCCEEDED(result); ++i) {
        if (entries[i].listed != 1) {
            continue;
        }
        CXDComPtr<IXMLDOMElement> option;
        result = XDAddCapabilityOption(capabilities, entries[i], true, option);
        if (SUCCEEDED(result)) {
            result = XDAppendChild(parent, option.Get());
        }
    }
    return result;
}

HRESULT XDAppendValueOptions(CXDPrintCapabilities& capabilities, IXMLDOMNode* parent,
                             const CXDOptionEntry* entries, const int* values, int count)
{
    HRESULT result = S_OK;
    for (int i = 0; i < count && SUCCEEDED(result); ++i) {
        if (entries[i].listed != 1) {
            continue;
        }
        CXDComPtr<IXMLDOMElement> option;
        result = XDAddCapabilityOption(capabilities, entries[i], false, option);
        CXDComPtr<IXMLDOMElement> property;
        if (SUCCEEDED(result)) {
            result = capabilities.SetScoredPropertyInteger(entries[i].name.GetBuffer(), values[i], &property);
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(option.Get(), property.Get());
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(parent, option.Get());
        }
    }
    return result;
}

HRESULT XDAppendCapabilitySubFeature(CXDPrintCapabilities& capabilities, IXMLDOMNode* parent,
                                     const CXDOptionEntry& entry, const CXDOptionEntry* options, int count)
{
    CXDComPtr<IXMLDOMElement> subFeature;
    HRESULT result = XDAddCapabilitySubFeature(capabilities, entry, subFeature);
    if (SUCCEEDED(result)) {
        result = XDAppendListedOptions(capabilities, subFeature.Get(), options, count);
    }
    if (SUCCEEDED(result)) {
        result = XDAppendChild(parent, subFeature.Get());
    }
    return result;
}

HRESULT XDAppendParameterRefProperty(CXDPrintCapabilities& capabilities, IXMLDOMNode* option,
                                     LPCWSTR propertyName, LPCWSTR parameterName)
{
    CXDComPtr<IXMLDOMElement> scoredProperty;
    HRESULT result = capabilities.CreateScoredPropertyElement(propertyName, &scoredProperty);
    CXDComPtr<IXMLDOMElement> reference;
    if (SUCCEEDED(result)) {
        result = capabilities.CreateParameterRef(parameterName, &reference);
    }
    if (SUCCEEDED(result)) {
        result = XDAppendChild(scoredProperty.Get(), reference.Get());
    }
    if (SUCCEEDED(result)) {
        result = XDAppendChild(option, scoredProperty.Get());
    }
    return result;
}

HRESULT XDAppendParameterDef(CXDPrintCapabilities& capabilities, IXMLDOMNode* root,
                             const CXDParameterEntry& entry)
{
    HRESULT result = S_OK;
    if (!entry.name.IsEmpty()) {
        result = capabilities.RemoveParameterDef(entry.name.GetBuffer());
    }
    CXDComPtr<IXMLDOMElement> parameterDef;
    if (SUCCEEDED(result)) {
        result = capabilities.AddParameterDefEntry(entry, &parameterDef);
    }
    if (SUCCEEDED(result)) {
        result = XDAppendChild(root, parameterDef.Get());
    }
    return result;
}

HRESULT XDCreateParameterInitProperty(CXDPrintSchemaDocument& ticket, LPCWSTR propertyName,
                                      LPCWSTR parameterName, LPCWSTR type, LPCWSTR text,
                                      CXDComPtr<IXMLDOMElement>& scoredProperty,
                                      CXDComPtr<IXMLDOMElement>& parameterInit)
{
    HRESULT result = ticket.CreateScoredPropertyElement(propertyName, &scoredProperty);
    if (SUCCEEDED(result)) {
        result = ticket.RemoveParameterInit(parameterName);
    }
    CXDComPtr<IXMLDOMElement> reference;
    if (SUCCEEDED(result)) {
        result = ticket.CreateParameterInit(parameterName, type, text, &reference, &parameterInit);
    }
    if (SUCCEEDED(result)) {
        result = XDAppendChild(scoredProperty.Get(), reference.Get());
    }
    return result;
}

HRESULT XDAppendIntegerParameterProperties(CXDPrintSchemaDocument& ticket, IXMLDOMNode* option,
                                           const LPCWSTR* properties, const LPCWSTR* parameters,
                                           const int* numbers, int count,
                                           CXDComPtr<IXMLDOMElement>* parameterInits)
{
    HRESULT result = S_OK;
    for (int i = 0; i < count && SUCCEEDED(result); ++i) {
        CXDString text;
        result = XDGuarded([&] {
            text.Format(TEXT("%i"), numbers[i]);
            return S_OK;
        });
        if (FAILED(result)) {
            break;
        }
        CXDComPtr<IXMLDOMElement> property;
        result = XDCreateParameterInitProperty(ticket, properties[i], parameters[i], TEXT("integer"),
                                               text.GetBuffer(), property, parameterInits[i]);
        if (SUCCEEDED(result)) {
            result = XDAppendChild(option, property.Get());
        }
    }
    return result;
}

HRESULT XDAppendFeatureToRoot(CXDPrintSchemaDocument& document, IXMLDOMNode* feature,
                              const CXDComPtr<IXMLDOMElement>* parameterInits, int count)
{
    CXDComPtr<IXMLDOMNode> root;
    HRESULT result = XDSelectRoot(document, root);
    if (SUCCEEDED(result)) {
        result = XDAppendChild(root.Get(), feature);
    }
    for (int i = 0; i < count && SUCCEEDED(result); ++i) {
        if (parameterInits[i]) {
            result = XDAppendChild(root.Get(), parameterInits[i].Get());
        }
    }
    return result;
}
