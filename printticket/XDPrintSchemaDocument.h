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
#include "printticket/XDQName.h"
#include "printticket/XDString.h"

#include <unordered_set>
#include <vector>

class CXDPrintSchemaDocument {
public:
    // Throws E_PENDING without a DOM, E_FAIL when the document element is not the root named in the
    // framework namespace, and the DOM's failures.
    CXDPrintSchemaDocument(LPCWSTR rootName, IXMLDOMDocument2* document);
    virtual ~CXDPrintSchemaDocument();
    CXDPrintSchemaDocument(const CXDPrintSchemaDocument&) = delete;
    CXDPrintSchemaDocument& operator=(const CXDPrintSchemaDocument&) = delete;

    // Removes every feature of that name and what it refers to; S_FALSE once none is left.
    virtual HRESULT RemoveFeature(LPCWSTR name) = 0;

    // The prefixes the root binds, each with its colon (such as "psf:"), or empty. They are the
    // prefixes written; names are read by namespace, whatever prefix a document uses where. A write
    // declares on the root the framework, keywords and private prefixes the root lacks.
    LPCWSTR GetPsfPrefix() const { return Text(m_psfPrefix); }
    LPCWSTR GetPskPrefix() const { return Text(m_pskPrefix); }
    LPCWSTR GetXsiPrefix() const { return Text(m_xsiPrefix); }
    LPCWSTR GetXsdPrefix() const { return Text(m_xsdPrefix); }
    LPCWSTR GetPrivatePrefix() const { return Text(m_privatePrefix); }
    LPCWSTR GetRootName() const { return Text(m_rootName); }
    IXMLDOMDocument2* GetDocument() const { return m_document.Get(); }

    // The prefix, with its colon, that queries on the DOM use for the framework namespace (the DOM's
    // selection namespaces bind it, whatever prefix the document itself uses).
    static LPCWSTR SelectionPrefix();

    // Selection and low-level nodes. Queries name framework elements with SelectionPrefix(); the
    // library's own reads select elements by kind and compare their names outside the query.
    HRESULT SelectSingleNode(LPCWSTR query, IXMLDOMNode** node);
    // The document's root element; ERROR_NOT_FOUND without it.
    HRESULT SelectRoot(IXMLDOMNode** root);
    // With anywhere 1 the query is prefixed by "//" and the selection prefix.
    HRESULT SelectNodes(LPCWSTR query, IXMLDOMNodeList** list, int anywhere);
    HRESULT RemoveNode(IXMLDOMNode* node);
    HRESULT GetAttributeText(IXMLDOMNode* node, LPCWSTR attributeName, BSTR* text);
    HRESULT CreateElement(LPCWSTR qualifiedName, LPCWSTR namespaceUri, IXMLDOMElement** element);
    HRESULT SetAttribute(IXMLDOMElement* element, LPCWSTR qualifiedName, LPCWSTR namespaceUri, LPCWSTR value);
    // The value of what query selects: its Value child, or the ParameterInit its ParameterRef names.
    HRESULT GetNodeValueText(LPCWSTR query, BSTR* text);
    // The same for an element in hand.
    HRESULT GetElementValueText(IXMLDOMNode* element, BSTR* text);
    // The option a Feature element selects, as GetFeatureOption gives it.
    HRESULT GetElementOption(IXMLDOMNode* feature, BSTR* option);

    // Names and numbers.
    HRESULT FindNamespacePrefix(LPCWSTR namespaceUri, BSTR* prefix);
    // The name rule: the private prefix for the driver's own names, nothing for a name that has its
    // prefix, else the keywords prefix.
    HRESULT GetNamePrefix(LPCWSTR name, BSTR* prefix);
    // The name with the prefix the name rule gives it (the keywords prefix when the rule fails).
    HRESULT GetQualifiedName(LPCWSTR name, BSTR* qualifiedName);
    // Removes the white space around the name and everything up to and including its first colon.
    HRESULT StripNamePrefix(BSTR* name);
    // "%d" of the value; 0 leaves *text as it is.
    HRESULT FormatInteger(int value, BSTR* text);

