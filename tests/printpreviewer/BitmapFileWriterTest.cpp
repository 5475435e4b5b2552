// Saved sheets: the smallest depth that holds the picture's colours, and the file's layout.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "printpreviewer/BitmapFileWriter.h"

namespace {

// A 24-bit picture, rows bottom-up and padded as a DIB section holds them.
struct Picture {
    Picture(LONG width, LONG height, COLORREF fill) : width(width), height(height)
    {
        stride = (width * 3 + 3) / 4 * 4;
        bits.assign(static_cast<size_t>(stride * height), 0);
        for (LONG y = 0; y < height; ++y) {
            for (LONG x = 0; x < width; ++x) {
                Set(x, y, fill);
            }
        }
    }
    void Set(LONG x, LONG row, COLORREF color)
    {
        BYTE* p = &bits[static_cast<size_t>(row * stride + x * 3)];
        p[0] = GetBValue(color);
        p[1] = GetGValue(color);
        p[2] = GetRValue(color);
    }
    SheetPicture Sheet() const { return {width, height, bits.data()}; }
    LONG width, height, stride;
    std::vector<BYTE> bits;
};

DWORD Dword(const std::vector<BYTE>& file, size_t at)
{
    DWORD value;
    std::memcpy(&value, &file[at], sizeof(value));
    return value;
}

WORD Word(const std::vector<BYTE>& file, size_t at)
{
    WORD value;
    std::memcpy(&value, &file[at], sizeof(value));
    return value;
}

}  // namespace

TEST(BitmapFileWriter, TheSmallestDepthThatHoldsTheColors)
{
    Picture text(10, 3, RGB(255, 255, 255));
    text.Set(1, 0, RGB(0, 0, 0));
    text.Set(9, 2, RGB(0, 0, 0));
    std::vector<BYTE> file;
    ASSERT_TRUE(BitmapFileBytes(text.Sheet(), file));
    EXPECT_EQ(Word(file, 0), 19778);          // "BM"
    EXPECT_EQ(Word(file, 28), 1);             // 1 bit
    EXPECT_EQ(Dword(file, 10), 54u + 4 * 2);  // a table of black and white
    EXPECT_EQ(Dword(file, 2), file.size());
    EXPECT_EQ(file.size(), 54u + 8 + 3 * 4);  // rows of 4 bytes
    size_t rows = Dword(file, 10);
    EXPECT_EQ(file[rows], 0xBF);                      // pixel 1 black: bit 6 of the first byte clear
    EXPECT_EQ(file[rows + 2 * 4 + 1], 0xC0 & ~0x40);  // pixel 9 of the third row black, the rest padding

    text.Set(5, 1, RGB(128, 128, 128));  // one grey pixel
    ASSERT_TRUE(BitmapFileBytes(text.Sheet(), file));
    EXPECT_EQ(Word(file, 28), 4);
    EXPECT_EQ(Dword(file, 10), 54u + 4 * 16);
    EXPECT_EQ(file[54 + 8], 128);  // entry 2 is the grey
    size_t greyRow = Dword(file, 10) + 1 * 8;
    EXPECT_EQ(file[greyRow + 2], 0x12);  // pixels 4 (white, entry 1) and 5 (grey, entry 2)
}

TEST(BitmapFileWriter, ManyColoursKeepTwentyFourBits)
{
    Picture photo(20, 20, RGB(255, 255, 255));
    for (LONG i = 0; i < 400; ++i) {
        photo.Set(i % 20, i / 20, RGB(i % 256, i / 256, 7));
    }
    EXPECT_TRUE(PictureColorTable(photo.Sheet()).empty());
    std::vector<BYTE> file;
    ASSERT_TRUE(BitmapFileBytes(photo.Sheet(), file));
    EXPECT_EQ(Word(file, 28), 24);
    EXPECT_EQ(Dword(file, 10), 54u);
    EXPECT_EQ(std::memcmp(&file[54], photo.bits.data(), photo.bits.size()), 0);

    Picture ten(10, 1, RGB(255, 0, 0));
    for (LONG i = 0; i < 10; ++i) {
        ten.Set(i, 0, RGB(i * 20, 0, 0));
    }
    ASSERT_TRUE(BitmapFileBytes(ten.Sheet(), file));
    EXPECT_EQ(Word(file, 28), 4);  // 11 colours with black and white
    EXPECT_EQ(BitsForColors(17), 8);
    EXPECT_EQ(BitsForColors(257), 24);
    EXPECT_EQ(Picture(10, 1, 0).stride, 32);
}
