// A DEVMODE -> PrintTicket -> DEVMODE round trip through the plug-in's bound provider (driver state
// built once, every handler writing and reading its features, the section's snapshot), beside the
// PrintTicket library reading and writing the same features and snapshot alone.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDVocabulary.h"

#include <benchmark/benchmark.h>
#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

// A new document of the core driver, owned.
CXDComPtr<IXMLDOMDocument2> NewDocument(nirasim::CoreDriverInstance& core, const char16_t* root)
{
    CXDComPtr<IXMLDOMDocument2> document;
    *&document = core.NewSchemaDocument(root);
    return document;
}

const char16_t kPrinter[] = TEXT("Nira Sample Inkjet");

struct BoundProvider {
    BoundProvider()
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        core = std::make_unique<nirasim::CoreDriver>(kPrinter);
        if (core->IsOpen() && (*core)->BindPrintTicketProvider(1).bindResult == S_OK) {
            devMode = (*core)->DefaultDevMode().devMode;
        }
    }
    ~BoundProvider()
    {
        core.reset();
        CoUninitialize();
    }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
    std::vector<BYTE> devMode;
};

std::u16string Text(BSTR text)
{
    return text != nullptr ? std::u16string(text) : std::u16string();
}

// The features (name, option) and parameters (name, value) at the top of a ticket.
struct TicketContent {
    std::vector<std::pair<std::u16string, std::u16string>> features;
    std::vector<std::pair<std::u16string, std::u16string>> parameters;
};

TicketContent ContentOf(IXMLDOMDocument2* ticket)
{
    TicketContent content;
    CXDComPtr<IXMLDOMElement> root;
    ticket->get_documentElement(&root);
    CXDComPtr<IXMLDOMNode> child;
    if (root) {
        root->get_firstChild(&child);
    }
    CXDPrintTicket document(ticket);
    while (child) {
        BSTR base = nullptr;
        BSTR name = nullptr;
        child->get_baseName(&base);
        document.GetAttributeText(child.Get(), XDVocabulary::kName, &name);
        if (Text(base) == XDVocabulary::kFeature) {
            BSTR option = nullptr;
            document.GetElementOption(child.Get(), &option);
            content.features.emplace_back(Text(name), Text(option));
            SysFreeString(option);
        } else if (Text(base) == XDVocabulary::kParameterInit) {
            BSTR value = nullptr;
            document.GetParameterInitValue(name, &value);
            content.parameters.emplace_back(Text(name), Text(value));
            SysFreeString(value);
        }
        SysFreeString(base);
        SysFreeString(name);
        CXDComPtr<IXMLDOMNode> next;
        child->get_nextSibling(&next);
        child = std::move(next);
    }
    return content;
}

void RoundTripThroughTheProvider(benchmark::State& state)
{
    BoundProvider setup;
    if (setup.devMode.empty()) {
        state.SkipWithError("the provider cannot be bound");
        return;
    }
    nirasim::CoreDriverInstance& core = **setup.core;
    for (auto _ : state) {
        CXDComPtr<IXMLDOMDocument2> ticket = NewDocument(core, TEXT("PrintTicket"));
        std::vector<BYTE> back = core.DefaultDevMode().devMode;
        if (!ticket || core.DevModeToPrintTicket(setup.devMode, ticket.Get()) != S_OK ||
            core.PrintTicketToDevMode(ticket.Get(), back) != S_OK) {
            state.SkipWithError("a conversion failed");
            break;
        }
    }
}
BENCHMARK(RoundTripThroughTheProvider)->Unit(benchmark::kMillisecond);

void TheSameFeaturesThroughTheLibrary(benchmark::State& state)
{
    BoundProvider setup;
    if (setup.devMode.empty()) {
        state.SkipWithError("the provider cannot be bound");
        return;
    }
    nirasim::CoreDriverInstance& core = **setup.core;
    CXDComPtr<IXMLDOMDocument2> written = NewDocument(core, TEXT("PrintTicket"));
    if (!written || core.DevModeToPrintTicket(setup.devMode, written.Get()) != S_OK) {
        state.SkipWithError("the ticket cannot be written");
        return;
    }
    const TicketContent content = ContentOf(written.Get());
    state.counters["features"] = static_cast<double>(content.features.size());
    for (auto _ : state) {
        CXDPrintTicket source(written.Get());
        CXDComPtr<IXMLDOMDocument2> fresh = NewDocument(core, TEXT("PrintTicket"));
        CXDPrintTicket target(fresh.Get());
        for (const auto& feature : content.features) {
            BSTR option = nullptr;
            source.GetFeatureOption(feature.first.c_str(), &option);
            CXDComPtr<IXMLDOMElement> element;
            CXDComPtr<IXMLDOMElement> optionElement;
            if (SUCCEEDED(target.SetFeatureOption(feature.first.c_str(), option, &element, &optionElement))) {
                target.AppendToRoot(XDVocabulary::kPrintTicket, element.Get());
            }
            SysFreeString(option);
        }
        for (const auto& parameter : content.parameters) {
            BSTR value = nullptr;
            source.GetParameterInitValue(parameter.first.c_str(), &value);
            CXDComPtr<IXMLDOMElement> reference;
            CXDComPtr<IXMLDOMElement> init;
            if (SUCCEEDED(target.CreateParameterInit(parameter.first.c_str(), XDVocabulary::kString, value,
                                                     &reference, &init))) {
                target.AppendToRoot(XDVocabulary::kPrintTicket, init.Get());
            }
            SysFreeString(value);
        }
    }
}
BENCHMARK(TheSameFeaturesThroughTheLibrary)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
