// Every converter: a record written into a ticket reads back the same, a second write replaces the
// first (one feature, one ParameterInit of each name), the rest of the ticket stays, and the
// document's own prefixes are used throughout.
#include "ConverterFixture.h"
#include "RoundTripCases.h"

#include "printticket/XDBindingFeature.h"
#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDNUpFeature.h"
#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPosterFeature.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDResolutionFeature.h"
#include "printticket/XDRollCutFeature.h"

#include <vector>

#include "support/WString.h"

namespace {

WString WithPrefixes(WString text, const SchemaPrefixes& p)
{
    for (auto [from, to] : {std::make_pair(WString(TEXT("{k}")), p.psk + TEXT(":")),
                            std::make_pair(WString(TEXT("{n}")), p.ns + TEXT(":"))}) {
        for (size_t at = text.find(from); at != WString::npos; at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

class ConverterRoundTripTest : public ConverterTest, public ::testing::WithParamInterface<bool> {
protected:
    SchemaPrefixes Prefixes() const { return GetParam() ? OtherPrefixes() : UsualPrefixes(); }
};

TEST_P(ConverterRoundTripTest, WriteTwiceLeavesOneFeatureThatReadsBack)
{
    const SchemaPrefixes prefixes = Prefixes();
    for (const RoundTripCase& c : RoundTripCases()) {
        SCOPED_TRACE(c.name);
        LoadTicket(kOtherFeature, prefixes);
        for (int pass = 0; pass < 2; ++pass) {
            CXDPrintTicket ticket(m_dom.Get());
            ASSERT_EQ(c.write(ticket), S_OK) << "pass " << pass;
        }
        Reload();
        const WString feature = WithPrefixes(c.feature, prefixes);
        EXPECT_EQ(Count(TEXT("/f:PrintTicket/f:Feature[@name='") + feature + TEXT("']")), 1) << Narrow(Xml());
        EXPECT_EQ(Count(TEXT("//f:Feature[@name='") + feature + TEXT("']")), 1);
        for (const WString& name : c.parameterInits) {
            const WString qualified = WithPrefixes(name, prefixes);
            EXPECT_EQ(Count(TEXT("/f:PrintTicket/f:ParameterInit[@name='") + qualified + TEXT("']")), 1)
                << Narrow(qualified);
            EXPECT_EQ(Count(TEXT("//f:ParameterRef[@name='") + qualified + TEXT("']")), 1)
                << Narrow(qualified);
        }
        EXPECT_EQ(Count(TEXT("//f:Feature")), 1 + 1 + Count(TEXT("//f:Feature//f:Feature")));
        EXPECT_EQ(Count(TEXT("/f:PrintTicket/f:ParameterInit")),
                  1 + static_cast<LONG>(c.parameterInits.size()));
        EXPECT_EQ(Text(TEXT("//f:ParameterInit[@name='") +
                       WithPrefixes(TEXT("{k}JobCopiesAllDocuments"), prefixes) + TEXT("']/f:Value")),
                  TEXT("3"));
        // Nothing is written with a prefix the document does not bind.
        EXPECT_EQ(Xml().find(GetParam() ? TEXT("psf:") : TEXT("fw:")), WString::npos);

        CXDPrintTicket ticket(m_dom.Get());
        c.readBack(ticket);
        m_dom.Reset();
    }
}

INSTANTIATE_TEST_SUITE_P(Prefixes, ConverterRoundTripTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("OtherPrefixes") : std::string("UsualPrefixes");
                         });

}  // namespace
