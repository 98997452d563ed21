// Looking at the running game's window: which of the two menu screens shows,
// where their buttons and dials are, and key presses held long enough for the
// game to see them.
#pragma once

#include "support/GameHarness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <chrono>

namespace Kestrum
{
    namespace Testing
    {
        namespace ScreenProbe
        {
            enum class Screen
            {
                title,
                options
            };

            struct Point
            {
                int x;
                int y;
            };

            // Centres in a window 1024 x 768: the title screen's options button, the
            // options screen's ok and exit buttons and its six dials in their order
            // (music, sound, colour depth, full screen, vertical sync, mouse swap).
            constexpr Point optionsButton{522 + 96, 637 + 32};
            constexpr Point okButton{552 + 96, 648 + 32};
            constexpr Point exitButton{784 + 96, 648 + 32};
            Point Dial(unsigned index);

            // Share of the pixels in the rectangle whose red, green and blue all
            // reach `level`.
            float BrightShare(const sf::Image& image, int left, int top, int width, int height, int level = 200);

            sf::Image Picture(GameHarness& game);
            bool IsShowing(const sf::Image& picture, Screen screen);
            // Takes pictures until the screen shows; false after the timeout.
            bool WaitForScreen(GameHarness& game, Screen screen,
                               std::chrono::milliseconds timeout = std::chrono::seconds(15));

            // Starts the game and waits for its title screen; false when it does not show.
            bool StartAtTitle(GameHarness& game);

            // A quick tap of a key, as a player's finger gives it (pressed and
            // released within a few milliseconds, often within one frame), then a
            // wait beyond the interface's repeat pause of 0.2 seconds.
            void TapKey(GameHarness& game, const std::string& key);
            // Presses a key for a tenth of a second, then waits as TapKey does.
            void HoldKey(GameHarness& game, const std::string& key);
            // A click, then a wait beyond the double-click time, so that the click
            // has reached the screen and a second click is not taken for a double one.
            void ClickAndSettle(GameHarness& game, Point at, int button = 1);
        }
    }
}
