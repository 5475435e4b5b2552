// Job "printticket-convert": DEVMODE -> PrintTicket -> DEVMODE through the plug-in's PrintTicket
// provider, as the simulated core driver binds and calls it: the provider's version and namespace,
// the features and the snapshot a DEVMODE with changed settings gives, whether its values come
// back equal, and the PrintCapabilities the provider completes.
#include "host/HostJob.h"

#include <nirasim/CoreDriver.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"
#include "printticket/XDComPtr.h"

namespace {

// A new document of the core driver, owned.
CXDComPtr<IXMLDOMDocument2> NewDocument(nirasim::CoreDriverInstance& core, const char16_t* root)
{
    CXDComPtr<IXMLDOMDocument2> document;
    *&document = core.NewSchemaDocument(root);
    return document;
}

std::string Hex(HRESULT value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(value));
    return text;
}

std::string Attribute(IXMLDOMNode* node, const char16_t* name)
{
    CXDComPtr<IXMLDOMElement> element;
    VARIANT value;
    VariantInit(&value);
    BSTR attribute = SysAllocString(name);
    std::string text;
    if (SUCCEEDED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element))) &&
        element->getAttribute(attribute, &value) == S_OK && value.vt == VT_BSTR) {
        text = nirasim::Utf8(value.bstrVal);
    }
    SysFreeString(attribute);
    VariantClear(&value);
    return text;
}

std::string BaseName(IXMLDOMNode* node)
{
    BSTR name = nullptr;
    std::string text;
    if (SUCCEEDED(node->get_baseName(&name)) && name != nullptr) {
        text = nirasim::Utf8(name);
    }
    SysFreeString(name);
    return text;
}

// Calls visit for every element child of the node.
template <class Visit>
void ForEachElement(IXMLDOMNode* node, Visit visit)
{
    CXDComPtr<IXMLDOMNode> child;
    node->get_firstChild(&child);
    while (child) {
        DOMNodeType type = NODE_INVALID;
        child->get_nodeType(&type);
        if (type == NODE_ELEMENT) {
            visit(child.Get());
        }
        CXDComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        child = std::move(next);
    }
}

// The document's top features with their first option (or how many options), and its parameters
// with the length of their value, one line each.
std::vector<std::string> Lines(IXMLDOMDocument2* document)
{
    std::vector<std::string> lines;
    CXDComPtr<IXMLDOMElement> root;
    if (document->get_documentElement(&root) != S_OK || !root) {
        return lines;
    }
    ForEachElement(root.Get(), [&](IXMLDOMNode* element) {
        const std::string kind = BaseName(element);
        std::string line = kind + " " + Attribute(element, TEXT("name"));
        if (kind == "Feature") {
            int options = 0;
            std::string first;
            ForEachElement(element, [&](IXMLDOMNode* child) {
                if (BaseName(child) == "Option" && options++ == 0) {
                    first = Attribute(child, TEXT("name"));
                }
            });
            line += options == 1 ? " = " + first : ": " + std::to_string(options) + " options";
        } else if (kind == "ParameterInit") {
            BSTR text = nullptr;
            element->get_text(&text);
            line += ": " + std::to_string(SysStringLen(text)) + " characters";
            SysFreeString(text);
        }
        lines.push_back(line);
    });
    return lines;
}

void ShowDocument(IXMLDOMDocument2* document, const char* title)
{
    HostMachine::Print(std::string("  ") + title + ":");
    for (const std::string& line : Lines(document)) {
        HostMachine::Print("    " + line);
    }
}

std::vector<BYTE> Section(std::vector<BYTE>& devMode)
{
    PrivateDevMode* section = nullptr;
    if (!FindPrivateDevMode(reinterpret_cast<DEVMODEW*>(devMode.data()), &section)) {
        return {};
    }
    const BYTE* settings = reinterpret_cast<const BYTE*>(&section->packedLength);
    return std::vector<BYTE>(settings,
                             settings + sizeof(PrivateDevMode) - offsetof(PrivateDevMode, packedLength));
}

