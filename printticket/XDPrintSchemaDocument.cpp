#include "printticket/XDPrintSchemaDocument.h"

#include "printticket/XDGuard.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"
#include "printticket/XDXPathQuery.h"

#include <algorithm>

namespace {

constexpr WCHAR kNamespaceAttributeStart[] = TEXT("xmlns:");
constexpr int kNamespaceAttributeStartLength = 6;
// The prefix the DOM's selection namespaces bind to the framework namespace: queries name framework
// elements with it whatever prefix (or default namespace) the document uses.
constexpr LPCWSTR kSelectionPrefix = TEXT("psf");
constexpr LPCWSTR kSelectionPrefixColon = TEXT("psf:");
// The prefixes declared when a write needs one the root lacks.
constexpr LPCWSTR kPreferredFrameworkPrefix = TEXT("psf");
constexpr LPCWSTR kPreferredKeywordsPrefix = TEXT("psk");
constexpr LPCWSTR kPrivatePrefixName = TEXT("ns0000");
// Tried after the preferred prefix when the root binds it to another namespace.
constexpr int kMaximumPrefixAttempts = 1000;

// A VT_BSTR variant holding a copy of text, cleared when it leaves scope.
class TextVariant : public CNiraVariant {
public:
    explicit TextVariant(LPCWSTR text) { SetBstr(AllocBstrOrThrow(text)); }
};

HRESULT SetStringProperty(IXMLDOMDocument2* document, LPCWSTR name, LPCWSTR value)
{
    CXDBstr property(AllocBstrOrThrow(name));
    TextVariant text(value);
    return document->setProperty(property, text.Get());
}

bool TextEquals(BSTR text, LPCWSTR expected)
{
    return text && wcscmp(text, expected) == 0;
}

// The name rule's test for the driver's own names: one of the private beginnings or words.
bool IsPrivateName(LPCWSTR name)
{
    for (LPCWSTR beginning : XDVocabulary::kPrivateBeginnings) {
        if (wcsncmp(name, beginning, wcslen(beginning)) == 0) {
            return true;
        }
    }
    for (LPCWSTR word : XDVocabulary::kPrivateWords) {
        if (wcsstr(name, word)) {
            return true;
        }
    }
    return false;
}

bool IsXmlSpace(WCHAR c)
{
    return c == TEXT(' ') || c == TEXT('\t') || c == TEXT('\r') || c == TEXT('\n');
}

// Whether the local part of a name text (white space around it and any prefix aside) is local.
bool LocalPartIs(LPCWSTR text, const XDText& local)
{
    LPCWSTR begin = text;
    LPCWSTR end = text + wcslen(text);
    while (begin < end && IsXmlSpace(*begin)) {
        ++begin;
    }
    while (end > begin && IsXmlSpace(end[-1])) {
        --end;
    }
    for (LPCWSTR at = begin; at < end; ++at) {
        if (*at == TEXT(':')) {
            begin = at + 1;
            break;
        }
    }
    return static_cast<size_t>(end - begin) == local.size() && std::equal(begin, end, local.begin());
}

// Collects the nodes of a list, which may be live, before any of them is changed.
void CollectNodes(IXMLDOMNodeList* list, std::vector<CXDComPtr<IXMLDOMNode>>& nodes)
{
    CXDComPtr<IXMLDOMNode> node;
    while (list->nextNode(&node) == S_OK && node) {
        nodes.push_back(std::move(node));
    }
}

}  // namespace

