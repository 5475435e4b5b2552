// Memory DCs for the GDI tests, and a fixture that checks every GDI object made was deleted.
#pragma once

#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

// A memory DC holding a 32-bit bitmap, filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF color)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        Fill(0, 0, width, height, color);
    }
    ~Canvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    void Fill(int left, int top, int right, int bottom, COLORREF color)
    {
        HBRUSH brush = CreateSolidBrush(color);
        RECT area = {left, top, right, bottom};
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

class CountedGdiTest : public ::testing::Test {
protected:
    void SetUp() override { objects = nirasim::LiveGdiObjects(); }
    void TearDown() override
    {
        EXPECT_EQ(nirasim::LiveGdiObjects(), objects) << "every object made was deleted";
    }
    nirasim::Machine machine;
    int objects = 0;
};
