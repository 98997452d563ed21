// The debug overlay in the running game: F1 shows it, F1 again hides it.
#include "support/GameHarness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <thread>

using Kestrum::Testing::GameHarness;

namespace
{
    sf::Image Shoot(GameHarness& game, const std::string& name)
    {
        // Give the game a few frames to show what the last input did.
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        sf::Image shot;
        EXPECT_TRUE(shot.loadFromFile(game.Screenshot(name).string()));
        return shot;
    }

    // Pixels of the overlay's text colour (white) that are not so in the baseline,
    // in the band of one overlay line: slot i stands at y = 5 + 20 i.
    int NewWhitePixels(const sf::Image& shot, const sf::Image& baseline, int slot)
    {
        int count = 0;
        for (unsigned int y = 5 + 20 * slot; y < 5u + 20 * (slot + 1); ++y)
            for (unsigned int x = 0; x < 300; ++x)
                if (shot.getPixel(x, y) == sf::Color::White && baseline.getPixel(x, y) != sf::Color::White)
                    ++count;
        return count;
    }

    int ChangedPixels(const sf::Image& shot, const sf::Image& baseline)
    {
        int count = 0;
        for (unsigned int y = 0; y < 400; ++y)
            for (unsigned int x = 0; x < 300; ++x)
                if (shot.getPixel(x, y) != baseline.getPixel(x, y))
                    ++count;
        return count;
    }
}

TEST(DebugHUDGame, F1ShowsTheFiveLinesAndF1AgainHidesThem)
{
    GameHarness game;
    game.Start();
    ASSERT_TRUE(game.FindWindow()) << game.ReadOutput();
    const sf::Image hidden = Shoot(game, "hidden.png");

    game.Key("F1");
    const sf::Image shown = Shoot(game, "shown.png");
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_GT(NewWhitePixels(shown, hidden, slot), 40) << "line " << slot;
    for (int slot = 5; slot < 16; ++slot)
        EXPECT_EQ(0, NewWhitePixels(shown, hidden, slot)) << "slot " << slot;

    game.Key("F1");
    EXPECT_EQ(0, ChangedPixels(Shoot(game, "hidden-again.png"), hidden));

    game.Close();
    EXPECT_EQ(0, game.WaitForExit());
}
