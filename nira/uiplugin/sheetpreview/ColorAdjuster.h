// The colour adjustment of the sample picture in the printing preferences: seven slider values
// (-50 to 50) become lookup curves and a white point that are applied to single pixels — a tone
// curve, cyan, magenta, yellow and black curves, a colour-tone shift through CIE XYZ and L*a*b*
// with a moved white point, and a saturation change through hue, saturation and intensity.
#pragma once

#include <windows.h>

class CNiraColorAdjuster {
public:
    static constexpr int kCurveSize = 256;

    CNiraColorAdjuster();
    virtual ~CNiraColorAdjuster();

    // Changes the pixels in place while the adjuster is enabled.
    virtual void ApplyToPixel(BYTE* red, BYTE* green, BYTE* blue);

    // Rebuilds what changed; true when every changed value was accepted. A rejected value leaves
    // the adjuster disabled until a later call succeeds.
    bool SetAdjustments(signed char saturation, signed char tone, signed char colorTone, signed char black,
                        signed char cyan, signed char magenta, signed char yellow);
    // The curve of a slider value; false for a value outside -50..50 or a null curve.
    static bool BuildSliderCurve(signed char value, BYTE* curve);
    // The white point of a colour-tone value.
    void SetColorTone(signed char value);

    bool IsEnabled() const { return m_enabled != 0; }
    double WhiteX() const { return m_whiteX; }
    double WhiteZ() const { return m_whiteZ; }
    const BYTE* ToneCurve() const { return m_toneCurve; }

    // The curve targets in 1/256 units, for positive and for negative values.
    static DWORD LighteningTarget(int index);
    static DWORD DarkeningTarget(int index);

private:
    void AdjustInkCurves(BYTE& red, BYTE& green, BYTE& blue) const;
    void ShiftColorTone(BYTE& red, BYTE& green, BYTE& blue) const;
    void AdjustSaturation(BYTE& red, BYTE& green, BYTE& blue) const;
    bool InkValuesSet() const;

    BYTE m_saturationCurve[kCurveSize];
    BYTE m_toneCurve[kCurveSize];
    BYTE m_blackCurve[kCurveSize];
    BYTE m_cyanCurve[kCurveSize];
    BYTE m_magentaCurve[kCurveSize];
    BYTE m_yellowCurve[kCurveSize];
    double m_whiteX;
    double m_whiteZ;
    BYTE m_enabled;
    signed char m_saturation;
    signed char m_tone;
    signed char m_colorTone;
    signed char m_black;
    signed char m_cyan;
    signed char m_magenta;
    signed char m_yellow;
};
