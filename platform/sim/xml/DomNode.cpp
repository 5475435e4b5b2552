#include "xml/DomNode.h"

#include "xml/DomAttributeMap.h"
#include "xml/DomDocument.h"
#include "xml/DomElement.h"
#include "xml/DomNodeList.h"
#include "xml/DomTree.h"
#include "xml/DomXPath.h"

#include <libxml/xmlsave.h>

namespace nirasim {
namespace xml {

namespace {

constexpr const char* kXmlnsUri = "http://www.w3.org/2000/xmlns/";

class DomPlainNode : public DomNode<IXMLDOMNode> {
public:
    using DomNode::DomNode;
};

DOMNodeType TypeOf(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ELEMENT_NODE:
        return NODE_ELEMENT;
    case XML_ATTRIBUTE_NODE:
        return NODE_ATTRIBUTE;
    case XML_TEXT_NODE:
        return NODE_TEXT;
    case XML_CDATA_SECTION_NODE:
        return NODE_CDATA_SECTION;
    case XML_ENTITY_REF_NODE:
        return NODE_ENTITY_REFERENCE;
    case XML_ENTITY_NODE:
        return NODE_ENTITY;
    case XML_PI_NODE:
        return NODE_PROCESSING_INSTRUCTION;
    case XML_COMMENT_NODE:
        return NODE_COMMENT;
    case XML_DOCUMENT_NODE:
        return NODE_DOCUMENT;
    case XML_DOCUMENT_TYPE_NODE:
    case XML_DTD_NODE:
        return NODE_DOCUMENT_TYPE;
    case XML_DOCUMENT_FRAG_NODE:
        return NODE_DOCUMENT_FRAGMENT;
    case XML_NOTATION_NODE:
        return NODE_NOTATION;
    default:
        return NODE_INVALID;
    }
}

bool HoldsValue(xmlNodePtr node)
{
    switch (node->type) {
    case XML_ATTRIBUTE_NODE:
    case XML_TEXT_NODE:
    case XML_CDATA_SECTION_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
        return true;
    default:
        return false;
    }
}

bool CanHoldChildren(xmlNodePtr node)
{
    return node->type == XML_ELEMENT_NODE || node->type == XML_DOCUMENT_NODE ||
           node->type == XML_DOCUMENT_FRAG_NODE;
}

std::string Serialize(xmlNodePtr node)
{
    xmlBufferPtr buffer = xmlBufferCreate();
    if (!buffer) {
        return {};
    }
    xmlSaveCtxtPtr save = xmlSaveToBuffer(buffer, "UTF-8", XML_SAVE_NO_DECL | XML_SAVE_AS_XML);
    if (save) {
        xmlSaveTree(save, node);
        xmlSaveClose(save);
    }
    std::string text(reinterpret_cast<const char*>(xmlBufferContent(buffer)), xmlBufferLength(buffer));
    xmlBufferFree(buffer);
    return text;
}

std::string EscapeAttributeValue(const std::string& value)
{
    std::string out;
    for (char c : value) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

}  // namespace

DomNodeCore::DomNodeCore(DomStore* store, NodeRef ref) : m_store(store), m_ref(std::move(ref))
{
    m_store->AddRef();
}

DomNodeCore::~DomNodeCore()
{
    m_store->Release();
}

DomNodeCore* CoreOf(IUnknown* object)
{
    if (!object) {
        return nullptr;
    }
    void* core = nullptr;
    if (FAILED(object->QueryInterface(IID_DomNodeCore, &core))) {
        return nullptr;
    }
    object->Release();  // the caller holds the object; its core lives as long
    return static_cast<DomNodeCore*>(core);
}

IXMLDOMNode* WrapNode(DomStore* store, xmlNodePtr node)
{
    if (!node) {
        return nullptr;
    }
    NodeRef ref;
    ref.node = node;
    switch (node->type) {
    case XML_ELEMENT_NODE:
        return new DomElement(store, ref);
    case XML_ATTRIBUTE_NODE:
        return new DomAttribute(store, ref);
    case XML_DOCUMENT_NODE:
        if (reinterpret_cast<xmlDocPtr>(node) == store->Document()) {
            return new DomDocument(store);
        }
        return new DomPlainNode(store, ref);
    default:
        return new DomPlainNode(store, ref);
    }
}

IXMLDOMNode* WrapNamespace(DomStore* store, xmlNodePtr owner, xmlNsPtr ns)
{
    NodeRef ref;
    ref.isNamespace = true;
    ref.owner = owner;
    ref.prefix = ns->prefix ? Chars(ns->prefix) : "";
    ref.uri = ns->href ? Chars(ns->href) : "";
    return new DomAttribute(store, ref);
}

HRESULT ReturnNode(DomStore* store, xmlNodePtr node, IXMLDOMNode** out)
{
    *out = WrapNode(store, node);
    return *out ? S_OK : S_FALSE;
}

HRESULT DomNodeCore::GetNodeName(BSTR* name)
{
    if (!name) {
        return E_INVALIDARG;
    }
    *name = nullptr;
    if (m_ref.isNamespace) {
        return ReturnBstrUtf8(m_ref.prefix.empty() ? "xmlns" : "xmlns:" + m_ref.prefix, name);
    }
    xmlNodePtr node = Node();
    switch (node->type) {
    case XML_TEXT_NODE:
        return ReturnBstr(u"#text", name);
    case XML_CDATA_SECTION_NODE:
        return ReturnBstr(u"#cdata-section", name);
    case XML_COMMENT_NODE:
        return ReturnBstr(u"#comment", name);
    case XML_DOCUMENT_NODE:
        return ReturnBstr(u"#document", name);
    case XML_DOCUMENT_FRAG_NODE:
        return ReturnBstr(u"#document-fragment", name);
    default:
        return ReturnBstrUtf8(QualifiedName(node), name);
    }
}

HRESULT DomNodeCore::GetNodeValue(VARIANT* value)
{
    if (!value) {
        return E_INVALIDARG;
    }
    VariantInit(value);
    if (m_ref.isNamespace) {
        return ReturnVariantText(m_ref.uri, value);
    }
    xmlNodePtr node = Node();
    if (!HoldsValue(node)) {
        value->vt = VT_NULL;
        return S_FALSE;
    }
    return ReturnVariantText(NodeText(node), value);
}

HRESULT DomNodeCore::PutNodeValue(const VARIANT& value)
{
    if (m_ref.isNamespace) {
        return E_FAIL;
    }
    xmlNodePtr node = Node();
    if (!HoldsValue(node)) {
        return E_FAIL;
    }
    std::string text;
    HRESULT hr = TextOfVariant(value, text);
    if (FAILED(hr)) {
        return hr;
    }
    if (node->type == XML_ATTRIBUTE_NODE) {
        SetAttributeValue(reinterpret_cast<xmlAttrPtr>(node), text);
    } else {
        xmlNodeSetContentLen(node, XmlChars(text), static_cast<int>(text.size()));
    }
    return S_OK;
}

HRESULT DomNodeCore::GetNodeType(DOMNodeType* type)
{
    if (!type) {
        return E_INVALIDARG;
    }
    *type = m_ref.isNamespace ? NODE_ATTRIBUTE : TypeOf(Node());
    return S_OK;
}

HRESULT DomNodeCore::GetParentNode(IXMLDOMNode** parent)
{
    if (!parent) {
        return E_INVALIDARG;
    }
    *parent = nullptr;
    if (m_ref.isNamespace) {
        return S_FALSE;
    }
    xmlNodePtr node = Node();
    // Attributes have no parent in the DOM; their element is their owner.
    if (node->type == XML_ATTRIBUTE_NODE) {
        return S_FALSE;
    }
    return ReturnNode(m_store, node->parent, parent);
}

HRESULT DomNodeCore::GetChildNodes(IXMLDOMNodeList** list)
{
    if (!list) {
        return E_INVALIDARG;
    }
    std::vector<xmlNodePtr> children;
    if (!m_ref.isNamespace && CanHoldChildren(Node())) {
        for (xmlNodePtr child = Node()->children; child; child = child->next) {
            children.push_back(child);
        }
    }
    *list = new DomNodeList(m_store, std::move(children));
    return S_OK;
}

HRESULT DomNodeCore::GetFirstChild(IXMLDOMNode** child)
{
    return GetEndChild(&xmlNode::children, child);
}

HRESULT DomNodeCore::GetLastChild(IXMLDOMNode** child)
{
    return GetEndChild(&xmlNode::last, child);
}

HRESULT DomNodeCore::GetEndChild(xmlNodePtr xmlNode::*end, IXMLDOMNode** child)
{
    if (!child) {
        return E_INVALIDARG;
    }
    *child = nullptr;
    if (m_ref.isNamespace || !CanHoldChildren(Node())) {
        return S_FALSE;
    }
    return ReturnNode(m_store, Node()->*end, child);
}

HRESULT DomNodeCore::GetPreviousSibling(IXMLDOMNode** sibling)
{
    return GetSibling(&xmlNode::prev, sibling);
}

HRESULT DomNodeCore::GetNextSibling(IXMLDOMNode** sibling)
{
    return GetSibling(&xmlNode::next, sibling);
}

HRESULT DomNodeCore::GetSibling(xmlNodePtr xmlNode::*side, IXMLDOMNode** sibling)
{
    if (!sibling) {
        return E_INVALIDARG;
    }
    *sibling = nullptr;
    if (m_ref.isNamespace || Node()->type == XML_ATTRIBUTE_NODE || Node()->type == XML_DOCUMENT_NODE) {
        return S_FALSE;
    }
    return ReturnNode(m_store, Node()->*side, sibling);
}

HRESULT DomNodeCore::GetAttributes(IXMLDOMNamedNodeMap** map)
{
    if (!map) {
        return E_INVALIDARG;
    }
    *map = nullptr;
    if (m_ref.isNamespace || Node()->type != XML_ELEMENT_NODE) {
        return S_FALSE;
    }
    IXMLDOMElement* element = nullptr;
    HRESULT hr = Self()->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element));
    if (FAILED(hr)) {
        return hr;
    }
    *map = new DomAttributeMap(m_store, Node(), element);
    element->Release();
    return S_OK;
}

