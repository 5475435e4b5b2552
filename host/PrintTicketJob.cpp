// Reads PrintTicket and PrintCapabilities files through the PrintTicket library, as the driver
// does with the documents the platform hands it, and prints the features (nested ones indented),
// their options, scored properties and parameters the library finds.
#include "host/HostJob.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDQName.h"
#include "printticket/XDVocabulary.h"

#include <iostream>
#include <map>
#include <memory>
#include <string>
#include "support/WString.h"

namespace {

std::string Narrow(const WCHAR* text)
{
    std::string out;
    if (!text) {
        return out;
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) {
        return out;
    }
    out.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

WString Wide(const std::string& text)
{
    WString out;
    int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    if (size <= 1) {
        return out;
    }
    out.resize(static_cast<size_t>(size));
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &out[0], size);
    out.resize(static_cast<size_t>(size - 1));
    return out;
}

std::string Hex(HRESULT hr)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned int>(hr));
    return text;
}

WString Concat(LPCWSTR a, LPCWSTR b)
{
    return WString(a) + b;
}

std::string NameOf(CXDPrintSchemaDocument& document, IXMLDOMNode* node)
{
    CXDBstr name;
    if (document.GetAttributeText(node, XDVocabulary::kName, &name) == S_OK) {
        return Narrow(name.Get());
    }
    return "(unnamed)";
}

// Calls visit for each element of one kind directly below node.
template <class Visit>
void ForEachChild(IXMLDOMNode* node, LPCWSTR element, Visit visit)
{
    CXDBstr query(SysAllocString(Concat(CXDPrintSchemaDocument::SelectionPrefix(), element).c_str()));
    CXDComPtr<IXMLDOMNodeList> list;
    if (FAILED(node->selectNodes(query, &list)) || !list) {
        return;
    }
    CXDComPtr<IXMLDOMNode> child;
    while (list->nextNode(&child) == S_OK && child) {
        visit(child.Get());
    }
}

// How many features a node stands in.
int Depth(IXMLDOMNode* node)
{
    int depth = 0;
    IXMLDOMNode* current = nullptr;
    node->get_parentNode(&current);
    while (current) {
        CXDBstr name;
        current->get_baseName(&name);
        if (name.Get() && WString(name.Get()) == XDVocabulary::kFeature) {
            ++depth;
        }
        IXMLDOMNode* parent = nullptr;
        current->get_parentNode(&parent);
        current->Release();
        current = parent;
    }
    return depth;
}

// A capabilities option's own scored property: its Value, or the parameter its ParameterRef names.
std::string OwnValue(CXDPrintSchemaDocument& document, IXMLDOMNode* property)
{
    CXDComPtr<IXMLDOMNode> value;
    CXDBstr valueQuery(
        SysAllocString(Concat(CXDPrintSchemaDocument::SelectionPrefix(), XDVocabulary::kValue).c_str()));
    if (property->selectSingleNode(valueQuery, &value) == S_OK) {
        CXDBstr text;
        value->get_text(&text);
        return Narrow(text.Get());
    }
    CXDComPtr<IXMLDOMNode> reference;
    CXDBstr referenceQuery(SysAllocString(
        Concat(CXDPrintSchemaDocument::SelectionPrefix(), XDVocabulary::kParameterRef).c_str()));
    if (property->selectSingleNode(referenceQuery, &reference) == S_OK) {
        return "parameter " + NameOf(document, reference.Get());
    }
    return "(no value)";
}

// The values of a ticket's ParameterInit elements by name, read once, so that listing a ticket
// costs time linear in its size however many references it holds.
using ParameterValues = std::map<XDText, std::string>;

std::string ValueText(CXDPrintSchemaDocument& document, IXMLDOMNode* element)
{
    CXDBstr value;
    HRESULT hr = document.GetElementValueText(element, &value);
    return hr == S_OK ? Narrow(value.Get()) : "(not read: " + Hex(hr) + ")";
}

ParameterValues ReadParameterValues(CXDPrintSchemaDocument& document)
{
    ParameterValues values;
    CXDComPtr<IXMLDOMNodeList> inits;
    if (FAILED(document.SelectNodes(XDVocabulary::kParameterInit, &inits, 1)) || !inits) {
        return values;
    }
    CXDComPtr<IXMLDOMNode> init;
    while (inits->nextNode(&init) == S_OK && init) {
        CXDBstr name;
        if (document.GetAttributeText(init.Get(), XDVocabulary::kName, &name) == S_OK) {
            values.emplace(XDQName::Read(init.Get(), name.Get()).Key(), ValueText(document, init.Get()));
        }
    }
    return values;
}

