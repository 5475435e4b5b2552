// Print Schema names compared as XML names: a name read from a document ("psk:Landscape", with
// white space around it or not) stands for a namespace URI and a local name, whatever prefix the
// document chose and on whichever element it bound it.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>
#include <unordered_map>

using XDText = std::basic_string<WCHAR>;

// The namespace declarations of a document's root element, read once for the lookups of one
// document object: nearly every name of a Print Schema document is bound there, and the root's
// declarations are the longest walk of a lookup. A prefix the root does not list is read again
// (the root may have been given a declaration since); Forget() drops what was read.
class XDRootDeclarations {
public:
    // The URI root binds to prefix; false when it binds none.
    bool Lookup(IXMLDOMNode* root, const XDText& prefix, XDText& uri);
    void Forget() { m_read = false; }

private:
    void Read(IXMLDOMNode* root);

    std::unordered_map<XDText, XDText> m_bound;
    bool m_read = false;
};

class XDQName {
public:
    XDQName() = default;
    // The name text read at node: its prefix resolved in the declarations in scope there (the
    // root's taken from rootDeclarations when given).
    static XDQName Read(IXMLDOMNode* node, LPCWSTR text, XDRootDeclarations* rootDeclarations = nullptr);
    // A name in a known namespace.
    static XDQName InNamespace(LPCWSTR namespaceUri, LPCWSTR localName);

    const XDText& LocalName() const { return m_local; }
    // One text per name: equal keys name the same thing. A prefix the document binds nowhere is
    // kept as written, so such names still equal one another.
    XDText Key() const;
    // As equal keys, without building them.
    bool operator==(const XDQName& other) const
    {
        return m_bound == other.m_bound && m_local == other.m_local &&
               (m_bound ? m_namespace == other.m_namespace : m_prefix == other.m_prefix);
    }

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
// to no namespace (an empty URI). The root element's declarations come from rootDeclarations when
// given.
bool XDLookupNamespaceUri(IXMLDOMNode* node, const XDText& prefix, XDText& uri,
                          XDRootDeclarations* rootDeclarations = nullptr);
