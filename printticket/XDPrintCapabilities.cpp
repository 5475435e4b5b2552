#include "printticket/XDPrintCapabilities.h"

#include "printticket/XDGuard.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"

#include <math.h>

namespace {

// A limit or step as the integer the definition writes: truncated toward zero, and held to the
// range of a 32-bit integer so that no value leaves it undefined.
int TruncatedInteger(double value)
{
    if (isnan(value)) {
        return 0;
    }
    if (value >= 2147483647.0) {
        return 2147483647;
    }
    if (value <= -2147483648.0) {
        return -2147483647 - 1;
    }
    return static_cast<int>(value);
}

CXDString IntegerText(double value)
{
    CXDString text;
    text.Format(TEXT("%i"), TruncatedInteger(value));
    return text;
}

CXDString DecimalText(double value)
{
    CXDString text;
    text.Format(TEXT("%.2f"), static_cast<double>(static_cast<float>(value)));
    return text;
}

}  // namespace

CXDParameterEntry& CXDParameterEntry::operator=(const CXDParameterEntry& other)
{
    if (this != &other) {
        name.Assign(static_cast<LPCWSTR>(other.name.GetBuffer()));
        listed = other.listed;
        displayId = other.displayId;
        value = other.value;
        dataType = other.dataType;
        defaultValue.Assign(static_cast<LPCWSTR>(other.defaultValue.GetBuffer()));
        minValue = other.minValue;
        maxValue = other.maxValue;
        multiple = other.multiple;
        unitType.Assign(static_cast<LPCWSTR>(other.unitType.GetBuffer()));
    }
    return *this;
}

CXDPrintCapabilitiesDocument::CXDPrintCapabilitiesDocument(IXMLDOMDocument2* document)
    : CXDPrintSchemaDocument(XDVocabulary::kPrintCapabilities, document)
{}

CXDPrintCapabilitiesDocument::~CXDPrintCapabilitiesDocument() = default;

HRESULT CXDPrintCapabilitiesDocument::RemoveFeature(LPCWSTR name)
{
    return RemoveFeatureAndParameters(name, XDVocabulary::kParameterDef);
}

HRESULT CXDPrintCapabilitiesDocument::RemoveParameterDef(LPCWSTR name)
{
    return RemoveParameter(name, XDVocabulary::kParameterDef);
}

HRESULT CXDPrintCapabilitiesDocument::RemoveReferencedParameterDefs(IXMLDOMNodeList* references)
{
    return RemoveReferencedParameters(references, XDVocabulary::kParameterDef);
}

CXDPrintCapabilities::CXDPrintCapabilities(IXMLDOMDocument2* document)
    : CXDPrintCapabilitiesDocument(document), m_description(nullptr)
{}

CXDPrintCapabilities::CXDPrintCapabilities(IXMLDOMDocument2* document, CXDFeature* description)
    : CXDPrintCapabilitiesDocument(document), m_description(description)
{}

CXDPrintCapabilities::~CXDPrintCapabilities() = default;

HRESULT CXDPrintCapabilities::AppendOne(IXMLDOMElement* parent, IXMLDOMElement* child)
{
    CXDComPtr<IXMLDOMNode> appended;
    return parent->appendChild(child, &appended);
}

HRESULT CXDPrintCapabilities::AppendPropertyValue(IXMLDOMElement* parent, LPCWSTR name, LPCWSTR type,
                                                  LPCWSTR value)
{
    CXDComPtr<IXMLDOMElement> property;
    HRESULT hr = SetPropertyValue(name, type, value, &property);
    if (SUCCEEDED(hr)) {
        hr = AppendOne(parent, property.Get());
    }
    return hr;
}

HRESULT CXDPrintCapabilities::AppendFrameworkPropertyValue(IXMLDOMElement* parent, LPCWSTR name, LPCWSTR type,
                                                           LPCWSTR value)
{
    CXDComPtr<IXMLDOMElement> property;
    HRESULT hr = SetFrameworkPropertyValue(name, type, value, &property);
    if (SUCCEEDED(hr)) {
        hr = AppendOne(parent, property.Get());
    }
    return hr;
}

HRESULT CXDPrintCapabilities::AppendDefinitionProperties(
    IXMLDOMElement* definition, const PropertyText (&properties)[kDefinitionProperties])
{
    CXDComPtr<IXMLDOMElement> made[kDefinitionProperties];
    for (size_t i = 0; i < kDefinitionProperties; ++i) {
        HRESULT hr =
            SetFrameworkPropertyValue(properties[i].name, properties[i].type, properties[i].value, &made[i]);
        if (FAILED(hr)) {
            return hr;
        }
    }
    for (size_t i = 0; i < kDefinitionProperties; ++i) {
        HRESULT hr = AppendOne(definition, made[i].Get());
        if (FAILED(hr)) {
            return hr;
        }
    }
    return S_OK;
}