    // Property and ScoredProperty elements with a typed Value; each is handed back unattached.
    HRESULT CreatePropertyElement(LPCWSTR name, IXMLDOMElement** property);
    HRESULT SetPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value, IXMLDOMElement** property);
    HRESULT CreateScoredPropertyElement(LPCWSTR name, IXMLDOMElement** scoredProperty);
    HRESULT SetScoredPropertyValue(LPCWSTR name, LPCWSTR type, LPCWSTR value,
                                   IXMLDOMElement** scoredProperty);
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
    using NodeVector = std::vector<CXDComPtr<IXMLDOMNode>>;
    using NameKeys = std::unordered_set<XDText>;
    // One step of a path: an element of the framework namespace with a given name, anywhere below
    // the step before.
    struct NamedStep {
        LPCWSTR element;
        XDQName name;
    };

    // Throwing forms for the operations built on them.
    // The text of a node's typed value.
    static CXDString TypedText(IXMLDOMNode* node);
    // The name as written: with the prefix the name rule gives it (declared on the root if needed).
    CXDString QualifiedName(LPCWSTR name);
    // The name a caller means: with the namespace the name rule gives it, or, for a name given with
    // a prefix, the namespace the root binds to that prefix.
    XDQName LookupName(LPCWSTR name);
    // The prefix the name rule gives a name: the private one for the driver's own names, none for
    // a name written with its prefix, else the keywords prefix.
    LPCWSTR RulePrefix(LPCWSTR name) const;
    // Every element the path selects (first only when first is true), in document order.
    void SelectNamedPath(const NamedStep* steps, int count, bool first, NodeVector& found);
    // Every element of the framework namespace with that local name below context (the whole
    // document for null), in document order.
    void SelectElements(IXMLDOMNode* context, LPCWSTR localName, NodeVector& found);
    // The first child element of the framework namespace with that local name, or null.
    void SelectChild(IXMLDOMNode* parent, LPCWSTR localName, CXDComPtr<IXMLDOMNode>& child);
    bool IsFrameworkElement(IXMLDOMNode* node, LPCWSTR localName);
    // Whether the element's "name" attribute names name.
    bool HasName(IXMLDOMNode* element, const XDQName& name);
    // The key of the element's "name" attribute; false without one.
    bool NameKeyOf(IXMLDOMNode* element, XDText& key);
    // The text of the value the element holds: S_FALSE without one.
    HRESULT ElementValueText(IXMLDOMNode* element, CXDString& text);
    // The Option a Feature element selects, or the Value of its OptionName; null without either.
    void SelectedOptionNode(IXMLDOMNode* feature, CXDComPtr<IXMLDOMNode>& selected);
    // The bare name of a selected option node; an unnamed one gives its text when textWhenUnnamed.
    HRESULT OptionNameOf(IXMLDOMNode* selected, bool textWhenUnnamed, BSTR* option);
    CXDString Prefixed(LPCWSTR prefix, LPCWSTR name) const;
    HRESULT MakeElement(LPCWSTR localName, IXMLDOMElement** element);
    HRESULT MakeNamedElement(LPCWSTR localName, LPCWSTR nameValue, IXMLDOMElement** element);
    HRESULT MakeValueElement(LPCWSTR type, LPCWSTR value, IXMLDOMElement** valueElement);
    HRESULT MakePropertyElement(LPCWSTR element, LPCWSTR nameValue, IXMLDOMElement** property);
    HRESULT MakePropertyWithValue(LPCWSTR element, LPCWSTR nameValue, LPCWSTR type, LPCWSTR value,
                                  IXMLDOMElement** property);
    // Removes each element of the framework namespace with that local name whose name is among
    // names, in one pass over the document; S_FALSE, as after a search that finds nothing more.
    HRESULT RemoveNamedElements(LPCWSTR localName, const NameKeys& names);
    // Removes every feature of that name, then the parameter elements (parameterElement:
    // ParameterInit or ParameterDef) its ParameterRefs name; S_FALSE once none is left.
    HRESULT RemoveFeatureAndParameters(LPCWSTR name, LPCWSTR parameterElement);
    // Removes the parameter elements that the ParameterRefs of the list name.
    HRESULT RemoveReferencedParameters(IXMLDOMNodeList* references, LPCWSTR parameterElement);
    // Removes every parameter element of that name.
    HRESULT RemoveParameter(LPCWSTR name, LPCWSTR parameterElement);

private:
    static LPCWSTR Text(const CXDBstr& text) { return text.Get() ? text.Get() : TEXT(""); }
    // Declares on the root a prefix for each namespace a write names that the root binds to none.
    void DeclareWritePrefixes();
    void DeclarePrefix(CXDBstr& prefix, LPCWSTR preferred, LPCWSTR namespaceUri);

    CXDComPtr<IXMLDOMDocument2> m_document;
    CXDBstr m_rootName;
    CXDBstr m_xsdPrefix;
    CXDBstr m_xsiPrefix;
    CXDBstr m_psfPrefix;
    CXDBstr m_pskPrefix;
    CXDBstr m_privatePrefix;
    CXDComPtr<IXMLDOMNode> m_root;
    // The root's declarations as the lookups of this object read them.
    XDRootDeclarations m_rootDeclarations;
};