CXDPrintSchemaDocument::CXDPrintSchemaDocument(LPCWSTR rootName, IXMLDOMDocument2* document)
{
    if (document) {
        document->AddRef();
        *&m_document = document;
    }
    m_rootName.Reset(AllocBstrOrThrow(rootName ? rootName : TEXT("")));
    if (!m_document) {
        throw CXDException(E_PENDING);
    }
    XDThrowIfFailed(SetStringProperty(m_document.Get(), TEXT("SelectionLanguage"), TEXT("XPath")));
    CXDString declaration;
    declaration.Format(TEXT("xmlns:%s='%s'"), kSelectionPrefix, XDVocabulary::kFrameworkNamespace);
    XDThrowIfFailed(
        SetStringProperty(m_document.Get(), TEXT("SelectionNamespaces"), declaration.GetBuffer()));
    if (SelectRoot(&m_root) != S_OK) {
        throw CXDException(E_FAIL);
    }

    const struct {
        LPCWSTR uri;
        BSTR* prefix;
    } namespaces[] = {{XDVocabulary::kFrameworkNamespace, &m_psfPrefix},
                      {XDVocabulary::kKeywordsNamespace, &m_pskPrefix},
                      {XDVocabulary::kSchemaInstanceNamespace, &m_xsiPrefix},
                      {XDVocabulary::kSchemaNamespace, &m_xsdPrefix}};
    for (const auto& entry : namespaces) {
        XDThrowIfFailed(FindNamespacePrefix(entry.uri, entry.prefix));  // S_FALSE leaves it empty
    }
    m_privatePrefix.Reset(AllocBstrOrThrow(XDVocabulary::kPrivatePrefix));
}

CXDPrintSchemaDocument::~CXDPrintSchemaDocument() = default;

CXDString CXDPrintSchemaDocument::TypedText(IXMLDOMNode* node)
{
    // All values are text without a schema.
    CNiraVariant value;
    XDThrowIfFailed(node->get_nodeTypedValue(&value));
    if (value.Get().vt != VT_BSTR) {
        XDThrowIfFailed(VariantChangeType(value.InOut(), value.InOut(), 0, VT_BSTR));
    }
    // The variant frees its text also when the string cannot be made.
    return CXDString(value.Get().bstrVal);
}

LPCWSTR CXDPrintSchemaDocument::SelectionPrefix()
{
    return kSelectionPrefixColon;
}

HRESULT CXDPrintSchemaDocument::SelectRoot(IXMLDOMNode** root)
{
    if (!root) {
        return E_POINTER;
    }
    *root = nullptr;
    return XDGuarded([&] {
        HRESULT hr = SelectSingleNode(Prefixed(kSelectionPrefixColon, GetRootName()).GetBuffer(), root);
        return hr == S_FALSE ? HRESULT_FROM_WIN32(ERROR_NOT_FOUND) : hr;
    });
}

void CXDPrintSchemaDocument::DeclarePrefix(CXDBstr& prefix, LPCWSTR preferred, LPCWSTR namespaceUri)
{
    if (!prefix.IsEmpty()) {
        return;
    }
    CXDComPtr<IXMLDOMElement> root;
    XDThrowIfFailed(m_root.QueryTo(IID_IXMLDOMElement, root));
    // The preferred prefix, or the first of preferred1, preferred2 ... that the root leaves free.
    CXDString candidate(preferred);
    for (int attempt = 1;; ++attempt) {
        XDText bound;
        if (XDDeclaredOn(m_root.Get(), candidate.GetBuffer(), bound) != S_OK) {
            CXDString declaration(kNamespaceAttributeStart);
            declaration.Append(candidate.GetBuffer());
            CXDBstr name(AllocBstrOrThrow(declaration.GetBuffer()));
            m_rootDeclarations.Forget();
            XDThrowIfFailed(root->setAttribute(name, TextVariant(namespaceUri).Get()));
            candidate.Append(TEXT(":"));
            prefix.Reset(AllocBstrOrThrow(candidate.GetBuffer()));
            return;
        }
        if (attempt >= kMaximumPrefixAttempts) {
            throw CXDException(E_FAIL);
        }
        candidate.Format(TEXT("%s%d"), preferred, attempt);
    }
}

void CXDPrintSchemaDocument::DeclareWritePrefixes()
{
    DeclarePrefix(m_psfPrefix, kPreferredFrameworkPrefix, XDVocabulary::kFrameworkNamespace);
    DeclarePrefix(m_pskPrefix, kPreferredKeywordsPrefix, XDVocabulary::kKeywordsNamespace);
    // The private prefix is fixed; the root declares it unless it binds it already.
    XDText bound;
    if (!XDLookupNamespaceUri(m_root.Get(), kPrivatePrefixName, bound, &m_rootDeclarations)) {
        CXDBstr none;
        DeclarePrefix(none, kPrivatePrefixName, XDVocabulary::kPrivateNamespace);
    }
}

