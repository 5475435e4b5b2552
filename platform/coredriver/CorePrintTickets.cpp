// The core driver's PrintTicket calls on its plug-in's provider: it binds the provider (version 1
// is the one the core driver speaks), starts each PrintTicket or PrintCapabilities document with
// the Print Schema namespaces and those the provider named, and hands the plug-in the DEVMODE's
// public part and its own section.
#include "CoreInstance.h"

#include <objbase.h>
#include <oleauto.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>

namespace nirasim::coredriver {
namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);

const char16_t kFrameworkUri[] =
    u"http://schemas.microsoft.com/windows/2003/08/printing/printschemaframework";
const char16_t kKeywordsUri[] = u"http://schemas.microsoft.com/windows/2003/08/printing/printschemakeywords";

// The DEVMODE's public part and its whole size, when the bytes hold all of it.
DEVMODEW* WholeDevMode(std::vector<BYTE>& bytes)
{
    if (bytes.size() < sizeof(DEVMODEW)) {
        return nullptr;
    }
    auto* devMode = reinterpret_cast<DEVMODEW*>(bytes.data());
    return static_cast<size_t>(devMode->dmSize) + devMode->dmDriverExtra <= bytes.size() ? devMode : nullptr;
}

// The public fields after the sizes, which a DEVMODE of another public size carries over.
constexpr size_t kFieldsAfterSizes = offsetof(DEVMODEW, dmFields);

// A DEVMODE of another public size or without the plug-in's section in the core driver's own
// layout, as the core driver validates every DEVMODE it is handed before its plug-in sees it: the
// default with the caller's public fields as far as the caller has them and its section as the
// plug-in converts it (the default's section when the plug-in refuses it or there is none).
// Unchanged when already in the core driver's layout or when no default can be had.
std::vector<BYTE> OwnLayout(CoreInstance& core, const std::vector<BYTE>& devMode)
{
    std::vector<BYTE> bytes(devMode);
    DEVMODEW* publicPart = WholeDevMode(bytes);
    if (publicPart == nullptr ||
        (publicPart->dmSize == sizeof(DEVMODEW) && core.PluginSection(publicPart) != nullptr)) {
        return devMode;
    }
    std::vector<BYTE> own;
    core.ConvertDevMode(OEMDM_CONVERT, devMode, own);
    if (own.size() < sizeof(DEVMODEW)) {
        return devMode;
    }
    const size_t publicSize =
        std::min<size_t>(reinterpret_cast<const DEVMODEW*>(devMode.data())->dmSize, sizeof(DEVMODEW));
    if (publicSize > kFieldsAfterSizes) {
        memcpy(own.data() + kFieldsAfterSizes, devMode.data() + kFieldsAfterSizes,
               publicSize - kFieldsAfterSizes);
    }
    return own;
}

}  // namespace

DWORD CoreInstance::SectionSize()
{
    if (sectionSize_ == 0) {
        DefaultDevMode();
    }
    return sectionSize_;
}

