// The colour page's picture handler: the sliders it follows, the reset command, its two paints of
// the sample picture of the package's resource module, and the checks of a picture resource.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include "tests/nira/uiplugin/sheetpreview/SheetPreviewFixture.h"

#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "nira/uiplugin/interfaces/UISettingsRecords.h"
#include "nira/uiplugin/sheetpreview/PictureHandler.h"
#include "nira/uiplugin/sheetpreview/SamplePicture.h"

namespace {

constexpr int kTrueColorPicture = 301;
constexpr int kPalettePicture = 302;
constexpr int kPictureWidth = 101;
constexpr int kPictureHeight = 60;
constexpr int kWindowWidth = 141;
constexpr int kWindowHeight = 100;

// Services that also carry the picture widget's entry with a bitmap id.
class PictureWidgetServices : public PictureServices {
public:
    FeatureEntry entry;
    FeatureUIRecord record = {};
    bool hasEntry = true;
    int FindFeature(int* id, FeatureEntry** found) override
    {
        if (!hasEntry || *id != CNiraPictureHandler::kPictureWidget) {
            return NIRA_STATUS_FAILED;
        }
        entry.uiRecord = &record;
        *found = &entry;
        return 0;
    }
};

struct Rgb {
    BYTE red, green, blue;
};

class PictureHandlerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        module = LoadLibraryW((nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirares.dll")).c_str());
        ASSERT_NE(module, nullptr);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = TEXT("Picture");
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
        RegisterClassExW(&windowClass);
        window = CreateWindowExW(0, TEXT("Picture"), TEXT(""), 0, 10, 10, kWindowWidth, kWindowHeight,
                                 nullptr, nullptr, nullptr, nullptr);
        services.resources = module;
        services.record.bitmapId = kTrueColorPicture;
        handler.Attach(&services, 4166, nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(window);
        FreeLibrary(module);
    }

    // The picture resource's pixels, top row first.
    std::vector<Rgb> ResourcePixels(int id)
    {
        HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), RT_BITMAP);
        const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        SamplePicture picture = {};
        EXPECT_TRUE(ReadSamplePicture(data, SizeofResource(module, found), picture));
        const BITMAPINFOHEADER& h = picture.header;
        size_t stride = DibRowStride(h.biWidth, h.biBitCount);
        std::vector<Rgb> pixels;
        for (int y = 0; y < kPictureHeight; ++y) {
            const BYTE* row =
                picture.pixels + stride * static_cast<size_t>(h.biHeight > 0 ? kPictureHeight - 1 - y : y);
            for (int x = 0; x < kPictureWidth; ++x) {
                if (h.biBitCount == 24) {
                    pixels.push_back({row[x * 3 + 2], row[x * 3 + 1], row[x * 3]});
                } else {
                    const RGBQUAD& q = picture.table[row[x]];
                    pixels.push_back({q.rgbRed, q.rgbGreen, q.rgbBlue});
                }
            }
        }
        return pixels;
    }

    // Paints and compares the drawn picture with the resource's pixels put through the adjuster.
    void ExpectAdjustedPicture(int id)
    {
        services.record.bitmapId = id;
        int objects = nirasim::LiveGdiObjects();
        ASSERT_EQ(handler.PaintWidget(CNiraPictureHandler::kPictureWidget, window, 0), 0);
        EXPECT_EQ(nirasim::LiveGdiObjects(), objects) << "no GDI object outlives a paint";
        nirasim::Picture picture;
        ASSERT_TRUE(nirasim::WindowPixels(window, picture));
        RECT client = {};
        GetClientRect(window, &client);
        int left = client.right / 2 - kPictureWidth / 2;
        int top = client.bottom / 2 - kPictureHeight / 2;
        std::vector<Rgb> expected = ResourcePixels(id);
        int differing = 0;
        for (int y = 0; y < kPictureHeight; ++y) {
            for (int x = 0; x < kPictureWidth; ++x) {
                Rgb p = expected[static_cast<size_t>(y) * kPictureWidth + x];
                handler.Adjuster().ApplyToPixel(&p.red, &p.green, &p.blue);
                unsigned want = static_cast<unsigned>(p.red) << 16 | p.green << 8 | p.blue;
                differing += picture.At(left + x, top + y) != want;
            }
        }
        EXPECT_EQ(differing, 0) << "every pixel, the last row and column included, is adjusted";
    }