CXDString CXDPrintSchemaDocument::Prefixed(LPCWSTR prefix, LPCWSTR name) const
{
    CXDString text(prefix);
    text.Append(name);
    return text;
}

CXDString CXDPrintSchemaDocument::QualifiedName(LPCWSTR name)
{
    DeclareWritePrefixes();
    // A prefix that could not be chosen is a failure: falling back to the keywords prefix would
    // write a private name into the keywords namespace (an empty name keeps the fallback).
    CXDBstr prefix;
    const HRESULT chosen = GetNamePrefix(name, &prefix);
    if (FAILED(chosen) && chosen != E_INVALIDARG) {
        throw CXDException(chosen);
    }
    if (FAILED(chosen)) {
        prefix.Reset(AllocBstrOrThrow(GetPskPrefix()));
    }
    return Prefixed(prefix.Get(), name);
}

HRESULT CXDPrintSchemaDocument::SelectSingleNode(LPCWSTR query, IXMLDOMNode** node)
{
    if (!node) {
        return E_POINTER;
    }
    if (!m_document) {
        return E_PENDING;
    }
    *node = nullptr;
    if (XDIsEmpty(query)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDBstr text(AllocBstrOrThrow(query));
        return m_document->selectSingleNode(text, node);
    });
}

HRESULT CXDPrintSchemaDocument::SelectNodes(LPCWSTR query, IXMLDOMNodeList** list, int anywhere)
{
    if (!list) {
        return E_POINTER;
    }
    if (XDIsEmpty(query)) {
        return E_FAIL;
    }
    *list = nullptr;
    return XDGuarded([&] {
        CXDString full;
        if (anywhere == 1) {
            full = TEXT("//");
            full.Append(kSelectionPrefixColon);
        }
        full.Append(query);
        CXDBstr text(AllocBstrOrThrow(full.GetBuffer()));
        return m_document->selectNodes(text, list);
    });
}

HRESULT CXDPrintSchemaDocument::RemoveNode(IXMLDOMNode* node)
{
    if (!node) {
        return E_POINTER;
    }
    CXDComPtr<IXMLDOMNode> parent;
    HRESULT hr = node->get_parentNode(&parent);
    if (FAILED(hr)) {
        return hr;
    }
    if (!parent) {
        return E_FAIL;
    }
    CXDComPtr<IXMLDOMNode> removed;
    hr = parent->removeChild(node, &removed);
    if (FAILED(hr)) {
        return hr;
    }
    return removed ? hr : E_FAIL;
}

HRESULT CXDPrintSchemaDocument::GetAttributeText(IXMLDOMNode* node, LPCWSTR attributeName, BSTR* text)
{
    if (!node || !text) {
        return E_POINTER;
    }
    if (XDIsEmpty(attributeName)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        // Only elements carry attributes.
        CXDComPtr<IXMLDOMElement> element;
        if (FAILED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))) ||
            !element) {
            return S_FALSE;
        }
        CXDBstr name(AllocBstrOrThrow(attributeName));
        CNiraVariant value;
        HRESULT hr = element->getAttribute(name, value.InOut());
        if (hr != S_OK || value.Get().vt != VT_BSTR) {
            return FAILED(hr) ? hr : S_FALSE;
        }
        // The text is handed out even when empty, which answers S_FALSE as an empty attribute's text does.
        *text = value.DetachBstr();
        return SysStringLen(*text) == 0 ? S_FALSE : S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::CreateElement(LPCWSTR qualifiedName, LPCWSTR namespaceUri,
                                              IXMLDOMElement** element)
{
    if (!qualifiedName || !namespaceUri) {
        return E_INVALIDARG;
    }
    if (!element) {
        return E_POINTER;
    }
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
        if (FAILED(hr)) {
            return hr;
        }
        if (!node) {
            return E_FAIL;
        }
        return node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(element));
    });
}

