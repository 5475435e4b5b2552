#include "xml/DomAttributeMap.h"

#include "xml/DomNode.h"
#include "xml/DomTree.h"

namespace nirasim {
namespace xml {

namespace {
constexpr const char* kXmlnsUri = "http://www.w3.org/2000/xmlns/";
}

DomAttributeMap::DomAttributeMap(DomStore* store, xmlNodePtr element, IXMLDOMElement* owner)
    : m_store(store), m_element(element), m_owner(owner)
{
    m_store->AddRef();
    m_owner->AddRef();
}

DomAttributeMap::~DomAttributeMap()
{
    m_owner->Release();
    m_store->Release();
}

void* DomAttributeMap::Find(REFIID riid)
{
    if (riid == IID_IXMLDOMNamedNodeMap) {
        return static_cast<IXMLDOMNamedNodeMap*>(this);
    }
    return ComObject::Find(riid);
}

HRESULT DomAttributeMap::ReturnItem(size_t index, IXMLDOMNode** item)
{
    return ReturnEntry(AttributeItemAt(m_element, index), item);
}

HRESULT DomAttributeMap::ReturnEntry(const AttributeItem& entry, IXMLDOMNode** item)
{
    if (entry.ns) {
        *item = WrapNamespace(m_store, m_element, entry.ns);
    } else if (entry.attribute) {
        *item = WrapNode(m_store, reinterpret_cast<xmlNodePtr>(entry.attribute));
    } else {
        return S_FALSE;
    }
    return *item ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP DomAttributeMap::getNamedItem(BSTR name, IXMLDOMNode** item)
{
    if (!item) {
        return E_INVALIDARG;
    }
    *item = nullptr;
    return ReturnEntry(FindAttributeItem(m_element, Utf8Of(name)), item);
}

STDMETHODIMP DomAttributeMap::setNamedItem(IXMLDOMNode* newItem, IXMLDOMNode** item)
{
    if (item) {
        *item = nullptr;
    }
    if (!newItem) {
        return E_INVALIDARG;
    }
    IXMLDOMAttribute* attribute = nullptr;
    if (FAILED(newItem->QueryInterface(IID_IXMLDOMAttribute, reinterpret_cast<void**>(&attribute)))) {
        return E_INVALIDARG;
    }
    IXMLDOMAttribute* replaced = nullptr;
    HRESULT hr = m_owner->setAttributeNode(attribute, &replaced);
    attribute->Release();
    if (replaced) {
        replaced->Release();
    }
    if (SUCCEEDED(hr) && item) {
        newItem->AddRef();
        *item = newItem;
    }
    return hr;
}

HRESULT DomAttributeMap::RemoveAttribute(xmlAttrPtr attribute, IXMLDOMNode** item)
{
    if (item) {
        *item = WrapNode(m_store, reinterpret_cast<xmlNodePtr>(attribute));
        if (!*item) {
            return E_OUTOFMEMORY;
        }
    }
    xmlUnlinkNode(reinterpret_cast<xmlNodePtr>(attribute));
    m_store->KeepDetached(reinterpret_cast<xmlNodePtr>(attribute));
    return S_OK;
}

STDMETHODIMP DomAttributeMap::removeNamedItem(BSTR name, IXMLDOMNode** item)
{
    if (item) {
        *item = nullptr;
    }
    AttributeItem found = FindAttributeItem(m_element, Utf8Of(name));
    if (found.ns) {
        return E_FAIL;  // declarations in use cannot be removed
    }
    if (!found.attribute) {
        return S_FALSE;
    }
    return RemoveAttribute(found.attribute, item);
}

STDMETHODIMP DomAttributeMap::get_item(LONG index, IXMLDOMNode** item)
{
    if (!item) {
        return E_INVALIDARG;
    }
    *item = nullptr;
    if (index < 0) {
        return S_FALSE;
    }
    return ReturnItem(static_cast<size_t>(index), item);
}

STDMETHODIMP DomAttributeMap::get_length(LONG* length)
{
    if (!length) {
        return E_INVALIDARG;
    }
    *length = static_cast<LONG>(AttributeCount(m_element));
    return S_OK;
}

STDMETHODIMP DomAttributeMap::getQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** item)
{
    if (!item) {
        return E_INVALIDARG;
    }
    *item = nullptr;
    std::string local = Utf8Of(baseName);
    std::string uri = Utf8Of(namespaceURI);
    std::vector<AttributeItem> items = CollectAttributes(m_element);
    for (size_t i = 0; i < items.size(); ++i) {
        const AttributeItem& entry = items[i];
        bool match;
        if (entry.ns) {
            std::string declared = entry.ns->prefix ? Chars(entry.ns->prefix) : "xmlns";
            match = uri == kXmlnsUri && declared == local;
        } else {
            std::string entryUri = entry.attribute->ns ? Chars(entry.attribute->ns->href) : "";
            match = entryUri == uri && local == Chars(entry.attribute->name);
        }
        if (match) {
            return ReturnItem(i, item);
        }
    }
    return S_FALSE;
}

STDMETHODIMP DomAttributeMap::removeQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** item)
{
    if (item) {
        *item = nullptr;
    }
    IXMLDOMNode* found = nullptr;
    HRESULT hr = getQualifiedItem(baseName, namespaceURI, &found);
    if (hr != S_OK) {
        return hr;
    }
    DomNodeCore* core = CoreOf(found);
    hr = core->Ref().isNamespace ? E_FAIL : RemoveAttribute(reinterpret_cast<xmlAttrPtr>(core->Node()), item);
    found->Release();
    return hr;
}

STDMETHODIMP DomAttributeMap::nextNode(IXMLDOMNode** item)
{
    if (!item) {
        return E_INVALIDARG;
    }
    *item = nullptr;
    HRESULT hr = ReturnItem(m_cursor, item);
    if (hr == S_OK) {
        ++m_cursor;
    }
    return hr;
}

STDMETHODIMP DomAttributeMap::reset()
{
    m_cursor = 0;
    return S_OK;
}

}  // namespace xml
}  // namespace nirasim
