// The PrintTicket reads and writes of the document helper: selected options, scored properties,
// parameters, new features, and removal of parameters.
#include "printticket/XDPrintSchemaDocument.h"

#include "printticket/XDGuard.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"
#include "printticket/XDXPathQuery.h"

namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

HRESULT NotFoundIfFalse(HRESULT hr)
{
    return hr == S_FALSE ? kNotFound : hr;
}

}  // namespace

HRESULT CXDPrintSchemaDocument::GetFeatureElement(LPCWSTR name, IXMLDOMNode** node)
{
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery query(GetPsfPrefix());
        XDThrowIfFailed(query.AddFeature(nullptr, QualifiedName(name).GetBuffer()));
        CXDComPtr<IXMLDOMNode> found;
        HRESULT hr = SelectSingleNode(query.GetText(), &found);
        if (hr == S_OK && node)
            *node = found.Detach();
        return NotFoundIfFalse(hr);
    });
}

HRESULT CXDPrintSchemaDocument::GetFeatureOption(LPCWSTR featureName, BSTR* option)
{
    if (!option)
        return E_POINTER;
    *option = nullptr;
    if (XDIsEmpty(featureName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery query(GetPsfPrefix());
        XDThrowIfFailed(query.AddFeature(nullptr, QualifiedName(featureName).GetBuffer()));
        XDThrowIfFailed(query.AddOptionValue(GetPskPrefix()));
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = SelectSingleNode(query.GetText(), &node);
        if (hr != S_OK)
            return NotFoundIfFalse(hr);
        CXDBstr text;
        hr = GetAttributeText(node.Get(), XDVocabulary::kName, &text);
        if (FAILED(hr))
            return hr;
        if (hr == S_FALSE) {
            // An Option without a name: its text is the text of its OptionName value.
            CNiraVariant value;
            hr = node->get_nodeTypedValue(&value);
            if (FAILED(hr))
                return hr;
            CXDBstr typed(value.DetachBstr());
            if (!typed.IsEmpty()) {
                text.Reset(SysAllocString(typed.Get()));
                if (!text.Get())
                    return E_OUTOFMEMORY;
            }
            hr = S_OK;
        }
        if (!text.IsEmpty())
            hr = StripNamePrefix(text.InOut());
        *option = text.Detach();
        return hr;
    });
}

HRESULT CXDPrintSchemaDocument::GetSubFeatureOption(LPCWSTR featureName, LPCWSTR subFeatureName, BSTR* option)
{
    if (!featureName || !subFeatureName || !option)
        return E_POINTER;
    *option = nullptr;
    if (XDIsEmpty(featureName) || XDIsEmpty(subFeatureName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery query(GetPsfPrefix());
        XDThrowIfFailed(query.AddFeature(nullptr, QualifiedName(featureName).GetBuffer()));
        XDThrowIfFailed(query.AddFeature(nullptr, QualifiedName(subFeatureName).GetBuffer()));
        XDThrowIfFailed(query.AddOptionValue(GetPskPrefix()));
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = SelectSingleNode(query.GetText(), &node);
        if (hr != S_OK)
            return NotFoundIfFalse(hr);
        CXDBstr text;
        hr = GetAttributeText(node.Get(), XDVocabulary::kName, &text);
        if (hr != S_OK)
            return NotFoundIfFalse(hr);
        if (!text.IsEmpty())
            hr = StripNamePrefix(text.InOut());
        *option = text.Detach();
        return hr;
    });
}

HRESULT CXDPrintSchemaDocument::GetScoredPropertyValue(LPCWSTR featureName, LPCWSTR propertyName, BSTR* text)
{
    if (!featureName || !propertyName || !text)
        return E_POINTER;
    *text = nullptr;
    if (XDIsEmpty(featureName) || XDIsEmpty(propertyName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery query(GetPsfPrefix());
        XDThrowIfFailed(query.AddFeature(nullptr, QualifiedName(featureName).GetBuffer()));
        XDThrowIfFailed(query.AddScoredProperty(nullptr, QualifiedName(propertyName).GetBuffer()));
        return NotFoundIfFalse(GetNodeValueText(query.GetText(), text));
    });
}

HRESULT CXDPrintSchemaDocument::GetScoredPropertyInteger(LPCWSTR featureName, LPCWSTR propertyName, int* value)
{
    if (!value)
        return E_POINTER;
    if (XDIsEmpty(featureName) || XDIsEmpty(propertyName))
        return E_INVALIDARG;
    CXDBstr text;
    HRESULT hr = GetScoredPropertyValue(featureName, propertyName, &text);
    if (hr != S_OK)
        return hr;
    *value = text.Get() ? _wtoi(text.Get()) : 0;
    return S_OK;
}