HRESULT CXDPrintCapabilities::CreateCapabilityFeature(LPCWSTR name, LPCWSTR displayName,
                                                      IXMLDOMElement** feature)
{
    if (!feature) {
        return E_POINTER;
    }
    *feature = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> made;
        HRESULT hr = MakeNamedElement(XDVocabulary::kFeature, QualifiedName(name).GetBuffer(), &made);
        if (FAILED(hr)) {
            return hr;
        }
        if (!XDIsEmpty(displayName)) {
            hr = AppendPropertyValue(made.Get(), XDVocabulary::kDisplayName, XDVocabulary::kString,
                                     displayName);
            if (FAILED(hr)) {
                return hr;
            }
        }
        *feature = made.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintCapabilities::AddFeature(LPCWSTR name, LPCWSTR displayName, IXMLDOMElement** feature)
{
    if (!feature) {
        return E_POINTER;
    }
    *feature = nullptr;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> made;
        HRESULT hr = CreateCapabilityFeature(name, displayName, &made);
        if (FAILED(hr)) {
            return hr;
        }
        hr = AppendFrameworkPropertyValue(made.Get(), XDVocabulary::kSelectionType, XDVocabulary::kQName,
                                          Prefixed(GetPskPrefix(), XDVocabulary::kPickOne).GetBuffer());
        if (FAILED(hr)) {
            return hr;
        }
        *feature = made.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintCapabilities::AddOption(LPCWSTR name, LPCWSTR displayName, int identity,
                                        IXMLDOMElement** option)
{
    if (!option) {
        return E_POINTER;
    }
    *option = nullptr;
    return XDGuarded([&] {
        CXDComPtr<IXMLDOMElement> made;
        HRESULT hr = XDIsEmpty(name)
                         ? MakeElement(XDVocabulary::kOption, &made)
                         : MakeNamedElement(XDVocabulary::kOption, QualifiedName(name).GetBuffer(), &made);
        if (FAILED(hr)) {
            return hr;
        }
        if (!made) {
            return E_FAIL;
        }
        if (identity == 1) {
            hr = AppendFrameworkPropertyValue(made.Get(), XDVocabulary::kIdentityOption,
                                              XDVocabulary::kString, XDVocabulary::kTrue);
            if (FAILED(hr)) {
                return hr;
            }
        }
        if (!XDIsEmpty(displayName)) {
            hr = AppendPropertyValue(made.Get(), XDVocabulary::kDisplayName, XDVocabulary::kString,
                                     displayName);
            if (FAILED(hr)) {
                return hr;
            }
        }
        *option = made.Detach();
        return S_OK;
    });
}

HRESULT CXDPrintCapabilities::CreateParameterRef(LPCWSTR name, IXMLDOMElement** reference)
{
    if (!reference) {
        return E_POINTER;
    }
    *reference = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        return MakeNamedElement(XDVocabulary::kParameterRef, QualifiedName(name).GetBuffer(), reference);
    });
}

HRESULT CXDPrintCapabilities::AddParameterDef(LPCWSTR name, LPCWSTR displayName, LPCWSTR defaultValue,
                                              int minLength, int maxLength, LPCWSTR unitType,
                                              IXMLDOMElement** parameterDef)
{
    if (!parameterDef) {
        return E_POINTER;
    }
    *parameterDef = nullptr;
    if (XDIsEmpty(name)) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        HRESULT hr =
            MakeNamedElement(XDVocabulary::kParameterDef, QualifiedName(name).GetBuffer(), parameterDef);
        if (FAILED(hr)) {
            return hr;
        }
        IXMLDOMElement* definition = *parameterDef;
        const CXDString dataType = Prefixed(GetXsdPrefix(), XDVocabulary::kString);
        const CXDString maximum = IntegerText(maxLength);
        const CXDString minimum = IntegerText(minLength);
        const CXDString conditional = Prefixed(GetPskPrefix(), XDVocabulary::kConditional);
        const PropertyText built[] = {
            {XDVocabulary::kDataType, XDVocabulary::kQName, dataType.GetBuffer()},
            {XDVocabulary::kDefaultValue, XDVocabulary::kString, defaultValue},
            {XDVocabulary::kMaxLength, XDVocabulary::kInteger, maximum.GetBuffer()},
            {XDVocabulary::kMinLength, XDVocabulary::kInteger, minimum.GetBuffer()},
            {XDVocabulary::kMandatory, XDVocabulary::kQName, conditional.GetBuffer()},
            {XDVocabulary::kUnitType, XDVocabulary::kString, unitType}};
        hr = AppendDefinitionProperties(definition, built);
        if (FAILED(hr) || XDIsEmpty(displayName)) {
            return hr;
        }
        return AppendPropertyValue(definition, XDVocabulary::kDisplayName, XDVocabulary::kString,
                                   displayName);
    });
}

