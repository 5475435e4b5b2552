// Reading a PrintTicket through every converter (load the text into the platform's DOM, then each
// converter's read), beside libxml2 alone parsing the same text and running the same XPath
// queries.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include "printticket/XDBindingFeature.h"
#include "printticket/XDComPtr.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPosterFeature.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDResolutionFeature.h"
#include "printticket/XDRollCutFeature.h"
#include "printticket/XDVocabulary.h"

#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <string>

namespace {

// A ticket as an application hands it on: a feature and a parameter the converters leave alone;
// the benchmark adds one feature (with its parameters) for every converter.
std::string Ascii(LPCWSTR text)
{
    std::string ascii;
    for (; *text != 0; ++text) {
        ascii += static_cast<char>(*text);  // the Print Schema texts are ASCII
    }
    return ascii;
}

std::u16string StartingTicket()
{
    using namespace XDVocabulary;
    return std::u16string(TEXT("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<psf:PrintTicket xmlns:psf=\"")) +
           kFrameworkNamespace + TEXT("\" xmlns:psk=\"") + kKeywordsNamespace + TEXT("\" xmlns:ns0000=\"") +
           kPrivateNamespace + TEXT("\" xmlns:xsi=\"") + kSchemaInstanceNamespace + TEXT("\" xmlns:xsd=\"") +
           kSchemaNamespace +
           TEXT(
               "\" version=\"1\">"
               "<psf:Feature name=\"psk:DocumentCollate\"><psf:Option name=\"psk:Collated\"/></psf:Feature>"
               "<psf:ParameterInit name=\"psk:JobCopiesAllDocuments\">"
               "<psf:Value xsi:type=\"xsd:integer\">3</psf:Value></psf:ParameterInit></psf:PrintTicket>");
}

// Writes one feature per converter into the DOM, as a full ticket carries them.
void WriteEveryConverter(IXMLDOMDocument2* dom)
{
    CXDPrintTicket ticket(dom);
    const int orientation = 1;
    CXDOrientationFeature().WritePrintTicket(ticket, &orientation);
    const CXDResolutionValues resolution{2, 1200, 1200};
    CXDResolutionFeature().WritePrintTicket(ticket, &resolution);
    const RollCutValues rollCut{0, 1};
    CXDRollCutFeature().WritePrintTicket(ticket, &rollCut);
    const PageScalingValues scaling{1, 100, 0.0f, 1, 210000, 297000};
    CXDPageScalingFeature().WritePrintTicket(ticket, &scaling);
    PosterValues poster{};
    poster.sheetsIndex = 2;
    poster.sheets = 9;
    poster.tileMode = 1;
    poster.tiles[1] = poster.tiles[6] = poster.tiles[8] = 1;
    CXDPosterFeature().WritePrintTicket(ticket, &poster);
    const BindingValues binding{1, 1};
    CXDBindingFeature().WritePrintTicket(ticket, &binding);
    const NUpValues nUp{0, 6, 2, 1};
    CXDNUpFeature().WritePrintTicket(ticket, &nUp);
    MediaSizeValues media{76200, 127000, CXDString(TEXT("CustomMediaSize"))};
    CXDMediaSizeFeature::WritePrintTicket(ticket, &media);
}

bool NewDom(CXDComPtr<IXMLDOMDocument2>& dom)
{
    return CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                            reinterpret_cast<void**>(&dom)) == S_OK;
}

bool LoadText(IXMLDOMDocument2* dom, const std::u16string& text)
{
    CXDBstr xml(SysAllocString(text.c_str()));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    return dom->loadXML(xml, &loaded) == S_OK && loaded == VARIANT_TRUE;
}

// The full ticket's text, written by the converters themselves.
struct FullTicket {
    FullTicket()
    {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CXDComPtr<IXMLDOMDocument2> dom;
        if (!NewDom(dom) || !LoadText(dom.Get(), StartingTicket())) {
            return;
        }
        WriteEveryConverter(dom.Get());
        CXDBstr xml;
        dom->get_xml(&xml);
        text = xml.Get() ? std::u16string(xml.Get()) : std::u16string();
        for (char16_t c : text) {
            utf8 += static_cast<char>(c);  // the ticket is ASCII
        }
    }
    std::u16string text;
    std::string utf8;
};

const FullTicket& Ticket()
{
    static const FullTicket ticket;
    return ticket;
}