HRESULT DomNodeCore::Insert(IXMLDOMNode* newChild, xmlNodePtr before, IXMLDOMNode** outNewChild)
{
    if (outNewChild) {
        *outNewChild = nullptr;
    }
    DomNodeCore* core = CoreOf(newChild);
    if (!core || core->Store() != m_store || core->Ref().isNamespace) {
        return E_INVALIDARG;  // nodes move only within their own document
    }
    xmlNodePtr parent = Node();
    xmlNodePtr child = core->Node();
    if (m_ref.isNamespace || !CanHoldChildren(parent)) {
        return E_FAIL;
    }
    if (child->type == XML_ATTRIBUTE_NODE || child->type == XML_DOCUMENT_NODE ||
        IsAncestorOrSelf(child, parent)) {
        return E_FAIL;
    }
    if (parent->type == XML_DOCUMENT_NODE) {
        if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
            return E_FAIL;
        }
        xmlNodePtr root = xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(parent));
        if (child->type == XML_ELEMENT_NODE && root && root != child) {
            return E_FAIL;  // a document has one top element
        }
    }
    if (child == before) {
        before = child->next;
    }
    if (child->parent) {
        xmlUnlinkNode(child);
        if (child->type == XML_ELEMENT_NODE) {
            xmlReconciliateNs(child->doc, child);  // keeps the declarations it used where it was
        }
    }
    LinkChild(parent, child, before);
    DropRedundantNamespaces(m_store, child);
    if (outNewChild) {
        newChild->AddRef();
        *outNewChild = newChild;
    }
    return S_OK;
}

