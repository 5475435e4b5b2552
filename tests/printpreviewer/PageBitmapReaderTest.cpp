// Page bitmap files are checked before they are read.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "printpreviewer/PageBitmapReader.h"
#include "support/WString.h"

namespace {

struct Headers {
    WORD type = 0x4D42;
    DWORD offBits = 54;
    DWORD infoSize = 40;
    LONG width = 3;
    LONG height = 2;
    WORD planes = 1;
    WORD bits = 24;
    DWORD compression = 0;
};

std::string File(const Headers& h, size_t pixelBytes)
{
    std::string bytes(54, '\0');
    std::memcpy(&bytes[0], &h.type, 2);
    std::memcpy(&bytes[10], &h.offBits, 4);
    std::memcpy(&bytes[14], &h.infoSize, 4);
    std::memcpy(&bytes[18], &h.width, 4);
    std::memcpy(&bytes[22], &h.height, 4);
    std::memcpy(&bytes[26], &h.planes, 2);
    std::memcpy(&bytes[28], &h.bits, 2);
    std::memcpy(&bytes[30], &h.compression, 4);
    for (size_t i = 0; i < pixelBytes; ++i) {
        bytes.push_back(static_cast<char>(i));
    }
    return bytes;
}

WString Write(const std::string& bytes)
{
    WCHAR folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    WString path = WString(folder) + TEXT("page.bmp");
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return path;
}

}  // namespace

TEST(PageBitmapReader, ReadsRowsWithTheirPadding)
{
    Headers h;  // 3 pixels of 3 bytes: rows of 12 bytes
    PageBitmap bitmap;
    ASSERT_TRUE(ReadPageBitmap(Write(File(h, 24)).c_str(), bitmap));
    EXPECT_EQ(bitmap.width, 3);
    EXPECT_EQ(bitmap.height, 2);
    EXPECT_EQ(bitmap.stride, 12);
    EXPECT_EQ(bitmap.bytesPerPixel, 3);
    EXPECT_EQ(bitmap.pixels[13], 13);
    h.height = -2;
    ASSERT_TRUE(ReadPageBitmap(Write(File(h, 24)).c_str(), bitmap));
    EXPECT_TRUE(bitmap.topDown);
    EXPECT_EQ(bitmap.height, 2);
    h.bits = 32;
    h.offBits = 60;  // pixels after a gap
    std::string gap = File(h, 0) + std::string(6, '\x55');
    for (int i = 0; i < 24; ++i) {
        gap.push_back(static_cast<char>(100 + i));
    }
    ASSERT_TRUE(ReadPageBitmap(Write(gap).c_str(), bitmap));
    EXPECT_EQ(bitmap.pixels[0], 100);
}

TEST(PageBitmapReader, RefusesWhatIsNotAPlainBitmap)
{
    struct Case {
        const char* what;
        Headers headers;
        size_t pixelBytes;
    };
    std::vector<Case> cases;
    Headers h;
    cases.push_back({"type", h, 24});
    cases.back().headers.type = 0x5842;
    cases.push_back({"header size", h, 24});
    cases.back().headers.infoSize = 12;
    cases.push_back({"planes", h, 24});
    cases.back().headers.planes = 2;
    cases.push_back({"8 bits", h, 24});
    cases.back().headers.bits = 8;
    cases.push_back({"compressed", h, 24});
    cases.back().headers.compression = 1;
    cases.push_back({"no width", h, 24});
    cases.back().headers.width = 0;
    cases.push_back({"no height", h, 24});
    cases.back().headers.height = 0;
    cases.push_back({"huge", h, 24});
    cases.back().headers.width = 0x7FFFFFFF;
    cases.back().headers.height = 0x7FFFFFFF;
    cases.push_back({"short", h, 23});
    cases.push_back({"pixels inside the headers", h, 24});
    cases.back().headers.offBits = 20;
    for (const Case& c : cases) {
        PageBitmap bitmap;
        EXPECT_FALSE(ReadPageBitmap(Write(File(c.headers, c.pixelBytes)).c_str(), bitmap)) << c.what;
        EXPECT_TRUE(bitmap.pixels.empty()) << c.what;
    }
    PageBitmap missing;
    EXPECT_FALSE(ReadPageBitmap(TEXT("C:\\nowhere\\page.bmp"), missing));
}
