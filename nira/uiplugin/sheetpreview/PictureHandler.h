// The handler of the colour page's sample picture (class 4166): it follows the seven adjustment
// sliders (features 4166 to 4172), hands their values to its colour adjuster and paints the sample
// picture of the resource module with them applied, pixel by pixel for a true-colour picture and
// through its colour table for a palette picture. The values themselves live in the settings.
#pragma once

#include <windows.h>

#include "nira/uiplugin/features/base/FeatureHandler.h"
#include "nira/uiplugin/sheetpreview/ColorAdjuster.h"

class CNiraPictureHandler : public CNiraFeatureHandler {
public:
    static constexpr int kCommandResetPicture = 28;
    static constexpr int kPictureWidget = 6025;
    static constexpr int kSliderCount = 7;

    CNiraPictureHandler();
    ~CNiraPictureHandler() override;

    // Reads the seven slider values once the settings are loaded.
    int InitializeStates() override;
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;
    int OnWidgetChanged(int widgetId) override;
    // Two paints in a row: the plain picture, then the adjusted one over it.
    int PaintWidget(int widgetId, HWND window, INT_PTR extra) override;

    // The stored value of a slider feature (4166 to 4172); 0 for any other id.
    int SliderValue(int featureId) const;
    CNiraColorAdjuster& Adjuster() { return m_adjuster; }

protected:
    // Hands the values to the adjuster and invalidates the window's client area.
    void RefreshPicture(HWND window);
    void DrawPlainPicture(HDC dc, HMODULE module, int pictureId);
    void DrawAdjustedPicture(HDC dc, HMODULE module, int pictureId);
    void DrawTrueColor(HDC dc, const BITMAPINFOHEADER& header, const BYTE* pixels, POINT centre);
    void DrawWithColorTable(HDC dc, const BITMAPINFOHEADER& header, const RGBQUAD* table, DWORD colors,
                            const BYTE* pixels, POINT centre);
    // The resource id of the picture, from the settings' entry of the picture widget; 0 for none.
    int PictureId();

    CNiraColorAdjuster m_adjuster;
    HWND m_window;
    int m_sliders[kSliderCount];
};
