#include "support/ScreenProbe.hpp"

#include <stdexcept>
#include <thread>

namespace Kestrum
{
    namespace Testing
    {
        namespace ScreenProbe
        {
            Point Dial(unsigned index)
            {
                // Columns 236 apart from x 74, rows 242.67 apart from y 20; dials 128 wide.
                return Point{74 + int(index % 2) * 236 + 64, 20 + int(float(index / 2) * 242.66667f) + 64};
            }

            float BrightShare(const sf::Image& image, int left, int top, int width, int height, int level)
            {
                int bright = 0;
                for (int y = top; y < top + height; ++y)
                    for (int x = left; x < left + width; ++x)
                    {
                        const sf::Color c = image.getPixel(unsigned(x), unsigned(y));
                        bright += c.r >= level && c.g >= level && c.b >= level;
                    }
                return float(bright) / float(width * height);
            }

            sf::Image Picture(GameHarness& game)
            {
                sf::Image picture;
                if (!picture.loadFromFile(game.Screenshot("probe.png").string()) || picture.getSize() != sf::Vector2u(1024, 768))
                    throw std::runtime_error("no picture of a 1024 x 768 window");
                return picture;
            }

            bool IsShowing(const sf::Image& picture, Screen screen)
            {
                // The big title's letters cross the middle of the window at the
                // height of its capitals; the options screen has dark sky there and
                // its own heading in the upper right.
                const bool title = BrightShare(picture, 360, 120, 300, 60) > 0.1f;
                const bool heading = BrightShare(picture, 650, 75, 230, 50) > 0.15f;
                return screen == Screen::title ? title : heading && !title;
            }

            bool WaitForScreen(GameHarness& game, Screen screen, std::chrono::milliseconds timeout)
            {
                const auto deadline = std::chrono::steady_clock::now() + timeout;
                while (std::chrono::steady_clock::now() < deadline)
                {
                    if (!game.IsRunning())
                        return false;
                    if (IsShowing(Picture(game), screen))
                        return true;
                    std::this_thread::sleep_for(std::chrono::milliseconds(150));
                }
                return false;
            }

            bool StartAtTitle(GameHarness& game)
            {
                game.Start();
                return game.FindWindow() && WaitForScreen(game, Screen::title);
            }

            void TapKey(GameHarness& game, const std::string& key)
            {
                game.Key(key);
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            }

            void HoldKey(GameHarness& game, const std::string& key)
            {
                game.KeyDown(key);
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                game.KeyUp(key);
                std::this_thread::sleep_for(std::chrono::milliseconds(250));
            }

            void ClickAndSettle(GameHarness& game, Point at, int button)
            {
                game.Click(at.x, at.y, button);
                std::this_thread::sleep_for(std::chrono::milliseconds(700));
            }
        }
    }
}
