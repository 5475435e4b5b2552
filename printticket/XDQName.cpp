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

HRESULT XDDeclaredOn(IXMLDOMNode* element, const XDText& prefix, XDText& uri)
{
    CXDComPtr<IXMLDOMNamedNodeMap> attributes;
    if (element->get_attributes(&attributes) != S_OK || !attributes) {
        return S_FALSE;
    }
    XDText wanted(kDeclaration);
    if (!prefix.empty()) {
        wanted += kColon + prefix;
    }
    // Walked by index: declarations are items of the attribute map, but not every DOM finds them
    // by name or meets them in a walk by nextNode.
    LONG count = 0;
    if (FAILED(attributes->get_length(&count))) {
        return S_FALSE;
    }
    for (LONG i = 0; i < count; ++i) {
        CXDComPtr<IXMLDOMNode> attribute;
        CXDBstr name;
        if (attributes->get_item(i, &attribute) != S_OK || !attribute ||
            FAILED(attribute->get_nodeName(&name)) || !name.Get() || wanted != name.Get()) {
            continue;
        }
        CXDBstr text;
        if (FAILED(attribute->get_text(&text))) {
            return S_FALSE;
        }
        uri = text.Get() ? text.Get() : TEXT("");
        return S_OK;
    }
    return S_FALSE;
}

bool XDLookupNamespaceUri(IXMLDOMNode* node, const XDText& prefix, XDText& uri)
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
        if (type == NODE_ELEMENT && XDDeclaredOn(current.Get(), prefix, uri) == S_OK) {
            return true;
        }
        CXDComPtr<IXMLDOMNode> parent;
        if (FAILED(current->get_parentNode(&parent))) {
            break;
        }
        current = std::move(parent);
    }
    uri.clear();
    return prefix.empty();
}

XDQName XDQName::Read(IXMLDOMNode* node, LPCWSTR text)
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
    name.m_bound = XDLookupNamespaceUri(node, name.m_prefix, name.m_namespace);
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
