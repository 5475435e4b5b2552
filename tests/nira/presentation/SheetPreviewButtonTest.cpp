// The owner-drawn button of the sheet preview asks the sink to paint it; the sink here hands the
// request to the real sheet preview handler, as the UI core's sink does.
#include "WidgetFixture.h"

#include <nirasim/Gdi.h>

#include "nira/presentation/ImageWidgets.h"
#include "nira/uiplugin/sheetpreview/SheetPreview.h"
#include "nira/uiplugin/sheetpreview/SheetPreviewFixture.h"

namespace {

constexpr int kSheetPreviewWidget = 6002;
constexpr int kSheetPreviewClass = 4132;

class PreviewSink : public CountingSink {
public:
    explicit PreviewSink(CNiraSheetPreview* preview) : m_preview(preview) {}

    int PaintWidget(int widgetId, HWND window, LONG_PTR extra) override
    {
        CountingSink::PaintWidget(widgetId, window, extra);
        return m_preview->PaintWidget(widgetId, window, extra);
    }

private:
    CNiraSheetPreview* m_preview;
};

TEST_F(WidgetTest, TheSheetPreviewButtonShowsTheSheetPreviewPaintedThroughTheSink)
{
    PictureServices services;
    services.values = {{4114, kLetterOption}, {4118, 1}, {4128, 2}};
    CNiraSheetPreview preview;
    preview.Attach(&services, kSheetPreviewClass, nullptr);
    PreviewSink painter(&preview);
    controller.AttachServices(&painter, &settings.settings, strings);
    auto* button =
        Make<CNiraOwnerdrawnButton>(Row(WIDGET_OWNERDRAWN_BUTTON, kPushButton, kSheetPreviewWidget));
    button->Attach(dialog);
    HWND control = Item(kPushButton);
    RECT area{};
    GetClientRect(control, &area);

    int objects = nirasim::LiveGdiObjects();
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_BUTTON;
    draw.CtlID = kPushButton;
    draw.hwndItem = control;
    draw.hDC = GetDC(control);
    draw.rcItem = area;
    button->DrawItem(&draw);
    ReleaseDC(control, draw.hDC);
    EXPECT_EQ(nirasim::LiveGdiObjects(), objects);
    ASSERT_EQ(painter.paints.size(), 1u);
    EXPECT_EQ(painter.paints[0], std::make_pair(kSheetPreviewWidget, control));

    // The button shows what the handler paints into a window of its size.
    HWND reference = CreateWindowExW(0, TEXT("Static"), TEXT(""), WS_CHILD | WS_VISIBLE, 0, 0, area.right,
                                     area.bottom, dialog, nullptr, nullptr, nullptr);
    ASSERT_EQ(preview.PaintWidget(kSheetPreviewWidget, reference, 0), 0);
    nirasim::Picture shown;
    nirasim::Picture expected;
    ASSERT_TRUE(nirasim::WindowPixels(control, shown));
    ASSERT_TRUE(nirasim::WindowPixels(reference, expected));
    EXPECT_EQ(shown.pixels, expected.pixels);
    unsigned int background = expected.At(0, 0);
    EXPECT_NE(std::count(expected.pixels.begin(), expected.pixels.end(), background),
              static_cast<long>(expected.pixels.size()))
        << "the sheet is drawn";
    DestroyWindow(reference);
    preview.Detach();
}

}  // namespace
