// Reading and writing large PrintTickets through the PrintTicket library: a ticket with many
// features (among them many of one name, each with a parameter, as a hostile document may hold)
// and a poster tile list with many entries. Each at two sizes ten times apart: the time per
// document must grow tenfold, not a hundredfold.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDComPtr.h"
#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPosterFeature.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDVocabulary.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using Text = std::u16string;

Text Number(long n)
{
    std::string digits = std::to_string(n);
    return Text(digits.begin(), digits.end());
}

Text RootStart()
{
    return Text(TEXT("<psf:PrintTicket xmlns:psf=\"")) + XDVocabulary::kFrameworkNamespace +
           TEXT("\" xmlns:psk=\"") + XDVocabulary::kKeywordsNamespace + TEXT("\" xmlns:ns0000=\"") +
           XDVocabulary::kPrivateNamespace + TEXT("\" version=\"1\">");
}

// count features: a quarter are PageScaling features each referring to a parameter of its own,
// the rest distinct features of other names; the converters' own features come last.
Text ManyFeatures(long count)
{
    Text text = RootStart();
    for (long i = 0; i < count; ++i) {
        const Text n = Number(i);
        if (i % 4 == 0) {
            text += TEXT(
                        "<psf:Feature name=\"psk:PageScaling\"><psf:Option name=\"psk:CustomSquare\">"
                        "<psf:ScoredProperty name=\"psk:Scale\"><psf:ParameterRef name=\"psk:Scale") +
                    n +
                    TEXT(
                        "\"/></psf:ScoredProperty></psf:Option></psf:Feature><psf:ParameterInit "
                        "name=\"psk:Scale") +
                    n + TEXT("\"><psf:Value>") + n + TEXT("</psf:Value></psf:ParameterInit>");
        } else {
            text += TEXT("<psf:Feature name=\"psk:Feature") + n + TEXT("\"><psf:Option name=\"psk:Option") +
                    n + TEXT("\"/></psf:Feature>");
        }
    }
    text +=
        TEXT("<psf:Feature name=\"psk:PageOrientation\"><psf:Option name=\"psk:Landscape\"/></psf:Feature>");
    return text + TEXT("</psf:PrintTicket>");
}

// A poster of 25 sheets whose tile list holds count entries.
Text LongTileList(long count)
{
    Text list;
    for (long i = 0; i < count; ++i) {
        list += (i ? TEXT(",") : TEXT("")) + Number(1 + i % 25);
    }
    return RootStart() +
           TEXT(
               "<psf:Feature name=\"psk:PagePoster\"><psf:Option><psf:ScoredProperty "
               "name=\"psk:SheetsPerPage\">"
               "<psf:Value>25</psf:Value></psf:ScoredProperty></psf:Option>"
               "<psf:Feature name=\"ns0000:ZQPosterTiles\"><psf:Option name=\"ns0000:ZQTilesList\">"
               "<psf:ScoredProperty name=\"ns0000:ZQSelectedTiles\"><psf:ParameterRef "
               "name=\"ns0000:PageZQSelectedPosterTilesList\"/></psf:ScoredProperty></psf:Option></"
               "psf:Feature>"
               "</psf:Feature><psf:ParameterInit name=\"ns0000:PageZQSelectedPosterTilesList\"><psf:Value>") +
           list + TEXT("</psf:Value></psf:ParameterInit></psf:PrintTicket>");
}

struct Com {
    Com() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
    ~Com() { CoUninitialize(); }
};

bool Load(CXDComPtr<IXMLDOMDocument2>& dom, const Text& text)
{
    if (FAILED(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                reinterpret_cast<void**>(&dom)))) {
        return false;
    }
    BSTR xml = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    HRESULT hr = dom->loadXML(xml, &loaded);
    SysFreeString(xml);
    return hr == S_OK && loaded == VARIANT_TRUE;
}

// Loads the text outside the timing; false (the benchmark then stops with an error) when it fails.
bool LoadUntimed(benchmark::State& state, CXDComPtr<IXMLDOMDocument2>& dom, const Text& text)
{
    state.PauseTiming();
    const bool loaded = Load(dom, text);
    state.ResumeTiming();
    if (!loaded) {
        state.SkipWithError("the ticket does not load");
    }
    return loaded;
}

// Reads orientation and page scaling, then writes both: the scaling write removes every
// PageScaling feature and the parameter each refers to.
void BM_ManyFeatures(benchmark::State& state)
{
    Com com;
    const Text text = ManyFeatures(state.range(0));
    for (auto _ : state) {
        CXDComPtr<IXMLDOMDocument2> dom;
        if (!LoadUntimed(state, dom, text)) {
            break;
        }
        CXDPrintTicket ticket(dom.Get());
        int orientation = 0;
        PageScalingValues scaling{};
        benchmark::DoNotOptimize(CXDOrientationFeature().ReadPrintTicket(ticket, &orientation));
        benchmark::DoNotOptimize(CXDPageScalingFeature().ReadPrintTicket(ticket, &scaling));
        orientation = 0;
        scaling.kind = 2;
        scaling.scale = 200;
        benchmark::DoNotOptimize(CXDOrientationFeature().WritePrintTicket(ticket, &orientation));
        if (CXDPageScalingFeature().WritePrintTicket(ticket, &scaling) != S_OK) {
            state.SkipWithError("the scaling write failed");
        }
    }
    state.SetComplexityN(state.range(0));
}

// Reads the poster with its tile list, then writes it back (which replaces the long list).
void BM_LongTileList(benchmark::State& state)
{
    Com com;
    const Text text = LongTileList(state.range(0));
    for (auto _ : state) {
        CXDComPtr<IXMLDOMDocument2> dom;
        if (!LoadUntimed(state, dom, text)) {
            break;
        }
        CXDPrintTicket ticket(dom.Get());
        PosterValues poster{};
        if (CXDPosterFeature().ReadPrintTicket(ticket, &poster) != S_OK || poster.tiles[24] != 1) {
            state.SkipWithError("the tile list was not read");
        }
        if (CXDPosterFeature().WritePrintTicket(ticket, &poster) != S_OK) {
            state.SkipWithError("the poster write failed");
        }
    }
    state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_ManyFeatures)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_LongTileList)->Arg(8000)->Arg(80000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
