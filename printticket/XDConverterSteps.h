// The steps that every feature converter takes on a PrintTicket or PrintCapabilities document:
// finding the root with the document's own framework prefix, matching option names, and building
// the usual Feature, Option and parameter shapes. Each answers an HRESULT and throws only what the
// document layer's string work throws.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDFeature.h"

class CXDPrintSchemaDocument;
class CXDPrintCapabilities;
struct CXDParameterEntry;

// The number of entries of a constant table.
template <class T, int N>
constexpr int XDCountOf(const T (&)[N])
{
    return N;
}

// How a read reports an element the document lacks.
inline const HRESULT kXDNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

// The document's root element (PrintTicket or PrintCapabilities), selected with the prefix the
// document binds to the framework namespace; not found when the root is missing.
HRESULT XDSelectRoot(CXDPrintSchemaDocument& document, CXDComPtr<IXMLDOMNode>& root);

// Appends child to parent; the reference appendChild hands back is released at once.
HRESULT XDAppendChild(IXMLDOMNode* parent, IXMLDOMNode* child);

// Whether an option name read from a ticket, with anything up to its first colon dropped, equals
// text (case-sensitive).
bool XDNameEquals(LPCWSTR optionName, LPCWSTR text);
// Whether text occurs anywhere in the option name (case-sensitive).
bool XDNameContains(LPCWSTR optionName, LPCWSTR text);
// Index of the first table entry the option name equals, or -1.
int XDFindName(LPCWSTR optionName, const LPCWSTR* table, int count);
// Index of the first table entry the option name contains, or -1.
int XDFindContainedName(LPCWSTR optionName, const LPCWSTR* table, int count);

// A size or resolution the ticket gives: not found, value untouched, for one that is missing, is no
// integer or is not above 0 (such a value is no setting the driver can use).
HRESULT XDReadPositiveInteger(CXDPrintSchemaDocument& ticket, LPCWSTR featureName, LPCWSTR propertyName,
                              int& value);

// The option the ticket selects for the feature; not found without the feature.
HRESULT XDReadFeatureOption(CXDPrintSchemaDocument& ticket, LPCWSTR featureName, CXDBstr& option);
// Removes the ticket's feature of that name and makes a new one selecting optionName; the feature
// comes back unattached, the option inside it. Stops at the first failure.
HRESULT XDReplaceFeatureOption(CXDPrintSchemaDocument& ticket, LPCWSTR featureName, LPCWSTR optionName,
                               CXDComPtr<IXMLDOMElement>& feature, CXDComPtr<IXMLDOMElement>& option);
// Appends to feature a sub-feature of that name selecting optionName.
HRESULT XDAppendSubFeatureOption(CXDPrintSchemaDocument& ticket, IXMLDOMNode* feature, LPCWSTR subFeatureName,
                                 LPCWSTR optionName);

// The capabilities' root and a new feature for the entry (see XDAddCapabilityFeature), not yet
// attached: the feature goes to the root once it is whole.
HRESULT XDPrepareCapabilityFeature(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry,
                                   CXDComPtr<IXMLDOMNode>& root, CXDComPtr<IXMLDOMElement>& feature);
// Replaces any published feature of the entry's name by a new PickOne feature whose DisplayName is
// the entry's display number (none for 0); an empty name fails with E_INVALIDARG.
HRESULT XDAddCapabilityFeature(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry,
                               CXDComPtr<IXMLDOMElement>& feature);
// A sub-feature: as above, but nested in its parent, so nothing is removed first.
HRESULT XDAddCapabilitySubFeature(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry,
                                  CXDComPtr<IXMLDOMElement>& feature);
// An Option for the entry: named after it when named is true, with its display number and
// identity flag.
HRESULT XDAddCapabilityOption(CXDPrintCapabilities& capabilities, const CXDOptionEntry& entry, bool named,
                              CXDComPtr<IXMLDOMElement>& option);
// Appends to parent, in table order, a named Option for each listed entry; stops at the first failure.
HRESULT XDAppendListedOptions(CXDPrintCapabilities& capabilities, IXMLDOMNode* parent,
                              const CXDOptionEntry* entries, int count);
// Appends to parent, in table order, an unnamed Option for each listed entry, carrying values[i] in
// the integer ScoredProperty the entry names; stops at the first failure.
HRESULT XDAppendValueOptions(CXDPrintCapabilities& capabilities, IXMLDOMNode* parent,
                             const CXDOptionEntry* entries, const int* values, int count);
// Appends to parent a sub-feature for the entry with its listed named options.
HRESULT XDAppendCapabilitySubFeature(CXDPrintCapabilities& capabilities, IXMLDOMNode* parent,
                                     const CXDOptionEntry& entry, const CXDOptionEntry* options, int count);
// Appends to option a ScoredProperty that takes its value from a parameter: it holds a
// ParameterRef of that name.
HRESULT XDAppendParameterRefProperty(CXDPrintCapabilities& capabilities, IXMLDOMNode* option,
                                     LPCWSTR propertyName, LPCWSTR parameterName);
// Appends the entry's ParameterDef to the root, replacing one of the same name.
HRESULT XDAppendParameterDef(CXDPrintCapabilities& capabilities, IXMLDOMNode* root,
                             const CXDParameterEntry& entry);

// A PrintTicket ScoredProperty whose value travels in a ParameterInit: the ScoredProperty holds the
// ParameterRef, and the ParameterInit (for the root) comes back unattached. A ParameterInit of
// that name already in the ticket is removed first, so the ticket keeps one.
HRESULT XDCreateParameterInitProperty(CXDPrintSchemaDocument& ticket, LPCWSTR propertyName,
                                      LPCWSTR parameterName, LPCWSTR type, LPCWSTR text,
                                      CXDComPtr<IXMLDOMElement>& scoredProperty,
                                      CXDComPtr<IXMLDOMElement>& parameterInit);
// Appends to option, for each i, a ScoredProperty properties[i] whose integer numbers[i] travels in
// the ParameterInit parameters[i]; the ParameterInits come back in parameterInits for the root.
// Stops at the first failure.
HRESULT XDAppendIntegerParameterProperties(CXDPrintSchemaDocument& ticket, IXMLDOMNode* option,
                                           const LPCWSTR* properties, const LPCWSTR* parameters,
                                           const int* numbers, int count,
                                           CXDComPtr<IXMLDOMElement>* parameterInits);
// Appends the feature to the ticket's root, then each ParameterInit of the list in order; stops at
// the first failure and answers the last result.
HRESULT XDAppendFeatureToRoot(CXDPrintSchemaDocument& document, IXMLDOMNode* feature,
                              const CXDComPtr<IXMLDOMElement>* parameterInits, int count);
