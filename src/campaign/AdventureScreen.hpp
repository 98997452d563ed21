// The flight screen of a campaign mission. The missions screen hands it the
// mission (LoadMission) and switches to it; it flies the mission on top of the
// flight screen, shows the player's cash at the top right, and returns to the
// missions screen when the mission is over: a completed one first pays its
// payment and offers its goodies in the shop, a failed one pays nothing.
//
// Escape, while the mission runs, pauses the game and opens the pause menu over
// the dimmed flight: "continue" closes it and resumes, "exit" resumes and
// leaves for the missions screen without payment. The menu takes only mouse
// input; the keyboard still steers the ship.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/FlightScreen.hpp"

#include <SFML/Graphics/Text.hpp>

#include <memory>

namespace sf
{
    class Font;
}

namespace Kestrum
{
    class Mission;

    class AdventureScreen : public FlightScreen
    {
    public:
        AdventureScreen();
        ~AdventureScreen() override;

        // Puts the selected ship of the inventory alone into the flight, at
        // (200, 200), and keeps the mission for the next entry.
        void LoadMission(const stable_ptr<Mission>& mission);

        // Escape opens the pause menu while it is closed and the mission has
        // not ended; the flight's actions go to the ship.
        bool HandleAction(Action action) override;
        // Enters the mission, then builds the (closed) pause menu. No mission
        // loaded: LogicError.
        void OnEnter() override;
        // The flight; while the menu is open, nothing else. Then the mission,
        // and once its end delay is over the way back to the missions screen.
        void OnUpdate() override;
        // Closes and empties the menu, leaves the mission and lets it go. No
        // mission: LogicError.
        void OnExit() override;
        // The mission, the flight's interface, the cash line, then the menu if
        // open. No mission: LogicError.
        void Draw() override;

        // Closes the pause menu and resumes the game.
        void Continue();

        bool IsMenuOpen() const { return !GetChildren().empty(); }
        const stable_ptr<Screen>& GetMenu() const { return m_menu; }
        // The cash line as last drawn.
        const sf::Text& GetCashLine() const { return m_cash; }

    private:
        std::shared_ptr<Mission> m_mission;
        stable_ptr<Screen> m_menu;
        std::shared_ptr<sf::Font> m_font;
        sf::Text m_cash;
    };
}
