#include "xml/DomElement.h"

#include "xml/DomNodeList.h"
#include "xml/DomTree.h"

namespace nirasim {
namespace xml {

namespace {

void CollectElements(xmlNodePtr node, const std::string& name, std::vector<xmlNodePtr>& out)
{
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) {
            continue;
        }
        if (name == "*" || QualifiedName(child) == name) {
            out.push_back(child);
        }
        CollectElements(child, name, out);
    }
}

bool IsNamespaceAttributeName(const std::string& name)
{
    return name == "xmlns" || name.compare(0, 6, "xmlns:") == 0;
}

}  // namespace

std::vector<xmlNodePtr> ElementsByTagName(xmlNodePtr node, const std::string& name)
{
    std::vector<xmlNodePtr> out;
    CollectElements(node, name, out);
    return out;
}

HRESULT DeclareNamespace(xmlNodePtr element, const std::string& attributeName, const std::string& uri)
{
    std::string prefix = attributeName.size() > 6 ? attributeName.substr(6) : std::string();
    const xmlChar* prefixChars = prefix.empty() ? nullptr : XmlChars(prefix);
    for (xmlNsPtr ns = element->nsDef; ns; ns = ns->next) {
        if (xmlStrEqual(ns->prefix, prefixChars) || (!ns->prefix && !prefixChars)) {
            if (xmlStrEqual(ns->href, XmlChars(uri))) {
                return S_OK;
            }
            return E_FAIL;  // rebinding a prefix would change the names already written with it
        }
    }
    return xmlNewNs(element, XmlChars(uri), prefixChars) ? S_OK : E_FAIL;
}

void* DomElement::Find(REFIID riid)
{
    if (riid == IID_IXMLDOMElement) {
        return static_cast<IXMLDOMElement*>(this);
    }
    return DomNode::Find(riid);
}

STDMETHODIMP DomElement::get_tagName(BSTR* tagName)
{
    return GetNodeName(tagName);
}

STDMETHODIMP DomElement::getAttribute(BSTR name, VARIANT* value)
{
    if (!value) {
        return E_INVALIDARG;
    }
    VariantInit(value);
    AttributeItem item = FindAttributeItem(Node(), Utf8Of(name));
    if (item.ns) {
        return ReturnVariantText(Chars(item.ns->href), value);
    }
    if (!item.attribute) {
        value->vt = VT_NULL;
        return S_FALSE;
    }
    return ReturnVariantText(NodeText(reinterpret_cast<xmlNodePtr>(item.attribute)), value);
}

STDMETHODIMP DomElement::setAttribute(BSTR name, VARIANT value)
{
    std::string qualified = Utf8Of(name);
    if (qualified.empty()) {
        return E_INVALIDARG;
    }
    std::string text;
    HRESULT hr = TextOfVariant(value, text);
    if (FAILED(hr)) {
        return hr;
    }
    xmlNodePtr element = Node();
    if (IsNamespaceAttributeName(qualified)) {
        return DeclareNamespace(element, qualified, text);
    }
    AttributeItem item = FindAttributeItem(element, qualified);
    if (item.attribute) {
        SetAttributeValue(item.attribute, text);
        return S_OK;
    }
    std::string local;
    std::string prefix = SplitPrefix(qualified, local);
    xmlNsPtr ns = prefix.empty() ? nullptr : xmlSearchNs(element->doc, element, XmlChars(prefix));
    xmlAttrPtr created = ns ? xmlNewNsProp(element, ns, XmlChars(local), XmlChars(text))
                            : xmlNewNsProp(element, nullptr, XmlChars(qualified), XmlChars(text));
    return created ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DomElement::removeAttribute(BSTR name)
{
    AttributeItem item = FindAttributeItem(Node(), Utf8Of(name));
    if (item.ns) {
        return E_FAIL;
    }
    if (!item.attribute) {
        return S_FALSE;
    }
    xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(item.attribute));
    Store()->KeepDetached(reinterpret_cast<xmlNodePtr>(item.attribute));
    return S_OK;
}