// A ticket's scored property: its Value, or the value of the ParameterInit its ParameterRef names.
std::string TicketValue(CXDPrintSchemaDocument& document, IXMLDOMNode* property,
                        const ParameterValues& parameters)
{
    CXDComPtr<IXMLDOMNode> reference;
    CXDBstr referenceQuery(SysAllocString(
        Concat(CXDPrintSchemaDocument::SelectionPrefix(), XDVocabulary::kParameterRef).c_str()));
    CXDBstr name;
    if (property->selectSingleNode(referenceQuery, &reference) != S_OK ||
        document.GetAttributeText(reference.Get(), XDVocabulary::kName, &name) != S_OK) {
        return ValueText(document, property);
    }
    auto found = parameters.find(XDQName::Read(reference.Get(), name.Get()).Key());
    return found != parameters.end() ? found->second
                                     : "(not read: " + Hex(HRESULT_FROM_WIN32(ERROR_NOT_FOUND)) + ")";
}

// Options of a ticket are read through the library (it resolves parameters); a capabilities
// document lists many options of one feature, each shown with its own values.
void PrintOption(CXDPrintSchemaDocument& document, IXMLDOMNode* option, const ParameterValues& parameters,
                 const std::string& indent, bool isTicket, std::ostream& out)
{
    out << indent << "  option " << NameOf(document, option) << "\n";
    ForEachChild(option, XDVocabulary::kScoredProperty, [&](IXMLDOMNode* property) {
        out << indent << "    " << NameOf(document, property) << " = "
            << (isTicket ? TicketValue(document, property, parameters) : OwnValue(document, property))
            << "\n";
    });
}

void PrintFeatures(CXDPrintSchemaDocument& document, bool isTicket, std::ostream& out)
{
    const ParameterValues parameters = isTicket ? ReadParameterValues(document) : ParameterValues();
    CXDComPtr<IXMLDOMNodeList> features;
    if (FAILED(document.SelectNodes(XDVocabulary::kFeature, &features, 1)) || !features) {
        return;
    }
    CXDComPtr<IXMLDOMNode> feature;
    while (features->nextNode(&feature) == S_OK && feature) {
        std::string name = NameOf(document, feature.Get());
        std::string indent(2 * Depth(feature.Get()), ' ');
        out << indent << "feature " << name;
        if (isTicket) {
            CXDBstr option;
            HRESULT hr = document.GetElementOption(feature.Get(), &option);
            out << ": " << (hr == S_OK ? Narrow(option.Get()) : "(no option: " + Hex(hr) + ")");
        }
        out << "\n";
        ForEachChild(feature.Get(), XDVocabulary::kOption, [&](IXMLDOMNode* option) {
            PrintOption(document, option, parameters, indent, isTicket, out);
        });
    }
}

void PrintParameters(CXDPrintSchemaDocument& document, LPCWSTR element, std::ostream& out)
{
    CXDComPtr<IXMLDOMNodeList> parameters;
    if (FAILED(document.SelectNodes(element, &parameters, 1)) || !parameters) {
        return;
    }
    CXDComPtr<IXMLDOMNode> parameter;
    while (parameters->nextNode(&parameter) == S_OK && parameter) {
        std::string name = NameOf(document, parameter.Get());
        out << (element == XDVocabulary::kParameterInit ? "parameter " : "parameter definition ") << name;
        if (element == XDVocabulary::kParameterInit) {
            out << " = " << ValueText(document, parameter.Get());
        }
        out << "\n";
    }
}

bool LoadDocument(const std::string& path, CXDComPtr<IXMLDOMDocument2>& dom, std::ostream& out)
{
    HRESULT hr = CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                  reinterpret_cast<void**>(&dom));
    if (FAILED(hr)) {
        out << "cannot create the XML document: " << Hex(hr) << "\n";
        return false;
    }
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(Wide(path).c_str());
    VARIANT_BOOL loaded = VARIANT_FALSE;
    hr = dom->load(source, &loaded);
    VariantClear(&source);
    if (hr != S_OK || loaded != VARIANT_TRUE) {
        CXDComPtr<IXMLDOMParseError> error;
        CXDBstr reason;
        if (SUCCEEDED(dom->get_parseError(&error)) && error) {
            error->get_reason(&reason);
        }
        out << "not loaded: " << Narrow(reason.Get()) << "\n";
        return false;
    }
    return true;
}

bool IsCapabilities(IXMLDOMDocument2* dom)
{
    CXDComPtr<IXMLDOMElement> root;
    CXDBstr name;
    if (dom->get_documentElement(&root) != S_OK || !root || FAILED(root->get_baseName(&name))) {
        return false;
    }
    return WString(name.Get() ? name.Get() : TEXT("")) == XDVocabulary::kPrintCapabilities;
}

