// The packer: owners filled with settings, packed into sections that are decoded here.
#include "BlockTestOwner.h"

#include <string.h>

using namespace blockfixture;

namespace {

class BlockPackerTest : public BlockTest {
protected:
    // Packs the owner's settings into the section; answers UpdateAll's result.
    bool Pack(INiraSettingsAccess* from, Section& section)
    {
        packer = NewPacker();
        EXPECT_EQ(packer->Attach(from), TRUE);
        EXPECT_EQ(packer->SetTarget(section.Get()), TRUE);
        return packer->UpdateAll() == TRUE;
    }

    INiraSettingsAccess* OwnerWith(const Settings& settings, SupplyingProvider* provider = nullptr)
    {
        INiraSettingsAccess* owner = NewOwner(provider);
        Fill(*owner, settings);
        return owner;
    }

    CNiraBlockPacker* packer = nullptr;
};

struct Geometry {
    DWORD resolutionX, resolutionY;
    LONG offsetX, offsetY, printableWidth, printableHeight, pageWidth, pageHeight;
};

Geometry GeometryOf(Section& section)
{
    Geometry g;
    memcpy(&g, section.Raw().data() + 28, sizeof(g));
    return g;
}

void ExpectGeometry(Section& section, const Geometry& expected)
{
    const Geometry g = GeometryOf(section);
    EXPECT_EQ(g.resolutionX, expected.resolutionX);
    EXPECT_EQ(g.resolutionY, expected.resolutionY);
    EXPECT_EQ(g.offsetX, expected.offsetX);
    EXPECT_EQ(g.offsetY, expected.offsetY);
    EXPECT_EQ(g.printableWidth, expected.printableWidth);
    EXPECT_EQ(g.printableHeight, expected.printableHeight);
    EXPECT_EQ(g.pageWidth, expected.pageWidth);
    EXPECT_EQ(g.pageHeight, expected.pageHeight);
}

}  // namespace

TEST_F(BlockPackerTest, FreshDefaultSectionGetsTheOwnersBlockSettings)
{
    Settings settings = LetterPage();
    settings.flags[5] = true;
    settings.strings[0] = TEXT("Report.exe");
    settings.strings[3] = TEXT("");
    settings.blobs[10] = {9, 8, 7};
    Settings outside;
    outside.flags[19] = true;
    outside.ints[1895] = 5;
    outside.strings[2] = TEXT("not carried");
    INiraSettingsAccess* owner = OwnerWith(settings);
    Fill(*owner, outside);

    Section section;
    const Bytes headerBefore(section.Raw().begin(), section.Raw().begin() + 28);
    ASSERT_TRUE(Pack(owner, section));

    const DecodedImage decoded = section.Decode();
    EXPECT_EQ(decoded.version, 0x10000000u);
    for (DWORD kind = 0; kind < 9; ++kind) {
        EXPECT_EQ(decoded.counts[kind], kCounts[kind]) << kind;
    }
    EXPECT_TRUE(decoded.settings == settings);
    EXPECT_TRUE(IsBlockChecksumValid(section.Get()));
    EXPECT_EQ(Get32(section.Raw(), 884), Get32(section.Raw(), 888) + 8);
    EXPECT_TRUE(Bytes(section.Raw().begin(), section.Raw().begin() + 28) == headerBefore);
}

TEST_F(BlockPackerTest, ImageWithOnlyThePageSettings)
{
    Section section;
    ASSERT_TRUE(Pack(OwnerWith(LetterPage()), section));
    const DecodedImage decoded = section.Decode();
    EXPECT_TRUE(decoded.settings == LetterPage());
    EXPECT_EQ(decoded.arrays[3].presenceOffset, 43u);  // no flag present: no flag values
    EXPECT_EQ(decoded.arrays[3].valueOffset, 300u);
    EXPECT_EQ(decoded.arrays[3].valueLength, 8u);
}

