// The MSXML DOM (version 3 interfaces) as the system uses it.
#pragma once

#include <objbase.h>
#include <oaidl.h>

typedef enum tagDOMNodeType {
    NODE_INVALID = 0,
    NODE_ELEMENT = 1,
    NODE_ATTRIBUTE = 2,
    NODE_TEXT = 3,
    NODE_CDATA_SECTION = 4,
    NODE_ENTITY_REFERENCE = 5,
    NODE_ENTITY = 6,
    NODE_PROCESSING_INSTRUCTION = 7,
    NODE_COMMENT = 8,
    NODE_DOCUMENT = 9,
    NODE_DOCUMENT_TYPE = 10,
    NODE_DOCUMENT_FRAGMENT = 11,
    NODE_NOTATION = 12
} DOMNodeType;

struct IXMLDOMNode;
struct IXMLDOMNodeList;
struct IXMLDOMNamedNodeMap;
struct IXMLDOMDocument;
struct IXMLDOMElement;
struct IXMLDOMAttribute;
struct IXMLDOMParseError;

DEFINE_GUID(IID_IXMLDOMNode, 0x2933bf80, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60);
DEFINE_GUID(IID_IXMLDOMDocument, 0x2933bf81, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60);
DEFINE_GUID(IID_IXMLDOMNodeList, 0x2933bf82, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60);
DEFINE_GUID(IID_IXMLDOMNamedNodeMap, 0x2933bf83, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e,
            0x60);
DEFINE_GUID(IID_IXMLDOMAttribute, 0x2933bf85, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60);
DEFINE_GUID(IID_IXMLDOMElement, 0x2933bf86, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60);
DEFINE_GUID(IID_IXMLDOMDocument2, 0x2933bf95, 0x7b36, 0x11d2, 0xb2, 0x0e, 0x00, 0xc0, 0x4f, 0x98, 0x3e, 0x60);
DEFINE_GUID(IID_IXMLDOMParseError, 0x3efaa426, 0x272f, 0x11d2, 0x83, 0x6f, 0x00, 0x00, 0xf8, 0x7a, 0x77,
            0x82);

// The version-independent document of MSXML 2 and later (served by version 3), and the versioned ones.
DEFINE_GUID(CLSID_DOMDocument, 0xf6d90f11, 0x9c73, 0x11d3, 0xb3, 0x2e, 0x00, 0xc0, 0x4f, 0x99, 0x0b, 0xb4);
DEFINE_GUID(CLSID_DOMDocument26, 0xf5078f1b, 0xc551, 0x11d3, 0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21);
DEFINE_GUID(CLSID_DOMDocument30, 0xf5078f32, 0xc551, 0x11d3, 0x89, 0xb9, 0x00, 0x00, 0xf8, 0x1f, 0xe2, 0x21);

struct IXMLDOMNode : public IDispatch {
    STDMETHOD(get_nodeName)(BSTR* name) PURE;
    STDMETHOD(get_nodeValue)(VARIANT* value) PURE;
    STDMETHOD(put_nodeValue)(VARIANT value) PURE;
    STDMETHOD(get_nodeType)(DOMNodeType* type) PURE;
    STDMETHOD(get_parentNode)(IXMLDOMNode** parent) PURE;
    STDMETHOD(get_childNodes)(IXMLDOMNodeList** childList) PURE;
    STDMETHOD(get_firstChild)(IXMLDOMNode** firstChild) PURE;
    STDMETHOD(get_lastChild)(IXMLDOMNode** lastChild) PURE;
    STDMETHOD(get_previousSibling)(IXMLDOMNode** previousSibling) PURE;
    STDMETHOD(get_nextSibling)(IXMLDOMNode** nextSibling) PURE;
    STDMETHOD(get_attributes)(IXMLDOMNamedNodeMap** attributeMap) PURE;
    STDMETHOD(insertBefore)(IXMLDOMNode* newChild, VARIANT refChild, IXMLDOMNode** outNewChild) PURE;
    STDMETHOD(replaceChild)(IXMLDOMNode* newChild, IXMLDOMNode* oldChild, IXMLDOMNode** outOldChild) PURE;
    STDMETHOD(removeChild)(IXMLDOMNode* childNode, IXMLDOMNode** oldChild) PURE;
    STDMETHOD(appendChild)(IXMLDOMNode* newChild, IXMLDOMNode** outNewChild) PURE;
    STDMETHOD(hasChildNodes)(VARIANT_BOOL* hasChild) PURE;
    STDMETHOD(get_ownerDocument)(IXMLDOMDocument** DOMDocument) PURE;
    STDMETHOD(cloneNode)(VARIANT_BOOL deep, IXMLDOMNode** cloneRoot) PURE;
    STDMETHOD(get_nodeTypeString)(BSTR* nodeType) PURE;
    STDMETHOD(get_text)(BSTR* text) PURE;
    STDMETHOD(put_text)(BSTR text) PURE;
    STDMETHOD(get_specified)(VARIANT_BOOL* isSpecified) PURE;
    STDMETHOD(get_nodeTypedValue)(VARIANT* typedValue) PURE;
    STDMETHOD(put_nodeTypedValue)(VARIANT typedValue) PURE;
    STDMETHOD(get_dataType)(VARIANT* dataTypeName) PURE;
    STDMETHOD(put_dataType)(BSTR dataTypeName) PURE;
    STDMETHOD(get_xml)(BSTR* xmlString) PURE;
    STDMETHOD(selectNodes)(BSTR queryString, IXMLDOMNodeList** resultList) PURE;
    STDMETHOD(selectSingleNode)(BSTR queryString, IXMLDOMNode** resultNode) PURE;
    STDMETHOD(get_parsed)(VARIANT_BOOL* isParsed) PURE;
    STDMETHOD(get_namespaceURI)(BSTR* namespaceURI) PURE;
    STDMETHOD(get_prefix)(BSTR* prefixString) PURE;
    STDMETHOD(get_baseName)(BSTR* nameString) PURE;
};

