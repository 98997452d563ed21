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
        std::this_thread::sleep_for(std::chrono::milliseconds(400)); // a few frames after the key
        sf::Image shot;
        EXPECT_TRUE(shot.loadFromFile(game.Screenshot(name).string()));
        return shot;
    }

    // Pixels in the band of overlay slot i (y from 5 + 20 i, 20 high, left 300 columns)
    // that differ from the baseline; `white` counts only those that became white.
    int Changed(const sf::Image& shot, const sf::Image& baseline, int slot, bool white)
    {
        int count = 0;
        for (unsigned int y = 5 + 20 * slot; y < 5u + 20 * (slot + 1); ++y)
            for (unsigned int x = 0; x < 300; ++x)
                if (shot.getPixel(x, y) != baseline.getPixel(x, y) && (!white || shot.getPixel(x, y) == sf::Color::White))
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
    game.Key("F1");
    const sf::Image hiddenAgain = Shoot(game, "hidden-again.png");
    for (int slot = 0; slot < 16; ++slot)
    {
        if (slot < 5)
            EXPECT_GT(Changed(shown, hidden, slot, true), 40) << "line " << slot;
        else
            EXPECT_EQ(0, Changed(shown, hidden, slot, true)) << "slot " << slot;
        EXPECT_EQ(0, Changed(hiddenAgain, hidden, slot, false)) << "slot " << slot;
    }
    game.Close();
    EXPECT_EQ(0, game.WaitForExit());
}
