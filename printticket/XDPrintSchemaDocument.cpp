#include "printticket/XDPrintSchemaDocument.h"

#include "printticket/XDGuard.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"
#include "printticket/XDXPathQuery.h"

namespace {

constexpr WCHAR kNamespaceAttributeStart[] = TEXT("xmlns:");
constexpr int kNamespaceAttributeStartLength = 6;
// The prefix the framework namespace is first bound to, to find the root before its own is known.
constexpr LPCWSTR kInitialSelectionPrefix = TEXT("psf");

HRESULT SetStringProperty(IXMLDOMDocument2* document, LPCWSTR name, LPCWSTR value)
{
    CXDBstr property(AllocBstrOrThrow(name));
    CNiraVariant text;
    text.SetBstr(AllocBstrOrThrow(value));
    return document->setProperty(property, text.Get());
}

// The text of a node's typed value (all values are text without a schema).
CXDString TypedValueText(IXMLDOMNode* node)
{
    CNiraVariant value;
    XDThrowIfFailed(node->get_nodeTypedValue(&value));
    if (value.Get().vt != VT_BSTR) {
        XDThrowIfFailed(VariantChangeType(value.InOut(), value.InOut(), 0, VT_BSTR));
    }
    // The variant frees its text also when the string cannot be made.
    return CXDString(value.Get().bstrVal);
}

}  // namespace

CXDPrintSchemaDocument::CXDPrintSchemaDocument(LPCWSTR rootName, IXMLDOMDocument2* document)
{
    if (document) {
        document->AddRef();
        *&m_document = document;
    }
    m_rootName.Reset(AllocBstrOrThrow(rootName ? rootName : TEXT("")));
    if (!m_document)
        throw CXDException(E_PENDING);
    XDThrowIfFailed(SetStringProperty(m_document.Get(), TEXT("SelectionLanguage"), TEXT("XPath")));
    BindSelectionPrefix(kInitialSelectionPrefix);

    const struct {
        LPCWSTR uri;
        BSTR* prefix;
    } namespaces[] = {{XDVocabulary::kFrameworkNamespace, &m_psfPrefix},
                      {XDVocabulary::kKeywordsNamespace, &m_pskPrefix},
                      {XDVocabulary::kSchemaInstanceNamespace, &m_xsiPrefix},
                      {XDVocabulary::kSchemaNamespace, &m_xsdPrefix}};
    for (const auto& entry : namespaces)
        XDThrowIfFailed(FindNamespacePrefix(entry.uri, entry.prefix));  // S_FALSE leaves it empty
    m_privatePrefix.Reset(AllocBstrOrThrow(XDVocabulary::kPrivatePrefix));

    // From here on every query uses the document's own framework prefix.
    CXDString bare(GetPsfPrefix());
    int colon = bare.Find(TEXT(":"), 0);
    if (colon < 0)
        throw CXDException(E_FAIL);
    bare.Delete(colon, 1);
    if (bare.IsEmpty())
        throw CXDException(E_FAIL);
    BindSelectionPrefix(bare.GetBuffer());
}

CXDPrintSchemaDocument::~CXDPrintSchemaDocument() = default;

void CXDPrintSchemaDocument::BindSelectionPrefix(LPCWSTR barePrefix)
{
    CXDString declaration;
    declaration.Format(TEXT("xmlns:%s='%s'"), barePrefix, XDVocabulary::kFrameworkNamespace);
    XDThrowIfFailed(SetStringProperty(m_document.Get(), TEXT("SelectionNamespaces"), declaration.GetBuffer()));
    m_selectionPrefix = barePrefix;
}

CXDString CXDPrintSchemaDocument::Prefixed(LPCWSTR prefix, LPCWSTR name) const
{
    CXDString text(prefix);
    text.Append(name);
    return text;
}

CXDString CXDPrintSchemaDocument::QualifiedName(LPCWSTR name)
{
    CXDBstr prefix;
    if (FAILED(GetNamePrefix(name, &prefix)))
        prefix.Reset(AllocBstrOrThrow(GetPskPrefix()));
    return Prefixed(prefix.Get(), name);
}

HRESULT CXDPrintSchemaDocument::SelectSingleNode(LPCWSTR query, IXMLDOMNode** node)
{
    if (!node)
        return E_POINTER;
    if (!m_document)
        return E_PENDING;
    *node = nullptr;
    if (XDIsEmpty(query))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDBstr text(AllocBstrOrThrow(query));
        return m_document->selectSingleNode(text, node);
    });
}

