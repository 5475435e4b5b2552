// Element and attribute nodes.
#pragma once

#include "xml/DomNode.h"

namespace nirasim {
namespace xml {

class DomElement : public DomNode<IXMLDOMElement> {
public:
    using DomNode::DomNode;

    STDMETHODIMP get_tagName(BSTR* tagName) override;
    STDMETHODIMP getAttribute(BSTR name, VARIANT* value) override;
    STDMETHODIMP setAttribute(BSTR name, VARIANT value) override;
    STDMETHODIMP removeAttribute(BSTR name) override;
    STDMETHODIMP getAttributeNode(BSTR name, IXMLDOMAttribute** attributeNode) override;
    STDMETHODIMP setAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** replaced) override;
    STDMETHODIMP removeAttributeNode(IXMLDOMAttribute* attribute, IXMLDOMAttribute** removed) override;
    STDMETHODIMP getElementsByTagName(BSTR tagName, IXMLDOMNodeList** list) override;
    STDMETHODIMP normalize() override;

protected:
    void* Find(REFIID riid) override;
};

class DomAttribute : public DomNode<IXMLDOMAttribute> {
public:
    using DomNode::DomNode;

    STDMETHODIMP get_name(BSTR* name) override;
    STDMETHODIMP get_value(VARIANT* value) override;
    STDMETHODIMP put_value(VARIANT value) override;

protected:
    void* Find(REFIID riid) override;
};

// The elements below node (not node itself) whose qualified name is name, or all for "*".
std::vector<xmlNodePtr> ElementsByTagName(xmlNodePtr node, const std::string& name);

// Declares or re-declares a namespace on element ("xmlns" or "xmlns:p" set as an attribute).
HRESULT DeclareNamespace(xmlNodePtr element, const std::string& attributeName, const std::string& uri);

}  // namespace xml
}  // namespace nirasim
