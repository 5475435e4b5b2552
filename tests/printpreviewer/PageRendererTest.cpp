// The page bitmap renderer: pictures turned upright, the record of each file, and pictures
// stretched over their rectangle (a damaged file leaves it as it was).
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include <windows.h>

#include <strsafe.h>

#include "printpreviewer/PageBitmapReader.h"
#include "printpreviewer/PageRenderer.h"
#include "printpreviewer/PageTurn.h"

namespace {

// A 2 x 3 picture (top-down) whose pixels are numbered 0 to 5 in their blue byte.
PageBitmap Numbered(bool topDown)
{
    PageBitmap picture;
    picture.width = 2;
    picture.height = 3;
    picture.topDown = topDown;
    picture.bytesPerPixel = 3;
    picture.stride = 8;
    picture.pixels.assign(24, 0);
    for (LONG y = 0; y < 3; ++y) {
        LONG row = topDown ? y : 2 - y;
        for (LONG x = 0; x < 2; ++x) {
            picture.pixels[static_cast<size_t>(row * 8 + x * 3)] = static_cast<BYTE>(y * 2 + x);
        }
    }
    return picture;
}

// The numbers of a turned (top-down) picture, row by row.
std::vector<int> NumbersOf(const PageBitmap& picture)
{
    std::vector<int> numbers;
    for (LONG y = 0; y < picture.height; ++y) {
        for (LONG x = 0; x < picture.width; ++x) {
            numbers.push_back(
                picture.pixels[static_cast<size_t>(y * picture.stride + x * picture.bytesPerPixel)]);
        }
    }
    return numbers;
}

// A page bitmap file: 24 bits, bottom-up, the left half red and the right half blue.
void WriteHalves(LPCWSTR path, LONG width, LONG height)
{
    LONG stride = (width * 3 + 3) / 4 * 4;
    std::vector<BYTE> file(54 + static_cast<size_t>(stride * height), 0);
    DWORD size = static_cast<DWORD>(file.size());
    DWORD offBits = 54, infoSize = 40;
    WORD planes = 1, bits = 24;
    file[0] = 'B';
    file[1] = 'M';
    std::memcpy(&file[2], &size, 4);
    std::memcpy(&file[10], &offBits, 4);
    std::memcpy(&file[14], &infoSize, 4);
    std::memcpy(&file[18], &width, 4);
    std::memcpy(&file[22], &height, 4);
    std::memcpy(&file[26], &planes, 2);
    std::memcpy(&file[28], &bits, 2);
    for (LONG row = 0; row < height; ++row) {
        for (LONG x = 0; x < width; ++x) {
            BYTE* pixel = &file[54 + static_cast<size_t>(row * stride + x * 3)];
            pixel[x < width / 2 ? 2 : 0] = 255;
        }
    }
    HANDLE out = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(out, file.data(), size, &written, nullptr);
    CloseHandle(out);
}

class PageRendererTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (size_t i = 0; i < 3; ++i) {
            m_records[i].orientation = DMORIENT_PORTRAIT;
            m_records[i].sheetWidth = 5100;
            m_records[i].sheetHeight = 6600;
            m_records[i].next = i < 2 ? &m_records[i + 1] : nullptr;
        }
        m_records[1].orientation = DMORIENT_LANDSCAPE;
        m_block.recordCount = 3;
        m_block.copies = 1;
        m_block.duplex = DMDUP_SIMPLEX;
        m_block.scalePercent = 100;
        m_block.pagesPerSheet = 1;
        m_block.pageRecords = m_records;
        m_document = CNiraPreviewDocument::Build(m_block);
        HDC screen = GetDC(nullptr);
        m_dc = CreateCompatibleDC(screen);
        m_bitmap = CreateCompatibleBitmap(screen, 40, 40);
        ReleaseDC(nullptr, screen);
        m_previous = SelectObject(m_dc, m_bitmap);
        PatBlt(m_dc, 0, 0, 40, 40, WHITENESS);
        GetTempPathW(MAX_PATH, m_path);
        StringCchCatW(m_path, MAX_PATH, TEXT("halves.bmp"));
    }
    void TearDown() override
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
        delete m_document;
    }

    PreviewPageRecord m_records[3] = {};
    PreviewJobBlock m_block = {};
    CNiraPreviewDocument* m_document = nullptr;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    WCHAR m_path[MAX_PATH] = {};
};

}  // namespace

