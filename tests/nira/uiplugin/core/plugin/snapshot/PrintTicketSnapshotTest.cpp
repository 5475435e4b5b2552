// The private section through a PrintTicket: base64 both ways, one snapshot per ticket, the
// section restored from a ticket and the definition in PrintCapabilities.
#include "printticket/converters/ConverterFixture.h"

#include <vector>

#include "nira/uiplugin/core/plugin/PrintTicketSnapshot.h"

namespace {

std::vector<BYTE> Decode(const WString& text, size_t limit = 100)
{
    std::vector<BYTE> out(limit, 0xEE);
    size_t written = CNiraPrintTicketSnapshot::DecodeBase64(text.c_str(), text.size(), out.data(), limit);
    out.resize(written);
    return out;
}

WString Encode(const std::vector<BYTE>& bytes)
{
    std::vector<WCHAR> text(CNiraPrintTicketSnapshot::EncodedLength(bytes.size()) + 1);
    EXPECT_TRUE(CNiraPrintTicketSnapshot::EncodeBase64(bytes.data(), bytes.size(), text.data(), text.size()));
    return WString(text.data());
}

std::vector<BYTE> Section(size_t size)
{
    std::vector<BYTE> section(size);
    for (size_t i = 0; i < size; ++i) {
        section[i] = static_cast<BYTE>(i * 7 + 3);
    }
    return section;
}

class PrintTicketSnapshotTest : public ConverterTest {
protected:
    CNiraPrintTicketSnapshot m_snapshot;
};

WString SnapshotName()
{
    return UsualPrefixes().ns + TEXT(":PageZQPrivateDevmodeSnapshot");
}

const WString kSnapshots = TEXT("/f:PrintTicket/f:ParameterInit[@name='") + SnapshotName() + TEXT("']");

}  // namespace

TEST(Base64, EncodesInGroupsOfThreeWithPads)
{
    EXPECT_EQ(Encode({0x41, 0x42, 0x43}), TEXT("QUJD"));
    EXPECT_EQ(Encode({0x41, 0x42}), TEXT("QUI="));
    EXPECT_EQ(Encode({0x41}), TEXT("QQ=="));
    EXPECT_EQ(Encode({}), TEXT(""));
    WString section = Encode(Section(6892));
    EXPECT_EQ(section.size(), 9192u);
    EXPECT_EQ(section.substr(9190), TEXT("=="));
    std::vector<WCHAR> small(4);
    EXPECT_FALSE(CNiraPrintTicketSnapshot::EncodeBase64(Section(3).data(), 3, small.data(), small.size()));
}

TEST(Base64, DecodesUpToThePadOrTheFirstStrangeCharacter)
{
    EXPECT_EQ(Decode(TEXT("QUJD")), (std::vector<BYTE>{0x41, 0x42, 0x43}));
    EXPECT_EQ(Decode(TEXT("QUI=")), (std::vector<BYTE>{0x41, 0x42}));
    EXPECT_EQ(Decode(TEXT("QQ==QUJD")), (std::vector<BYTE>{0x41}));
    EXPECT_EQ(Decode(TEXT("QUJD\nQUJD")), (std::vector<BYTE>{0x41, 0x42, 0x43}));
    EXPECT_EQ(Decode(TEXT("QUJDQ")),
              (std::vector<BYTE>{0x41, 0x42, 0x43}));                     // a lone character gives nothing
    EXPECT_EQ(Decode(TEXT("QUJD"), 2), (std::vector<BYTE>{0x41, 0x42}));  // the rest is dropped
    std::vector<BYTE> section = Section(6892);
    EXPECT_EQ(Decode(Encode(section), 6892), section);
}

TEST_F(PrintTicketSnapshotTest, ATicketHoldsOneSnapshotOfTheSection)
{
    LoadTicket(
        TEXT("<{f}ParameterInit name='{n}PageZQPrivateDevmodeSnapshot'><{f}Value>QUJD</{f}Value>"
             "</{f}ParameterInit>"));
    std::vector<BYTE> section = Section(6892);
    ASSERT_EQ(m_snapshot.WriteSnapshot(220, nullptr, 6892, section.data(), m_dom.Get()), S_OK);
    ASSERT_EQ(m_snapshot.WriteSnapshot(220, nullptr, 6892, section.data(), m_dom.Get()), S_OK);
    Reload();
    EXPECT_EQ(Count(kSnapshots), 1);
    EXPECT_EQ(Text(kSnapshots + TEXT("/f:Value")), Encode(section));

    std::vector<BYTE> restored(6892, 0);
    EXPECT_EQ(m_snapshot.ReadSnapshot(m_dom.Get(), 220, nullptr, 6892, restored.data()), S_OK);
    EXPECT_EQ(restored, section);
}

TEST_F(PrintTicketSnapshotTest, ReadingRestoresOnlyWhatTheTicketCarries)
{
    // A ticket without a snapshot leaves the section alone.
    LoadTicket(WString());
    std::vector<BYTE> section(6892, 0x11);
    EXPECT_EQ(m_snapshot.ReadSnapshot(m_dom.Get(), 220, nullptr, 6892, section.data()), S_FALSE);
    EXPECT_EQ(section, std::vector<BYTE>(6892, 0x11));

    // A short snapshot overwrites the front only; a long one fills the section and no more.
    LoadTicket(
        TEXT("<{f}ParameterInit name='{n}PageZQPrivateDevmodeSnapshot'><{f}Value>QUJD</{f}Value>"
             "</{f}ParameterInit>"));
    EXPECT_EQ(m_snapshot.ReadSnapshot(m_dom.Get(), 220, nullptr, 6892, section.data()), S_OK);
    EXPECT_EQ(section[0], 0x41);
    EXPECT_EQ(section[3], 0x11);
    std::vector<BYTE> longer = Section(7000);
    LoadTicket(TEXT("<{f}ParameterInit name='{n}PageZQPrivateDevmodeSnapshot'><{f}Value>") + Encode(longer) +
               TEXT("</{f}Value></{f}ParameterInit>"));
    std::vector<BYTE> buffer(6900, 0x22);
    EXPECT_EQ(m_snapshot.ReadSnapshot(m_dom.Get(), 220, nullptr, 6900, buffer.data()), S_OK);
    EXPECT_EQ(std::vector<BYTE>(buffer.begin(), buffer.begin() + 6892),
              std::vector<BYTE>(longer.begin(), longer.begin() + 6892));
    EXPECT_EQ(buffer[6892], 0x22);
}

TEST_F(PrintTicketSnapshotTest, CapabilitiesDescribeTheSnapshot)
{
    LoadCapabilities(WString());
    ASSERT_EQ(m_snapshot.WriteSnapshotDef(nullptr, m_dom.Get()), S_OK);
    Reload();
    const WString definition =
        TEXT("/f:PrintCapabilities/f:ParameterDef[@name='") + SnapshotName() + TEXT("']");
    EXPECT_EQ(Count(definition), 1);
    EXPECT_EQ(Text(definition + TEXT("/f:Property[@name='psf:DefaultValue']/f:Value")), TEXT("HelloThere"));
    EXPECT_EQ(Text(definition + TEXT("/f:Property[@name='psf:MaxLength']/f:Value")), TEXT("174760"));
    EXPECT_EQ(Text(definition + TEXT("/f:Property[@name='psf:UnitType']/f:Value")), TEXT("base64"));
}
