// The simulated MSXML nodes: one COM object per reference handed out, over a libxml2 node.
// DomNodeCore holds the node and does the work; DomNode<Interface> gives it the interface of
// the node's kind (element, attribute, document or any other node).
#pragma once

#include <msxml2.h>

#include "com/ComObject.h"
#include "xml/DomStore.h"

#include <string>

namespace nirasim {
namespace xml {

// What a node object stands for: a libxml2 node, or a namespace declaration of an element, which
// MSXML shows as an attribute named "xmlns:prefix" (or "xmlns").
struct NodeRef {
    xmlNodePtr node = nullptr;
    bool isNamespace = false;
    xmlNodePtr owner = nullptr;  // the declaring element
    std::string prefix;          // of the declaration; empty for a default namespace
    std::string uri;
};

class DomNodeCore {
public:
    DomNodeCore(DomStore* store, NodeRef ref);
    DomNodeCore(const DomNodeCore&) = delete;
    DomNodeCore& operator=(const DomNodeCore&) = delete;
    virtual ~DomNodeCore();

    DomStore* Store() const { return m_store; }
    virtual xmlNodePtr Node() const { return m_ref.node; }
    const NodeRef& Ref() const { return m_ref; }
    virtual IXMLDOMNode* Self() = 0;

    HRESULT GetNodeName(BSTR* name);
    HRESULT GetNodeValue(VARIANT* value);
    HRESULT PutNodeValue(const VARIANT& value);
    HRESULT GetNodeType(DOMNodeType* type);
    HRESULT GetParentNode(IXMLDOMNode** parent);
    HRESULT GetChildNodes(IXMLDOMNodeList** list);
    HRESULT GetFirstChild(IXMLDOMNode** child);
    HRESULT GetLastChild(IXMLDOMNode** child);
    HRESULT GetPreviousSibling(IXMLDOMNode** sibling);
    HRESULT GetNextSibling(IXMLDOMNode** sibling);
    HRESULT GetAttributes(IXMLDOMNamedNodeMap** map);
    HRESULT InsertBefore(IXMLDOMNode* newChild, const VARIANT& refChild, IXMLDOMNode** outNewChild);
    HRESULT ReplaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, IXMLDOMNode** outOldChild);
    HRESULT RemoveChild(IXMLDOMNode* child, IXMLDOMNode** oldChild);
    HRESULT AppendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild);
    HRESULT HasChildNodes(VARIANT_BOOL* hasChild);
    HRESULT GetOwnerDocument(IXMLDOMDocument** document);
    HRESULT CloneNode(VARIANT_BOOL deep, IXMLDOMNode** clone);
    HRESULT GetNodeTypeString(BSTR* text);
    HRESULT GetText(BSTR* text);
    HRESULT PutText(BSTR text);
    HRESULT GetSpecified(VARIANT_BOOL* specified);
    HRESULT GetNodeTypedValue(VARIANT* value);
    HRESULT PutNodeTypedValue(const VARIANT& value);
    HRESULT GetDataType(VARIANT* dataType);
    HRESULT PutDataType(BSTR dataType);
    HRESULT GetXml(BSTR* xml);
    HRESULT SelectNodes(BSTR query, IXMLDOMNodeList** list);
    HRESULT SelectSingleNode(BSTR query, IXMLDOMNode** node);
    HRESULT GetParsed(VARIANT_BOOL* parsed);
    HRESULT GetNamespaceUri(BSTR* uri);
    HRESULT GetPrefix(BSTR* prefix);
    HRESULT GetBaseName(BSTR* name);

protected:
    // The child at the end `end` names (children or last) and the sibling on the side `side` names
    // (prev or next).
    HRESULT GetEndChild(xmlNodePtr xmlNode::*end, IXMLDOMNode** child);
    HRESULT GetSibling(xmlNodePtr xmlNode::*side, IXMLDOMNode** sibling);
    // Inserts newChild before `before` (null: at the end) below this node.
    HRESULT Insert(IXMLDOMNode* newChild, xmlNodePtr before, IXMLDOMNode** outNewChild);

    DomStore* m_store;
    NodeRef m_ref;
};

// A private interface id that answers the DomNodeCore of a node object of this machine.
// {6E1C4A57-3B0D-4C71-9E53-2A6A1B0D7F11}
DEFINE_GUID(IID_DomNodeCore, 0x6e1c4a57, 0x3b0d, 0x4c71, 0x9e, 0x53, 0x2a, 0x6a, 0x1b, 0x0d, 0x7f, 0x11);

// The DomNodeCore behind a node of this machine, or null for any other object. No reference is kept.
DomNodeCore* CoreOf(IUnknown* object);

template <class Interface>
class DomNode : public com::ComObject<Interface>, public DomNodeCore {
public:
    DomNode(DomStore* store, NodeRef ref) : DomNodeCore(store, std::move(ref)) {}