TEST(PageTurnPicture, TurnedPixelsLandWhereTheTurnPutsThem)
{
    for (bool topDown : {false, true}) {
        PageBitmap turned;
        ASSERT_TRUE(TurnPicture(Numbered(topDown), PageTurn::kClockwise, turned));
        EXPECT_EQ(turned.width, 3);
        EXPECT_EQ(turned.height, 2);
        EXPECT_EQ(turned.stride, 12);
        EXPECT_EQ(NumbersOf(turned), (std::vector<int>{4, 2, 0, 5, 3, 1}));
        ASSERT_TRUE(TurnPicture(Numbered(topDown), PageTurn::kAnticlockwise, turned));
        EXPECT_EQ(NumbersOf(turned), (std::vector<int>{1, 3, 5, 0, 2, 4}));
        ASSERT_TRUE(TurnPicture(Numbered(topDown), PageTurn::kHalf, turned));
        EXPECT_EQ(NumbersOf(turned), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    }
}

TEST_F(PageRendererTest, TheFileCounterFindsTheRecordAndStopsAtTheListsEnd)
{
    EXPECT_EQ(RecordOfFile(m_records, 0), &m_records[0]);
    EXPECT_EQ(RecordOfFile(m_records, 1), &m_records[0]);
    EXPECT_EQ(RecordOfFile(m_records, 2), &m_records[1]);
    EXPECT_EQ(RecordOfFile(m_records, 3), &m_records[2]);
    EXPECT_EQ(RecordOfFile(m_records, 99), &m_records[2]);
    EXPECT_EQ(RecordOfFile(nullptr, 2), nullptr);
}

TEST_F(PageRendererTest, PicturesAreStretchedAndTurnedByTheirRecord)
{
    WriteHalves(m_path, 8, 4);
    // File 1 belongs to a portrait record: red on the left, blue on the right, stretched over 20 x 10.
    DrawPageBitmap(*m_document, {m_dc, {10, 10, 30, 20}, m_path, 1});
    EXPECT_EQ(m_document->PageSetup().orientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(GetPixel(m_dc, 12, 15), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(m_dc, 28, 15), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(m_dc, 9, 15), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(m_dc, 20, 21), RGB(255, 255, 255));
    // File 2 belongs to the landscape record: a one-sided job turns it clockwise, so the left
    // (red) half comes on top.
    PatBlt(m_dc, 0, 0, 40, 40, WHITENESS);
    DrawPageBitmap(*m_document, {m_dc, {10, 10, 20, 30}, m_path, 2});
    EXPECT_EQ(m_document->PageSetup().orientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(GetPixel(m_dc, 15, 12), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(m_dc, 15, 28), RGB(0, 0, 255));
}

// The picture's pixels are mapped onto the destination: an 8-pixel picture over device columns 3
// to 9 keeps its red half on the left (column 6 takes either colour, as the shrink samples). The
// target's own mapping is given back.
TEST_F(PageRendererTest, ThePictureIsMappedOntoTheDestinationAndTheMappingGivenBack)
{
    WriteHalves(m_path, 8, 4);
    SetMapMode(m_dc, MM_ANISOTROPIC);
    SetWindowExtEx(m_dc, 3, 3, nullptr);
    SetViewportExtEx(m_dc, 3, 3, nullptr);
    DrawPageBitmap(*m_document, {m_dc, {3, 5, 10, 8}, m_path, 1});
    EXPECT_EQ(GetMapMode(m_dc), MM_ANISOTROPIC);
    SIZE extent = {};
    POINT origin = {};
    EXPECT_TRUE(GetWindowExtEx(m_dc, &extent));
    EXPECT_EQ(extent.cx, 3);
    EXPECT_TRUE(GetViewportOrgEx(m_dc, &origin));
    EXPECT_EQ(origin.x, 0);
    SetMapMode(m_dc, MM_TEXT);
    for (LONG y : {5, 7}) {
        EXPECT_EQ(GetPixel(m_dc, 2, y), RGB(255, 255, 255));
        EXPECT_EQ(GetPixel(m_dc, 3, y), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(m_dc, 5, y), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(m_dc, 7, y), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(m_dc, 9, y), RGB(0, 0, 255));
        EXPECT_EQ(GetPixel(m_dc, 10, y), RGB(255, 255, 255));
    }
    EXPECT_EQ(GetPixel(m_dc, 5, 4), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(m_dc, 5, 8), RGB(255, 255, 255));
}

TEST_F(PageRendererTest, AFileThatCannotBeUsedLeavesTheDestination)
{
    for (const std::string& bytes : {std::string("BM"), std::string(54, 'x')}) {
        HANDLE out =
            CreateFileW(m_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(out);
        DrawPageBitmap(*m_document, {m_dc, {10, 10, 30, 20}, m_path, 1});
        EXPECT_EQ(GetPixel(m_dc, 20, 15), RGB(255, 255, 255));
    }
    DrawPageBitmap(*m_document, {m_dc, {10, 10, 30, 20}, TEXT("C:\\nowhere\\page.bmp"), 1});
    EXPECT_EQ(GetPixel(m_dc, 20, 15), RGB(255, 255, 255));
}