HRESULT CXDPrintCapabilities::AddParameterDefEntry(CXDParameterEntry entry, IXMLDOMElement** parameterDef)
{
    if (!parameterDef) {
        return E_POINTER;
    }
    *parameterDef = nullptr;
    if (entry.name.IsEmpty()) {
        return E_INVALIDARG;
    }
    return XDGuarded([&] {
        LPCWSTR dataTypeName = nullptr;
        LPCWSTR maximumName = nullptr;
        LPCWSTR minimumName = nullptr;
        LPCWSTR limitType = nullptr;
        CXDString maximum, minimum, multiple;
        switch (entry.dataType) {
        case CXDParameterEntry::kStringData:
            dataTypeName = XDVocabulary::kString;
            maximumName = XDVocabulary::kMaxLength;
            minimumName = XDVocabulary::kMinLength;
            limitType = XDVocabulary::kInteger;
            maximum = IntegerText(entry.maxValue);
            minimum = IntegerText(entry.minValue);
            break;
        case CXDParameterEntry::kIntegerData:
            dataTypeName = XDVocabulary::kInteger;
            maximumName = XDVocabulary::kMaxValue;
            minimumName = XDVocabulary::kMinValue;
            limitType = XDVocabulary::kInteger;
            maximum = IntegerText(entry.maxValue);
            minimum = IntegerText(entry.minValue);
            if (TruncatedInteger(entry.multiple) > 0) {
                multiple = IntegerText(entry.multiple);
            }
            break;
        case CXDParameterEntry::kDecimalData:
            dataTypeName = XDVocabulary::kDecimal;
            maximumName = XDVocabulary::kMaxValue;
            minimumName = XDVocabulary::kMinValue;
            limitType = XDVocabulary::kDecimal;
            maximum = DecimalText(entry.maxValue);
            minimum = DecimalText(entry.minValue);
            if (static_cast<float>(entry.multiple) > 0.0f) {
                multiple = DecimalText(entry.multiple);
            }
            break;
        default:
            return E_INVALIDARG;  // no maximum property can be named for it
        }

        CXDComPtr<IXMLDOMElement> definition;
        HRESULT hr = MakeNamedElement(XDVocabulary::kParameterDef,
                                      QualifiedName(entry.name.GetBuffer()).GetBuffer(), &definition);
        if (FAILED(hr)) {
            return hr;
        }
        const CXDString dataType = Prefixed(GetXsdPrefix(), dataTypeName);
        const CXDString conditional = Prefixed(GetPskPrefix(), XDVocabulary::kConditional);
        const PropertyText built[] = {
            {XDVocabulary::kDataType, XDVocabulary::kQName, dataType.GetBuffer()},
            {XDVocabulary::kDefaultValue, dataTypeName, entry.defaultValue.GetBuffer()},
            {maximumName, limitType, maximum.GetBuffer()},
            {minimumName, limitType, minimum.GetBuffer()},
            {XDVocabulary::kMandatory, XDVocabulary::kQName, conditional.GetBuffer()},
            {XDVocabulary::kUnitType, XDVocabulary::kString, entry.unitType.GetBuffer()}};
        hr = AppendDefinitionProperties(definition.Get(), built);
        if (FAILED(hr)) {
            return hr;
        }
        if (!multiple.IsEmpty()) {
            hr = AppendFrameworkPropertyValue(definition.Get(), XDVocabulary::kMultiple, limitType,
                                              multiple.GetBuffer());
            if (FAILED(hr)) {
                return hr;
            }
        }
        if (entry.displayId != 0) {
            CXDString displayText;
            displayText.Format(TEXT("%d"), entry.displayId);
            hr = AppendPropertyValue(definition.Get(), XDVocabulary::kDisplayName, XDVocabulary::kString,
                                     displayText.GetBuffer());
            if (FAILED(hr)) {
                return hr;
            }
        }
        *parameterDef = definition.Detach();
        return S_OK;
    });
}