    IXMLDOMNode* Self() override { return this; }

    STDMETHODIMP get_nodeName(BSTR* name) override { return GetNodeName(name); }
    STDMETHODIMP get_nodeValue(VARIANT* value) override { return GetNodeValue(value); }
    STDMETHODIMP put_nodeValue(VARIANT value) override { return PutNodeValue(value); }
    STDMETHODIMP get_nodeType(DOMNodeType* type) override { return GetNodeType(type); }
    STDMETHODIMP get_parentNode(IXMLDOMNode** parent) override { return GetParentNode(parent); }
    STDMETHODIMP get_childNodes(IXMLDOMNodeList** list) override { return GetChildNodes(list); }
    STDMETHODIMP get_firstChild(IXMLDOMNode** child) override { return GetFirstChild(child); }
    STDMETHODIMP get_lastChild(IXMLDOMNode** child) override { return GetLastChild(child); }
    STDMETHODIMP get_previousSibling(IXMLDOMNode** sibling) override { return GetPreviousSibling(sibling); }
    STDMETHODIMP get_nextSibling(IXMLDOMNode** sibling) override { return GetNextSibling(sibling); }
    STDMETHODIMP get_attributes(IXMLDOMNamedNodeMap** map) override { return GetAttributes(map); }
    STDMETHODIMP insertBefore(IXMLDOMNode* newChild, VARIANT refChild, IXMLDOMNode** outNewChild) override
    {
        return InsertBefore(newChild, refChild, outNewChild);
    }
    STDMETHODIMP replaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild,
                              IXMLDOMNode** outOldChild) override
    {
        return ReplaceChild(newChild, oldChild, outOldChild);
    }
    STDMETHODIMP removeChild(IXMLDOMNode* child, IXMLDOMNode** oldChild) override
    {
        return RemoveChild(child, oldChild);
    }
    STDMETHODIMP appendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) override
    {
        return AppendChild(newChild, outNewChild);
    }
    STDMETHODIMP hasChildNodes(VARIANT_BOOL* hasChild) override { return HasChildNodes(hasChild); }
    STDMETHODIMP get_ownerDocument(IXMLDOMDocument** document) override { return GetOwnerDocument(document); }
    STDMETHODIMP cloneNode(VARIANT_BOOL deep, IXMLDOMNode** clone) override { return CloneNode(deep, clone); }
    STDMETHODIMP get_nodeTypeString(BSTR* text) override { return GetNodeTypeString(text); }
    STDMETHODIMP get_text(BSTR* text) override { return GetText(text); }
    STDMETHODIMP put_text(BSTR text) override { return PutText(text); }
    STDMETHODIMP get_specified(VARIANT_BOOL* specified) override { return GetSpecified(specified); }
    STDMETHODIMP get_nodeTypedValue(VARIANT* value) override { return GetNodeTypedValue(value); }
    STDMETHODIMP put_nodeTypedValue(VARIANT value) override { return PutNodeTypedValue(value); }
    STDMETHODIMP get_dataType(VARIANT* dataType) override { return GetDataType(dataType); }
    STDMETHODIMP put_dataType(BSTR dataType) override { return PutDataType(dataType); }
    STDMETHODIMP get_xml(BSTR* xml) override { return GetXml(xml); }
    STDMETHODIMP selectNodes(BSTR query, IXMLDOMNodeList** list) override { return SelectNodes(query, list); }
    STDMETHODIMP selectSingleNode(BSTR query, IXMLDOMNode** node) override
    {
        return SelectSingleNode(query, node);
    }
    STDMETHODIMP get_parsed(VARIANT_BOOL* parsed) override { return GetParsed(parsed); }
    STDMETHODIMP get_namespaceURI(BSTR* uri) override { return GetNamespaceUri(uri); }
    STDMETHODIMP get_prefix(BSTR* prefix) override { return GetPrefix(prefix); }
    STDMETHODIMP get_baseName(BSTR* name) override { return GetBaseName(name); }

protected:
    void* Find(REFIID riid) override
    {
        if (riid == IID_IXMLDOMNode) {
            return static_cast<IXMLDOMNode*>(this);
        }
        if (riid == IID_DomNodeCore) {
            return static_cast<DomNodeCore*>(this);
        }
        return com::ComObject<Interface>::Find(riid);
    }
};

// A new node object for node (null gives null); the caller owns the reference.
IXMLDOMNode* WrapNode(DomStore* store, xmlNodePtr node);
// The attribute object that shows a namespace declaration of owner.
IXMLDOMNode* WrapNamespace(DomStore* store, xmlNodePtr owner, xmlNsPtr ns);
// Hands a node out through *out: S_OK, or S_FALSE with null when there is none.
HRESULT ReturnNode(DomStore* store, xmlNodePtr node, IXMLDOMNode** out);

}  // namespace xml
}  // namespace nirasim