HRESULT CXDPrintSchemaDocument::GetParameterInitValue(LPCWSTR name, BSTR* text)
{
    if (!name || !text)
        return E_POINTER;
    if (!name[0])
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery query(GetPsfPrefix());
        XDThrowIfFailed(query.AddParameterInit(nullptr, QualifiedName(name).GetBuffer()));
        CXDBstr found;
        HRESULT hr = GetNodeValueText(query.GetText(), &found);
        if (hr == S_OK)
            *text = found.Detach();
        return hr;
    });
}

HRESULT CXDPrintSchemaDocument::CreateParameterInit(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                    IXMLDOMElement** parameterRef, IXMLDOMElement** parameterInit)
{
    if (!parameterRef || !parameterInit)
        return E_POINTER;
    *parameterRef = nullptr;
    *parameterInit = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDString qualified = QualifiedName(name);
        CXDComPtr<IXMLDOMElement> reference;
        HRESULT hr = MakeNamedElement(XDVocabulary::kParameterRef, qualified.GetBuffer(), &reference);
        if (FAILED(hr))
            return hr;
        CXDComPtr<IXMLDOMElement> init;
        hr = MakeNamedElement(XDVocabulary::kParameterInit, qualified.GetBuffer(), &init);
        if (FAILED(hr))
            return hr;
        CXDComPtr<IXMLDOMElement> valueElement;
        hr = MakeValueElement(type, value, &valueElement);
        if (FAILED(hr))
            return hr;
        CXDComPtr<IXMLDOMNode> appended;
        hr = init->appendChild(valueElement.Get(), &appended);
        if (FAILED(hr))
            return hr;
        *parameterRef = reference.Detach();
        *parameterInit = init.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::CreateFeatureOption(LPCWSTR featureName, IXMLDOMElement** feature,
                                                    IXMLDOMElement** option)
{
    if (!feature || !option)
        return E_POINTER;
    *feature = nullptr;
    *option = nullptr;
    if (XDIsEmpty(featureName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> madeFeature;
        HRESULT hr = MakeNamedElement(XDVocabulary::kFeature, QualifiedName(featureName).GetBuffer(), &madeFeature);
        if (FAILED(hr))
            return hr;
        CXDComPtr<IXMLDOMElement> madeOption;
        hr = MakeElement(XDVocabulary::kOption, &madeOption);
        if (FAILED(hr))
            return hr;
        if (!madeOption)
            return E_FAIL;
        CXDComPtr<IXMLDOMNode> appended;
        hr = madeFeature->appendChild(madeOption.Get(), &appended);
        if (FAILED(hr))
            return hr;
        *feature = madeFeature.Detach();
        *option = madeOption.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::SetFeatureOption(LPCWSTR featureName, LPCWSTR optionName, IXMLDOMElement** feature,
                                                 IXMLDOMElement** option)
{
    if (!feature || !option)
        return E_POINTER;
    *feature = nullptr;
    *option = nullptr;
    if (XDIsEmpty(featureName) || XDIsEmpty(optionName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> madeFeature;
        CXDComPtr<IXMLDOMElement> madeOption;
        HRESULT hr = CreateFeatureOption(featureName, &madeFeature, &madeOption);
        if (FAILED(hr))
            return hr;
        hr = SetAttribute(madeOption.Get(), XDVocabulary::kName, nullptr, QualifiedName(optionName).GetBuffer());
        if (FAILED(hr))
            return hr;
        *feature = madeFeature.Detach();
        *option = madeOption.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::AppendToRoot(LPCWSTR rootName, IXMLDOMNode* node)
{
    if (!node)
        return E_POINTER;
    if (XDIsEmpty(rootName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = SelectSingleNode(Prefixed(GetPsfPrefix(), rootName).GetBuffer(), &root);
        if (hr != S_OK)
            return hr;
        CXDComPtr<IXMLDOMNode> appended;
        return root->appendChild(node, &appended);
    });
}

HRESULT CXDPrintSchemaDocument::RemoveParameterInit(LPCWSTR name)
{
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery query(GetPsfPrefix());
        XDThrowIfFailed(query.AddParameterInit(nullptr, ParameterName(name).GetBuffer()));
        return RemoveAllSelected(query.GetText());
    });
}

HRESULT CXDPrintSchemaDocument::RemoveReferencedParameterInits(IXMLDOMNodeList* references)
{
    return RemoveEachReferenced(references, [this](LPCWSTR name) { return RemoveParameterInit(name); });
}