PrintTicketBinding CoreInstance::BindPrintTicketProvider(INT version)
{
    PrintTicketBinding binding;
    if (provider_ != nullptr) {
        provider_->Release();
        provider_ = nullptr;
    }
    providerNamespaces_.clear();
    auto getClassObject = pluginModule_ != nullptr
                              ? reinterpret_cast<GetClassObjectProc>(reinterpret_cast<void*>(
                                    GetProcAddress(pluginModule_, "DllGetClassObject")))
                              : nullptr;
    IClassFactory* factory = nullptr;
    if (getClassObject == nullptr ||
        FAILED(getClassObject(CLSID_OEMPTPROVIDER, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
        return binding;
    }
    factory->CreateInstance(nullptr, IID_IPrintOemPrintTicketProvider, reinterpret_cast<void**>(&provider_));
    factory->Release();
    if (provider_ == nullptr) {
        return binding;
    }
    INT* versions = nullptr;
    INT count = 0;
    binding.versionsResult = provider_->GetSupportedVersions(printer_, &versions, &count);
    for (INT i = 0; versions != nullptr && i < count; ++i) {
        binding.versions.push_back(versions[i]);
    }
    CoTaskMemFree(versions);
    binding.publishResult = provider_->PublishPrintTicketHelperInterface(&helper_);
    OEMPTOPTS options = {};
    INT namespaceCount = 0;
    BSTR* namespaces = nullptr;
    binding.bindResult = provider_->BindPrinter(printer_, version, &options, &namespaceCount, &namespaces);
    binding.flags = options.dwFlags;
    for (INT i = 0; namespaces != nullptr && i < namespaceCount; ++i) {
        binding.namespaces.emplace_back(namespaces[i] != nullptr ? namespaces[i] : u"");
        SysFreeString(namespaces[i]);
    }
    CoTaskMemFree(namespaces);
    providerNamespaces_ = binding.namespaces;
    return binding;
}

IXMLDOMDocument2* CoreInstance::NewSchemaDocument(const char16_t* root)
{
    IXMLDOMDocument2* document = nullptr;
    if (FAILED(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                reinterpret_cast<void**>(&document)))) {
        return nullptr;
    }
    std::u16string text = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?><psf:";
    text += root;
    text += u" xmlns:psf=\"";
    text += kFrameworkUri;
    text += u"\" xmlns:psk=\"";
    text += kKeywordsUri;
    text +=
        u"\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
        u"xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\"";
    for (size_t i = 0; i < providerNamespaces_.size(); ++i) {
        std::u16string number = std::u16string(u"000") + static_cast<char16_t>(u'0' + i % 10);
        text += u" xmlns:ns" + number + u"=\"" + providerNamespaces_[i] + u"\"";
    }
    text += u" version=\"1\"/>";
    BSTR xml = SysAllocString(text.c_str());
    VARIANT_BOOL loaded = VARIANT_FALSE;
    const HRESULT result = document->loadXML(xml, &loaded);
    SysFreeString(xml);
    if (result != S_OK || loaded != VARIANT_TRUE) {
        document->Release();
        return nullptr;
    }
    return document;
}

HRESULT CoreInstance::DevModeToPrintTicket(const std::vector<BYTE>& devMode, IXMLDOMDocument2* ticket)
{
    if (provider_ == nullptr) {
        return E_FAIL;
    }
    std::vector<BYTE> bytes = OwnLayout(*this, devMode);
    DEVMODEW* publicPart = WholeDevMode(bytes);
    const DWORD sectionSize = SectionSize();
    PVOID section = PluginSection(publicPart);
    if (publicPart == nullptr || section == nullptr) {
        return E_INVALIDARG;
    }
    return provider_->ConvertDevModeToPrintTicket(publicPart->dmSize, publicPart, sectionSize, section,
                                                  ticket);
}

HRESULT CoreInstance::PrintTicketToDevMode(IXMLDOMDocument2* ticket, std::vector<BYTE>& devMode)
{
    if (provider_ == nullptr) {
        return E_FAIL;
    }
    if (devMode.empty()) {
        devMode = DefaultDevMode().devMode;
    }
    DEVMODEW* publicPart = WholeDevMode(devMode);
    const DWORD sectionSize = SectionSize();
    PVOID section = PluginSection(publicPart);
    if (publicPart == nullptr || section == nullptr) {
        return E_INVALIDARG;
    }
    return provider_->ConvertPrintTicketToDevMode(ticket, publicPart->dmSize, publicPart, sectionSize,
                                                  section);
}

HRESULT CoreInstance::CompletePrintCapabilities(IXMLDOMDocument2* ticket, IXMLDOMDocument2* capabilities)
{
    return provider_ != nullptr ? provider_->CompletePrintCapabilities(ticket, capabilities) : E_FAIL;
}

}  // namespace nirasim::coredriver