HRESULT CXDPrintSchemaDocument::SelectNodes(LPCWSTR query, IXMLDOMNodeList** list, int anywhere)
{
    if (!list)
        return E_POINTER;
    if (XDIsEmpty(query))
        return E_FAIL;
    *list = nullptr;
    return XDGuarded([&] {
        CXDString full;
        if (anywhere == 1) {
            full = TEXT("//");
            full.Append(GetPsfPrefix());
        }
        full.Append(query);
        CXDBstr text(AllocBstrOrThrow(full.GetBuffer()));
        return m_document->selectNodes(text, list);
    });
}

HRESULT CXDPrintSchemaDocument::RemoveNode(IXMLDOMNode* node)
{
    if (!node)
        return E_POINTER;
    CXDComPtr<IXMLDOMNode> parent;
    HRESULT hr = node->get_parentNode(&parent);
    if (FAILED(hr))
        return hr;
    if (!parent)
        return E_FAIL;
    CXDComPtr<IXMLDOMNode> removed;
    hr = parent->removeChild(node, &removed);
    if (FAILED(hr))
        return hr;
    return removed ? hr : E_FAIL;
}

HRESULT CXDPrintSchemaDocument::GetAttributeText(IXMLDOMNode* node, LPCWSTR attributeName, BSTR* text)
{
    if (!node || !text)
        return E_POINTER;
    if (XDIsEmpty(attributeName))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNamedNodeMap> attributes;
        HRESULT hr = node->get_attributes(&attributes);
        if (hr != S_OK || !attributes)
            return FAILED(hr) ? hr : S_FALSE;
        CXDBstr name(AllocBstrOrThrow(attributeName));
        CXDComPtr<IXMLDOMNode> attribute;
        hr = attributes->getNamedItem(name, &attribute);
        if (hr != S_OK || !attribute)
            return FAILED(hr) ? hr : S_FALSE;
        return attribute->get_text(text);
    });
}

HRESULT CXDPrintSchemaDocument::CreateElement(LPCWSTR qualifiedName, LPCWSTR namespaceUri, IXMLDOMElement** element)
{
    if (!qualifiedName || !namespaceUri)
        return E_INVALIDARG;
    if (!element)
        return E_POINTER;
    *element = nullptr;
    return XDGuarded([&] {
        VARIANT type;
        VariantInit(&type);
        type.vt = VT_I4;
        type.lVal = NODE_ELEMENT;
        CXDBstr name(AllocBstrOrThrow(qualifiedName));
        CXDBstr uri(AllocBstrOrThrow(namespaceUri));
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = m_document->createNode(type, name, uri, &node);
        if (FAILED(hr))
            return hr;
        if (!node)
            return E_FAIL;
        return node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(element));
    });
}

HRESULT CXDPrintSchemaDocument::SetAttribute(IXMLDOMElement* element, LPCWSTR qualifiedName, LPCWSTR namespaceUri,
                                             LPCWSTR value)
{
    if (!element || !qualifiedName || !value)
        return E_INVALIDARG;
    return XDGuarded([&] {
        VARIANT type;
        VariantInit(&type);
        type.vt = VT_I4;
        type.lVal = NODE_ATTRIBUTE;
        CXDBstr name(AllocBstrOrThrow(qualifiedName));
        CXDBstr uri(namespaceUri ? AllocBstrOrThrow(namespaceUri) : nullptr);
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = m_document->createNode(type, name, uri, &node);
        if (FAILED(hr))
            return hr;
        CXDComPtr<IXMLDOMAttribute> attribute;
        hr = node.QueryTo(IID_IXMLDOMAttribute, attribute);
        if (FAILED(hr))
            return hr;
        CNiraVariant text;
        text.SetBstr(SysAllocString(value));
        if (!text.Get().bstrVal)
            return E_OUTOFMEMORY;
        hr = attribute->put_value(text.Get());
        if (FAILED(hr))
            return hr;
        CXDComPtr<IXMLDOMAttribute> replaced;
        return element->setAttributeNode(attribute.Get(), &replaced);
    });
}

