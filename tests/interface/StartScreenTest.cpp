// The title screen in the running game: it shows, and both of its ways out end
// the game normally.
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

TEST(StartScreenTest, RightTwiceFocusesExitAndReturnEndsTheGame)
{
    GameHarness game;
    ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();

    HoldKey(game, "Right");
    HoldKey(game, "Right");
    // Still running: moving the focus fires nothing.
    EXPECT_TRUE(game.IsRunning());
    game.Key("Return");
    EXPECT_EQ(0, game.WaitForExit());
}

TEST(StartScreenTest, OptionsButtonLeadsToTheOptionsScreenAndBack)
{
    GameHarness game;
    ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();

    // A click with the right button counts as well.
    game.Click(optionsButton.x, optionsButton.y, 3);
    ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    game.Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();
    // Back on the title screen the arcade button has the focus again: moving
    // right twice and accepting ends the game.
    HoldKey(game, "Right");
    HoldKey(game, "Right");
    game.Key("Return");
    EXPECT_EQ(0, game.WaitForExit());
}
