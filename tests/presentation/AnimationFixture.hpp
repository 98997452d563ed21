// The flight services plus the test animation of tests/data/animation, copied
// into the scratch root as resources|test|markers.animation with its sprite
// list and its sheet markers.png (four cells of 16 by 16, each coloured red,
// green, blue or yellow in its left half and clear elsewhere).
#pragma once

#include "flight/FlightFixture.hpp"
#include "support/WindowCapture.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <filesystem>
#include <string>

namespace Kestrum::Testing
{
    inline const sf::Color MarkerColours[4] = {sf::Color::Red, sf::Color::Green, sf::Color::Blue, sf::Color::Yellow};

    class AnimationFixture : public FlightFixture
    {
    protected:
        AnimationFixture()
        {
            const std::filesystem::path folder = root.GetPath() / "resources" / "test";
            std::filesystem::create_directories(folder);
            std::filesystem::copy(std::filesystem::path(KESTRUM_SOURCE_DIR) / "tests" / "data" / "animation", folder);
            sf::Image sheet;
            sheet.create(64, 16, sf::Color::Transparent);
            for (unsigned cell = 0; cell < 4; ++cell)
                for (unsigned x = 0; x < 8; ++x)
                    for (unsigned y = 0; y < 16; ++y)
                        sheet.setPixel(cell * 16 + x, y, MarkerColours[cell]);
            EXPECT_TRUE(sheet.saveToFile((folder / "markers.png").string()));
        }

        // Opens the window that everything draws into, cleared to white.
        sf::RenderWindow& OpenWindow(unsigned width, unsigned height)
        {
            auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(
                sf::VideoMode(width, height), "animation test", sf::Style::Titlebar | sf::Style::Close));
            registry->Register<sf::RenderWindow>(window);
            window->clear(sf::Color::White);
            return *window;
        }

        sf::Image Capture()
        {
            return CaptureWindow(*GetFromRegistry<sf::RenderWindow>());
        }

        // Advances the clock by one frame of the given length and updates.
        template <typename T>
        static void Step(T& animated, float seconds)
        {
            FrameClock::SetFrameTime(seconds);
            animated.OnUpdate();
        }

        const std::string markers = "resources|test|markers.animation";
    };
}
