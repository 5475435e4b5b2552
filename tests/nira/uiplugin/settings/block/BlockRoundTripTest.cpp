// A full block set packed and unpacked into fresh settings.
#include "BlockTestOwner.h"

#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

using namespace blockfixture;

class BlockRoundTripTest : public BlockTest {};

TEST_F(BlockRoundTripTest, EveryValueComesBackUnchanged)
{
    const Settings full = FullBlockSet();
    ASSERT_EQ(full.flags.size() + full.ints.size() + full.floats.size() + full.intRefs.size() +
                  full.strings.size() + full.blobs.size(),
              188u + 1884u + 20u - 3u);  // 1910 to 1912 stand in both

    INiraSettingsAccess* from = NewOwner();
    Fill(*from, full);
    Section section;
    CNiraBlockPacker* packer = NewPacker();
    ASSERT_EQ(packer->Attach(from), TRUE);
    ASSERT_EQ(packer->SetTarget(section.Get()), TRUE);
    ASSERT_EQ(packer->UpdateAll(), TRUE);
    EXPECT_LE(Get32(section.Raw(), 888), 5992u);
    EXPECT_TRUE(section.Decode().settings == full) << "the image holds the block set";

    // The header strings of the section name the same process and user.
    const char path[] = "C:\\Apps\\Report.exe";
    std::copy(path, path + sizeof(path), section.Raw().begin() + 104);
    const WString user = TEXT("alice");
    std::copy(reinterpret_cast<const BYTE*>(user.c_str()),
              reinterpret_cast<const BYTE*>(user.c_str() + user.size() + 1), section.Raw().begin() + 364);

    INiraSettingsAccess* to = NewOwner();
    CNiraBlockUnpacker* unpacker = NewUnpacker();
    ASSERT_EQ(unpacker->Attach(to), TRUE);
    ASSERT_EQ(unpacker->SetTarget(section.Get()), TRUE);
    ASSERT_EQ(unpacker->UpdateAll(), TRUE);
    EXPECT_TRUE(Present(*to) == full);
}