HRESULT DomNodeCore::InsertBefore(IXMLDOMNode* newChild, const VARIANT& refChild, IXMLDOMNode** outNewChild)
{
    xmlNodePtr before = nullptr;
    if (refChild.vt == VT_UNKNOWN || refChild.vt == VT_DISPATCH) {
        DomNodeCore* reference = CoreOf(refChild.punkVal);
        if (reference) {
            before = reference->Node();
            if (reference->Ref().isNamespace || before->parent != Node()) {
                return E_INVALIDARG;
            }
        } else if (refChild.punkVal) {
            return E_INVALIDARG;
        }
    } else if (refChild.vt != VT_EMPTY && refChild.vt != VT_NULL) {
        return E_INVALIDARG;
    }
    return Insert(newChild, before, outNewChild);
}

HRESULT DomNodeCore::AppendChild(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild)
{
    return Insert(newChild, nullptr, outNewChild);
}

HRESULT DomNodeCore::ReplaceChild(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, IXMLDOMNode** outOldChild)
{
    if (outOldChild) {
        *outOldChild = nullptr;
    }
    DomNodeCore* old = CoreOf(oldChild);
    if (!old || old->Ref().isNamespace || old->Node()->parent != Node() ||
        old->Node()->type == XML_ATTRIBUTE_NODE) {
        return E_INVALIDARG;
    }
    xmlNodePtr oldNode = old->Node();
    if (newChild == oldChild) {
        if (outOldChild) {
            oldChild->AddRef();
            *outOldChild = oldChild;
        }
        return S_OK;
    }
    // The old child leaves first, so that a new top element may take its place.
    xmlNodePtr before = oldNode->next;
    DetachNode(m_store, oldNode);
    HRESULT hr = Insert(newChild, before, nullptr);
    if (FAILED(hr)) {
        xmlNodePtr next = before;
        LinkChild(Node(), oldNode, next);
        DropRedundantNamespaces(m_store, oldNode);
        return hr;
    }
    if (outOldChild) {
        oldChild->AddRef();
        *outOldChild = oldChild;
    }
    return S_OK;
}