HRESULT CXDPrintSchemaDocument::SetAttribute(IXMLDOMElement* element, LPCWSTR qualifiedName,
                                             LPCWSTR namespaceUri, LPCWSTR value)
{
    if (!element || !qualifiedName || !value) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        VARIANT type;
        VariantInit(&type);
        type.vt = VT_I4;
        type.lVal = NODE_ATTRIBUTE;
        CXDBstr name(AllocBstrOrThrow(qualifiedName));
        CXDBstr uri(namespaceUri ? AllocBstrOrThrow(namespaceUri) : nullptr);
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = m_document->createNode(type, name, uri, &node);
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMAttribute> attribute;
        hr = node.QueryTo(IID_IXMLDOMAttribute, attribute);
        if (FAILED(hr)) {
            return hr;
        }
        hr = attribute->put_value(TextVariant(value).Get());  // a failed copy throws E_OUTOFMEMORY
        if (FAILED(hr)) {
            return hr;
        }
        CXDComPtr<IXMLDOMAttribute> replaced;
        return element->setAttributeNode(attribute.Get(), &replaced);
    });
}

HRESULT CXDPrintSchemaDocument::GetNodeValueText(LPCWSTR query, BSTR* text)
{
    if (!text) {
        return E_POINTER;
    }
    SysFreeString(*text);
    *text = nullptr;
    if (XDIsEmpty(query)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNode> node;
        HRESULT hr = SelectSingleNode(query, &node);
        if (hr != S_OK) {
            return hr;
        }
        return GetElementValueText(node.Get(), text);
    });
}

