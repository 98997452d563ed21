// The running game with settings the display has no video mode for.
#include "support/GameHarness.hpp"
#include "support/ScreenProbe.hpp"

#include <gtest/gtest.h>

using Kestrum::Testing::GameHarness;
using namespace Kestrum::Testing::ScreenProbe;

TEST(ConfigurationSystemGame, FullScreenAt16BitsWithoutSuchAModeStartsInAWindow)
{
    // The test server lists only its own 1280x1024, at every depth: no mode 768 high.
    GameHarness game;
    std::string configuration = game.ReadFile("configuration/default_general_configuration.xml");
    configuration.replace(configuration.find("<bit_depth>32<"), 14, "<bit_depth>16<");
    configuration.replace(configuration.find("<full_screen>0<"), 15, "<full_screen>1<");
    game.WriteFile("configuration/general_configuration.xml", configuration);

    ASSERT_TRUE(StartAtTitle(game)) << game.ReadLog();
    const sf::Image shot = Picture(game);
    EXPECT_EQ(sf::Vector2u(1024, 768), shot.getSize());
    EXPECT_NE(std::string::npos, game.RunTool({"xwininfo", "-id", std::to_string(game.WindowId())})
                                     .find("Override Redirect State: no"));
    // The options show what runs, a window in 32-bit colour, without failing over the display's 24 bits.
    ClickAndSettle(game, optionsButton);
    EXPECT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    game.Close();
    EXPECT_EQ(0, game.WaitForExit());
    EXPECT_NE(std::string::npos,
              game.ReadLog().find(" | warning: could not find an appropriate video mode for full screen at 16 bits per "
                                  "pixel: trying a window at the display's 24 bits per pixel\n"))
        << game.ReadLog();
}