HRESULT DomNodeCore::RemoveChild(IXMLDOMNode* child, IXMLDOMNode** oldChild)
{
    if (oldChild) {
        *oldChild = nullptr;
    }
    DomNodeCore* core = CoreOf(child);
    if (!core || core->Store() != m_store || core->Ref().isNamespace) {
        return E_INVALIDARG;
    }
    xmlNodePtr node = core->Node();
    if (node->type == XML_ATTRIBUTE_NODE || node->parent != Node()) {
        return E_INVALIDARG;
    }
    DetachNode(m_store, node);
    if (oldChild) {
        child->AddRef();
        *oldChild = child;
    }
    return S_OK;
}

HRESULT DomNodeCore::HasChildNodes(VARIANT_BOOL* hasChild)
{
    if (!hasChild) {
        return E_INVALIDARG;
    }
    bool any = !m_ref.isNamespace && CanHoldChildren(Node()) && Node()->children;
    *hasChild = any ? VARIANT_TRUE : VARIANT_FALSE;
    return any ? S_OK : S_FALSE;
}

HRESULT DomNodeCore::GetOwnerDocument(IXMLDOMDocument** document)
{
    if (!document) {
        return E_INVALIDARG;
    }
    *document = nullptr;
    if (!m_ref.isNamespace && Node()->type == XML_DOCUMENT_NODE) {
        return S_FALSE;
    }
    auto* owner = new DomDocument(m_store);
    HRESULT hr = owner->QueryInterface(IID_IXMLDOMDocument, reinterpret_cast<void**>(document));
    owner->Release();
    return hr;
}

