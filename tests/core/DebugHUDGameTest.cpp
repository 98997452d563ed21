// The debug overlay in the running game: F1 shows it, F1 again hides it.
#include "support/GameHarness.hpp"
#include "support/ScreenProbe.hpp"

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
    // The title screen stands still once it is drawn: wait for it, then for two
    // equal pictures (a window not yet drawn also gives two equal pictures).
    ASSERT_TRUE(Kestrum::Testing::ScreenProbe::StartAtTitle(game)) << game.ReadOutput();
    sf::Image hidden = Shoot(game, "hidden.png");
    ShootWhen(game, "hidden.png", [&](const sf::Image& shot) {
        const bool steady = shot.getSize() == hidden.getSize() &&
                            std::equal(shot.getPixelsPtr(), shot.getPixelsPtr() + 4 * shot.getSize().x * shot.getSize().y,
                                       hidden.getPixelsPtr());
        if (!steady)
            hidden = shot;
        return steady;
    });
    // Shown: the five line slots gained white text and the other slots none; hidden again: no change at all.
    const auto overlay = [&](const sf::Image& shot, bool shown) {
        std::string slots;
        for (int slot = 0; slot < 16; ++slot)
            slots += Changed(shot, hidden, slot, shown) > (shown && slot < 5 ? 40 : 0) ? '#' : '.';
        return slots;
    };
    game.Key("F1");
    const auto shown = [&](const sf::Image& shot) { return overlay(shot, true) == "#####..........."; };
    EXPECT_EQ("#####...........", overlay(ShootWhen(game, "shown.png", shown), true));
    game.Key("F1");
    const auto hiddenAgain = [&](const sf::Image& shot) { return overlay(shot, false) == "................"; };
    EXPECT_EQ("................", overlay(ShootWhen(game, "hidden-again.png", hiddenAgain), false));
    game.Close();
    EXPECT_EQ(0, game.WaitForExit());
}