STDMETHODIMP DomElement::getAttributeNode(BSTR name, IXMLDOMAttribute** attributeNode)
{
    if (!attributeNode) {
        return E_INVALIDARG;
    }
    *attributeNode = nullptr;
    AttributeItem item = FindAttributeItem(Node(), Utf8Of(name));
    IXMLDOMNode* node = nullptr;
    if (item.ns) {
        node = WrapNamespace(Store(), Node(), item.ns);
    } else if (item.attribute) {
        node = WrapNode(Store(), reinterpret_cast<xmlNodePtr>(item.attribute));
    } else {
        return S_FALSE;
    }
    if (!node) {
        return E_OUTOFMEMORY;
    }
    HRESULT hr = node->QueryInterface(IID_IXMLDOMAttribute, reinterpret_cast<void**>(attributeNode));
    node->Release();
    return hr;
}

STDMETHODIMP DomElement::setAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** replaced)
{
    if (replaced) {
        *replaced = nullptr;
    }
    DomNodeCore* core = CoreOf(attribute);
    if (!core || core->Store() != Store()) {
        return E_INVALIDARG;
    }
    xmlNodePtr element = Node();
    if (core->Ref().isNamespace) {
        BSTR name = nullptr;
        HRESULT hr = core->GetNodeName(&name);
        if (SUCCEEDED(hr)) {
            hr = DeclareNamespace(element, Utf8Of(name), core->Ref().uri);
        }
        SysFreeString(name);
        return hr;
    }
    auto* added = reinterpret_cast<xmlAttrPtr>(core->Node());
    if (added->parent == element) {
        return S_OK;
    }
    if (added->parent) {
        return E_FAIL;  // still in use by another element
    }
    if (added->ns) {
        xmlNsPtr inScope = xmlSearchNs(element->doc, element, added->ns->prefix);
        if (!inScope || !xmlStrEqual(inScope->href, added->ns->href)) {
            inScope = xmlNewNs(element, added->ns->href, added->ns->prefix);
            if (!inScope) {
                return E_FAIL;  // the prefix is bound to another namespace here
            }
        }
        added->ns = inScope;
    }
    AttributeItem old = FindAttributeItem(element, QualifiedName(reinterpret_cast<xmlNodePtr>(added)));
    if (old.attribute) {
        if (replaced) {
            IXMLDOMNode* oldNode = WrapNode(Store(), reinterpret_cast<xmlNodePtr>(old.attribute));
            if (oldNode) {
                oldNode->QueryInterface(IID_IXMLDOMAttribute, reinterpret_cast<void**>(replaced));
                oldNode->Release();
            }
        }
        xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(old.attribute));
        Store()->KeepDetached(reinterpret_cast<xmlNodePtr>(old.attribute));
    }
    if (added->doc != element->doc) {
        xmlSetTreeDoc(reinterpret_cast<xmlNodePtr>(added), element->doc);
    }
    added->parent = element;
    added->next = nullptr;
    added->prev = nullptr;
    if (!element->properties) {
        element->properties = added;
    } else {
        xmlAttrPtr last = element->properties;
        while (last->next) {
            last = last->next;
        }
        last->next = added;
        added->prev = last;
    }
    return S_OK;
}

STDMETHODIMP DomElement::removeAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** removed)
{
    if (removed) {
        *removed = nullptr;
    }
    DomNodeCore* core = CoreOf(attribute);
    if (!core || core->Ref().isNamespace || core->Node()->parent != Node()) {
        return E_INVALIDARG;
    }
    xmlUnlinkNode(core->Node());
    Store()->KeepDetached(core->Node());
    if (removed) {
        attribute->AddRef();
        *removed = attribute;
    }
    return S_OK;
}

STDMETHODIMP DomElement::getElementsByTagName(BSTR tagName, IXMLDOMNodeList** list)
{
    if (!list) {
        return E_INVALIDARG;
    }
    *list = new DomNodeList(Store(), ElementsByTagName(Node(), Utf8Of(tagName)));
    return S_OK;
}

STDMETHODIMP DomElement::normalize()
{
    return S_OK;
}

void* DomAttribute::Find(REFIID riid)
{
    if (riid == IID_IXMLDOMAttribute) {
        return static_cast<IXMLDOMAttribute*>(this);
    }
    return DomNode::Find(riid);
}

STDMETHODIMP DomAttribute::get_name(BSTR* name)
{
    return GetNodeName(name);
}

STDMETHODIMP DomAttribute::get_value(VARIANT* value)
{
    return GetNodeValue(value);
}

STDMETHODIMP DomAttribute::put_value(VARIANT value)
{
    return PutNodeValue(value);
}

}  // namespace xml
}  // namespace nirasim