// Prints what the library finds in the document a DOM holds.
void DescribeDocument(IXMLDOMDocument2* dom, std::ostream& out)
{
    bool capabilities = IsCapabilities(dom);
    std::unique_ptr<CXDPrintSchemaDocument> document;
    try {
        if (capabilities) {
            document.reset(new CXDPrintCapabilities(dom));
        } else {
            document.reset(new CXDPrintTicket(dom));
        }
    } catch (const CXDException& failure) {
        out << "the library refuses the document: " << Hex(failure.GetResult()) << "\n";
        return;
    }
    out << (capabilities ? "PrintCapabilities" : "PrintTicket")
        << " with prefixes psf=" << Narrow(document->GetPsfPrefix())
        << " psk=" << Narrow(document->GetPskPrefix()) << " xsi=" << Narrow(document->GetXsiPrefix())
        << " xsd=" << Narrow(document->GetXsdPrefix()) << "\n";
    PrintFeatures(*document, !capabilities, out);
    PrintParameters(*document, XDVocabulary::kParameterInit, out);
    PrintParameters(*document, XDVocabulary::kParameterDef, out);
}

// Without files: a PrintTicket the library writes into an empty ticket, read back the same way.
bool DescribeWrittenTicket(std::ostream& out)
{
    CXDComPtr<IXMLDOMDocument2> dom;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                reinterpret_cast<void**>(&dom)))) {
        return false;
    }
    WString empty = WString(TEXT("<psf:PrintTicket xmlns:psf=\"")) + XDVocabulary::kFrameworkNamespace +
                    TEXT("\" xmlns:psk=\"") + XDVocabulary::kKeywordsNamespace + TEXT("\" xmlns:xsi=\"") +
                    XDVocabulary::kSchemaInstanceNamespace + TEXT("\" xmlns:xsd=\"") +
                    XDVocabulary::kSchemaNamespace + TEXT("\" xmlns:ns0000=\"") +
                    XDVocabulary::kPrivateNamespace + TEXT("\" version=\"1\"/>");
    CXDBstr text(SysAllocString(empty.c_str()));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    if (dom->loadXML(text, &loaded) != S_OK) {
        return false;
    }
    try {
        CXDPrintTicket ticket(dom.Get());
        CXDComPtr<IXMLDOMElement> feature, option, width, height, reference, init;
        ticket.SetFeatureOption(TEXT("PageMediaSize"), TEXT("ISOA4"), &feature, &option);
        ticket.SetScoredPropertyInteger(TEXT("MediaSizeWidth"), 210000, &width);
        ticket.SetScoredPropertyInteger(TEXT("MediaSizeHeight"), 297000, &height);
        CXDComPtr<IXMLDOMNode> appended;
        option->appendChild(width.Get(), &appended);
        option->appendChild(height.Get(), &appended);
        ticket.AppendToRoot(XDVocabulary::kPrintTicket, feature.Get());
        ticket.SetFeatureOption(TEXT("PageOrientation"), TEXT("Landscape"), &feature, &option);
        ticket.AppendToRoot(XDVocabulary::kPrintTicket, feature.Get());
        ticket.CreateParameterInit(TEXT("PageZQSelectedPosterTilesList"), TEXT("string"), TEXT("1,3"),
                                   &reference, &init);
        ticket.AppendToRoot(XDVocabulary::kPrintTicket, init.Get());
    } catch (const CXDException& failure) {
        out << "the library refuses the document: " << Hex(failure.GetResult()) << "\n";
        return false;
    }
    out << "a PrintTicket written by the library\n";
    DescribeDocument(dom.Get(), out);
    return true;
}

bool DescribeFile(const std::string& path, std::ostream& out)
{
    out << "file " << path << "\n";
    CXDComPtr<IXMLDOMDocument2> dom;
    if (!LoadDocument(path, dom, out)) {
        return false;
    }
    DescribeDocument(dom.Get(), out);
    return true;
}

// nirahost printticket [FILE...]: each file is read as the driver reads the documents the platform
// hands it (a path starting with '/' is a file of this computer, any other a Windows path of the
// simulated machine). 0 when every file could be loaded.
int Run(HostMachine&, const std::vector<std::string>& arguments)
{
    HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 0;
    if (arguments.empty() && !DescribeWrittenTicket(std::cout)) {
        result = 1;
    }
    for (const std::string& path : arguments) {
        if (!DescribeFile(path, std::cout)) {
            result = 1;
        }
        std::cout << "\n";
    }
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    std::cout.flush();
    return result;
}

const HostJobRegistration job{
    {"printticket", "what the PrintTicket library finds in PrintTicket and PrintCapabilities files", 20,
     Run}};

}  // namespace
