// The image format as the fixture encoder writes it, and the checked view the unpacker reads
// images through.
#include "BlockFixture.h"

#include "common/NiraException.h"
#include "nira/uiplugin/settings/block/SettingsImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string.h>

using namespace blockfixture;

namespace {

Settings OneOfEachKind()
{
    Settings s;
    s.flags[5] = true;
    s.flags[20] = false;
    s.ints[1905] = 9;
    s.ints[2048] = -3;
    s.floats[10] = 8.5f;
    s.intRefs[5] = 1;
    s.strings[0] = TEXT("Report.exe");
    s.strings[3] = TEXT("");
    s.blobs[10] = {1, 2, 3};
    return s;
}

CNiraSettingsImageView View(const Bytes& image)
{
    return CNiraSettingsImageView(image.data(), static_cast<DWORD>(image.size()));
}

}  // namespace

TEST(SettingsImageFormat, ImageWithNothingPresent)
{
    const Bytes image = EncodeImage({});
    const DecodedImage decoded = DecodeImage(image);
    EXPECT_EQ(image.size(), 606u);
    EXPECT_EQ(decoded.dataLength, 338u);
    EXPECT_EQ(decoded.stringHeap, 338u);
    EXPECT_EQ(decoded.blobHeap, 338u);
    const DWORD presenceOffsets[9] = {0, 0, 0, 43, 300, 0, 303, 320, 331};
    for (DWORD kind = 0; kind < 9; ++kind) {
        EXPECT_EQ(decoded.arrays[kind].presenceOffset, presenceOffsets[kind]) << kind;
        EXPECT_EQ(decoded.arrays[kind].presentCount, 0u) << kind;
        EXPECT_EQ(decoded.arrays[kind].valueOffset, 0u) << kind;
    }
}

TEST(SettingsImageFormat, OnlyFlagFivePresent)
{
    Settings s;
    s.flags[5] = true;
    const Bytes image = EncodeImage(s);
    const DecodedImage decoded = DecodeImage(image);
    EXPECT_EQ(image[DataOffset(0)], 0x20);
    EXPECT_EQ(decoded.arrays[0].valueOffset, 43u);
    EXPECT_EQ(image[DataOffset(43)], 0x01);
    EXPECT_EQ(decoded.arrays[3].presenceOffset, 44u);
    EXPECT_EQ(decoded.arrays[4].presenceOffset, 301u);
    EXPECT_EQ(decoded.arrays[6].presenceOffset, 304u);
    EXPECT_EQ(decoded.arrays[7].presenceOffset, 321u);
    EXPECT_EQ(decoded.arrays[8].presenceOffset, 332u);
    EXPECT_EQ(decoded.stringHeap, 339u);
    EXPECT_EQ(decoded.blobHeap, 339u);
    EXPECT_EQ(decoded.dataLength, 339u);
}

TEST(SettingsImageView, ReadsEveryKindByRank)
{
    const Bytes image = EncodeImage(OneOfEachKind());
    const CNiraSettingsImageView view = View(image);

    bool flag = false;
    ASSERT_TRUE(view.ReadFlag(0, &flag));
    EXPECT_TRUE(flag);
    ASSERT_TRUE(view.ReadFlag(1, &flag));
    EXPECT_FALSE(flag);
    LONG value = 0;
    ASSERT_TRUE(view.ReadValue(3, 1, &value));  // 2048 ranks after 1905
    EXPECT_EQ(value, -3);
    FLOAT real = 0;
    ASSERT_TRUE(view.ReadValue(4, 0, &real));
    EXPECT_EQ(real, 8.5f);
    EXPECT_FALSE(view.ReadValue(4, 1, &real)) << "one float only";

    const BYTE* text = nullptr;
    DWORD characters = 0;
    ASSERT_TRUE(view.ReadText(0, &text, &characters));
    ASSERT_EQ(characters, 10u);
    EXPECT_EQ(memcmp(text, TEXT("Report.exe"), 20), 0);
    ASSERT_TRUE(view.ReadText(1, &text, &characters));
    EXPECT_EQ(characters, 0u);

    const BYTE* bytes = nullptr;
    DWORD length = 0;
    ASSERT_TRUE(view.ReadBlob(0, &bytes, &length));
    ASSERT_EQ(length, 3u);
    EXPECT_EQ(bytes[2], 3);
    EXPECT_FALSE(view.ReadBlob(1, &bytes, &length));
}

TEST(SettingsImageView, StringWhoseLengthDisagreesIsUnreadableAlone)
{
    Bytes image = EncodeImage(OneOfEachKind());
    const DecodedImage decoded = DecodeImage(image);
    const size_t firstEntry = DataOffset(decoded.arrays[7].valueOffset);
    Put32(image, firstEntry, Get32(image, firstEntry) + 2);

    const CNiraSettingsImageView view = View(image);
    const BYTE* text = nullptr;
    DWORD characters = 0;
    EXPECT_FALSE(view.ReadText(0, &text, &characters));
    EXPECT_TRUE(view.ReadText(1, &text, &characters));
}

// Each damage puts an area, a text or a blob outside the image: the image is refused as a whole.
TEST(SettingsImageView, RefusesImagesThatReachOutside)
{
    const Bytes good = EncodeImage(OneOfEachKind());
    const DecodedImage decoded = DecodeImage(good);
    const DWORD d = decoded.dataLength;
    const size_t textEntry = DataOffset(decoded.arrays[7].valueOffset);
    const size_t blobEntry = DataOffset(decoded.arrays[8].valueOffset);

    const struct {
        const char* name;
        std::function<void(Bytes&)> damage;
    } cases[] = {
        {"shorter than its header", [](Bytes& i) { i.resize(200); }},
        {"data length larger than the image", [d](Bytes& i) { Put32(i, 264, d + 1); }},
        {"data length smaller than the image", [d](Bytes& i) { Put32(i, 264, d - 1); }},
        {"presence offset at the end", [d](Bytes& i) { Put32(i, DescriptorField(3, 2), d); }},
        {"presence area past the end", [d](Bytes& i) { Put32(i, DescriptorField(3, 2), d - 100); }},
        {"value area past the end", [d](Bytes& i) { Put32(i, DescriptorField(3, 4), d); }},
        {"value offset wraps", [](Bytes& i) { Put32(i, DescriptorField(4, 5), 0xFFFFFFF0); }},
        {"text outside", [d, textEntry](Bytes& i) { Put32(i, textEntry + 4, d); }},
        {"text without terminator",
         [textEntry](Bytes& i) {
             // The last text is the empty one, right before the blob: point the first at the blob.
             Put32(i, textEntry + 4, Get32(i, 256 + 4));
             i.back() = 0x7F;
             i[i.size() - 2] = 0x7F;
             i[i.size() - 3] = 0x7F;
         }},
        {"blob past the end", [blobEntry](Bytes& i) { Put32(i, blobEntry, 4); }},
        {"blob offset outside", [d, blobEntry](Bytes& i) { Put32(i, blobEntry + 4, d); }},
    };
    for (const auto& c : cases) {
        Bytes image = good;
        c.damage(image);
        EXPECT_THROW(View(image), CNiraException) << c.name;
    }
    EXPECT_NO_THROW(View(good));
}
