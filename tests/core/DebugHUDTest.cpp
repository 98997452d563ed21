#include "core/DebugHUD.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;

TEST(DebugHUD, FramesPerSecondText)
{
    EXPECT_EQ("FPS:   16,0", FormatFramesPerSecond(0.0625f, "FPS:    0.0"));
    // Tenths are cut toward zero: 1/60 s as a float gives 599 tenths.
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(1.f / 60.f, "FPS:    0.0"));
    // No frame time yet, or one too small for a rate: the previous text stays.
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(0.f, "FPS:   59,9"));
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(1e-12f, "FPS:   59,9"));
}
