// Windows as paint targets: rectangles on the screen and in the parent, the update area and the
// WM_PAINT cycle, window DCs and the pixels they leave.
#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);

std::vector<PAINTSTRUCT> g_paints;

// Paints its whole update area red and records what BeginPaint handed over.
LRESULT CALLBACK PaintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    g_paints.push_back(paint);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, red);
    DeleteObject(red);
    EndPaint(window, &paint);
    return 0;
}

class WindowPaint : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_paints.clear();
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = PaintingProc;
        windowClass.lpszClassName = TEXT("Painting");
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        ASSERT_NE(RegisterClassExW(&windowClass), 0);
        parent = CreateWindowExW(0, TEXT("Painting"), TEXT(""), 0, 5, 7, 300, 200, nullptr, nullptr, nullptr,
                                 nullptr);
        child = CreateWindowExW(0, TEXT("Painting"), TEXT(""), WS_CHILD, 10, 20, 100, 140, parent, nullptr,
                                nullptr, nullptr);
        ASSERT_NE(child, nullptr);
    }

    nirasim::Machine machine;
    HWND parent = nullptr;
    HWND child = nullptr;
};

TEST_F(WindowPaint, RectanglesMapBetweenScreenParentAndClient)
{
    RECT rect;
    ASSERT_TRUE(GetWindowRect(child, &rect));
    EXPECT_EQ(rect.left, 15);
    EXPECT_EQ(rect.top, 27);
    EXPECT_EQ(rect.right, 115);
    EXPECT_EQ(rect.bottom, 167);
    int shift = MapWindowPoints(nullptr, child, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, 100);
    EXPECT_EQ(rect.bottom, 140);
    EXPECT_EQ(static_cast<short>(LOWORD(shift)), -15);
    EXPECT_EQ(static_cast<short>(HIWORD(shift)), -27);
    RECT client;
    ASSERT_TRUE(GetClientRect(child, &client));
    EXPECT_EQ(client.right, 100);
    EXPECT_EQ(client.bottom, 140);
    POINT point = {1, 2};
    ASSERT_TRUE(ClientToScreen(child, &point));
    EXPECT_EQ(point.x, 16);
    EXPECT_EQ(point.y, 29);
}

TEST_F(WindowPaint, PaintingCoversOnlyTheInvalidatedPartAndValidatesIt)
{
    RECT part = {10, 10, 30, 20};
    ASSERT_TRUE(InvalidateRect(child, &part, TRUE));
    ASSERT_TRUE(UpdateWindow(child));
    ASSERT_EQ(g_paints.size(), 1u);
    EXPECT_EQ(g_paints[0].rcPaint.left, 10);
    EXPECT_EQ(g_paints[0].rcPaint.bottom, 20);
    EXPECT_FALSE(g_paints[0].fErase);  // the class's brush erased it

    nirasim::Picture picture;
    ASSERT_TRUE(nirasim::WindowPixels(child, picture));
    EXPECT_EQ(picture.At(10, 10), 0xFF0000u);
    EXPECT_EQ(picture.At(29, 19), 0xFF0000u);
    EXPECT_EQ(picture.At(30, 19), 0xFFFFFFu) << "the update area ends before its right edge";
    EXPECT_EQ(picture.At(50, 50), 0xFFFFFFu) << "outside the update area, the background";

    UpdateWindow(child);
    EXPECT_EQ(g_paints.size(), 1u) << "the paint validated the window";
    EXPECT_FALSE(GetUpdateRect(child, nullptr, FALSE));
}

TEST_F(WindowPaint, WindowDcsDrawOnTheWindowAndReleaseCleanly)
{
    int objects = nirasim::LiveGdiObjects();
    HDC dc = GetDC(child);
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(255, 255, 255));
    EXPECT_EQ(GetPixel(dc, 200, 100), CLR_INVALID) << "outside the client area";
    SetPixel(dc, 3, 4, kRed);
    EXPECT_EQ(GetLayout(dc), 0u);
    EXPECT_EQ(ReleaseDC(child, dc), 1);
    EXPECT_EQ(ReleaseDC(child, dc), 0) << "released once";
    EXPECT_EQ(nirasim::LiveGdiObjects(), objects);

    nirasim::Picture picture;
    ASSERT_TRUE(nirasim::WindowPixels(child, picture));
    EXPECT_EQ(picture.At(3, 4), 0xFF0000u) << "the window keeps its pixels";
}

TEST_F(WindowPaint, RightToLeftWindowsGiveRightToLeftDcs)
{
    HWND mirrored = CreateWindowExW(WS_EX_LAYOUTRTL, TEXT("Painting"), TEXT(""), WS_CHILD, 0, 0, 20, 20,
                                    parent, nullptr, nullptr, nullptr);
    HDC dc = GetDC(mirrored);
    EXPECT_EQ(GetLayout(dc), static_cast<DWORD>(LAYOUT_RTL));
    HDC memory = CreateCompatibleDC(dc);
    EXPECT_EQ(GetLayout(memory), static_cast<DWORD>(LAYOUT_RTL))
        << "a memory DC takes its reference's layout";
    DeleteDC(memory);
    ReleaseDC(mirrored, dc);
}

TEST_F(WindowPaint, DestroyedWindowsLoseTheirPixels)
{
    HDC dc = GetDC(child);
    ReleaseDC(child, dc);
    ASSERT_TRUE(DestroyWindow(child));
    nirasim::Picture picture;
    EXPECT_FALSE(nirasim::WindowPixels(child, picture));
    EXPECT_EQ(GetDC(child), nullptr);
}

}  // namespace
