// The common frame of the campaign's menu screens: the shared backdrop, an exit
// button in the top-right corner that leads to a chosen screen (escape does the
// same) and, for most of them, a line at the top with the player's money.
#pragma once

#include "interface/Screen.hpp"

#include <SFML/Config.hpp>

#include <memory>

namespace sf
{
    class Font;
    class Text;
}

namespace Kestrum
{
    class ExitableScreen : public Screen
    {
    public:
        explicit ExitableScreen(bool showCash);
        ~ExitableScreen() override;

        bool HandleAction(Action action) override;
        // Makes the backdrop and the exit button; derived screens call it first.
        void OnEnter() override;
        // Removes every button and the backdrop; the destination stays.
        void OnExit() override;
        void Draw() override;

        // The screen that the exit button and escape lead to.
        void SetExitDestination(const stable_ptr<Screen>& screen);
        // Goes to the exit destination at the next pass, when one is set.
        void Exit();

    private:
        std::shared_ptr<Screen> m_exitDestination;
        bool m_showCash;
        std::shared_ptr<sf::Font> m_font;
        // The cash line, made again only when the money changes.
        std::unique_ptr<sf::Text> m_cash;
        sf::Uint32 m_shownMoney;
    };

    // The text of the cash line for an amount of money: "Cash: " and the amount
    // right-aligned in ten places.
    std::string FormatCashLine(unsigned long money);
}