TEST_F(BlockPackerTest, RowsAProviderSuppliesArePackedWithTheProvidersValue)
{
    auto* provider = new SupplyingProvider();
    provider->values[{3, 2047}] = 31;  // a row of the table
    provider->values[{3, 1500}] = 32;  // the feature range is packed only when stored
    provider->values[{0, 19}] = 1;     // not in the block set
    INiraSettingsAccess* owner = OwnerWith(LetterPage(), provider);
    Section section;
    ASSERT_TRUE(Pack(owner, section));
    const Settings packed = section.Decode().settings;
    EXPECT_EQ(packed.ints.at(2047), 31);
    EXPECT_EQ(packed.ints.count(1500), 0u);
    EXPECT_EQ(packed.flags.count(19), 0u);
}

TEST_F(BlockPackerTest, FlagRuleForcesFlag105WithoutChangingTheOwner)
{
    Settings settings = LetterPage();
    settings.flags[223] = true;
    settings.flags[105] = false;
    INiraSettingsAccess* owner = OwnerWith(settings);
    Section section;
    ASSERT_TRUE(Pack(owner, section));
    EXPECT_TRUE(section.Decode().settings.flags.at(105));
    BYTE flag = 1;
    ASSERT_EQ(owner->GetFlag(105, &flag, 0, 0), TRUE);
    EXPECT_EQ(flag, 0);

    settings.flags[223] = false;
    Section unforced;
    ASSERT_TRUE(Pack(OwnerWith(settings), unforced));
    EXPECT_FALSE(unforced.Decode().settings.flags.at(105));
}

TEST_F(BlockPackerTest, PageGeometry)
{
    Section portrait;
    ASSERT_TRUE(Pack(OwnerWith(LetterPage()), portrait));
    ExpectGeometry(portrait, {600, 600, 75, 75, 4950, 6225, 5100, 6600});

    Settings turned = LetterPage();
    turned.intRefs[5] = 2;
    turned.ints[1921] = 300;
    Section landscape;
    ASSERT_TRUE(Pack(OwnerWith(turned), landscape));
    ExpectGeometry(landscape, {300, 600, 37, 75, 3112, 4950, 3300, 5100});

    Settings overspray = LetterPage();
    overspray.flags[221] = true;
    for (LONG i = 20; i < 24; ++i) {
        overspray.floats[i] = 0.125f;
    }
    Section widened;
    ASSERT_TRUE(Pack(OwnerWith(overspray), widened));
    ExpectGeometry(widened, {600, 600, 75, 75, 5100, 6375, 5250, 6750});
    EXPECT_EQ(widened.Decode().settings.floats.at(10), 8.5f) << "the settings keep their values";

    overspray.floats[23] = -0.125f;  // one negative extent cancels the enlargement of both axes
    Section cancelled;
    ASSERT_TRUE(Pack(OwnerWith(overspray), cancelled));
    ExpectGeometry(cancelled, {600, 600, 75, 75, 4950, 6225, 5100, 6600});

    // Resolution times length is formed exactly and rounded once to a float, as the derived values
    // do. Above 2^24 a float cannot hold the resolution, so rounding it to a float first would give
    // another printable and page width (46137344 and 50331648).
    Settings fine = LetterPage();
    fine.ints[1920] = (1 << 24) + 1;
    fine.floats[10] = 3.0f;
    Section exact;
    ASSERT_TRUE(Pack(OwnerWith(fine), exact));
    ExpectGeometry(exact, {(1u << 24) + 1, 600, 2097152, 75, 46137348, 6225, 50331652, 6600});

    Settings large = LetterPage();
    large.ints[1920] = static_cast<LONG>(0x80000000u);  // read unsigned
    Section unsignedResolution;
    ASSERT_TRUE(Pack(OwnerWith(large), unsignedResolution));
    EXPECT_EQ(GeometryOf(unsignedResolution).resolutionX, 0x80000000u);
    EXPECT_EQ(GeometryOf(unsignedResolution).pageWidth, static_cast<LONG>(0x80000000u)) << "out of range";
}

