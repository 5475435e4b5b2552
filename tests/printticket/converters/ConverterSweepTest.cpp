// Each converter's write and read with each of their injectable calls failing in turn.
#include "ConverterFixture.h"
#include "Descriptions.h"
#include "RoundTripCases.h"

#include <nirasim/InjectedFailures.h>
#include <nirasim/Machine.h>

#include "printticket/XDBindingFeature.h"
#include "printticket/XDException.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPosterFeature.h"
#include "printticket/XDResolutionFeature.h"
#include "printticket/XDRollCutFeature.h"
#include "support/FailureSweep.h"

#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// A converter's read as comparable bytes: the record it filled from a known start, or nothing
// when the read reported a failure.
using ReadOutcome = std::vector<BYTE>;

template <typename Converter, typename Values>
std::function<std::optional<ReadOutcome>(CXDPrintTicket&)> ReadOf(Values start)
{
    return [start](CXDPrintTicket& ticket) -> std::optional<ReadOutcome> {
        Values values;
        std::memset(static_cast<void*>(&values), 0, sizeof(values));
        values = start;
        if (FAILED(Converter().ReadPrintTicket(ticket, &values))) {
            return std::nullopt;
        }
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&values);
        return ReadOutcome(bytes, bytes + sizeof(values));
    };
}

std::optional<ReadOutcome> ReadMediaSize(CXDPrintTicket& ticket)
{
    MediaSizeValues values{215900, 279400, CXDString(TEXT("NorthAmericaLetter"))};
    if (FAILED(CXDMediaSizeFeature::ReadPrintTicket(ticket, &values))) {
        return std::nullopt;
    }
    const LPCWSTR name = values.optionName.GetBuffer();
    const std::u16string text =
        nirasim::Wide(std::to_string(values.width) + " " + std::to_string(values.height) + " ") +
        (name != nullptr ? std::u16string(name) : std::u16string());
    const BYTE* bytes = reinterpret_cast<const BYTE*>(text.data());
    return ReadOutcome(bytes, bytes + text.size() * sizeof(char16_t));
}

// Each case's read, in the order of Cases().
std::vector<std::function<std::optional<ReadOutcome>(CXDPrintTicket&)>> Reads()
{
    return {ReadOf<CXDOrientationFeature>(0),
            ReadOf<CXDResolutionFeature>(CXDResolutionValues{1, 600, 600}),
            ReadOf<CXDRollCutFeature>(RollCutValues{1, 0}),
            ReadOf<CXDPageScalingFeature>(PageScalingValues{0, 100, 1.0f, 1, 215900, 279400}),
            ReadOf<CXDPageScalingFeature>(PageScalingValues{0, 100, 1.0f, 0, 215900, 279400}),
            ReadOf<CXDPosterFeature>(PosterValues{0, 1, 0, {}}),
            ReadOf<CXDBindingFeature>(BindingValues{0, 0}),
            ReadOf<CXDNUpFeature>(NUpValues{0, 1, 0, 0}),
            ReadMediaSize};
}

// Each converter's write and read with each of their injectable calls failing in turn: the
// ticket written, or the record read, is that of the unfailed run, or the failure is reported.
TEST_F(ConverterTest, FailedCallsAreReportedNeverLost)
{
    const std::vector<RoundTripCase> cases = RoundTripCases();
    const auto reads = Reads();
    ASSERT_EQ(cases.size(), reads.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const RoundTripCase& c = cases[i];
        SCOPED_TRACE(c.name);
        auto write = [&](CFailureSweep* sweep) -> std::optional<std::u16string> {
            LoadTicket(kOtherFeature);
            HRESULT hr = S_OK;
            {
                CXDPrintTicket ticket(m_dom.Get());
                // A case that builds its record's text in the run may see that copy fail itself.
                auto run = [&] {
                    try {
                        return c.write(ticket);
                    } catch (const CXDException& failure) {
                        return failure.GetResult();
                    }
                };
                hr = sweep != nullptr ? sweep->Armed(run) : run();
            }
            const std::u16string written = Xml();
            m_dom.Reset();
            return SUCCEEDED(hr) ? std::optional<std::u16string>(written) : std::nullopt;
        };
        CFailureSweep::Sweep<std::u16string>((std::string(c.name) + " write").c_str(),
                                             [&](CFailureSweep& sweep) { return write(&sweep); });

        const std::optional<std::u16string> written = write(nullptr);
        ASSERT_TRUE(written.has_value());
        CFailureSweep::Sweep<ReadOutcome>((std::string(c.name) + " read").c_str(),
                                          [&](CFailureSweep& sweep) -> std::optional<ReadOutcome> {
                                              Load(*written);
                                              std::optional<ReadOutcome> read;
                                              {
                                                  CXDPrintTicket ticket(m_dom.Get());
                                                  read = sweep.Armed([&]() -> std::optional<ReadOutcome> {
                                                      try {
                                                          return reads[i](ticket);
                                                      } catch (const CXDException&) {
                                                          return std::nullopt;
                                                      }
                                                  });
                                              }
                                              m_dom.Reset();
                                              return read;
                                          });
    }
}

// Each converter's capabilities, written with the description its handler fills, with each
// injectable call failing in turn: the document is that of the unfailed write, or the write
// reports the failure.
template <class Converter>
void SweepCapabilities(ConverterTest& test, const char* name, void (*fill)(Converter&),
                       const std::function<void(const std::u16string&)>& load,
                       const std::function<std::u16string()>& written, const std::function<void()>& reset,
                       const std::function<IXMLDOMDocument2*()>& dom)
{
    CFailureSweep::Sweep<std::u16string>(name, [&](CFailureSweep& sweep) -> std::optional<std::u16string> {
        load(TEXT(""));
        HRESULT hr = E_FAIL;
        {
            Converter converter;
            fill(converter);
            hr = sweep.Armed([&] {
                try {
                    CXDPrintCapabilities capabilities(dom(), &converter);
                    return converter.WritePrintCapabilities(capabilities);
                } catch (const CXDException& failure) {
                    return failure.GetResult();  // the document object itself could not be made
                }
            });
        }
        const std::u16string text = written();
        reset();
        return SUCCEEDED(hr) ? std::optional<std::u16string>(text) : std::nullopt;
    });
}

TEST_F(ConverterTest, CapabilitiesWritesReportFailedCalls)
{
    auto load = [&](const std::u16string& body) { LoadCapabilities(body); };
    auto written = [&] { return Xml(); };
    auto reset = [&] { m_dom.Reset(); };
    auto dom = [&] { return m_dom.Get(); };
    SweepCapabilities<CXDOrientationFeature>(*this, "orientation capabilities", FillOrientation, load,
                                             written, reset, dom);
    SweepCapabilities<CXDResolutionFeature>(*this, "resolution capabilities", FillResolution, load, written,
                                            reset, dom);
    SweepCapabilities<CXDRollCutFeature>(*this, "roll cut capabilities", FillRollCut, load, written, reset,
                                         dom);
    SweepCapabilities<CXDPageScalingFeature>(*this, "page scaling capabilities", FillPageScaling, load,
                                             written, reset, dom);
    SweepCapabilities<CXDPosterFeature>(*this, "poster capabilities", FillPoster, load, written, reset, dom);
    SweepCapabilities<CXDBindingFeature>(*this, "binding capabilities", FillBinding, load, written, reset,
                                         dom);
    SweepCapabilities<CXDNUpFeature>(*this, "pages per sheet capabilities", FillNUp, load, written, reset,
                                     dom);
}

}  // namespace
