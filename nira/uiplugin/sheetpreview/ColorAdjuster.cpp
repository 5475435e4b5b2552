#include "nira/uiplugin/sheetpreview/ColorAdjuster.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kSliderRange = 50;
constexpr int kSliderSpan = 100;
constexpr double kCurveUnit = 256.0;
constexpr double kCurveScale = 0.00390625;  // 1 / 256
constexpr int kMaxChannel = 255;
constexpr double kDefaultWhiteX = 0.9502;
constexpr double kDefaultWhiteZ = 1.0875;

// White points of the colour tone, from warm (row 0, value 50) to cold (row 8, value -50).
constexpr int kWhiteRows = 9;
constexpr double kWhiteX[kWhiteRows] = {0.9763, 0.9638, 0.9656, 0.9523, 0.9502,
                                        0.9496, 0.9495, 0.9502, 0.951};
constexpr double kWhiteZ[kWhiteRows] = {0.7199, 0.8241, 0.9203, 1.008, 1.0875, 1.1598, 1.2251, 1.284, 1.3374};
constexpr int kLastWhiteRow = kWhiteRows - 1;
constexpr double kLastRowWhiteX = 0.9523;
constexpr double kLastRowWhiteZ = 1.3855;
constexpr double kNeutralRow = 4.0;
constexpr double kToneStep = 12.5;

// CIE L*a*b* constants of the colour-tone shift.
constexpr double kCubeRoot = 0.3333333333333333;
constexpr double kLinearLimit = 0.008856;
constexpr double kLinearSlope = 7.787;
constexpr double kLinearOffset = 0.13793103448275862;
constexpr double kInverseLimit = 0.2068927064827586;
constexpr double kInverseSlope = 0.1284191601386927;
constexpr double kDegreesPerRadian = 57.3;
constexpr double kThird = 0.3333333333333333;

bool IsValidSlider(signed char value)
{
    return static_cast<BYTE>(value + kSliderRange) <= kSliderSpan;
}

BYTE Limit(double value)
{
    return static_cast<BYTE>(std::min<double>(std::max<double>(value, 0.0), kMaxChannel));
}

BYTE LimitInt(int value)
{
    return static_cast<BYTE>(std::min(std::max(value, 0), kMaxChannel));
}

double Clamp01(double value)
{
    return std::min(std::max(value, 0.0), 1.0);
}

double InverseLab(double u)
{
    return u > kInverseLimit ? u * u * u : (u - kLinearOffset) * kInverseSlope;
}

struct CurveTargets {
    DWORD lightening[CNiraColorAdjuster::kCurveSize];
    DWORD darkening[CNiraColorAdjuster::kCurveSize];
    CurveTargets()
    {
        for (int i = 0; i < CNiraColorAdjuster::kCurveSize; ++i) {
            double x = i / static_cast<double>(kMaxChannel);
            lightening[i] = static_cast<DWORD>(std::lround(65536.0 * (1.0 - (1.0 - x) * (1.0 - x))));
            darkening[i] = static_cast<DWORD>(std::lround(65536.0 * x * x));
        }
    }
};

const CurveTargets& Targets()
{
    static const CurveTargets targets;
    return targets;
}

}  // namespace

CNiraColorAdjuster::CNiraColorAdjuster()
    : m_saturationCurve(),
      m_toneCurve(),
      m_blackCurve(),
      m_cyanCurve(),
      m_magentaCurve(),
      m_yellowCurve(),
      m_whiteX(kDefaultWhiteX),
      m_whiteZ(kDefaultWhiteZ),
      m_enabled(0),
      m_saturation(0),
      m_tone(0),
      m_colorTone(0),
      m_black(0),
      m_cyan(0),
      m_magenta(0),
      m_yellow(0)
{}

CNiraColorAdjuster::~CNiraColorAdjuster() = default;

DWORD CNiraColorAdjuster::LighteningTarget(int index)
{
    return Targets().lightening[index];
}

DWORD CNiraColorAdjuster::DarkeningTarget(int index)
{
    return Targets().darkening[index];
}