    nirasim::Machine machine;
    HMODULE module = nullptr;
    HWND window = nullptr;
    PictureWidgetServices services;
    CNiraPictureHandler handler;
};

TEST_F(PictureHandlerTest, SlidersReachTheAdjusterInItsOrder)
{
    services.values = {{4169, 50}, {4132, 2}};
    handler.PaintWidget(CNiraPictureHandler::kPictureWidget, window, 0);  // the handler learns its window
    ValidateRect(window, nullptr);
    EXPECT_EQ(handler.OnWidgetChanged(4169), 0);
    EXPECT_EQ(handler.SliderValue(4169), 50);
    // Cyan, the adjuster's fifth value, takes red away from a grey and nothing else.
    BYTE red = 128, green = 128, blue = 128;
    handler.Adjuster().ApplyToPixel(&red, &green, &blue);
    EXPECT_LT(red, 128);
    EXPECT_EQ(green, 128);
    EXPECT_EQ(blue, 128);
    RECT update = {};
    EXPECT_TRUE(GetUpdateRect(window, &update, FALSE)) << "the picture is painted again";

    ValidateRect(window, nullptr);
    EXPECT_EQ(handler.OnWidgetChanged(4132), 0);
    EXPECT_FALSE(GetUpdateRect(window, &update, FALSE)) << "not a slider: nothing is repainted";
    EXPECT_EQ(handler.OnWidgetChanged(4170), NIRA_STATUS_FAILED) << "a value that cannot be read";
}

TEST_F(PictureHandlerTest, StartUpReadsEverySliderAndCommand28ZerosThem)
{
    services.values = {{4166, 10}, {4167, -20}, {4168, 30}, {4169, 1}, {4170, 2}, {4171, 3}, {4172, 4}};
    EXPECT_EQ(handler.InitializeStates(), 0);
    EXPECT_EQ(services.reads.front(), 4172);
    EXPECT_EQ(handler.SliderValue(4167), -20);
    EXPECT_EQ(handler.SliderValue(4172), 4);
    EXPECT_EQ(handler.OnCommand(4138, 27, nullptr, nullptr), 0);
    EXPECT_EQ(handler.SliderValue(4166), 10);
    EXPECT_EQ(handler.OnCommand(4138, CNiraPictureHandler::kCommandResetPicture, nullptr, nullptr), 0);
    for (int feature = 4166; feature <= 4172; ++feature) {
        EXPECT_EQ(handler.SliderValue(feature), 0) << feature;
    }
    services.values.erase(4172);
    EXPECT_EQ(handler.InitializeStates(), NIRA_STATUS_FAILED) << "the status of the first read";
}

TEST_F(PictureHandlerTest, TrueColourPictureHasEveryPixelAdjusted)
{
    EXPECT_EQ(DibRowStride(kPictureWidth, 24), 304u);
    services.values = {{4166, 50}, {4169, -30}, {4167, 20}};
    handler.InitializeStates();
    ExpectAdjustedPicture(kTrueColorPicture);
    std::vector<nirasim::GdiCall> drawn = nirasim::GdiCallsNamed("StretchDIBits");
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].args[8], 24);
    EXPECT_EQ(drawn[0].result, kPictureHeight);
    EXPECT_TRUE(nirasim::GdiCallsNamed("CreatePalette").empty());
    ASSERT_EQ(nirasim::GdiCallsNamed("SetMapMode").size(), 1u);
    EXPECT_EQ(nirasim::GdiCallsNamed("SetMapMode")[0].args[0], MM_ANISOTROPIC);
}