HRESULT CXDPrintSchemaDocument::GetNodeValueText(LPCWSTR query, BSTR* text)
{
    if (!text)
        return E_POINTER;
    SysFreeString(*text);
    *text = nullptr;
    if (XDIsEmpty(query))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = SelectSingleNode(query, &node);
        if (hr != S_OK)
            return hr;
        CXDString found;
        CXDComPtr<IXMLDOMNode> value;
        CXDBstr valueQuery(AllocBstrOrThrow(Prefixed(GetPsfPrefix(), XDVocabulary::kValue).GetBuffer()));
        hr = node->selectSingleNode(valueQuery, &value);
        if (FAILED(hr))
            return hr;
        if (value) {
            found = TypedValueText(value.Get());
        } else {
            CXDComPtr<IXMLDOMNode> reference;
            CXDBstr referenceQuery(
                AllocBstrOrThrow(Prefixed(GetPsfPrefix(), XDVocabulary::kParameterRef).GetBuffer()));
            hr = node->selectSingleNode(referenceQuery, &reference);
            if (hr != S_OK)
                return hr;
            CXDBstr referenceName;
            hr = GetAttributeText(reference.Get(), XDVocabulary::kName, &referenceName);
            if (hr != S_OK)
                return hr;
            CXDComPtr<IXMLDOMNodeList> inits;
            hr = SelectNodes(XDVocabulary::kParameterInit, &inits, 1);
            if (FAILED(hr))
                return hr;
            bool matched = false;
            CXDComPtr<IXMLDOMNode> init;
            while (!matched && inits->nextNode(&init) == S_OK && init) {
                CXDBstr initName;
                if (GetAttributeText(init.Get(), XDVocabulary::kName, &initName) == S_OK &&
                    CXDString(initName.Get()).Equals(referenceName.Get() ? referenceName.Get() : TEXT(""))) {
                    found = TypedValueText(init.Get());
                    matched = true;
                }
            }
            if (!matched)
                return S_FALSE;
        }
        if (!found.IsEmpty()) {
            *text = SysAllocString(found.GetBuffer());
            if (!*text)
                return E_OUTOFMEMORY;
        }
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::FindNamespacePrefix(LPCWSTR namespaceUri, BSTR* prefix)
{
    if (!prefix)
        return E_POINTER;
    if (XDIsEmpty(namespaceUri))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDString rootQuery;
        rootQuery.Format(TEXT("//%s:%s"), m_selectionPrefix.GetBuffer(), GetRootName());
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = SelectSingleNode(rootQuery.GetBuffer(), &root);
        if (hr != S_OK)
            return hr;
        CXDComPtr<IXMLDOMNamedNodeMap> attributes;
        hr = root->get_attributes(&attributes);
        if (hr != S_OK || !attributes)
            return FAILED(hr) ? hr : S_FALSE;
        // Walked by index: an element's namespace declarations are items of its attribute map, but
        // a walk by nextNode need not meet them.
        LONG count = 0;
        XDThrowIfFailed(attributes->get_length(&count));
        for (LONG i = 0; i < count; ++i) {
            CXDComPtr<IXMLDOMNode> attribute;
            if (attributes->get_item(i, &attribute) != S_OK || !attribute)
                continue;
            CXDBstr value;
            if (FAILED(attribute->get_text(&value)) || !CXDString(namespaceUri).Equals(value.Get() ? value.Get() : TEXT("")))
                continue;
            CXDBstr name;
            XDThrowIfFailed(attribute->get_nodeName(&name));
            CXDString declared(name.Get());
            if (declared.Find(kNamespaceAttributeStart, 0) != 0 ||
                declared.GetLength() <= kNamespaceAttributeStartLength)
                return E_FAIL;  // a default namespace declaration, or not a declaration at all
            declared.Delete(0, kNamespaceAttributeStartLength);
            declared.Append(TEXT(":"));
            BSTR found = AllocBstrOrThrow(declared.GetBuffer());
            SysFreeString(*prefix);
            *prefix = found;
            return S_OK;
        }
        return S_FALSE;
    });
}

