#include "nira/uiplugin/features/handlers/CalibrationHandler.h"

#include "common/ScopedResources.h"
#include "nira/uiplugin/features/base/RegistryText.h"
#include "nira/uiplugin/features/handlers/ToolboxRegistry.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDConverterSteps.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

const WCHAR kCalibrationNamespace[] = TEXT("urn:schemas-norvell-ashby:printing:bpe");

namespace {

const WCHAR kNamespaceAttribute[] = TEXT("xmlns:bpe");
const WCHAR kUtilityPathFeature[] = TEXT("bpe:JobAPPrinterUtilityPath");
const WCHAR kUtilityPathProperty[] = TEXT("bpe:FullyQualifiedPath");
const WCHAR kCalibrationFeature[] = TEXT("bpe:JobBPECalibrationDue");
const WCHAR kCalibrationProperty[] = TEXT("bpe:CalibrationFlag");
const WCHAR kBooleanType[] = TEXT("boolean");
const WCHAR kTrue[] = TEXT("true");
const WCHAR kFalse[] = TEXT("false");
const WCHAR kCapabilitiesPath[] = TEXT("Path");
const WCHAR kServicesArgument[] = TEXT(" /run ServicesPlugin");
constexpr size_t kCommandChars = 256;
constexpr size_t kKeyChars = 260;
// The feature whose default option says whether a calibration is due (0: due).
constexpr int kCalibrationDueFeature = 4308;

// Declares the prefix bpe on the document's root element.
HRESULT DeclareNamespace(IXMLDOMDocument2* document)
{
    CXDComPtr<IXMLDOMElement> root;
    HRESULT result = document->get_documentElement(&root);
    if (FAILED(result) || !root) {
        return FAILED(result) ? result : E_FAIL;
    }
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(kCalibrationNamespace);
    CXDBstr name(SysAllocString(kNamespaceAttribute));
    result = value.bstrVal != nullptr && name.Get() != nullptr ? root->setAttribute(name.Get(), value)
                                                               : E_OUTOFMEMORY;
    VariantClear(&value);
    return result;
}

// Appends to root a feature of one option that holds one scored property.
HRESULT AppendFeature(IXMLDOMNode* root, IXMLDOMElement* feature, IXMLDOMElement* option,
                      IXMLDOMElement* property)
{
    HRESULT result = XDAppendChild(option, property);
    if (SUCCEEDED(result) && option != nullptr) {
        // A capabilities option is made apart from its feature.
        CXDComPtr<IXMLDOMNode> parent;
        option->get_parentNode(&parent);
        if (!parent) {
            result = XDAppendChild(feature, option);
        }
    }
    return SUCCEEDED(result) ? XDAppendChild(root, feature) : result;
}

// Replaces the ticket's feature of that name by one whose option holds the property.
HRESULT WriteTicketFeature(CXDPrintTicket& ticket, IXMLDOMNode* root, LPCWSTR featureName,
                           CXDComPtr<IXMLDOMElement>& property)
{
    // Removing first keeps one feature of the name: writing twice never duplicates it.
    HRESULT result = ticket.RemoveFeature(featureName);
    CXDComPtr<IXMLDOMElement> feature;
    CXDComPtr<IXMLDOMElement> option;
    if (SUCCEEDED(result)) {
        result = ticket.CreateFeatureOption(featureName, &feature, &option);
    }
    return SUCCEEDED(result) ? AppendFeature(root, feature.Get(), option.Get(), property.Get()) : result;
}

HRESULT WriteCapabilityFeature(CXDPrintCapabilities& capabilities, IXMLDOMNode* root, LPCWSTR featureName,
                               CXDComPtr<IXMLDOMElement>& property)
{
    CXDComPtr<IXMLDOMElement> feature;
    CXDComPtr<IXMLDOMElement> option;
    HRESULT result = capabilities.AddFeature(featureName, nullptr, &feature);
    if (SUCCEEDED(result)) {
        result = capabilities.AddOption(nullptr, nullptr, 0, &option);
    }
    return SUCCEEDED(result) ? AppendFeature(root, feature.Get(), option.Get(), property.Get()) : result;
}

// The printer's "ToolboxPath": the key in the registry's view, then in the 32-bit view when the
// key does not open there.
bool ReadPrinterToolboxPath(LPCWSTR printerName, CNiraLocalBuffer<WCHAR>& path)
{
    WCHAR keyPath[kKeyChars] = {};
    if (FAILED(StringCchPrintfW(keyPath, kKeyChars, TEXT("%s%s"), kToolboxConfigRoot, printerName))) {
        return false;
    }
    CNiraRegKey key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ, &key) != ERROR_SUCCESS &&
        RegOpenKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
        return false;
    }
    return ReadRegistryText(key.Get(), kToolboxPathValue, path);
}

