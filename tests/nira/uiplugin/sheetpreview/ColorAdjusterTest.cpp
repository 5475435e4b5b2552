// The colour adjuster's curves, white points and pixel rules.
#include <gtest/gtest.h>

#include "nira/uiplugin/sheetpreview/ColorAdjuster.h"

namespace {

struct Pixel {
    BYTE red, green, blue;
    bool operator==(const Pixel& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const Pixel& other) const { return !(*this == other); }
};

std::ostream& operator<<(std::ostream& out, const Pixel& p)
{
    return out << "(" << int(p.red) << ", " << int(p.green) << ", " << int(p.blue) << ")";
}

Pixel Apply(CNiraColorAdjuster& adjuster, Pixel p)
{
    adjuster.ApplyToPixel(&p.red, &p.green, &p.blue);
    return p;
}

const Pixel kSamples[] = {{0, 0, 0}, {255, 255, 255}, {128, 128, 128}, {200, 30, 60}, {12, 240, 99}};

}  // namespace

TEST(ColorAdjuster, CurveTargets)
{
    EXPECT_EQ(CNiraColorAdjuster::LighteningTarget(1), 513u);
    EXPECT_EQ(CNiraColorAdjuster::LighteningTarget(128), 49280u);
    EXPECT_EQ(CNiraColorAdjuster::DarkeningTarget(8), 65u);
    EXPECT_EQ(CNiraColorAdjuster::DarkeningTarget(255), 65536u);
    EXPECT_EQ(CNiraColorAdjuster::LighteningTarget(255), 65536u);
}

TEST(ColorAdjuster, SliderCurves)
{
    BYTE curve[CNiraColorAdjuster::kCurveSize];
    struct Case {
        signed char value;
        int index;
        BYTE expected;
    } cases[] = {{50, 128, 192}, {50, 255, 255}, {-50, 128, 64}, {0, 77, 77}, {25, 0, 0}, {-50, 0, 0}};
    for (const Case& c : cases) {
        ASSERT_TRUE(CNiraColorAdjuster::BuildSliderCurve(c.value, curve)) << int(c.value);
        EXPECT_EQ(curve[c.index], c.expected) << int(c.value) << " at " << c.index;
    }
    EXPECT_FALSE(CNiraColorAdjuster::BuildSliderCurve(51, curve));
    EXPECT_FALSE(CNiraColorAdjuster::BuildSliderCurve(-51, curve));
    EXPECT_FALSE(CNiraColorAdjuster::BuildSliderCurve(10, nullptr));
}

TEST(ColorAdjuster, NothingSetLeavesPixelsAlone)
{
    CNiraColorAdjuster adjuster;
    EXPECT_TRUE(adjuster.SetAdjustments(0, 0, 0, 0, 0, 0, 0));
    EXPECT_TRUE(adjuster.IsEnabled());
    for (const Pixel& p : kSamples) {
        EXPECT_EQ(Apply(adjuster, p), p);
    }
}

TEST(ColorAdjuster, ARejectedValueSwitchesEverythingOff)
{
    CNiraColorAdjuster adjuster;
    ASSERT_TRUE(adjuster.SetAdjustments(0, 50, 0, 0, 0, 0, 0));
    EXPECT_EQ(Apply(adjuster, {128, 128, 128}), (Pixel{192, 192, 192}));
    EXPECT_FALSE(adjuster.SetAdjustments(0, -51, 0, 0, 0, 0, 0));
    EXPECT_FALSE(adjuster.IsEnabled());
    for (const Pixel& p : kSamples) {
        EXPECT_EQ(Apply(adjuster, p), p);
    }
    // A rejected ink value too; the next good call switches the adjustments on again.
    EXPECT_FALSE(adjuster.SetAdjustments(0, 50, 0, 0, 0, 60, 0));
    EXPECT_EQ(Apply(adjuster, {128, 128, 128}), (Pixel{128, 128, 128}));
    EXPECT_TRUE(adjuster.SetAdjustments(0, 50, 0, 0, 0, 0, 0));
    EXPECT_EQ(Apply(adjuster, {128, 128, 128}), (Pixel{192, 192, 192}));
}

TEST(ColorAdjuster, WhitePointsOfTheColorTone)
{
    struct Case {
        signed char value;
        double x, z;
    } cases[] = {
        {0, 0.9502, 1.0875},
        {25, 0.9656, 0.9203},
        {-50, 0.9523, 1.3855},
        {50, 0.9763, 0.7199},
        // Beyond the slider's range: the table's ends, never past them.
        {80, 0.9763, 0.7199},
        {-80, 0.9523, 1.3855},
    };
    for (const Case& c : cases) {
        CNiraColorAdjuster adjuster;
        adjuster.SetColorTone(c.value);
        EXPECT_DOUBLE_EQ(adjuster.WhiteX(), c.x) << int(c.value);
        EXPECT_DOUBLE_EQ(adjuster.WhiteZ(), c.z) << int(c.value);
    }
}

TEST(ColorAdjuster, WhiteAndGreyAreProtected)
{
    CNiraColorAdjuster toned;
    ASSERT_TRUE(toned.SetAdjustments(0, 0, 40, 0, 0, 0, 0));
    EXPECT_EQ(Apply(toned, {255, 255, 255}), (Pixel{255, 255, 255}));
    Pixel red = Apply(toned, {200, 30, 60});
    EXPECT_NE(red, (Pixel{200, 30, 60}));  // a saturated colour is shifted

    CNiraColorAdjuster saturated;
    ASSERT_TRUE(saturated.SetAdjustments(40, 0, 0, 0, 0, 0, 0));
    EXPECT_EQ(Apply(saturated, {128, 128, 128}), (Pixel{128, 128, 128}));
    Pixel more = Apply(saturated, {200, 100, 100});
    EXPECT_GT(more.red, 200);
    EXPECT_LT(more.green, 100);
    // At the extremes every step limits its results: the sanitizers report any conversion that
    // would overflow.
    ASSERT_TRUE(saturated.SetAdjustments(50, 50, -50, 50, -50, 50, -50));
    for (int v = 0; v < 256; v += 15) {
        Apply(saturated, {static_cast<BYTE>(v), static_cast<BYTE>(255 - v), static_cast<BYTE>(v / 2)});
    }
}

TEST(ColorAdjuster, InkCurvesWorkOnTheComplements)
{
    CNiraColorAdjuster adjuster;
    ASSERT_TRUE(adjuster.SetAdjustments(0, 0, 0, 0, 50, 0, 0));
    // More cyan darkens the red channel; magenta and yellow stay.
    Pixel p = Apply(adjuster, {128, 128, 128});
    EXPECT_LT(p.red, 128);
    EXPECT_EQ(p.green, 128);
    EXPECT_EQ(p.blue, 128);
    ASSERT_TRUE(adjuster.SetAdjustments(0, 0, 0, -50, 0, 0, 0));
    // Less black lightens a grey: K' = black[127] < 127.
    p = Apply(adjuster, {128, 128, 128});
    EXPECT_GT(p.red, 128);
    EXPECT_EQ(p.red, p.green);
    EXPECT_EQ(p.green, p.blue);
}
