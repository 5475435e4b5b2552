// The Print Schema texts the PrintTicket library reads and writes. Element and attribute names come
// without prefix; each document supplies its own prefixes.
#pragma once

#include <windows.h>

namespace XDVocabulary {

// Namespaces, as published with the Print Schema and the W3C XML Schema.
inline constexpr LPCWSTR kFrameworkNamespace =
    TEXT("http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework");
inline constexpr LPCWSTR kKeywordsNamespace =
    TEXT("http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords");
inline constexpr LPCWSTR kSchemaNamespace = TEXT("http://www.w3.org/2001/XMLSchema");
inline constexpr LPCWSTR kSchemaInstanceNamespace = TEXT("http://www.w3.org/2001/XMLSchema-instance");
// The driver's own names are written with this prefix; documents that receive them bind it.
inline constexpr LPCWSTR kPrivatePrefix = TEXT("ns0000:");
inline constexpr LPCWSTR kPrivateNamespace = TEXT("urn:nira:printschema:private");

// Elements.
inline constexpr LPCWSTR kFeature = TEXT("Feature");
inline constexpr LPCWSTR kOption = TEXT("Option");
inline constexpr LPCWSTR kParameterInit = TEXT("ParameterInit");
inline constexpr LPCWSTR kParameterRef = TEXT("ParameterRef");
inline constexpr LPCWSTR kParameterDef = TEXT("ParameterDef");
inline constexpr LPCWSTR kScoredProperty = TEXT("ScoredProperty");
inline constexpr LPCWSTR kProperty = TEXT("Property");
inline constexpr LPCWSTR kValue = TEXT("Value");
inline constexpr LPCWSTR kPrintTicket = TEXT("PrintTicket");
inline constexpr LPCWSTR kPrintCapabilities = TEXT("PrintCapabilities");

// Attributes.
inline constexpr LPCWSTR kName = TEXT("name");
inline constexpr LPCWSTR kType = TEXT("type");

// Value types.
inline constexpr LPCWSTR kInteger = TEXT("integer");
inline constexpr LPCWSTR kDecimal = TEXT("decimal");
inline constexpr LPCWSTR kString = TEXT("string");
inline constexpr LPCWSTR kQName = TEXT("QName");

// Property names and keyword values.
inline constexpr LPCWSTR kIdentityOption = TEXT("IdentityOption");
inline constexpr LPCWSTR kTrue = TEXT("True");
inline constexpr LPCWSTR kPickOne = TEXT("PickOne");
inline constexpr LPCWSTR kSelectionType = TEXT("SelectionType");
inline constexpr LPCWSTR kDataType = TEXT("DataType");
inline constexpr LPCWSTR kDefaultValue = TEXT("DefaultValue");
inline constexpr LPCWSTR kMaxValue = TEXT("MaxValue");
inline constexpr LPCWSTR kMinValue = TEXT("MinValue");
inline constexpr LPCWSTR kMaxLength = TEXT("MaxLength");
inline constexpr LPCWSTR kMinLength = TEXT("MinLength");
inline constexpr LPCWSTR kMultiple = TEXT("Multiple");
inline constexpr LPCWSTR kMandatory = TEXT("Mandatory");
inline constexpr LPCWSTR kUnitType = TEXT("UnitType");
inline constexpr LPCWSTR kDisplayName = TEXT("DisplayName");
inline constexpr LPCWSTR kConditional = TEXT("Conditional");
inline constexpr LPCWSTR kOptionName = TEXT("OptionName");

// Names that the name rule writes with the private prefix: these beginnings ...
inline constexpr LPCWSTR kPrivateBeginnings[] = {TEXT("ZQ"), TEXT("JobZQ"), TEXT("DocumentZQ"),
                                                 TEXT("PageZQ")};
// ... and these words anywhere in the name.
inline constexpr LPCWSTR kPrivateWords[] = {TEXT("JobTextAsBlack"), TEXT("True"), TEXT("False")};

}  // namespace XDVocabulary
