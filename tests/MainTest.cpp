// The game executable from start to end, under its own X server.
#include "support/GameHarness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <regex>

using Kestrum::Testing::GameHarness;

TEST(Main, OpensItsWindowAndEndsCleanlyWhenTheWindowIsClosed)
{
    GameHarness game;
    game.Start();
    ASSERT_TRUE(game.FindWindow("Quorvallis 0.4 (alpha)")) << game.ReadOutput();
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(game.Screenshot("window.png").string()));
    EXPECT_EQ(1024u, shot.getSize().x);
    EXPECT_EQ(768u, shot.getSize().y);
    game.Close();
    EXPECT_EQ(0, game.WaitForExit());

    const std::string log = game.ReadLog();
    // Every run begins with a bare empty line, then the first stamped line.
    EXPECT_TRUE(std::regex_search(
        log, std::regex("^\n[0-9]{4}-[A-Z][a-z]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2} \\| info:    "
                        "Log system is running\n")))
        << log;
    EXPECT_EQ(std::string::npos, log.find("found command line parameters")) << log;
    EXPECT_TRUE(game.FileExists("profile.csv"));
}