struct IXMLDOMNodeList : public IDispatch {
    STDMETHOD(get_item)(LONG index, IXMLDOMNode** listItem) PURE;
    STDMETHOD(get_length)(LONG* listLength) PURE;
    STDMETHOD(nextNode)(IXMLDOMNode** nextItem) PURE;
    STDMETHOD(reset)() PURE;
};

struct IXMLDOMNamedNodeMap : public IDispatch {
    STDMETHOD(getNamedItem)(BSTR name, IXMLDOMNode** namedItem) PURE;
    STDMETHOD(setNamedItem)(IXMLDOMNode* newItem, IXMLDOMNode** nameItem) PURE;
    STDMETHOD(removeNamedItem)(BSTR name, IXMLDOMNode** namedItem) PURE;
    STDMETHOD(get_item)(LONG index, IXMLDOMNode** listItem) PURE;
    STDMETHOD(get_length)(LONG* listLength) PURE;
    STDMETHOD(getQualifiedItem)(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** qualifiedItem) PURE;
    STDMETHOD(removeQualifiedItem)(BSTR baseName, BSTR namespaceURI, IXMLDOMNode** qualifiedItem) PURE;
    STDMETHOD(nextNode)(IXMLDOMNode** nextItem) PURE;
    STDMETHOD(reset)() PURE;
};

struct IXMLDOMAttribute : public IXMLDOMNode {
    STDMETHOD(get_name)(BSTR* attributeName) PURE;
    STDMETHOD(get_value)(VARIANT* attributeValue) PURE;
    STDMETHOD(put_value)(VARIANT attributeValue) PURE;
};

struct IXMLDOMElement : public IXMLDOMNode {
    STDMETHOD(get_tagName)(BSTR* tagName) PURE;
    STDMETHOD(getAttribute)(BSTR name, VARIANT* value) PURE;
    STDMETHOD(setAttribute)(BSTR name, VARIANT value) PURE;
    STDMETHOD(removeAttribute)(BSTR name) PURE;
    STDMETHOD(getAttributeNode)(BSTR name, IXMLDOMAttribute** attributeNode) PURE;
    STDMETHOD(setAttributeNode)(IXMLDOMAttribute* DOMAttribute, IXMLDOMAttribute** attributeNode) PURE;
    STDMETHOD(removeAttributeNode)(IXMLDOMAttribute* DOMAttribute, IXMLDOMAttribute** attributeNode) PURE;
    STDMETHOD(getElementsByTagName)(BSTR tagName, IXMLDOMNodeList** resultList) PURE;
    STDMETHOD(normalize)() PURE;
};

struct IXMLDOMParseError : public IDispatch {
    STDMETHOD(get_errorCode)(LONG* errorCode) PURE;
    STDMETHOD(get_url)(BSTR* urlString) PURE;
    STDMETHOD(get_reason)(BSTR* reasonString) PURE;
    STDMETHOD(get_srcText)(BSTR* sourceString) PURE;
    STDMETHOD(get_line)(LONG* lineNumber) PURE;
    STDMETHOD(get_linepos)(LONG* linePosition) PURE;
    STDMETHOD(get_filepos)(LONG* filePosition) PURE;
};

struct IXMLDOMDocument : public IXMLDOMNode {
    STDMETHOD(get_documentElement)(IXMLDOMElement** DOMElement) PURE;
    STDMETHOD(putref_documentElement)(IXMLDOMElement* DOMElement) PURE;
    STDMETHOD(createElement)(BSTR tagName, IXMLDOMElement** element) PURE;
    STDMETHOD(createAttribute)(BSTR name, IXMLDOMAttribute** attribute) PURE;
    STDMETHOD(getElementsByTagName)(BSTR tagName, IXMLDOMNodeList** resultList) PURE;
    STDMETHOD(createNode)(VARIANT Type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node) PURE;
    STDMETHOD(load)(VARIANT xmlSource, VARIANT_BOOL* isSuccessful) PURE;
    STDMETHOD(get_parseError)(IXMLDOMParseError** errorObj) PURE;
    STDMETHOD(get_async)(VARIANT_BOOL* isAsync) PURE;
    STDMETHOD(put_async)(VARIANT_BOOL isAsync) PURE;
    STDMETHOD(loadXML)(BSTR bstrXML, VARIANT_BOOL* isSuccessful) PURE;
    STDMETHOD(save)(VARIANT destination) PURE;
    STDMETHOD(get_validateOnParse)(VARIANT_BOOL* isValidating) PURE;
    STDMETHOD(put_validateOnParse)(VARIANT_BOOL isValidating) PURE;
    STDMETHOD(get_resolveExternals)(VARIANT_BOOL* isResolving) PURE;
    STDMETHOD(put_resolveExternals)(VARIANT_BOOL isResolving) PURE;
    STDMETHOD(get_preserveWhiteSpace)(VARIANT_BOOL* isPreserving) PURE;
    STDMETHOD(put_preserveWhiteSpace)(VARIANT_BOOL isPreserving) PURE;
};

struct IXMLDOMDocument2 : public IXMLDOMDocument {
    STDMETHOD(setProperty)(BSTR name, VARIANT value) PURE;
    STDMETHOD(getProperty)(BSTR name, VARIANT* value) PURE;
};
