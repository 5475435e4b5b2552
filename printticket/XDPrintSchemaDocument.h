// The base of the PrintTicket and PrintCapabilities document objects: wraps the DOM that holds the
// document, learns which prefixes it uses for the Print Schema namespaces, gives Print Schema names
// their prefix (the name rule), builds queries, and reads and writes elements. A caller builds a
// document object on the DOM it was handed for the length of one operation.
//
// Every operation answers an HRESULT: S_FALSE when nothing matched, E_POINTER for a missing out
// pointer, E_INVALIDARG for an empty name, HRESULT_FROM_WIN32(ERROR_NOT_FOUND) where a read finds no
// feature, option or scored property, and the DOM's own failures unchanged. Only the constructor
// throws (CXDException). Names passed in are read only; BSTRs handed out belong to the caller.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDString.h"

#include <functional>

class CXDPrintSchemaDocument {
public:
    // Throws E_PENDING without a DOM, E_FAIL when the root does not bind the framework namespace to
    // a prefix, and the DOM's failures.
    CXDPrintSchemaDocument(LPCWSTR rootName, IXMLDOMDocument2* document);
    virtual ~CXDPrintSchemaDocument();
    CXDPrintSchemaDocument(const CXDPrintSchemaDocument&) = delete;
    CXDPrintSchemaDocument& operator=(const CXDPrintSchemaDocument&) = delete;

    // Removes every feature of that name and what it refers to; S_FALSE once none is left.
    virtual HRESULT RemoveFeature(LPCWSTR name) = 0;

    // The prefixes found on the root, each with its colon (such as "psf:"), or empty.
    LPCWSTR GetPsfPrefix() const { return Text(m_psfPrefix); }
    LPCWSTR GetPskPrefix() const { return Text(m_pskPrefix); }
    LPCWSTR GetXsiPrefix() const { return Text(m_xsiPrefix); }
    LPCWSTR GetXsdPrefix() const { return Text(m_xsdPrefix); }
    LPCWSTR GetPrivatePrefix() const { return Text(m_privatePrefix); }
    LPCWSTR GetRootName() const { return Text(m_rootName); }
    IXMLDOMDocument2* GetDocument() const { return m_document.Get(); }

    // Selection and low-level nodes.
    HRESULT SelectSingleNode(LPCWSTR query, IXMLDOMNode** node);
    // With anywhere 1 the query is prefixed by "//" and the framework prefix.
    HRESULT SelectNodes(LPCWSTR query, IXMLDOMNodeList** list, int anywhere);
    HRESULT RemoveNode(IXMLDOMNode* node);
    HRESULT GetAttributeText(IXMLDOMNode* node, LPCWSTR attributeName, BSTR* text);
    HRESULT CreateElement(LPCWSTR qualifiedName, LPCWSTR namespaceUri, IXMLDOMElement** element);
    HRESULT SetAttribute(IXMLDOMElement* element, LPCWSTR qualifiedName, LPCWSTR namespaceUri, LPCWSTR value);
    // The value of what query selects: its Value child, or the ParameterInit its ParameterRef names.
    HRESULT GetNodeValueText(LPCWSTR query, BSTR* text);

    // Names and numbers.
    HRESULT FindNamespacePrefix(LPCWSTR namespaceUri, BSTR* prefix);
    // The name rule: the private prefix for the driver's own names, nothing for a name that has its
    // prefix, else the keywords prefix.
    HRESULT GetNamePrefix(LPCWSTR name, BSTR* prefix);
    // The name with the prefix the name rule gives it (the keywords prefix when the rule fails).
    HRESULT GetQualifiedName(LPCWSTR name, BSTR* qualifiedName);
    // Removes everything up to and including the first colon.
    HRESULT StripNamePrefix(BSTR* name);
    // "%d" of the value; 0 leaves *text as it is.
    HRESULT FormatInteger(int value, BSTR* text);