HRESULT DomNodeCore::CloneNode(VARIANT_BOOL deep, IXMLDOMNode** clone)
{
    if (!clone) {
        return E_INVALIDARG;
    }
    *clone = nullptr;
    if (m_ref.isNamespace || Node()->type == XML_DOCUMENT_NODE) {
        return E_NOTIMPL;
    }
    xmlNodePtr copy = xmlDocCopyNode(Node(), Node()->doc, deep != VARIANT_FALSE ? 1 : 2);
    if (!copy) {
        return E_OUTOFMEMORY;
    }
    m_store->KeepDetached(copy);
    return ReturnNode(m_store, copy, clone);
}

HRESULT DomNodeCore::GetNodeTypeString(BSTR* text)
{
    if (!text) {
        return E_INVALIDARG;
    }
    static const char16_t* const kNames[] = {
        u"invalid",      u"element",         u"attribute",    u"text",
        u"cdatasection", u"entityreference", u"entity",       u"processinginstruction",
        u"comment",      u"document",        u"documenttype", u"documentfragment",
        u"notation"};
    DOMNodeType type;
    GetNodeType(&type);
    return ReturnBstr(kNames[type], text);
}

HRESULT DomNodeCore::GetText(BSTR* text)
{
    if (!text) {
        return E_INVALIDARG;
    }
    *text = nullptr;
    std::string value = m_ref.isNamespace ? m_ref.uri : NodeText(Node());
    HRESULT hr = ReturnBstrUtf8(value, text);
    // As documented for MSXML: S_FALSE when there is no text (an empty string is still handed out).
    return SUCCEEDED(hr) && value.empty() ? S_FALSE : hr;
}

HRESULT DomNodeCore::PutText(BSTR text)
{
    if (m_ref.isNamespace) {
        return E_FAIL;
    }
    xmlNodePtr node = Node();
    std::string value = Utf8Of(text);
    if (HoldsValue(node)) {
        VARIANT variant;
        VariantInit(&variant);
        variant.vt = VT_BSTR;
        variant.bstrVal = text;
        return PutNodeValue(variant);
    }
    if (node->type != XML_ELEMENT_NODE) {
        return E_FAIL;
    }
    while (node->children) {
        DetachNode(m_store, node->children);
    }
    if (!value.empty()) {
        xmlNodePtr textNode = xmlNewDocText(node->doc, XmlChars(value));
        if (!textNode) {
            return E_OUTOFMEMORY;
        }
        LinkChild(node, textNode, nullptr);
    }
    return S_OK;
}

HRESULT DomNodeCore::GetSpecified(VARIANT_BOOL* specified)
{
    if (!specified) {
        return E_INVALIDARG;
    }
    *specified = VARIANT_TRUE;
    return S_OK;
}

HRESULT DomNodeCore::GetNodeTypedValue(VARIANT* value)
{
    if (!value) {
        return E_INVALIDARG;
    }
    VariantInit(value);
    // Without a schema data type every value is text.
    if (m_ref.isNamespace) {
        return ReturnVariantText(m_ref.uri, value);
    }
    xmlNodePtr node = Node();
    if (node->type == XML_DOCUMENT_NODE) {
        value->vt = VT_NULL;
        return S_FALSE;
    }
    return ReturnVariantText(NodeText(node), value);
}

HRESULT DomNodeCore::PutNodeTypedValue(const VARIANT& value)
{
    std::string text;
    HRESULT hr = TextOfVariant(value, text);
    if (FAILED(hr)) {
        return hr;
    }
    BSTR bstr = nullptr;
    hr = ReturnBstrUtf8(text, &bstr);
    if (FAILED(hr)) {
        return hr;
    }
    hr = PutText(bstr);
    SysFreeString(bstr);
    return hr;
}

HRESULT DomNodeCore::GetDataType(VARIANT* dataType)
{
    if (!dataType) {
        return E_INVALIDARG;
    }
    VariantInit(dataType);
    dataType->vt = VT_NULL;
    return S_FALSE;
}

HRESULT DomNodeCore::PutDataType(BSTR)
{
    return E_NOTIMPL;
}

