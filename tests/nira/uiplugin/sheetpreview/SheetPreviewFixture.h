// A sheet preview painted from settings kept in maps, into a headless widget window of its own.
#pragma once

#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/foundation/store/CoreStubs.h"
#include "nira/uiplugin/sheetpreview/SheetPreview.h"

constexpr int kLetterOption = 1;
constexpr int kLetterWidth = 2159;
constexpr int kLetterHeight = 2794;

// Settings by feature id (absent ids fail to read); paper options are their own device values and
// the paper-size command answers the sizes listed. Commands sent are recorded.
class PictureServices : public StubCoreServices {
public:
    std::map<int, int> values;
    std::map<int, std::pair<int, int>> paperSizes = {{kLetterOption, {kLetterWidth, kLetterHeight}}};
    std::map<int, int> paperKinds;
    std::vector<int> reads;
    struct Command {
        int source;
        int target;
        int command;
    };
    std::vector<Command> commands;
    HMODULE resources = nullptr;

    int GetValue(int id, int* opt, int* isSet) override
    {
        reads.push_back(id);
        auto found = values.find(id);
        if (found == values.end()) {
            return NIRA_STATUS_FAILED;
        }
        *opt = found->second;
        *isSet = 0;
        return 0;
    }
    int GetOptionValue(int, int opt, int* value) override
    {
        *value = opt;
        return 0;
    }
    int SendHandlerCommand(int source, int target, int command, int* value, int* result) override
    {
        commands.push_back({source, target, command});
        if (command == 11) {
            return 0;
        }
        auto found = value != nullptr ? paperSizes.find(*value) : paperSizes.end();
        if (command != 10 || found == paperSizes.end()) {
            return NIRA_STATUS_FAILED;
        }
        result[0] = found->second.first;
        result[1] = found->second.second;
        return 0;
    }
    int GetTreeViewOption(int, int opt, TreeViewOptionRecord* out) override
    {
        auto found = paperKinds.find(opt);
        if (found == paperKinds.end()) {
            return NIRA_STATUS_FAILED;
        }
        out->groupId = found->second;
        return 0;
    }
    HMODULE GetResourceModule() override { return resources; }
};

// The sheet preview with its paint's geometry open to the tests.
class OpenSheetPreview : public CNiraSheetPreview {
public:
    using CNiraSheetPreview::DrawChart;
    using CNiraSheetPreview::DrawLogo;
    using CNiraSheetPreview::DrawTextLines;
    using CNiraSheetPreview::m_cellRect;
    using CNiraSheetPreview::m_documentPaperRect;
    using CNiraSheetPreview::m_innerMargin;
    using CNiraSheetPreview::m_memoryDC;
    using CNiraSheetPreview::m_outerMargin;
    using CNiraSheetPreview::m_paperRect;
};

// A plain window class on a light grey background, as the dialogs that hold the pictures have.
inline void RegisterGreyWindowClass(LPCWSTR name)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.lpszClassName = name;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    RegisterClassExW(&windowClass);
}

class SheetPreviewTest : public ::testing::Test {
protected:
    static constexpr int kWidgetWidth = 100;
    static constexpr int kWidgetHeight = 140;

    void SetUp() override
    {
        RegisterGreyWindowClass(TEXT("Widget"));
        dialog = CreateWindowExW(0, TEXT("Widget"), TEXT(""), 0, 200, 100, 400, 300, nullptr, nullptr,
                                 nullptr, nullptr);
        widget = CreateWindowExW(0, TEXT("Widget"), TEXT(""), WS_CHILD, 20, 30, kWidgetWidth, kWidgetHeight,
                                 dialog, nullptr, nullptr, nullptr);
        services.values = {{4114, kLetterOption}, {4118, 1}};
        preview.Attach(&services, 4132, nullptr);
    }

    // Paints and reads the widget's pixels; the paint must leave no GDI object behind.
    nirasim::Picture Paint()
    {
        int objects = nirasim::LiveGdiObjects();
        EXPECT_EQ(preview.PaintWidget(6002, widget, 0), 0);
        EXPECT_EQ(nirasim::LiveGdiObjects(), objects) << "no GDI object outlives a paint";
        nirasim::Picture picture;
        nirasim::WindowPixels(widget, picture);
        return picture;
    }

    nirasim::Machine machine;
    HWND dialog = nullptr;
    HWND widget = nullptr;
    PictureServices services;
    OpenSheetPreview preview;
};

// A memory DC of a given size for the drawing members, white all over.
class MemoryCanvas {
public:
    MemoryCanvas(int width, int height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, width, height, WHITENESS);
    }
    ~MemoryCanvas()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MemoryCanvas(const MemoryCanvas&) = delete;
    MemoryCanvas& operator=(const MemoryCanvas&) = delete;
    nirasim::Picture Pixels() const
    {
        nirasim::Picture picture;
        nirasim::DcPixels(dc, picture);
        return picture;
    }

    HDC dc = nullptr;

private:
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};
