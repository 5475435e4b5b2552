#include "printticket/XDQName.h"

#include "printticket/XDComPtr.h"

namespace {

constexpr WCHAR kColon = TEXT(':');
// XML text holds no NUL character, so it cannot blur where one part of a key ends.
constexpr WCHAR kKeySeparator = 0;
constexpr LPCWSTR kDeclaration = TEXT("xmlns");
constexpr LPCWSTR kXmlPrefix = TEXT("xml");
constexpr LPCWSTR kXmlNamespace = TEXT("http://www.w3.org/XML/1998/namespace");

bool IsXmlSpace(WCHAR c)
{
    return c == TEXT(' ') || c == TEXT('\t') || c == TEXT('\r') || c == TEXT('\n');
}

}  // namespace

XDText XDTrimmed(LPCWSTR text)
{
    if (!text) {
        return XDText();
    }
    XDText trimmed(text);
    size_t first = 0;
    while (first < trimmed.size() && IsXmlSpace(trimmed[first])) {
        ++first;
    }
    size_t last = trimmed.size();
    while (last > first && IsXmlSpace(trimmed[last - 1])) {
        --last;
    }
    return trimmed.substr(first, last - first);
}

namespace {

// Calls found(name, attribute) for each item of the element's attribute map until it answers true.
// Walked by index: declarations are items of the attribute map, but not every DOM finds them by
// name or meets them in a walk by nextNode.
template <class Found>
void VisitAttributes(IXMLDOMNode* element, Found found)
{
    CXDComPtr<IXMLDOMNamedNodeMap> attributes;
    if (element->get_attributes(&attributes) != S_OK || !attributes) {
        return;
    }
    LONG count = 0;
    if (FAILED(attributes->get_length(&count))) {
        return;
    }
    for (LONG i = 0; i < count; ++i) {
        CXDComPtr<IXMLDOMNode> attribute;
        CXDBstr name;
        if (attributes->get_item(i, &attribute) != S_OK || !attribute ||
            FAILED(attribute->get_nodeName(&name)) || !name.Get()) {
            continue;
        }
        if (found(name.Get(), attribute.Get())) {
            return;
        }
    }
}

// The text of a declaration attribute; false when it cannot be read.
bool DeclaredUri(IXMLDOMNode* attribute, XDText& uri)
{
    CXDBstr text;
    if (FAILED(attribute->get_text(&text))) {
        return false;
    }
    uri = text.Get() ? text.Get() : TEXT("");
    return true;
}

bool IsDocumentNode(IXMLDOMNode* node)
{
    DOMNodeType type = NODE_INVALID;
    return node && SUCCEEDED(node->get_nodeType(&type)) && type == NODE_DOCUMENT;
}

}  // namespace

HRESULT XDDeclaredOn(IXMLDOMNode* element, const XDText& prefix, XDText& uri)
{
    // "xmlns", or "xmlns:" and the prefix, compared in place.
    const size_t declarationLength = wcslen(kDeclaration);
    HRESULT result = S_FALSE;
    VisitAttributes(element, [&](LPCWSTR name, IXMLDOMNode* attribute) {
        if (wcsncmp(name, kDeclaration, declarationLength) != 0) {
            return false;
        }
        LPCWSTR rest = name + declarationLength;
        const bool named = prefix.empty() ? *rest == 0 : *rest == kColon && prefix.compare(rest + 1) == 0;
        if (!named) {
            return false;
        }
        result = DeclaredUri(attribute, uri) ? S_OK : S_FALSE;
        return true;
    });
    return result;
}

void XDRootDeclarations::Read(IXMLDOMNode* root)
{
    m_bound.clear();
    const size_t declarationLength = XDText(kDeclaration).size();
    VisitAttributes(root, [&](LPCWSTR name, IXMLDOMNode* attribute) {
        XDText declared(name);
        if (declared.compare(0, declarationLength, kDeclaration) != 0) {
            return false;
        }
        XDText prefix;
        if (declared.size() > declarationLength) {
            if (declared[declarationLength] != kColon || declared.size() == declarationLength + 1) {
                return false;
            }
            prefix = declared.substr(declarationLength + 1);
        }
        XDText uri;
        if (DeclaredUri(attribute, uri)) {
            m_bound.emplace(std::move(prefix), std::move(uri));
        }
        return false;
    });
    m_read = true;
}

bool XDRootDeclarations::Lookup(IXMLDOMNode* root, const XDText& prefix, XDText& uri)
{
    for (bool fresh = !m_read;; fresh = true) {
        if (fresh) {
            Read(root);
        }
        auto found = m_bound.find(prefix);
        if (found != m_bound.end()) {
            uri = found->second;
            return true;
        }
        if (fresh) {
            return false;
        }
    }
}

bool XDLookupNamespaceUri(IXMLDOMNode* node, const XDText& prefix, XDText& uri,
                          XDRootDeclarations* rootDeclarations)
{
    if (prefix == kXmlPrefix) {
        uri = kXmlNamespace;
        return true;
    }
    CXDComPtr<IXMLDOMNode> current;
    if (node) {
        node->AddRef();
        *&current = node;
    }
    while (current) {
        DOMNodeType type = NODE_INVALID;
        current->get_nodeType(&type);
        CXDComPtr<IXMLDOMNode> parent;
        const bool hasParent = SUCCEEDED(current->get_parentNode(&parent));
        if (type == NODE_ELEMENT) {
            // The document element: the last element of the walk.
            if (rootDeclarations && hasParent && IsDocumentNode(parent.Get())) {
                if (rootDeclarations->Lookup(current.Get(), prefix, uri)) {
                    return true;
                }
            } else if (XDDeclaredOn(current.Get(), prefix, uri) == S_OK) {
                return true;
            }
        }
        if (!hasParent) {
            break;
        }
        current = std::move(parent);
    }
    uri.clear();
    return prefix.empty();
}

XDQName XDQName::Read(IXMLDOMNode* node, LPCWSTR text, XDRootDeclarations* rootDeclarations)
{
    XDQName name;
    XDText trimmed = XDTrimmed(text);
    size_t colon = trimmed.find(kColon);
    if (colon == XDText::npos) {
        name.m_local = trimmed;
    } else {
        name.m_prefix = trimmed.substr(0, colon);
        name.m_local = trimmed.substr(colon + 1);
    }
    name.m_bound = XDLookupNamespaceUri(node, name.m_prefix, name.m_namespace, rootDeclarations);
    return name;
}

XDQName XDQName::InNamespace(LPCWSTR namespaceUri, LPCWSTR localName)
{
    XDQName name;
    name.m_namespace = namespaceUri ? namespaceUri : TEXT("");
    name.m_local = localName ? localName : TEXT("");
    name.m_bound = true;
    return name;
}

XDText XDQName::Key() const
{
    XDText key(1, m_bound ? TEXT('u') : TEXT('p'));
    key += m_bound ? m_namespace : m_prefix;
    key += kKeySeparator;
    key += m_local;
    return key;
}