TEST_F(PictureHandlerTest, PalettePictureChangesOnlyItsTable)
{
    services.values = {{4166, -40}, {4168, 25}};
    handler.InitializeStates();
    ExpectAdjustedPicture(kPalettePicture);
    std::vector<nirasim::GdiCall> palettes = nirasim::GdiCallsNamed("CreatePalette");
    ASSERT_EQ(palettes.size(), 1u);
    EXPECT_EQ(palettes[0].args[0], 256);
    EXPECT_EQ(nirasim::GdiCallsNamed("RealizePalette").size(), 1u);
    EXPECT_EQ(nirasim::GdiCallsNamed("SelectPalette").size(), 2u) << "the previous palette goes back";
    EXPECT_EQ(nirasim::GdiCallsNamed("StretchDIBits")[0].args[8], 8);
}

TEST_F(PictureHandlerTest, WithoutServicesOrPictureNothingIsDrawn)
{
    services.hasEntry = false;
    EXPECT_EQ(handler.PaintWidget(CNiraPictureHandler::kPictureWidget, window, 0), 0);
    EXPECT_TRUE(nirasim::GdiCallsNamed("StretchDIBits").empty());
    EXPECT_EQ(handler.PaintWidget(CNiraPictureHandler::kPictureWidget, nullptr, 0), NIRA_STATUS_FAILED);
    CNiraPictureHandler detached;
    EXPECT_EQ(detached.PaintWidget(CNiraPictureHandler::kPictureWidget, window, 0), 0);
    EXPECT_EQ(detached.InitializeStates(), NIRA_STATUS_FAILED);
    EXPECT_EQ(detached.OnWidgetChanged(4166), NIRA_STATUS_FAILED);
}

// A picture resource is drawn only when its header, colour table and rows fit in the resource.
TEST(SamplePicture, DamagedHeadersAreRefused)
{
    struct Case {
        const char* what;
        LONG width;
        LONG height;
        WORD bits;
        DWORD colorsUsed;
        DWORD headerSize;
        DWORD size;  // of the resource
        bool usable;
    };
    constexpr DWORD kHeader = sizeof(BITMAPINFOHEADER);
    const Case cases[] = {
        {"bottom-up 24-bit", 101, 60, 24, 0, kHeader, kHeader + 304 * 60, true},
        {"top-down 24-bit", 101, -60, 24, 0, kHeader, kHeader + 304 * 60, true},
        {"256 colours", 101, 60, 8, 0, kHeader, kHeader + 1024 + 104 * 60, true},
        {"one byte short", 101, 60, 24, 0, kHeader, kHeader + 304 * 60 - 1, false},
        {"top-down, rows beyond the resource", 101, -600, 24, 0, kHeader, kHeader + 304 * 60, false},
        {"more colours than the bits hold", 4, 4, 8, 257, kHeader, 4096, false},
        {"colour table beyond the resource", 4, 4, 8, 0, kHeader, kHeader + 100, false},
        {"header larger than the resource", 4, 4, 24, 0, 5000, 4096, false},
        {"16 bits per pixel", 4, 4, 16, 0, kHeader, 4096, false},
        {"no height", 4, 0, 24, 0, kHeader, 4096, false},
        {"the most negative height", 4, std::numeric_limits<LONG>::min(), 24, 0, kHeader, 4096, false},
    };
    std::vector<BYTE> data(kHeader + 1024 + 304 * 60);
    for (const Case& c : cases) {
        BITMAPINFOHEADER header = {c.headerSize, c.width, c.height, 1, c.bits, BI_RGB, 0, 0, 0,
                                   c.colorsUsed, 0};
        std::memcpy(data.data(), &header, sizeof(header));
        SamplePicture picture = {};
        EXPECT_EQ(ReadSamplePicture(data.data(), c.size, picture), c.usable) << c.what;
    }
    SamplePicture picture = {};
    EXPECT_FALSE(ReadSamplePicture(data.data(), kHeader - 1, picture));
    EXPECT_FALSE(ReadSamplePicture(nullptr, 4096, picture));
}

}  // namespace