bool CNiraColorAdjuster::BuildSliderCurve(signed char value, BYTE* curve)
{
    if (curve == nullptr || !IsValidSlider(value)) {
        return false;
    }
    const DWORD* target = value > 0 ? Targets().lightening : Targets().darkening;
    double x = std::abs(static_cast<int>(value)) / static_cast<double>(kSliderRange);
    for (int i = 0; i < kCurveSize; ++i) {
        if (value == 0) {
            curve[i] = static_cast<BYTE>(i);
            continue;
        }
        double point = ((1.0 - x) * i * kCurveUnit + x * target[i]) * kCurveScale;
        curve[i] = static_cast<BYTE>(std::min(static_cast<int>(point), kMaxChannel));
    }
    return true;
}

void CNiraColorAdjuster::SetColorTone(signed char value)
{
    // Values outside the slider's range take the nearest end of the table.
    double t = std::min(std::max(kNeutralRow - value / kToneStep, 0.0), static_cast<double>(kLastWhiteRow));
    int n = static_cast<int>(t);
    if (n == kLastWhiteRow) {
        m_whiteX = kLastRowWhiteX;
        m_whiteZ = kLastRowWhiteZ;
        return;
    }
    double f = t - n;
    m_whiteX = kWhiteX[n] * (1.0 - f) + kWhiteX[n + 1] * f;
    m_whiteZ = kWhiteZ[n] * (1.0 - f) + kWhiteZ[n + 1] * f;
}

bool CNiraColorAdjuster::SetAdjustments(signed char saturation, signed char tone, signed char colorTone,
                                        signed char black, signed char cyan, signed char magenta,
                                        signed char yellow)
{
    bool result = true;
    m_enabled = 0;
    if (tone != m_tone) {
        if (BuildSliderCurve(tone, m_toneCurve)) {
            m_tone = tone;
        } else {
            result = false;
        }
    }
    if (saturation != m_saturation) {
        if (BuildSliderCurve(saturation, m_saturationCurve)) {
            m_saturation = saturation;
        } else {
            result = false;
        }
    }
    if (colorTone != m_colorTone) {
        SetColorTone(colorTone);
        m_colorTone = colorTone;
    }
    if (black != m_black || cyan != m_cyan || magenta != m_magenta || yellow != m_yellow) {
        if (!BuildSliderCurve(black, m_blackCurve) || !BuildSliderCurve(cyan, m_cyanCurve) ||
            !BuildSliderCurve(magenta, m_magentaCurve) || !BuildSliderCurve(yellow, m_yellowCurve)) {
            return false;
        }
        m_black = black;
        m_cyan = cyan;
        m_magenta = magenta;
        m_yellow = yellow;
    }
    if (result) {
        m_enabled = 1;
    }
    return result;
}

bool CNiraColorAdjuster::InkValuesSet() const
{
    return m_black != 0 || m_cyan != 0 || m_magenta != 0 || m_yellow != 0;
}

void CNiraColorAdjuster::ApplyToPixel(BYTE* red, BYTE* green, BYTE* blue)
{
    if (m_enabled == 0 || red == nullptr || green == nullptr || blue == nullptr) {
        return;
    }
    if (m_tone != 0) {
        *red = m_toneCurve[*red];
        *green = m_toneCurve[*green];
        *blue = m_toneCurve[*blue];
    }
    if (InkValuesSet()) {
        AdjustInkCurves(*red, *green, *blue);
    }
    if (m_colorTone != 0) {
        ShiftColorTone(*red, *green, *blue);
    }
    if (m_saturation != 0) {
        AdjustSaturation(*red, *green, *blue);
    }
}

void CNiraColorAdjuster::AdjustInkCurves(BYTE& red, BYTE& green, BYTE& blue) const
{
    int c = m_cyanCurve[kMaxChannel - red];
    int m = m_magentaCurve[kMaxChannel - green];
    int y = m_yellowCurve[kMaxChannel - blue];
    int k = std::min(c, std::min(m, y));
    int inkBlack = m_blackCurve[k];
    red = LimitInt(kMaxChannel - (c - k + inkBlack));
    green = LimitInt(kMaxChannel - (m - k + inkBlack));
    blue = LimitInt(kMaxChannel - (y - k + inkBlack));
}

