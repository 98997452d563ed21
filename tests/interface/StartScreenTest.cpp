// The title screen in the running game: it shows, and both of its ways out end
// the game normally (the way to the options and back is in the options tests).
#include "support/GameHarness.hpp"
#include "support/ScreenProbe.hpp"

#include <gtest/gtest.h>

using Kestrum::Testing::GameHarness;
using namespace Kestrum::Testing::ScreenProbe;

TEST(StartScreenTest, ShowsTheTitleAndEscapeEndsTheGame)
{
    GameHarness game;
    ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();

    game.Key("Escape");
    EXPECT_EQ(0, game.WaitForExit());
}

// Quick taps, each as short as a player's: every one of them counts.
TEST(StartScreenTest, RightTwiceFocusesExitAndReturnEndsTheGame)
{
    GameHarness game;
    ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();

    TapKey(game, "Right");
    TapKey(game, "Right");
    // Still running: moving the focus fires nothing.
    EXPECT_TRUE(game.IsRunning());
    TapKey(game, "Return");
    EXPECT_EQ(0, game.WaitForExit());
}