HRESULT CXDPrintSchemaDocument::GetElementValueText(IXMLDOMNode* element, BSTR* text)
{
    if (!element || !text) {
        return E_POINTER;
    }
    SysFreeString(*text);
    *text = nullptr;
    return XDGuarded([&] {
        CXDString found;
        HRESULT hr = ElementValueText(element, found);
        if (hr != S_OK) {
            return hr;
        }
        if (!found.IsEmpty()) {
            *text = AllocBstrOrThrow(found.GetBuffer());
        }
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::ElementValueText(IXMLDOMNode* element, CXDString& text)
{
    CXDComPtr<IXMLDOMNode> value;
    SelectChild(element, XDVocabulary::kValue, value);
    if (value) {
        text = TypedText(value.Get());
        return S_OK;
    }
    CXDComPtr<IXMLDOMNode> reference;
    SelectChild(element, XDVocabulary::kParameterRef, reference);
    CXDBstr referenceName;
    if (!reference || GetAttributeText(reference.Get(), XDVocabulary::kName, &referenceName) != S_OK) {
        return S_FALSE;
    }
    // The ParameterInit the reference names, and its own Value: one without a Value gives none.
    NamedStep step{XDVocabulary::kParameterInit,
                   XDQName::Read(reference.Get(), referenceName.Get(), &m_rootDeclarations)};
    NodeVector inits;
    SelectNamedPath(&step, 1, true, inits);
    if (inits.empty()) {
        return S_FALSE;
    }
    SelectChild(inits.front().Get(), XDVocabulary::kValue, value);
    if (!value) {
        return S_FALSE;
    }
    text = TypedText(value.Get());
    return S_OK;
}

HRESULT CXDPrintSchemaDocument::FindNamespacePrefix(LPCWSTR namespaceUri, BSTR* prefix)
{
    if (!prefix) {
        return E_POINTER;
    }
    if (XDIsEmpty(namespaceUri)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMNode> root;
        HRESULT hr = SelectRoot(&root);
        if (hr != S_OK) {
            return FAILED(hr) && hr != HRESULT_FROM_WIN32(ERROR_NOT_FOUND) ? hr : S_FALSE;
        }
        CXDComPtr<IXMLDOMNamedNodeMap> attributes;
        hr = root->get_attributes(&attributes);
        if (hr != S_OK || !attributes) {
            return FAILED(hr) ? hr : S_FALSE;
        }
        // The first prefix the root binds to the namespace, in document order; a default
        // declaration of it gives no prefix and is passed over, so the order of the two does not
        // matter. Walked by index: an element's namespace declarations are items of its attribute
        // map, but a walk by nextNode need not meet them.
        LONG count = 0;
        XDThrowIfFailed(attributes->get_length(&count));
        for (LONG i = 0; i < count; ++i) {
            CXDComPtr<IXMLDOMNode> attribute;
            if (attributes->get_item(i, &attribute) != S_OK || !attribute) {
                continue;
            }
            CXDBstr name;
            if (FAILED(attribute->get_nodeName(&name))) {
                continue;
            }
            CXDString declared(name.Get() ? name.Get() : TEXT(""));
            if (declared.Find(kNamespaceAttributeStart, 0) != 0 ||
                declared.GetLength() <= kNamespaceAttributeStartLength) {
                continue;
            }
            CXDBstr value;
            if (FAILED(attribute->get_text(&value)) || !TextEquals(value.Get(), namespaceUri)) {
                continue;
            }
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

LPCWSTR CXDPrintSchemaDocument::RulePrefix(LPCWSTR name) const
{
    if (IsPrivateName(name)) {
        return GetPrivatePrefix();
    }
    return wcschr(name, TEXT(':')) ? nullptr : GetPskPrefix();
}

HRESULT CXDPrintSchemaDocument::GetNamePrefix(LPCWSTR name, BSTR* prefix)
{
    if (!prefix) {
        return E_POINTER;
    }
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        LPCWSTR chosen = RulePrefix(name);
        if (!chosen) {
            return S_OK;  // a name written with its prefix is used as it stands
        }
        BSTR copy = AllocBstrOrThrow(chosen);
        SysFreeString(*prefix);
        *prefix = copy;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::GetQualifiedName(LPCWSTR name, BSTR* qualifiedName)
{
    if (!qualifiedName) {
        return E_POINTER;
    }
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        BSTR copy = AllocBstrOrThrow(QualifiedName(name).GetBuffer());
        SysFreeString(*qualifiedName);
        *qualifiedName = copy;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::StripNamePrefix(BSTR* name)
{
    if (!name) {
        return E_POINTER;
    }
    if (XDIsEmpty(*name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        XDText text = XDTrimmed(*name);
        size_t colon = text.find(TEXT(':'));
        if (colon != XDText::npos) {
            text.erase(0, colon + 1);
        }
        BSTR bare = AllocBstrOrThrow(text.c_str());
        SysFreeString(*name);
        *name = bare;
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::FormatInteger(int value, BSTR* text)
{
    if (!text) {
        return E_POINTER;
    }
    if (value == 0) {
        return S_OK;
    }
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
        DeclareWritePrefixes();
        return CreateElement(Prefixed(GetPsfPrefix(), localName).GetBuffer(),
                             XDVocabulary::kFrameworkNamespace, element);
    });
}

HRESULT CXDPrintSchemaDocument::MakeNamedElement(LPCWSTR localName, LPCWSTR nameValue,
                                                 IXMLDOMElement** element)
{
    CXDComPtr<IXMLDOMElement> made;
    HRESULT hr = MakeElement(localName, &made);
    if (FAILED(hr)) {
        return hr;
    }
    if (!made) {
        return E_FAIL;
    }
    hr = SetAttribute(made.Get(), XDVocabulary::kName, nullptr, nameValue);
    if (FAILED(hr)) {
        return hr;
    }
    *element = made.Detach();
    return S_OK;
}

HRESULT CXDPrintSchemaDocument::MakeValueElement(LPCWSTR type, LPCWSTR value, IXMLDOMElement** valueElement)
{
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> made;
        HRESULT hr = MakeElement(XDVocabulary::kValue, &made);
        if (FAILED(hr)) {
            return hr;
        }
        if (!made) {
            return E_FAIL;
        }
        hr = SetAttribute(made.Get(), Prefixed(GetXsiPrefix(), XDVocabulary::kType).GetBuffer(),
                          XDVocabulary::kSchemaInstanceNamespace, Prefixed(GetXsdPrefix(), type).GetBuffer());
        if (FAILED(hr)) {
            return hr;
        }
        CXDBstr text(AllocBstrOrThrow(value));
        hr = made->put_text(text);
        if (FAILED(hr)) {
            return hr;
        }
        *valueElement = made.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintSchemaDocument::MakePropertyElement(LPCWSTR element, LPCWSTR nameValue,
                                                    IXMLDOMElement** property)
{
    if (!property) {
        return E_POINTER;
    }
    *property = nullptr;
    HRESULT hr = MakeNamedElement(element, nameValue, property);
    if (SUCCEEDED(hr) && !*property) {
        return E_FAIL;
    }
    return hr;
}

HRESULT CXDPrintSchemaDocument::MakePropertyWithValue(LPCWSTR element, LPCWSTR nameValue, LPCWSTR type,
                                                      LPCWSTR value, IXMLDOMElement** property)
{
    CXDComPtr<IXMLDOMElement> made;
    HRESULT hr = MakePropertyElement(element, nameValue, &made);
    if (FAILED(hr)) {
        return hr;
    }
    CXDComPtr<IXMLDOMElement> valueElement;
    hr = MakeValueElement(type, value, &valueElement);
    if (FAILED(hr)) {
        return hr;
    }
    CXDComPtr<IXMLDOMNode> appended;
    hr = made->appendChild(valueElement.Get(), &appended);
    if (FAILED(hr)) {
        return hr;
    }
    *property = made.Detach();
    return S_OK;
}

HRESULT CXDPrintSchemaDocument::CreatePropertyElement(LPCWSTR name, IXMLDOMElement** property)
{
    if (!property) {
        return E_POINTER;
    }
    *property = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        return MakePropertyElement(XDVocabulary::kProperty, QualifiedName(name).GetBuffer(), property);
    });
}

HRESULT CXDPrintSchemaDocument::SetPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                 IXMLDOMElement** property)
{
    if (!property) {
        return E_POINTER;
    }
    *property = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        return MakePropertyWithValue(XDVocabulary::kProperty, QualifiedName(name).GetBuffer(), type, value,
                                     property);
    });
}

HRESULT CXDPrintSchemaDocument::CreateScoredPropertyElement(LPCWSTR name, IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty) {
        return E_POINTER;
    }
    *scoredProperty = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        return MakePropertyElement(XDVocabulary::kScoredProperty, QualifiedName(name).GetBuffer(),
                                   scoredProperty);
    });
}

HRESULT CXDPrintSchemaDocument::SetScoredPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                       IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty) {
        return E_POINTER;
    }
    *scoredProperty = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        return MakePropertyWithValue(XDVocabulary::kScoredProperty, QualifiedName(name).GetBuffer(), type,
                                     value, scoredProperty);
    });
}

