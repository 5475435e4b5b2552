// The attributes of an element as MSXML lists them: its namespace declarations ("xmlns:p"), then
// its attributes. The map reads the element each time, so it follows changes.
#pragma once

#include <msxml2.h>

#include "com/ComObject.h"
#include "xml/DomStore.h"
#include "xml/DomTree.h"

namespace nirasim {
namespace xml {

class DomAttributeMap : public com::ComObject<IXMLDOMNamedNodeMap> {
public:
    DomAttributeMap(DomStore* store, xmlNodePtr element, IXMLDOMElement* owner);

    STDMETHODIMP getNamedItem(BSTR name, IXMLDOMNode** item) override;
    STDMETHODIMP setNamedItem(IXMLDOMNode* newItem, IXMLDOMNode** item) override;
    STDMETHODIMP removeNamedItem(BSTR name, IXMLDOMNode** item) override;
    STDMETHODIMP get_item(LONG index, IXMLDOMNode** item) override;
    STDMETHODIMP get_length(LONG* length) override;
    STDMETHODIMP getQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** item) override;
    STDMETHODIMP removeQualifiedItem(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** item) override;
    STDMETHODIMP nextNode(IXMLDOMNode** item) override;
    STDMETHODIMP reset() override;

protected:
    ~DomAttributeMap() override;
    void* Find(REFIID riid) override;

private:
    HRESULT ReturnItem(size_t index, IXMLDOMNode** item);
    // S_FALSE for an empty entry.
    HRESULT ReturnEntry(const AttributeItem& entry, IXMLDOMNode** item);
    HRESULT RemoveAttribute(xmlAttrPtr attribute, IXMLDOMNode** item);

    DomStore* m_store;
    xmlNodePtr m_element;
    IXMLDOMElement* m_owner;  // keeps the element's object for setNamedItem
    size_t m_cursor = 0;
};

}  // namespace xml
}  // namespace nirasim