HRESULT DomNodeCore::GetXml(BSTR* xml)
{
    if (!xml) {
        return E_INVALIDARG;
    }
    *xml = nullptr;
    if (m_ref.isNamespace) {
        std::string name = m_ref.prefix.empty() ? "xmlns" : "xmlns:" + m_ref.prefix;
        return ReturnBstrUtf8(name + "=\"" + EscapeAttributeValue(m_ref.uri) + "\"", xml);
    }
    xmlNodePtr node = Node();
    if (node->type == XML_ATTRIBUTE_NODE) {
        return ReturnBstrUtf8(QualifiedName(node) + "=\"" + EscapeAttributeValue(NodeText(node)) + "\"", xml);
    }
    if (node->type == XML_DOCUMENT_NODE) {
        std::string text;
        for (xmlNodePtr child = node->children; child; child = child->next) {
            if (child->type != XML_DTD_NODE) {
                text += Serialize(child) + "\r\n";
            }
        }
        return ReturnBstrUtf8(text, xml);
    }
    return ReturnBstrUtf8(Serialize(node), xml);
}

HRESULT DomNodeCore::SelectNodes(BSTR query, IXMLDOMNodeList** list)
{
    if (!list) {
        return E_INVALIDARG;
    }
    *list = nullptr;
    if (m_ref.isNamespace) {
        return E_FAIL;
    }
    std::vector<xmlNodePtr> nodes;
    HRESULT hr = SelectFrom(m_store, Node(), query, nodes);
    if (FAILED(hr)) {
        return hr;
    }
    *list = new DomNodeList(m_store, std::move(nodes));
    return S_OK;
}

HRESULT DomNodeCore::SelectSingleNode(BSTR query, IXMLDOMNode** node)
{
    if (!node) {
        return E_INVALIDARG;
    }
    *node = nullptr;
    if (m_ref.isNamespace) {
        return E_FAIL;
    }
    std::vector<xmlNodePtr> nodes;
    HRESULT hr = SelectFrom(m_store, Node(), query, nodes);
    if (FAILED(hr)) {
        return hr;
    }
    if (nodes.empty()) {
        return S_FALSE;
    }
    return ReturnNode(m_store, nodes.front(), node);
}

HRESULT DomNodeCore::GetParsed(VARIANT_BOOL* parsed)
{
    if (!parsed) {
        return E_INVALIDARG;
    }
    *parsed = VARIANT_TRUE;
    return S_OK;
}

HRESULT DomNodeCore::GetNamespaceUri(BSTR* uri)
{
    if (!uri) {
        return E_INVALIDARG;
    }
    *uri = nullptr;
    if (m_ref.isNamespace) {
        return ReturnBstrUtf8(kXmlnsUri, uri);
    }
    xmlNodePtr node = Node();
    bool named = node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE;
    return ReturnBstrUtf8(named && node->ns && node->ns->href ? Chars(node->ns->href) : "", uri);
}

HRESULT DomNodeCore::GetPrefix(BSTR* prefix)
{
    if (!prefix) {
        return E_INVALIDARG;
    }
    *prefix = nullptr;
    if (m_ref.isNamespace) {
        return ReturnBstrUtf8(m_ref.prefix.empty() ? "" : "xmlns", prefix);
    }
    xmlNodePtr node = Node();
    bool named = node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE;
    return ReturnBstrUtf8(named && node->ns && node->ns->prefix ? Chars(node->ns->prefix) : "", prefix);
}

HRESULT DomNodeCore::GetBaseName(BSTR* name)
{
    if (!name) {
        return E_INVALIDARG;
    }
    *name = nullptr;
    if (m_ref.isNamespace) {
        return ReturnBstrUtf8(m_ref.prefix.empty() ? "xmlns" : m_ref.prefix, name);
    }
    xmlNodePtr node = Node();
    bool named =
        node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE || node->type == XML_PI_NODE;
    return ReturnBstrUtf8(named && node->name ? Chars(node->name) : "", name);
}

}  // namespace xml
}  // namespace nirasim
