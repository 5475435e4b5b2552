// The zlib layer: one deflate into a fixed room, one inflate that must end the stream exactly.
#include "BlockFixture.h"

#include "common/NiraException.h"
#include "nira/uiplugin/settings/block/BlockCompression.h"

#include <gtest/gtest.h>

using namespace blockfixture;

namespace {

Bytes SampleImage()
{
    Settings s;
    for (LONG i = 10; i < 300; ++i) {
        s.ints[i] = i * 7;
    }
    s.strings[1] = TEXT("C:\\Apps\\Report.exe");
    return EncodeImage(s);
}

}  // namespace

TEST(BlockCompression, DeflatedStreamInflatesToTheImage)
{
    const Bytes image = SampleImage();
    Bytes stream(5992);
    const DWORD length =
        DeflateSettingsImage(image.data(), static_cast<DWORD>(image.size()), stream.data(), 5992);
    ASSERT_GT(length, 2u);
    EXPECT_EQ(stream[0], 0x78) << "zlib wrapper";
    EXPECT_EQ(Inflate(stream.data(), length, static_cast<DWORD>(image.size())), image);

    Bytes back(image.size());
    InflateSettingsImage(stream.data(), length, back.data(), static_cast<DWORD>(back.size()));
    EXPECT_EQ(back, image);
}

TEST(BlockCompression, StreamThatDoesNotFitIsRefused)
{
    Bytes noise(20000);
    DWORD seed = 12345;
    for (BYTE& b : noise) {
        seed = seed * 1103515245 + 12345;
        b = static_cast<BYTE>(seed >> 16);
    }
    Bytes stream(5992, 0xAB);
    EXPECT_THROW(DeflateSettingsImage(noise.data(), static_cast<DWORD>(noise.size()), stream.data(), 5992),
                 CNiraException);
}

TEST(BlockCompression, InflateMustFillTheImageExactlyInOneCall)
{
    const Bytes image = SampleImage();
    const Bytes stream = Deflate(image);
    const DWORD streamLength = static_cast<DWORD>(stream.size());
    const DWORD imageLength = static_cast<DWORD>(image.size());

    Bytes out(imageLength + 1);
    EXPECT_THROW(InflateSettingsImage(stream.data(), streamLength, out.data(), imageLength - 1),
                 CNiraException)
        << "stream longer than the room";
    EXPECT_THROW(InflateSettingsImage(stream.data(), streamLength, out.data(), imageLength + 1),
                 CNiraException)
        << "stream shorter than the announced image";
    EXPECT_THROW(InflateSettingsImage(stream.data(), streamLength - 1, out.data(), imageLength),
                 CNiraException)
        << "stream cut short";

    Bytes damaged = stream;
    damaged[damaged.size() - 1] ^= 0x55;  // the Adler-32 trailer
    EXPECT_THROW(InflateSettingsImage(damaged.data(), streamLength, out.data(), imageLength), CNiraException);
    EXPECT_THROW(InflateSettingsImage(stream.data(), 0, out.data(), imageLength), CNiraException);
}