// A DEVMODE with settings other than the defaults: a ticket asking for them, read into the default.
std::vector<BYTE> ChangedDevMode(nirasim::CoreDriverInstance& core)
{
    std::vector<BYTE> devMode = core.DefaultDevMode().devMode;
    CXDComPtr<IXMLDOMDocument2> ticket = NewDocument(core, TEXT("PrintTicket"));
    const char16_t kRequest[] = TEXT("<psf:PrintTicket ")
        TEXT("xmlns:psf='http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework' ") TEXT(
            "xmlns:psk='http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords' "
            "version='1'>") TEXT("<psf:Feature name='psk:PageMediaSize'><psf:Option name='psk:ISOA4'>")
            TEXT(
                "<psf:ScoredProperty "
                "name='psk:MediaSizeWidth'><psf:Value>210000</psf:Value></psf:ScoredProperty>")
                TEXT(
                    "<psf:ScoredProperty "
                    "name='psk:MediaSizeHeight'><psf:Value>297000</psf:Value></psf:ScoredProperty>")
                    TEXT("</psf:Option></psf:Feature>") TEXT(
                        "<psf:Feature name='psk:PageOutputQuality'><psf:Option "
                        "name='psk:Draft'/></psf:Feature>")
                        TEXT(
                            "<psf:Feature name='psk:PageOrientation'><psf:Option "
                            "name='psk:Landscape'/></psf:Feature>") TEXT("</psf:PrintTicket>");
    BSTR xml = SysAllocString(kRequest);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (ticket && ticket->loadXML(xml, &loaded) == S_OK && loaded == VARIANT_TRUE) {
        HostMachine::Print(
            "a ticket asking for A4 landscape in draft quality, read into the default DEVMODE: " +
            Hex(core.PrintTicketToDevMode(ticket.Get(), devMode)));
    }
    SysFreeString(xml);
    return devMode;
}

int Convert(HostMachine& host)
{
    nirasim::CoreDriver driver(host.printerName());
    if (!driver.IsOpen() || driver->Plugin() == nullptr) {
        HostMachine::Print("the core driver could not start the printer's UI plug-in");
        return 1;
    }
    const nirasim::PrintTicketBinding refused = driver->BindPrintTicketProvider(2);
    const nirasim::PrintTicketBinding binding = driver->BindPrintTicketProvider(1);
    std::string versions;
    for (INT version : binding.versions) {
        versions += " " + std::to_string(version);
    }
    HostMachine::Print("provider: versions" + versions + "; version 2 " + Hex(refused.bindResult) +
                       ", version 1 " + Hex(binding.bindResult) + ", flags " + std::to_string(binding.flags));
    for (const std::u16string& uri : binding.namespaces) {
        HostMachine::Print("  private namespace " + nirasim::Utf8(uri));
    }

    std::vector<BYTE> changed = ChangedDevMode(*driver);
    CXDComPtr<IXMLDOMDocument2> ticket = NewDocument(*driver, TEXT("PrintTicket"));
    if (!ticket) {
        return 1;
    }
    HostMachine::Print("DEVMODE -> PrintTicket: " + Hex(driver->DevModeToPrintTicket(changed, ticket.Get())));
    ShowDocument(ticket.Get(), "the ticket");
    std::vector<BYTE> back = driver->DefaultDevMode().devMode;
    HostMachine::Print("PrintTicket -> the default DEVMODE: " +
                       Hex(driver->PrintTicketToDevMode(ticket.Get(), back)));
    CXDComPtr<IXMLDOMDocument2> again = NewDocument(*driver, TEXT("PrintTicket"));
    if (again && driver->DevModeToPrintTicket(back, again.Get()) == S_OK) {
        HostMachine::Print(
            std::string("  a ticket written from it holds ") +
            (Lines(again.Get()) == Lines(ticket.Get()) ? "the same features" : "OTHER features"));
    }
    HostMachine::Print(std::string("  the private settings come back ") +
                       (Section(changed) == Section(back) ? "equal" : "DIFFERENT"));

    CXDComPtr<IXMLDOMDocument2> capabilities = NewDocument(*driver, TEXT("PrintCapabilities"));
    if (capabilities) {
        HostMachine::Print("PrintCapabilities: " +
                           Hex(driver->CompletePrintCapabilities(ticket.Get(), capabilities.Get())));
        ShowDocument(capabilities.Get(), "the capabilities");
    }
    return 0;
}

// The platform's PrintTicket calls run in a thread that uses COM.
int Run(HostMachine& host, const std::vector<std::string>&)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    const int result = Convert(host);
    CoUninitialize();
    return result;
}

const HostJobRegistration job{
    {"printticket-convert", "DEVMODE -> PrintTicket -> DEVMODE through the plug-in's provider", 56, Run}};

}  // namespace
