// A private section as the sample driver writes one for a Letter portrait page: the packer wants
// the page geometry before it writes a block.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "printprocessor/ProcessorSettingsClient.h"
#include "support/DefaultPrivateSection.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

inline constexpr short kPassQuality = 100;

// The section with the given 32-bit settings set on top of the geometry.
inline std::unique_ptr<PrivateDevMode> SamplePrivateSection(LPCWSTR printer,
                                                            const std::vector<std::pair<LONG, LONG>>& ints)
{
    std::unique_ptr<PrivateDevMode> section = DefaultPrivateSection();
    CNiraProcessorSettingsClient writer;
    EXPECT_TRUE(writer.Initialize(printer));
    namespace G = BlockGeometrySetting;
    const LONG portrait = kOrientationPortrait;
    EXPECT_TRUE(writer.SetIntRef(G::kOrientation, &portrait, 0));
    EXPECT_TRUE(writer.SetFloat(G::kPaperWidth, 8.5f, 0));
    EXPECT_TRUE(writer.SetFloat(G::kPaperHeight, 11.0f, 0));
    for (LONG margin = G::kMarginLeft; margin <= G::kMarginBottom; ++margin) {
        EXPECT_TRUE(writer.SetFloat(margin, 0.125f, 0));
    }
    EXPECT_TRUE(writer.SetInt(G::kResolutionX, kPassQuality, 0));
    EXPECT_TRUE(writer.SetInt(G::kResolutionY, kPassQuality, 0));
    for (const auto& [index, value] : ints) {
        EXPECT_TRUE(writer.SetInt(index, value, 0));
    }
    EXPECT_TRUE(writer.SavePrivateBlock(section.get()));
    return section;
}
