// The section layout as the default handler writes it, and the block checksum.
#include "BlockFixture.h"

#include "common/PrivateDevMode.h"

#include <gtest/gtest.h>

using namespace blockfixture;

TEST(PrivateDevModeLayout, HeaderFieldsOfADefaultSectionReadBack)
{
    Section section;
    const PrivateDevMode block = *section.Get();
    EXPECT_EQ(DWORD{block.size}, kPrivateDevmodeSize);
    EXPECT_EQ(DWORD{block.signature}, kPrivateDevmodeSignature);
    EXPECT_EQ(DWORD{block.version}, kPrivateDevmodeVersion);
    const GUID sectionGuid = block.sectionGuid;
    EXPECT_TRUE(sectionGuid == kPrivateDevmodeGuid);
    EXPECT_EQ(DWORD{block.packedLength}, 0u);
    EXPECT_EQ(DWORD{block.checksum}, 0u);
    EXPECT_EQ(DWORD{block.checksumCopy}, 0u);
}

TEST(PrivateDevModeLayout, FieldsAreReadAtAnyAlignment)
{
    Bytes area(kPrivateDevmodeSize + 3, 0);
    Put32(area, 3 + 884, 12);
    Put32(area, 3 + 6888, 0x01020304);
    const auto* block = reinterpret_cast<const PrivateDevMode*>(area.data() + 3);
    const DWORD packedLength = block->packedLength;  // copies: a reference would be misaligned
    const DWORD checksumCopy = block->checksumCopy;
    EXPECT_EQ(packedLength, 12u);
    EXPECT_EQ(checksumCopy, 0x01020304u);
}

TEST(BlockChecksum, WorkedExample)
{
    Section section;
    const BYTE payload[12] = {0x04, 0x00, 0x00, 0x00, 0x10, 0x01, 0x00, 0x00, 0x78, 0xDA, 0x63, 0x60};
    std::copy(payload, payload + 12, section.Raw().begin() + 888);
    Put32(section.Raw(), 884, 12);
    EXPECT_EQ(ComputeBlockChecksum(section.Get()), 566u);
}

TEST(BlockChecksum, LengthAboveThePayloadSumsExactlyThePayload)
{
    Section section;
    std::fill(section.Raw().begin() + 888, section.Raw().begin() + 6888, 1);
    Put32(section.Raw(), 6888, 0xFFFFFFFF);  // the copy right after the payload is not summed
    Put32(section.Raw(), 884, 7000);
    EXPECT_EQ(ComputeBlockChecksum(section.Get()), 7000u + 6000u);
}

TEST(BlockChecksum, SumWrapsAt32Bits)
{
    Section section;
    std::fill(section.Raw().begin() + 888, section.Raw().begin() + 6888, 0xFF);
    Put32(section.Raw(), 884, 0xFFFFFFFF);
    EXPECT_EQ(ComputeBlockChecksum(section.Get()), 0xFFFFFFFFu + 6000u * 0xFF);
}

TEST(BlockChecksum, ValidOnlyWhenBothCopiesAgree)
{
    Section fresh;
    EXPECT_TRUE(IsBlockChecksumValid(fresh.Get())) << "a default section has N = 0 and two zero copies";

    Section packed;
    packed.PutImage(EncodeImage({}));
    EXPECT_TRUE(IsBlockChecksumValid(packed.Get()));

    Section copyDiffers = packed;
    Put32(copyDiffers.Raw(), 6888, packed.Checksum() + 1);
    EXPECT_FALSE(IsBlockChecksumValid(copyDiffers.Get()));

    Section firstDiffers = packed;
    Put32(firstDiffers.Raw(), 100, packed.Checksum() + 1);
    EXPECT_FALSE(IsBlockChecksumValid(firstDiffers.Get()));

    Section payloadChanged = packed;
    payloadChanged.Raw()[896] ^= 0x01;
    EXPECT_FALSE(IsBlockChecksumValid(payloadChanged.Get()));
}

TEST(BlockChecksum, NullSection)
{
    EXPECT_EQ(ComputeBlockChecksum(nullptr), 0u);
    EXPECT_FALSE(IsBlockChecksumValid(nullptr));
}