HRESULT CXDPrintSchemaDocument::SetScoredPropertyInteger(LPCWSTR name, int value,
                                                         IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty) {
        return E_POINTER;
    }
    *scoredProperty = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDString text;
        text.Format(TEXT("%i"), value);
        return SetScoredPropertyValue(name, XDVocabulary::kInteger, text.GetBuffer(), scoredProperty);
    });
}

HRESULT CXDPrintSchemaDocument::SetScoredPropertyText(LPCWSTR name, LPCWSTR value,
                                                      IXMLDOMElement** scoredProperty)
{
    if (!scoredProperty) {
        return E_POINTER;
    }
    *scoredProperty = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(value)) {
        return E_INVALIDARG;
    }
    return SetScoredPropertyValue(name, XDVocabulary::kString, value, scoredProperty);
}

HRESULT CXDPrintSchemaDocument::CreateFrameworkPropertyElement(LPCWSTR name, IXMLDOMElement** property)
{
    if (!property) {
        return E_POINTER;
    }
    *property = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        DeclareWritePrefixes();
        return MakePropertyElement(XDVocabulary::kProperty, Prefixed(GetPsfPrefix(), name).GetBuffer(),
                                   property);
    });
}

HRESULT CXDPrintSchemaDocument::SetFrameworkPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                                          IXMLDOMElement** property)
{
    if (!property) {
        return E_POINTER;
    }
    *property = nullptr;
    if (XDIsEmpty(name) || XDIsEmpty(type) || XDIsEmpty(value)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        DeclareWritePrefixes();
        return MakePropertyWithValue(XDVocabulary::kProperty, Prefixed(GetPsfPrefix(), name).GetBuffer(),
                                     type, value, property);
    });
}

