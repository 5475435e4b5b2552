// The PrintTicket reads and writes of the document helper: selected options, scored properties,
// parameters, new features, and removal of parameters.
#include "printticket/XDPrintSchemaDocument.h"

#include "printticket/XDGuard.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"
#include "printticket/XDNumber.h"

namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

HRESULT NotFoundIfFalse(HRESULT hr)
{
    return hr == S_FALSE ? kNotFound : hr;
}

}  // namespace

HRESULT CXDPrintSchemaDocument::GetFeatureElement(LPCWSTR name, IXMLDOMNode** node)
{
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        NamedStep step{XDVocabulary::kFeature, LookupName(name)};
        NodeVector found;
        SelectNamedPath(&step, 1, true, found);
        if (found.empty()) {
            return kNotFound;
        }
        if (node) {
            *node = found.front().Detach();
        }
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::GetFeatureOption(LPCWSTR featureName, BSTR* option)
{
    if (!option) {
        return E_POINTER;
    }
    *option = nullptr;
    if (XDIsEmpty(featureName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        NamedStep step{XDVocabulary::kFeature, LookupName(featureName)};
        NodeVector features;
        SelectNamedPath(&step, 1, false, features);
        CXDComPtr<IXMLDOMNode> selected;
        for (size_t i = 0; i < features.size() && !selected; ++i) {
            SelectedOptionNode(features[i].Get(), selected);
        }
        if (!selected) {
            return kNotFound;
        }
        return OptionNameOf(selected.Get(), true, option);
    });
}

HRESULT CXDPrintSchemaDocument::GetElementOption(IXMLDOMNode* feature, BSTR* option)
{
    if (!feature || !option) {
        return E_POINTER;
    }
    *option = nullptr;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNode> selected;
        SelectedOptionNode(feature, selected);
        if (!selected) {
            return kNotFound;
        }
        return OptionNameOf(selected.Get(), true, option);
    });
}

void CXDPrintSchemaDocument::SelectedOptionNode(IXMLDOMNode* feature, CXDComPtr<IXMLDOMNode>& selected)
{
    // The feature's first Option child, or the Value of an OptionName scored property of it,
    // whichever comes first.
    selected.Reset();
    const XDQName optionName =
        XDQName::InNamespace(XDVocabulary::kKeywordsNamespace, XDVocabulary::kOptionName);
    CXDComPtr<IXMLDOMNode> child;
    feature->get_firstChild(&child);
    while (child) {
        if (IsFrameworkElement(child.Get(), XDVocabulary::kOption)) {
            selected = std::move(child);
            return;
        }
        if (IsFrameworkElement(child.Get(), XDVocabulary::kScoredProperty) &&
            HasName(child.Get(), optionName)) {
            SelectChild(child.Get(), XDVocabulary::kValue, selected);
            if (selected) {
                return;
            }
        }
        CXDComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        child = std::move(next);
    }
}

HRESULT CXDPrintSchemaDocument::OptionNameOf(IXMLDOMNode* selected, bool textWhenUnnamed, BSTR* option)
{
    CXDBstr text;
    HRESULT hr = GetAttributeText(selected, XDVocabulary::kName, &text);
    if (FAILED(hr)) {
        return hr;
    }
    if (hr == S_FALSE) {
        if (!textWhenUnnamed) {
            return kNotFound;
        }
        // An Option without a name: its text is the text of its OptionName value.
        CXDString typed = TypedText(selected);
        if (!typed.IsEmpty()) {
            text.Reset(AllocBstrOrThrow(typed.GetBuffer()));
        }
        hr = S_OK;
    }
    if (!text.IsEmpty()) {
        hr = StripNamePrefix(text.InOut());
    }
    *option = text.Detach();
    return hr;
}

HRESULT CXDPrintSchemaDocument::GetSubFeatureOption(LPCWSTR featureName, LPCWSTR subFeatureName, BSTR* option)
{
    if (!featureName || !subFeatureName || !option) {
        return E_POINTER;
    }
    *option = nullptr;
    if (XDIsEmpty(featureName) || XDIsEmpty(subFeatureName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        const NamedStep steps[] = {{XDVocabulary::kFeature, LookupName(featureName)},
                                   {XDVocabulary::kFeature, LookupName(subFeatureName)}};
        NodeVector features;
        SelectNamedPath(steps, 2, false, features);
        CXDComPtr<IXMLDOMNode> selected;
        for (size_t i = 0; i < features.size() && !selected; ++i) {
            SelectedOptionNode(features[i].Get(), selected);
        }
        if (!selected) {
            return kNotFound;
        }
        return OptionNameOf(selected.Get(), false, option);
    });
}

HRESULT CXDPrintSchemaDocument::GetScoredPropertyValue(LPCWSTR featureName, LPCWSTR propertyName, BSTR* text)
{
    if (!featureName || !propertyName || !text) {
        return E_POINTER;
    }
    *text = nullptr;
    if (XDIsEmpty(featureName) || XDIsEmpty(propertyName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        const NamedStep steps[] = {{XDVocabulary::kFeature, LookupName(featureName)},
                                   {XDVocabulary::kScoredProperty, LookupName(propertyName)}};
        NodeVector properties;
        SelectNamedPath(steps, 2, true, properties);
        if (properties.empty()) {
            return kNotFound;
        }
        return NotFoundIfFalse(GetElementValueText(properties.front().Get(), text));
    });
}

