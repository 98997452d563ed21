// The title screen: arcade, options and exit, with the version in the corner.
#pragma once

#include "interface/Screen.hpp"

#include <memory>

namespace sf
{
    class Font;
}

namespace Kestrum
{
    class StartScreen : public Screen
    {
    public:
        StartScreen();
        ~StartScreen() override;

        // The move actions walk the row of buttons and accept fires the focused
        // one; escape ends the game.
        bool HandleAction(Action action) override;
        // Builds the background and the three buttons anew and focuses arcade.
        void OnEnter() override;
        // Drops the background and the buttons.
        void OnExit() override;
        // The screen, then the version line in the bottom-right corner.
        void Draw() override;

        // The screen that the arcade button leads to (the arcade screen, which
        // stands above this one and is given at start-up).
        void SetArcadeDestination(const stable_ptr<Screen>& screen);

    private:
        void OnArcadeButton();
        void OnOptionsButton();
        void OnExitButton();

        // The version line's font, loaded on the first entry.
        std::shared_ptr<sf::Font> m_font;
        std::shared_ptr<Screen> m_arcade;
    };
}
