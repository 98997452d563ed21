// The debug overlay in the running game: F1 shows it, F1 again hides it.
#include "support/GameHarness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <thread>

using Kestrum::Testing::GameHarness;

namespace
{
    sf::Image Shoot(GameHarness& game, const std::string& name)
    {
        sf::Image shot;
        EXPECT_TRUE(shot.loadFromFile(game.Screenshot(name).string()));
        return shot;
    }

    // Takes pictures until `done` holds for one (a slow machine may need a few
    // frames before a key shows); the last picture when time runs out.
    template <typename Condition>
    sf::Image ShootWhen(GameHarness& game, const std::string& name, Condition done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
        sf::Image shot = Shoot(game, name);
        while (!done(shot) && std::chrono::steady_clock::now() < deadline)
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            shot = Shoot(game, name);
        }
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
    // The title screen stands still once it is drawn: wait for two equal pictures.
    sf::Image hidden = Shoot(game, "hidden.png");
    ShootWhen(game, "hidden.png", [&](const sf::Image& shot) {
        const bool steady = shot.getSize() == hidden.getSize() &&
                            std::equal(shot.getPixelsPtr(), shot.getPixelsPtr() + 4 * shot.getSize().x * shot.getSize().y,
                                       hidden.getPixelsPtr());
        if (!steady)
            hidden = shot;
        return steady;
    });
    game.Key("F1");
    const sf::Image shown = ShootWhen(game, "shown.png", [&](const sf::Image& shot) {
        for (int slot = 0; slot < 5; ++slot)
            if (Changed(shot, hidden, slot, true) <= 40)
                return false;
        return true;
    });
    game.Key("F1");
    const sf::Image hiddenAgain = ShootWhen(game, "hidden-again.png", [&](const sf::Image& shot) {
        return Changed(shot, hidden, 0, false) == 0;
    });
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