HRESULT CXDPrintSchemaDocument::GetScoredPropertyInteger(LPCWSTR featureName, LPCWSTR propertyName,
                                                         int* value)
{
    if (!value) {
        return E_POINTER;
    }
    if (XDIsEmpty(featureName) || XDIsEmpty(propertyName)) {
        return E_INVALIDARG;
    }
    CXDBstr text;
    HRESULT hr = GetScoredPropertyValue(featureName, propertyName, &text);
    if (hr != S_OK) {
        return hr;
    }
    // An empty value, or one that is no integer, is no value: the caller keeps its own.
    return XDParseInteger(text.Get(), *value) ? S_OK : kNotFound;
}

HRESULT CXDPrintSchemaDocument::GetParameterInitValue(LPCWSTR name, BSTR* text)
{
    if (!name || !text) {
        return E_POINTER;
    }
    if (!name[0]) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        NamedStep step{XDVocabulary::kParameterInit, LookupName(name)};
        NodeVector inits;
        SelectNamedPath(&step, 1, true, inits);
        if (inits.empty()) {
            return S_FALSE;
        }
        CXDBstr found;
        HRESULT hr = GetElementValueText(inits.front().Get(), &found);
        if (hr == S_OK) {
            *text = found.Detach();
        }
        return hr;
    });
}

HRESULT CXDPrintSchemaDocument::CreateParameterInit(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                    IXMLDOMElement** parameterRef,
                                                    IXMLDOMElement** parameterInit)
{
    if (!parameterRef || !parameterInit) {
        return E_POINTER;
    }
    *parameterRef = nullptr;
    *parameterInit = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDString qualified = QualifiedName(name);
        CXDComPtr<IXMLDOMElement> reference;
        HRESULT hr = MakeNamedElement(XDVocabulary::kParameterRef, qualified.GetBuffer(), &reference);
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMElement> init;
        hr = MakeNamedElement(XDVocabulary::kParameterInit, qualified.GetBuffer(), &init);
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMElement> valueElement;
        hr = MakeValueElement(type, value, &valueElement);
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMNode> appended;
        hr = init->appendChild(valueElement.Get(), &appended);
        if (FAILED(hr)) {
            return hr;
        }
        *parameterRef = reference.Detach();
        *parameterInit = init.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::CreateFeatureOption(LPCWSTR featureName, IXMLDOMElement** feature,
                                                    IXMLDOMElement** option)
{
    if (!feature || !option) {
        return E_POINTER;
    }
    *feature = nullptr;
    *option = nullptr;
    if (XDIsEmpty(featureName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> madeFeature;
        HRESULT hr =
            MakeNamedElement(XDVocabulary::kFeature, QualifiedName(featureName).GetBuffer(), &madeFeature);
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMElement> madeOption;
        hr = MakeElement(XDVocabulary::kOption, &madeOption);
        if (FAILED(hr)) {
            return hr;
        }
        if (!madeOption) {
            return E_FAIL;
        }
        CXDComPtr<IXMLDOMNode> appended;
        hr = madeFeature->appendChild(madeOption.Get(), &appended);
        if (FAILED(hr)) {
            return hr;
        }
        *feature = madeFeature.Detach();
        *option = madeOption.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::SetFeatureOption(LPCWSTR featureName, LPCWSTR optionName,
                                                 IXMLDOMElement** feature, IXMLDOMElement** option)
{
    if (!feature || !option) {
        return E_POINTER;
    }
    *feature = nullptr;
    *option = nullptr;
    if (XDIsEmpty(featureName) || XDIsEmpty(optionName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> madeFeature;
        CXDComPtr<IXMLDOMElement> madeOption;
        HRESULT hr = CreateFeatureOption(featureName, &madeFeature, &madeOption);
        if (FAILED(hr)) {
            return hr;
        }
        hr = SetAttribute(madeOption.Get(), XDVocabulary::kName, nullptr,
                          QualifiedName(optionName).GetBuffer());
        if (FAILED(hr)) {
            return hr;
        }
        *feature = madeFeature.Detach();
        *option = madeOption.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::AppendToRoot(LPCWSTR rootName, IXMLDOMNode* node)
{
    if (!node) {
        return E_POINTER;
    }
    if (XDIsEmpty(rootName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = SelectSingleNode(Prefixed(SelectionPrefix(), rootName).GetBuffer(), &root);
        if (hr != S_OK) {
            return hr;
        }
        CXDComPtr<IXMLDOMNode> appended;
        return root->appendChild(node, &appended);
    });
}

HRESULT CXDPrintSchemaDocument::RemoveParameterInit(LPCWSTR name)
{
    return RemoveParameter(name, XDVocabulary::kParameterInit);
}

HRESULT CXDPrintSchemaDocument::RemoveReferencedParameterInits(IXMLDOMNodeList* references)
{
    return RemoveReferencedParameters(references, XDVocabulary::kParameterInit);
}
