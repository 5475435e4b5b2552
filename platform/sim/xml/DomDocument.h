// The document: creation of nodes, loading and the selection properties.
#pragma once

#include "xml/DomNode.h"

namespace nirasim {
namespace xml {

class DomDocument : public DomNode<IXMLDOMDocument2> {
public:
    explicit DomDocument(DomStore* store);

    xmlNodePtr Node() const override;

    STDMETHODIMP get_documentElement(IXMLDOMElement** element) override;
    STDMETHODIMP putref_documentElement(IXMLDOMElement* element) override;
    STDMETHODIMP createElement(BSTR tagName, IXMLDOMElement** element) override;
    STDMETHODIMP createAttribute(BSTR name, IXMLDOMAttribute** attribute) override;
    STDMETHODIMP getElementsByTagName(BSTR tagName, IXMLDOMNodeList** list) override;
    STDMETHODIMP createNode(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) override;
    STDMETHODIMP load(VARIANT source, VARIANT_BOOL* isSuccessful) override;
    STDMETHODIMP get_parseError(IXMLDOMParseError** error) override;
    STDMETHODIMP get_async(VARIANT_BOOL* isAsync) override;
    STDMETHODIMP put_async(VARIANT_BOOL isAsync) override;
    STDMETHODIMP loadXML(BSTR text, VARIANT_BOOL* isSuccessful) override;
    STDMETHODIMP save(VARIANT destination) override;
    STDMETHODIMP get_validateOnParse(VARIANT_BOOL* value) override;
    STDMETHODIMP put_validateOnParse(VARIANT_BOOL value) override;
    STDMETHODIMP get_resolveExternals(VARIANT_BOOL* value) override;
    STDMETHODIMP put_resolveExternals(VARIANT_BOOL value) override;
    STDMETHODIMP get_preserveWhiteSpace(VARIANT_BOOL* value) override;
    STDMETHODIMP put_preserveWhiteSpace(VARIANT_BOOL value) override;
    STDMETHODIMP setProperty(BSTR name, VARIANT value) override;
    STDMETHODIMP getProperty(BSTR name, VARIANT* value) override;

protected:
    void* Find(REFIID riid) override;

private:
    // createNode without a namespace, the node answered as the interface iid names.
    HRESULT CreateNodeAs(DOMNodeType nodeType, BSTR name, REFIID iid, void** created);
    // Parses UTF-8 (or self-described) bytes into the document; S_FALSE with the parse error kept
    // when the text is not a well-formed document, which then leaves the document empty.
    HRESULT Parse(const std::string& bytes, const char* forcedEncoding, const std::u16string& url,
                  VARIANT_BOOL* isSuccessful);
    HRESULT Fail(long errorCode, const std::u16string& reason, const std::u16string& url,
                 VARIANT_BOOL* isSuccessful);
};

}  // namespace xml
}  // namespace nirasim