void CNiraColorAdjuster::ShiftColorTone(BYTE& red, BYTE& green, BYTE& blue) const
{
    double r = red / static_cast<double>(kMaxChannel);
    double g = green / static_cast<double>(kMaxChannel);
    double b = blue / static_cast<double>(kMaxChannel);
    double x = 0.4306 * r + 0.3415 * g + 0.1784 * b;
    double y = 0.222 * r + 0.7067 * g + 0.0713 * b;
    double z = 0.0202 * r + 0.1295 * g + 0.9394 * b;
    double fy = std::pow(y, kCubeRoot);
    double fx = std::pow(x / kDefaultWhiteX, kCubeRoot);
    double fz = std::pow(z / kDefaultWhiteZ, kCubeRoot);
    double aStar = 500.0 * (fx - fy);
    double bStar = 200.0 * (fy - fz);
    double fL = y > kLinearLimit ? fy : kLinearSlope * y + kLinearOffset;
    double xShifted = m_whiteX * InverseLab(fL + aStar / 500.0);
    double zShifted = m_whiteZ * InverseLab(fL - bStar / 200.0);
    double rOut = Clamp01(3.0627 * xShifted - 1.3928 * y - 0.4759 * zShifted);
    double gOut = Clamp01(-0.9689 * xShifted + 1.8756 * y + 0.0417 * zShifted);
    double bOut = Clamp01(0.0585 * xShifted - 0.2286 * y + 1.069 * zShifted);
    // Light and grey colours keep most of their own value.
    double mn = std::min(r, std::min(g, b));
    double mx = std::max(r, std::max(g, b));
    double s = std::max(0.0, (mn - 0.6) / 0.4);
    double q = std::max(0.0, (1.0 - (mx - mn)) - 0.8);
    double w = std::min(1.0, s + 1.5 * q);
    red = Limit(kMaxChannel * ((1.0 - w) * rOut + w * r));
    green = Limit(kMaxChannel * ((1.0 - w) * gOut + w * g));
    blue = Limit(kMaxChannel * ((1.0 - w) * bOut + w * b));
}

void CNiraColorAdjuster::AdjustSaturation(BYTE& red, BYTE& green, BYTE& blue) const
{
    double r = red;
    double g = green;
    double b = blue;
    double sum = r + g + b;
    double mn = std::min(r, std::min(g, b));
    double saturation = sum == 0 ? 0.0 : 1.0 - mn / (sum * kThird);
    double root = std::sqrt((g - b) * (r - b) + (r - g) * (r - g));
    double hue = 0.0;
    if (root != 0) {
        // Rounding can put the cosine a hair outside [-1, 1].
        hue = std::acos(std::min(1.0, std::max(-1.0, ((2 * r - b - g) * 0.5) / root))) * kDegreesPerRadian;
    }
    if (b > g) {
        hue = 360.0 - hue;
    }
    int k = static_cast<int>(saturation * kMaxChannel + 0.5);
    double s = k == 0 ? 0.0 : m_saturationCurve[std::min(k, kMaxChannel)] / static_cast<double>(kMaxChannel);
    auto c = [](double degrees) { return std::cos(degrees / kDegreesPerRadian); };
    double p = (1.0 - s) / 3.0;
    double outRed;
    double outGreen;
    double outBlue;
    if (hue <= 120.0) {
        outBlue = p;
        outRed = (1.0 + s * c(hue) / c(60.0 - hue)) / 3.0;
        outGreen = 1.0 - (outRed + outBlue);
    } else if (hue <= 240.0) {
        double h = hue - 120.0;
        outRed = p;
        outGreen = (1.0 + s * c(h) / c(60.0 - h)) / 3.0;
        outBlue = 1.0 - (outRed + outGreen);
    } else {
        double h = hue - 240.0;
        outGreen = p;
        outBlue = (1.0 + s * c(h) / c(60.0 - h)) / 3.0;
        outRed = 1.0 - (outGreen + outBlue);
    }
    red = Limit(outRed * sum + 0.5);
    green = Limit(outGreen * sum + 0.5);
    blue = Limit(outBlue * sum + 0.5);
}
