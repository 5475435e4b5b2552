// Print Schema names compared as XML names: a name read from a document ("psk:Landscape", with
// white space around it or not) stands for a namespace URI and a local name, whatever prefix the
// document chose and on whichever element it bound it.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>

using XDText = std::basic_string<WCHAR>;

class XDQName {
public:
    XDQName() = default;
    // The name text read at node: its prefix resolved in the declarations in scope there.
    static XDQName Read(IXMLDOMNode* node, LPCWSTR text);
    // A name in a known namespace.
    static XDQName InNamespace(LPCWSTR namespaceUri, LPCWSTR localName);

    const XDText& LocalName() const { return m_local; }
    // One text per name: equal keys name the same thing. A prefix the document binds nowhere is
    // kept as written, so such names still equal one another.
    XDText Key() const;
    bool operator==(const XDQName& other) const { return Key() == other.Key(); }

private:
    XDText m_namespace;
    XDText m_prefix;
    XDText m_local;
    bool m_bound = false;
};

// The text without the XML white space around it.
XDText XDTrimmed(LPCWSTR text);
// The URI that element's own declaration of prefix (no colon; empty for the default namespace)
// binds; S_FALSE when the element declares no such prefix.
HRESULT XDDeclaredOn(IXMLDOMNode* element, const XDText& prefix, XDText& uri);
// The URI that prefix (no colon; empty for the default namespace) is bound to at node; false when
// neither node nor an ancestor binds it. Without a default declaration the empty prefix is bound
// to no namespace (an empty URI).
bool XDLookupNamespaceUri(IXMLDOMNode* node, const XDText& prefix, XDText& uri);