TEST_F(BlockPackerTest, OtherOrientationLeavesTheGeometryFields)
{
    Settings odd = LetterPage();
    odd.intRefs[5] = 3;
    Section section;
    for (size_t at = 28; at < 60; ++at) {
        section.Raw()[at] = static_cast<BYTE>(at);
    }
    const Bytes before(section.Raw().begin() + 28, section.Raw().begin() + 60);
    ASSERT_TRUE(Pack(OwnerWith(odd), section));
    EXPECT_TRUE(Bytes(section.Raw().begin() + 28, section.Raw().begin() + 60) == before);
    EXPECT_EQ(section.Decode().settings.intRefs.at(5), 3);
}

TEST_F(BlockPackerTest, MissingPageSettingFailsThePack)
{
    for (const auto& drop : {std::make_pair(6, 5), std::make_pair(4, 10), std::make_pair(4, 15),
                             std::make_pair(3, 1920), std::make_pair(3, 1921)}) {
        Settings settings = LetterPage();
        settings.intRefs.erase(drop.first == 6 ? drop.second : -1);
        settings.floats.erase(drop.first == 4 ? drop.second : -1);
        settings.ints.erase(drop.first == 3 ? drop.second : -1);
        Section section;
        EXPECT_FALSE(Pack(OwnerWith(settings), section)) << drop.first << "/" << drop.second;
        EXPECT_EQ(Get32(section.Raw(), 884), 0u);
    }
}

TEST_F(BlockPackerTest, EmptyBlobFailsThePack)
{
    Settings settings = LetterPage();
    settings.blobs[40] = {};
    Section section;
    EXPECT_FALSE(Pack(OwnerWith(settings), section));
}

TEST_F(BlockPackerTest, PackThatDoesNotFitLeavesTheEarlierBlock)
{
    Section section;
    ASSERT_TRUE(Pack(OwnerWith(LetterPage()), section));
    const Bytes earlier(section.Raw().begin() + 28, section.Raw().end());

    // Random integers over the whole feature range do not compress into the room; the other
    // resolution would change the geometry, which must stay with the earlier block.
    Settings noisy = LetterPage();
    noisy.ints[1920] = 300;
    DWORD seed = 99;
    for (LONG i = 10; i <= 1893; ++i) {
        seed = seed * 1103515245 + 12345;
        noisy.ints[i] = static_cast<LONG>(seed ^ (seed >> 13) * 2654435761u);
    }
    EXPECT_FALSE(Pack(OwnerWith(noisy), section));
    EXPECT_TRUE(Bytes(section.Raw().begin() + 28, section.Raw().end()) == earlier);
    EXPECT_TRUE(section.Decode().settings == LetterPage());
}

TEST_F(BlockPackerTest, SyncRepacksTheStoreWithOneValue)
{
    Settings settings = LetterPage();
    settings.ints[100] = 1;
    INiraSettingsAccess* owner = OwnerWith(settings);
    Section section;
    ASSERT_TRUE(Pack(owner, section));

    ASSERT_EQ(owner->SetInt(100, 2, 0), TRUE);
    ASSERT_EQ(owner->SetInt(101, 3, 0), TRUE);
    EXPECT_EQ(packer->SyncInt(101), TRUE);
    const Settings packed = section.Decode().settings;
    EXPECT_EQ(packed.ints.at(100), 1) << "only the synced value is taken";
    EXPECT_EQ(packed.ints.at(101), 3);

    EXPECT_EQ(packer->SyncInt(1895), FALSE) << "outside the block set";
    EXPECT_EQ(packer->SyncFlag(19), FALSE);

    CNiraBlockPacker* unbound = NewPacker();
    ASSERT_EQ(unbound->Attach(owner), TRUE);
    EXPECT_EQ(unbound->SyncInt(100), FALSE) << "no block yet";
}