int StatusOf(HRESULT result)
{
    return SUCCEEDED(result) ? 0 : static_cast<int>(result);
}

}  // namespace

bool CNiraCalibrationHandler::ToolboxCommand(LPCWSTR printerName, LPWSTR command, size_t chars)
{
    CNiraLocalBuffer<WCHAR> toolboxPath;
    ReadPrinterToolboxPath(printerName, toolboxPath);
    WCHAR folder[kKeyChars] = {};
    if (!CNiraPrinterAccess::GetDriverVersionFolder(folder, kKeyChars)) {
        return false;
    }
    return SUCCEEDED(StringCchPrintfW(command, chars, TEXT("%s%s \"%s\"%s"), folder,
                                      toolboxPath ? toolboxPath.Get() : TEXT(""), printerName,
                                      kServicesArgument));
}

int CNiraCalibrationHandler::InitializeStates()
{
    return 0;
}

int CNiraCalibrationHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    return printTicket != nullptr ? 0 : static_cast<int>(E_FAIL);
}

int CNiraCalibrationHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    int defaultOption = 0;
    bool due = m_services == nullptr ||
               m_services->GetDefaultOption(kCalibrationDueFeature, &defaultOption) != 0 ||
               defaultOption == 0;
    if (printTicket == nullptr) {
        return static_cast<int>(E_FAIL);
    }
    HRESULT result = DeclareNamespace(printTicket);
    if (FAILED(result)) {
        return static_cast<int>(result);
    }
    return StatusOf(XDGuarded([&]() -> HRESULT {
        CXDPrintTicket ticket(printTicket);
        WCHAR* printerName = nullptr;
        if (m_services == nullptr || m_services->GetPrinterName(&printerName) != 0 ||
            printerName == nullptr) {
            LocalFree(printerName);
            return S_OK;
        }
        WCHAR command[kCommandChars] = {};
        bool made = ToolboxCommand(printerName, command, kCommandChars);
        LocalFree(printerName);
        CXDComPtr<IXMLDOMNode> root;
        if (!made || FAILED(XDSelectRoot(ticket, root)) || !root) {
            return S_OK;
        }
        CXDComPtr<IXMLDOMElement> property;
        HRESULT written = ticket.SetScoredPropertyText(kUtilityPathProperty, command, &property);
        if (SUCCEEDED(written)) {
            written = WriteTicketFeature(ticket, root.Get(), kUtilityPathFeature, property);
        }
        CXDComPtr<IXMLDOMElement> flag;
        if (SUCCEEDED(written)) {
            written = ticket.SetScoredPropertyValue(kCalibrationProperty, kBooleanType, due ? kTrue : kFalse,
                                                    &flag);
        }
        return SUCCEEDED(written) ? WriteTicketFeature(ticket, root.Get(), kCalibrationFeature, flag)
                                  : written;
    }));
}

int CNiraCalibrationHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    if (printCapabilities == nullptr) {
        return static_cast<int>(E_FAIL);
    }
    HRESULT result = DeclareNamespace(printCapabilities);
    if (FAILED(result)) {
        return static_cast<int>(result);
    }
    return StatusOf(XDGuarded([&]() -> HRESULT {
        CXDPrintCapabilities capabilities(printCapabilities);
        CXDComPtr<IXMLDOMNode> root;
        if (FAILED(XDSelectRoot(capabilities, root)) || !root) {
            return S_OK;
        }
        CXDComPtr<IXMLDOMElement> property;
        HRESULT written =
            capabilities.SetScoredPropertyText(kUtilityPathProperty, kCapabilitiesPath, &property);
        if (SUCCEEDED(written)) {
            written = WriteCapabilityFeature(capabilities, root.Get(), kUtilityPathFeature, property);
        }
        CXDComPtr<IXMLDOMElement> flag;
        if (SUCCEEDED(written)) {
            written = capabilities.SetScoredPropertyValue(kCalibrationProperty, kBooleanType, kTrue, &flag);
        }
        return SUCCEEDED(written)
                   ? WriteCapabilityFeature(capabilities, root.Get(), kCalibrationFeature, flag)
                   : written;
    }));
}