XDQName CXDPrintSchemaDocument::LookupName(LPCWSTR name)
{
    if (XDIsEmpty(name)) {
        return XDQName::InNamespace(XDVocabulary::kKeywordsNamespace, TEXT(""));
    }
    if (wcschr(name, TEXT(':'))) {
        return XDQName::Read(m_root.Get(), name, &m_rootDeclarations);
    }
    // A private name, or any name where the keywords prefix is the private one, is read as
    // written privately.
    if (wcscmp(RulePrefix(name), GetPrivatePrefix()) == 0) {
        return XDQName::Read(m_root.Get(), Prefixed(GetPrivatePrefix(), name).GetBuffer(),
                             &m_rootDeclarations);
    }
    return XDQName::InNamespace(XDVocabulary::kKeywordsNamespace, XDTrimmed(name).c_str());
}

bool CXDPrintSchemaDocument::IsFrameworkElement(IXMLDOMNode* node, LPCWSTR localName)
{
    DOMNodeType type = NODE_INVALID;
    if (FAILED(node->get_nodeType(&type)) || type != NODE_ELEMENT) {
        return false;
    }
    CXDBstr baseName;
    CXDBstr uri;
    return SUCCEEDED(node->get_baseName(&baseName)) && TextEquals(baseName.Get(), localName) &&
           SUCCEEDED(node->get_namespaceURI(&uri)) &&
           TextEquals(uri.Get(), XDVocabulary::kFrameworkNamespace);
}

bool CXDPrintSchemaDocument::HasName(IXMLDOMNode* element, const XDQName& name)
{
    CXDBstr text;
    if (GetAttributeText(element, XDVocabulary::kName, &text) != S_OK) {
        return false;
    }
    // The local part is compared first, in place: most elements differ there, and it needs no
    // lookup.
    if (!LocalPartIs(text.Get(), name.LocalName())) {
        return false;
    }
    return XDQName::Read(element, text.Get(), &m_rootDeclarations) == name;
}

bool CXDPrintSchemaDocument::NameKeyOf(IXMLDOMNode* element, XDText& key)
{
    CXDBstr text;
    if (GetAttributeText(element, XDVocabulary::kName, &text) != S_OK || text.IsEmpty()) {
        return false;
    }
    key = XDQName::Read(element, text.Get(), &m_rootDeclarations).Key();
    return true;
}

void CXDPrintSchemaDocument::SelectElements(IXMLDOMNode* context, LPCWSTR localName, NodeVector& found)
{
    CXDString query(context ? TEXT(".//") : TEXT("//"));
    query.Append(kSelectionPrefixColon);
    query.Append(localName);
    CXDBstr text(AllocBstrOrThrow(query.GetBuffer()));
    CXDComPtr<IXMLDOMNodeList> list;
    HRESULT hr = context ? context->selectNodes(text, &list) : m_document->selectNodes(text, &list);
    XDThrowIfFailed(hr);
    if (list) {
        CollectNodes(list.Get(), found);
    }
}

void CXDPrintSchemaDocument::SelectChild(IXMLDOMNode* parent, LPCWSTR localName,
                                         CXDComPtr<IXMLDOMNode>& child)
{
    child.Reset();
    CXDComPtr<IXMLDOMNode> node;
    parent->get_firstChild(&node);
    while (node) {
        if (IsFrameworkElement(node.Get(), localName)) {
            child = std::move(node);
            return;
        }
        CXDComPtr<IXMLDOMNode> next;
        node->get_nextSibling(&next);
        node = std::move(next);
    }
}