    // Property and ScoredProperty elements with a typed Value; each is handed back unattached.
    HRESULT CreatePropertyElement(LPCWSTR name, IXMLDOMElement** property);
    HRESULT SetPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value, IXMLDOMElement** property);
    HRESULT CreateScoredPropertyElement(LPCWSTR name, IXMLDOMElement** scoredProperty);
    HRESULT SetScoredPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value, IXMLDOMElement** scoredProperty);
    HRESULT SetScoredPropertyInteger(LPCWSTR name, int value, IXMLDOMElement** scoredProperty);
    HRESULT SetScoredPropertyText(LPCWSTR name, LPCWSTR value, IXMLDOMElement** scoredProperty);
    // Framework properties ("SelectionType", "IdentityOption"): named with the framework prefix.
    HRESULT CreateFrameworkPropertyElement(LPCWSTR name, IXMLDOMElement** property);
    HRESULT SetFrameworkPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value, IXMLDOMElement** property);

    // PrintTicket content.
    HRESULT GetFeatureElement(LPCWSTR name, IXMLDOMNode** node);
    // The selected option's name without prefix (or the text of its OptionName).
    HRESULT GetFeatureOption(LPCWSTR featureName, BSTR* option);
    HRESULT GetSubFeatureOption(LPCWSTR featureName, LPCWSTR subFeatureName, BSTR* option);
    HRESULT GetScoredPropertyValue(LPCWSTR featureName, LPCWSTR propertyName, BSTR* text);
    HRESULT GetScoredPropertyInteger(LPCWSTR featureName, LPCWSTR propertyName, int* value);
    HRESULT GetParameterInitValue(LPCWSTR name, BSTR* text);
    HRESULT CreateParameterInit(LPCWSTR name, LPCWSTR type, LPCWSTR value, IXMLDOMElement** parameterRef,
                                IXMLDOMElement** parameterInit);
    HRESULT CreateFeatureOption(LPCWSTR featureName, IXMLDOMElement** feature, IXMLDOMElement** option);
    HRESULT SetFeatureOption(LPCWSTR featureName, LPCWSTR optionName, IXMLDOMElement** feature,
                             IXMLDOMElement** option);
    HRESULT AppendToRoot(LPCWSTR rootName, IXMLDOMNode* node);
    HRESULT RemoveParameterInit(LPCWSTR name);
    HRESULT RemoveReferencedParameterInits(IXMLDOMNodeList* references);

protected:
    // Throwing forms for the operations built on them.
    CXDString QualifiedName(LPCWSTR name);
    CXDString Prefixed(LPCWSTR prefix, LPCWSTR name) const;
    void BindSelectionPrefix(LPCWSTR barePrefix);
    HRESULT MakeElement(LPCWSTR localName, IXMLDOMElement** element);
    HRESULT MakeNamedElement(LPCWSTR localName, LPCWSTR nameValue, IXMLDOMElement** element);
    HRESULT MakeValueElement(LPCWSTR type, LPCWSTR value, IXMLDOMElement** valueElement);
    HRESULT MakePropertyElement(LPCWSTR element, LPCWSTR nameValue, IXMLDOMElement** property);
    HRESULT MakePropertyWithValue(LPCWSTR element, LPCWSTR nameValue, LPCWSTR type, LPCWSTR value,
                                  IXMLDOMElement** property);
    // Removes, while any is found, each node the query selects; S_FALSE once none is left.
    HRESULT RemoveAllSelected(LPCWSTR query);

    // Removes a parameter element of the given name (ParameterInit or ParameterDef).
    using ParameterRemover = std::function<HRESULT(LPCWSTR name)>;
    // Removes every feature of that name, then hands the name each of its ParameterRefs gives to
    // removeParameter; S_FALSE once none is left.
    HRESULT RemoveFeatureAndParameters(LPCWSTR name, const ParameterRemover& removeParameter);
    // Hands the name of each ParameterRef in the list to removeParameter.
    HRESULT RemoveEachReferenced(IXMLDOMNodeList* references, const ParameterRemover& removeParameter);
    // A parameter name as given when it has a prefix, else with the one the name rule gives it.
    CXDString ParameterName(LPCWSTR name);

private:
    static LPCWSTR Text(const CXDBstr& text) { return text.Get() ? text.Get() : TEXT(""); }

    CXDComPtr<IXMLDOMDocument2> m_document;
    CXDBstr m_rootName;
    CXDBstr m_xsdPrefix;
    CXDBstr m_xsiPrefix;
    CXDBstr m_psfPrefix;
    CXDBstr m_pskPrefix;
    CXDBstr m_privatePrefix;
    // The prefix (without colon) that the DOM's selection namespaces bind to the framework namespace.
    CXDString m_selectionPrefix;
};