HRESULT CXDPrintSchemaDocument::GetNamePrefix(LPCWSTR name, BSTR* prefix)
{
    if (!prefix)
        return E_POINTER;
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDString text(name);
        bool hasColon = text.Find(TEXT(":"), 0) >= 0;
        bool isPrivate = false;
        for (LPCWSTR beginning : XDVocabulary::kPrivateBeginnings)
            isPrivate = isPrivate || text.Find(beginning, 0) == 0;
        for (LPCWSTR word : XDVocabulary::kPrivateWords)
            isPrivate = isPrivate || text.Find(word, 0) >= 0;
        LPCWSTR chosen = isPrivate ? GetPrivatePrefix() : hasColon ? nullptr : GetPskPrefix();
        if (!chosen)
            return S_OK;  // a name written with its prefix is used as it stands
        BSTR copy = AllocBstrOrThrow(chosen);
        SysFreeString(*prefix);
        *prefix = copy;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::GetQualifiedName(LPCWSTR name, BSTR* qualifiedName)
{
    if (!qualifiedName)
        return E_POINTER;
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        BSTR copy = AllocBstrOrThrow(QualifiedName(name).GetBuffer());
        SysFreeString(*qualifiedName);
        *qualifiedName = copy;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::StripNamePrefix(BSTR* name)
{
    if (!name)
        return E_POINTER;
    if (XDIsEmpty(*name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDString text(*name);
        int colon = text.Find(TEXT(":"), 0);
        if (colon < 0)
            return S_OK;
        text.Delete(0, colon + 1);
        BSTR bare = AllocBstrOrThrow(text.GetBuffer());
        SysFreeString(*name);
        *name = bare;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::FormatInteger(int value, BSTR* text)
{
    if (!text)
        return E_POINTER;
    if (value == 0)
        return S_OK;
    return XDGuarded([&] {
        CXDString formatted;
        formatted.Format(TEXT("%d"), value);
        BSTR copy = AllocBstrOrThrow(formatted.GetBuffer());
        SysFreeString(*text);
        *text = copy;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::MakeElement(LPCWSTR localName, IXMLDOMElement** element)
{
    return XDGuarded([&] {
        return CreateElement(Prefixed(GetPsfPrefix(), localName).GetBuffer(), XDVocabulary::kFrameworkNamespace,
                             element);
    });
}

HRESULT CXDPrintSchemaDocument::MakeNamedElement(LPCWSTR localName, LPCWSTR nameValue, IXMLDOMElement** element)
{
    CXDComPtr<IXMLDOMElement> made;
    HRESULT hr = MakeElement(localName, &made);
    if (FAILED(hr))
        return hr;
    if (!made)
        return E_FAIL;
    hr = SetAttribute(made.Get(), XDVocabulary::kName, nullptr, nameValue);
    if (FAILED(hr))
        return hr;
    *element = made.Detach();
    return S_OK;
}

HRESULT CXDPrintSchemaDocument::MakeValueElement(LPCWSTR type, LPCWSTR value, IXMLDOMElement** valueElement)
{
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> made;
        HRESULT hr = MakeElement(XDVocabulary::kValue, &made);
        if (FAILED(hr))
            return hr;
        if (!made)
            return E_FAIL;
        hr = SetAttribute(made.Get(), Prefixed(GetXsiPrefix(), XDVocabulary::kType).GetBuffer(),
                          XDVocabulary::kSchemaInstanceNamespace, Prefixed(GetXsdPrefix(), type).GetBuffer());
        if (FAILED(hr))
            return hr;
        CXDBstr text(AllocBstrOrThrow(value));
        hr = made->put_text(text);
        if (FAILED(hr))
            return hr;
        *valueElement = made.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::MakePropertyElement(LPCWSTR element, LPCWSTR nameValue, IXMLDOMElement** property)
{
    if (!property)
        return E_POINTER;
    *property = nullptr;
    HRESULT hr = MakeNamedElement(element, nameValue, property);
    if (SUCCEEDED(hr) && !*property)
        return E_FAIL;
    return hr;
}

HRESULT CXDPrintSchemaDocument::MakePropertyWithValue(LPCWSTR element, LPCWSTR nameValue, LPCWSTR type,
                                                      LPCWSTR value, IXMLDOMElement** property)
{
    CXDComPtr<IXMLDOMElement> made;
    HRESULT hr = MakePropertyElement(element, nameValue, &made);
    if (FAILED(hr))
        return hr;
    CXDComPtr<IXMLDOMElement> valueElement;
    hr = MakeValueElement(type, value, &valueElement);
    if (FAILED(hr))
        return hr;
    CXDComPtr<IXMLDOMNode> appended;
    hr = made->appendChild(valueElement.Get(), &appended);
    if (FAILED(hr))
        return hr;
    *property = made.Detach();
    return S_OK;
}

HRESULT CXDPrintSchemaDocument::CreatePropertyElement(LPCWSTR name, IXMLDOMElement** property)
{
    if (!property)
        return E_POINTER;
    *property = nullptr;
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] { return MakePropertyElement(XDVocabulary::kProperty, QualifiedName(name).GetBuffer(), property); });
}

HRESULT CXDPrintSchemaDocument::SetPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value, IXMLDOMElement** property)
{
    if (!property)
        return E_POINTER;
    *property = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value))
        return E_INVALIDARG;
    return XDGuarded([&] {
        return MakePropertyWithValue(XDVocabulary::kProperty, QualifiedName(name).GetBuffer(), type, value, property);
    });
}

HRESULT CXDPrintSchemaDocument::CreateScoredPropertyElement(LPCWSTR name, IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty)
        return E_POINTER;
    *scoredProperty = nullptr;
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        return MakePropertyElement(XDVocabulary::kScoredProperty, QualifiedName(name).GetBuffer(), scoredProperty);
    });
}

HRESULT CXDPrintSchemaDocument::SetScoredPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                       IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty)
        return E_POINTER;
    *scoredProperty = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value))
        return E_INVALIDARG;
    return XDGuarded([&] {
        return MakePropertyWithValue(XDVocabulary::kScoredProperty, QualifiedName(name).GetBuffer(), type, value,
                                     scoredProperty);
    });
}