HRESULT ReadEveryConverter(CXDPrintTicket& ticket)
{
    HRESULT last = S_OK;
    auto keep = [&last](HRESULT hr) {
        if (FAILED(hr)) {
            last = hr;
        }
    };
    int orientation = 0;
    keep(CXDOrientationFeature().ReadPrintTicket(ticket, &orientation));
    CXDResolutionValues resolution{1, 600, 600};
    keep(CXDResolutionFeature().ReadPrintTicket(ticket, &resolution));
    RollCutValues rollCut{1, 0};
    keep(CXDRollCutFeature().ReadPrintTicket(ticket, &rollCut));
    PageScalingValues scaling{0, 100, 1.0f, 0, 215900, 279400};
    keep(CXDPageScalingFeature().ReadPrintTicket(ticket, &scaling));
    PosterValues poster{0, 1, 0, {}};
    keep(CXDPosterFeature().ReadPrintTicket(ticket, &poster));
    BindingValues binding{0, 0};
    keep(CXDBindingFeature().ReadPrintTicket(ticket, &binding));
    NUpValues nUp{0, 1, 0, 0};
    keep(CXDNUpFeature().ReadPrintTicket(ticket, &nUp));
    MediaSizeValues media{215900, 279400, CXDString(TEXT("NorthAmericaLetter"))};
    keep(CXDMediaSizeFeature::ReadPrintTicket(ticket, &media));
    benchmark::DoNotOptimize(media.width);
    return last;
}

void BM_TicketReadsOfEveryConverter(benchmark::State& state)
{
    const FullTicket& full = Ticket();
    for (auto _ : state) {
        CXDComPtr<IXMLDOMDocument2> dom;
        if (!NewDom(dom) || !LoadText(dom.Get(), full.text)) {
            state.SkipWithError("load failed");
            break;
        }
        CXDPrintTicket ticket(dom.Get());
        if (FAILED(ReadEveryConverter(ticket))) {
            state.SkipWithError("read failed");
            break;
        }
    }
    state.counters["ticket_bytes"] = static_cast<double>(full.utf8.size());
}
BENCHMARK(BM_TicketReadsOfEveryConverter)->Unit(benchmark::kMicrosecond);

// The XPath queries the converters' reads run on the full ticket, in their order, each from the
// document (taken from the platform DOM while the reads above ran).
const char* const kReadQueries[] = {
    "psf:PrintTicket",      "psf:PrintTicket",      "psf:PrintTicket",      "psf:PrintTicket",
    "psf:PrintTicket",      "//psf:Feature",        "//psf:Feature",        "//psf:Feature",
    "//psf:Feature",        "//psf:ScoredProperty", "//psf:Feature",        "//psf:Feature",
    "//psf:Feature",        "//psf:Feature",        "//psf:Feature",        "//psf:Feature",
    "//psf:ScoredProperty", "//psf:ParameterInit",  "//psf:ScoredProperty", "//psf:ParameterInit",
    "//psf:ScoredProperty", "//psf:ParameterInit",  "//psf:ScoredProperty", "//psf:ParameterInit",
    "//psf:ScoredProperty", "//psf:ParameterInit",  "//psf:Feature",        "//psf:Feature",
    "//psf:ScoredProperty", "//psf:ScoredProperty", "//psf:ParameterInit",  "//psf:Feature",
    "//psf:Feature",        "//psf:Feature",        "//psf:Feature",        "//psf:Feature",
    "//psf:ScoredProperty", "//psf:Feature",        "//psf:Feature",        "//psf:ScoredProperty",
    "//psf:ParameterInit",  "//psf:ScoredProperty", "//psf:ParameterInit",
};

int RunBareQueries(xmlDocPtr doc)
{
    xmlXPathContextPtr context = xmlXPathNewContext(doc);
    // The converters bind only the framework prefix; the other names stand in attribute texts.
    const std::string framework = Ascii(XDVocabulary::kFrameworkNamespace);
    xmlXPathRegisterNs(context, BAD_CAST "psf", BAD_CAST framework.c_str());
    int found = 0;
    for (const char* query : kReadQueries) {
        context->node = reinterpret_cast<xmlNodePtr>(doc);
        xmlXPathObjectPtr result = xmlXPathEvalExpression(BAD_CAST query, context);
        if (result != nullptr && result->nodesetval != nullptr && result->nodesetval->nodeNr > 0) {
            ++found;
        }
        xmlXPathFreeObject(result);
    }
    xmlXPathFreeContext(context);
    return found;
}

void BM_BareLibxml2ParseAndQueries(benchmark::State& state)
{
    const FullTicket& full = Ticket();
    int found = 0;
    for (auto _ : state) {
        xmlDocPtr doc = xmlReadMemory(full.utf8.data(), static_cast<int>(full.utf8.size()), nullptr, nullptr,
                                      XML_PARSE_NONET);
        if (doc == nullptr) {
            state.SkipWithError("parse failed");
            break;
        }
        found = RunBareQueries(doc);
        xmlFreeDoc(doc);
    }
    state.counters["queries"] = static_cast<double>(sizeof(kReadQueries) / sizeof(kReadQueries[0]));
    state.counters["found"] = found;
}
BENCHMARK(BM_BareLibxml2ParseAndQueries)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
