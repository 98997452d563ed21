#include "core/DebugHUD.hpp"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace Kestrum;

TEST(DebugHUD, FramesPerSecondText)
{
    EXPECT_EQ("FPS:   16,0", FormatFramesPerSecond(0.0625f, "FPS:    0.0"));
    // Tenths are cut toward zero: 1/60 s as a float gives 599 tenths.
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(1.f / 60.f, "FPS:    0.0"));
    EXPECT_EQ("FPS:  1000,0", FormatFramesPerSecond(0.001f, ""));
    // No frame time yet, or one too small for a rate: the previous text stays.
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(0.f, "FPS:   59,9"));
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(1e-12f, "FPS:   59,9"));
    EXPECT_EQ("FPS:   59,9", FormatFramesPerSecond(-0.5f, "FPS:   59,9"));
}

TEST(DebugHUD, HiddenOverlayAsksNoLineAndHasSixteenSlots)
{
    DebugHUD hud;
    int calls = 0;
    hud.SetLine(15, [&calls] { ++calls; return std::string("line"); });
    EXPECT_THROW(hud.SetLine(16, [] { return std::string(); }), std::out_of_range);
    EXPECT_FALSE(hud.IsVisible());
    hud.Draw(); // hidden: needs no window and computes nothing
    EXPECT_EQ(0, calls);
    hud.Toggle();
    EXPECT_TRUE(hud.IsVisible());
    hud.Toggle();
    EXPECT_FALSE(hud.IsVisible());
}