HRESULT CXDPrintSchemaDocument::SetScoredPropertyInteger(LPCWSTR name, int value, IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty)
        return E_POINTER;
    *scoredProperty = nullptr;
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDString text;
        text.Format(TEXT("%i"), value);
        return SetScoredPropertyValue(name, XDVocabulary::kInteger, text.GetBuffer(), scoredProperty);
    });
}

HRESULT CXDPrintSchemaDocument::SetScoredPropertyText(LPCWSTR name, LPCWSTR value, IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty)
        return E_POINTER;
    *scoredProperty = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(value))
        return E_INVALIDARG;
    return SetScoredPropertyValue(name, XDVocabulary::kString, value, scoredProperty);
}

HRESULT CXDPrintSchemaDocument::CreateFrameworkPropertyElement(LPCWSTR name, IXMLDOMElement** property)
{
    if (!property)
        return E_POINTER;
    *property = nullptr;
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        return MakePropertyElement(XDVocabulary::kProperty, Prefixed(GetPsfPrefix(), name).GetBuffer(), property);
    });
}

HRESULT CXDPrintSchemaDocument::SetFrameworkPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                          IXMLDOMElement** property)
{
    if (!property)
        return E_POINTER;
    *property = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value))
        return E_INVALIDARG;
    return XDGuarded([&] {
        return MakePropertyWithValue(XDVocabulary::kProperty, Prefixed(GetPsfPrefix(), name).GetBuffer(), type, value,
                                     property);
    });
}

HRESULT CXDPrintSchemaDocument::RemoveAllSelected(LPCWSTR query)
{
    HRESULT hr;
    CXDComPtr<IXMLDOMNode> node;
    while ((hr = SelectSingleNode(query, &node)) == S_OK) {
        hr = RemoveNode(node.Get());
        if (FAILED(hr))
            return hr;
    }
    return hr;
}

HRESULT CXDPrintSchemaDocument::RemoveFeatureAndParameters(LPCWSTR name, const ParameterRemover& removeParameter)
{
    if (XDIsEmpty(name))
        return E_INVALIDARG;
    return XDGuarded([&] {
        CXDXPathQuery featureQuery(GetPsfPrefix());
        XDThrowIfFailed(featureQuery.AddFeature(nullptr, QualifiedName(name).GetBuffer()));
        CXDString referenceQuery(featureQuery.GetText());
        referenceQuery.Append(TEXT("//"));
        referenceQuery.Append(GetPsfPrefix());
        referenceQuery.Append(XDVocabulary::kParameterRef);
        HRESULT hr;
        CXDComPtr<IXMLDOMNode> feature;
        while ((hr = SelectSingleNode(featureQuery.GetText(), &feature)) == S_OK) {
            // The references are listed while the feature is still in place.
            CXDComPtr<IXMLDOMNodeList> references;
            SelectNodes(referenceQuery.GetBuffer(), &references, 0);
            hr = RemoveNode(feature.Get());
            if (SUCCEEDED(hr) && references)
                hr = RemoveEachReferenced(references.Get(), removeParameter);
            if (FAILED(hr))
                return hr;
        }
        return hr;
    });
}

HRESULT CXDPrintSchemaDocument::RemoveEachReferenced(IXMLDOMNodeList* references,
                                                     const ParameterRemover& removeParameter)
{
    if (!references)
        return E_POINTER;
    LONG count = 0;
    HRESULT hr = references->get_length(&count);
    for (LONG i = 0; i < count && SUCCEEDED(hr); ++i) {
        CXDComPtr<IXMLDOMNode> reference;
        hr = references->get_item(i, &reference);
        if (hr != S_OK || !reference)
            continue;
        CXDBstr name;
        hr = GetAttributeText(reference.Get(), XDVocabulary::kName, &name);
        if (hr == S_OK && !name.IsEmpty())
            hr = removeParameter(name.Get());
    }
    return hr;
}

CXDString CXDPrintSchemaDocument::ParameterName(LPCWSTR name)
{
    CXDString qualified(name);
    if (qualified.Find(TEXT(":"), 0) < 0)
        qualified = QualifiedName(name);
    return qualified;
}