void CXDPrintSchemaDocument::SelectNamedPath(const NamedStep* steps, int count, bool first, NodeVector& found)
{
    // One query for the last step's elements; the steps before it are matched on the way up from
    // each candidate (the nearest matching ancestor for each step), so the cost stays linear in
    // the document and no name ever enters a query.
    NodeVector candidates;
    SelectElements(nullptr, steps[count - 1].element, candidates);
    for (CXDComPtr<IXMLDOMNode>& candidate : candidates) {
        if (!HasName(candidate.Get(), steps[count - 1].name)) {
            continue;
        }
        int step = count - 2;
        CXDComPtr<IXMLDOMNode> ancestor;
        candidate->get_parentNode(&ancestor);
        while (step >= 0 && ancestor) {
            if (IsFrameworkElement(ancestor.Get(), steps[step].element) &&
                HasName(ancestor.Get(), steps[step].name)) {
                --step;
            }
            CXDComPtr<IXMLDOMNode> parent;
            ancestor->get_parentNode(&parent);
            ancestor = std::move(parent);
        }
        if (step >= 0) {
            continue;
        }
        found.push_back(std::move(candidate));
        if (first) {
            return;
        }
    }
}

HRESULT CXDPrintSchemaDocument::RemoveNamedElements(LPCWSTR localName, const NameKeys& names)
{
    if (names.empty()) {
        return S_FALSE;
    }
    NodeVector elements;
    SelectElements(nullptr, localName, elements);
    for (CXDComPtr<IXMLDOMNode>& element : elements) {
        XDText key;
        if (!NameKeyOf(element.Get(), key) || names.count(key) == 0) {
            continue;
        }
        HRESULT hr = RemoveNode(element.Get());
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_FALSE;
}

HRESULT CXDPrintSchemaDocument::RemoveFeatureAndParameters(LPCWSTR name, LPCWSTR parameterElement)
{
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        NamedStep step{XDVocabulary::kFeature, LookupName(name)};
        NodeVector features;
        SelectNamedPath(&step, 1, false, features);
        // The references are listed while the features are still in place; the parameters they
        // name are then removed in one pass, however many features and references there are.
        NameKeys referenced;
        for (CXDComPtr<IXMLDOMNode>& feature : features) {
            NodeVector references;
            SelectElements(feature.Get(), XDVocabulary::kParameterRef, references);
            for (CXDComPtr<IXMLDOMNode>& reference : references) {
                XDText key;
                if (NameKeyOf(reference.Get(), key)) {
                    referenced.insert(key);
                }
            }
        }
        for (CXDComPtr<IXMLDOMNode>& feature : features) {
            HRESULT hr = RemoveNode(feature.Get());
            if (FAILED(hr)) {
                return hr;
            }
        }
        HRESULT hr = RemoveNamedElements(parameterElement, referenced);
        return FAILED(hr) ? hr : S_FALSE;
    });
}

HRESULT CXDPrintSchemaDocument::RemoveReferencedParameters(IXMLDOMNodeList* references,
                                                           LPCWSTR parameterElement)
{
    if (!references) {
        return E_POINTER;
    }
    return XDGuarded([&] {
        LONG count = 0;
        HRESULT hr = references->get_length(&count);
        if (FAILED(hr)) {
            return hr;
        }
        NameKeys referenced;
        for (LONG i = 0; i < count; ++i) {
            CXDComPtr<IXMLDOMNode> reference;
            XDText key;
            if (references->get_item(i, &reference) == S_OK && reference && NameKeyOf(reference.Get(), key)) {
                referenced.insert(key);
            }
        }
        return RemoveNamedElements(parameterElement, referenced);
    });
}

HRESULT CXDPrintSchemaDocument::RemoveParameter(LPCWSTR name, LPCWSTR parameterElement)
{
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] { return RemoveNamedElements(parameterElement, NameKeys{LookupName(name).Key()}); });
}
