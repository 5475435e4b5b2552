// PrintCapabilities documents and the authoring of the driver's own features, options and
// parameter definitions in them. The elements made here are handed back unattached; the caller
// appends options to their feature and features and parameter definitions to the root.
#pragma once

#include "printticket/XDPrintSchemaDocument.h"

class CXDFeature;

// One parameter definition as a feature handler describes it.
struct CXDParameterEntry {
    enum DataType { kStringData = 0, kIntegerData = 1, kDecimalData = 2 };

    CXDParameterEntry() = default;
    CXDParameterEntry(const CXDParameterEntry& other) = default;
    CXDParameterEntry& operator=(const CXDParameterEntry& other);

    CXDString name;     // the name rule applies
    int listed = 0;     // written by the handlers; not read here
    int displayId = 0;  // non-zero: its decimal text becomes the DisplayName
    int value = 0;      // set by the handlers; not read here
    int dataType = kStringData;
    CXDString defaultValue;
    double minValue = 0;  // a length for strings
    double maxValue = 0;
    double multiple = 0;  // the step; written only when greater than 0
    CXDString unitType;
};

class CXDPrintCapabilitiesDocument : public CXDPrintSchemaDocument {
public:
    explicit CXDPrintCapabilitiesDocument(IXMLDOMDocument2* document);
    ~CXDPrintCapabilitiesDocument() override;

    // Removes every feature of that name with the parameter definitions it refers to; S_FALSE once
    // none is left.
    HRESULT RemoveFeature(LPCWSTR name) override;
    // Removes every ParameterDef of that name; S_FALSE once none is left.
    HRESULT RemoveParameterDef(LPCWSTR name);
    HRESULT RemoveReferencedParameterDefs(IXMLDOMNodeList* references);
};

class CXDPrintCapabilities : public CXDPrintCapabilitiesDocument {
public:
    explicit CXDPrintCapabilities(IXMLDOMDocument2* document);
    // description: the converter description the capabilities write reads; borrowed.
    CXDPrintCapabilities(IXMLDOMDocument2* document, CXDFeature* description);
    ~CXDPrintCapabilities() override;

    CXDFeature* GetDescription() const { return m_description; }

    HRESULT CreateCapabilityFeature(LPCWSTR name, LPCWSTR displayName, IXMLDOMElement** feature);
    // A pick-one feature: DisplayName (when given), then SelectionType.
    HRESULT AddFeature(LPCWSTR name, LPCWSTR displayName, IXMLDOMElement** feature);
    // An option, named unless name is null or empty; identity 1 marks it the identity option.
    HRESULT AddOption(LPCWSTR name, LPCWSTR displayName, int identity, IXMLDOMElement** option);
    HRESULT CreateParameterRef(LPCWSTR name, IXMLDOMElement** reference);
    // A string parameter definition. The element is handed out as soon as it exists, also when
    // filling it fails.
    HRESULT AddParameterDef(LPCWSTR name, LPCWSTR displayName, LPCWSTR defaultValue, int minLength,
                            int maxLength, LPCWSTR unitType, IXMLDOMElement** parameterDef);
    // A parameter definition of any data type, handed out when it is complete.
    HRESULT AddParameterDefEntry(CXDParameterEntry entry, IXMLDOMElement** parameterDef);

private:
    struct PropertyText {
        LPCWSTR name, type, value;
    };

    static HRESULT AppendOne(IXMLDOMElement* parent, IXMLDOMElement* child);
    // Makes a Property with that Value and appends it to parent.
    HRESULT AppendPropertyValue(IXMLDOMElement* parent, LPCWSTR name, LPCWSTR type, LPCWSTR value);
    HRESULT AppendFrameworkPropertyValue(IXMLDOMElement* parent, LPCWSTR name, LPCWSTR type, LPCWSTR value);
    // The properties every parameter definition holds, framework properties as the Print Schema
    // defines them: all are made first, then appended.
    static constexpr size_t kDefinitionProperties = 6;
    HRESULT AppendDefinitionProperties(IXMLDOMElement* definition,
                                       const PropertyText (&properties)[kDefinitionProperties]);

    CXDFeature* m_description;
};
