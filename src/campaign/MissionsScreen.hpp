// The hub of a campaign: the world map with a red dot on every open mission,
// the payment and difficulty of the mission picked by a click on its dot, and
// a row of six buttons along the bottom: shop, inventory (the hangar),
// technology, exit (the title screen), save and start. Start flies the picked
// mission on the adventure screen; it is enabled only while the selected ship
// carries every key item the mission asks for. The map and the buttons are
// laid out in window-relative units; everything is rebuilt from the registered
// Saving and Inventory at each entry.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/Screen.hpp"

#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace sf
{
    class Font;
}

namespace Kestrum
{
    class Button;
    class MissionMarker;
    class WorldView;

    class MissionsScreen : public Screen
    {
    public:
        MissionsScreen();
        ~MissionsScreen() override;

        // Background, world view, one marker per mission, the six buttons; start
        // disabled, nothing selected.
        void OnEnter() override;
        // Drops the selection, the markers, the view, the background and the buttons.
        void OnExit() override;
        // Background, map and dots, buttons, then the picked mission's texts.
        // Before entering or after leaving: LogicError.
        void Draw() override;

        // Picks the marker's mission and enables start only if the selected
        // ship carries all of the mission's key equipment. Outside a visit:
        // LogicError.
        void SelectMission(const stable_ptr<MissionMarker>& marker);
        // Has the picked mission built and hands it to the adventure screen,
        // which comes next. Nothing picked: LogicError.
        void Start();

        const std::set<stable_ptr<MissionMarker>>& GetMarkers() const { return m_markers; }
        const std::shared_ptr<MissionMarker>& GetSelectedMarker() const { return m_selected; }
        // The six buttons in their order (shop to start); none outside a visit.
        const std::vector<stable_ptr<Button>>& GetMenuButtons() const { return m_menu; }
        // "Payment:   500" and "Difficulty:     7" for the picked mission
        // (each number right-aligned in five places after a blank); nothing
        // without a pick.
        std::vector<std::string> GetMissionTexts() const;

    private:
        std::unique_ptr<WorldView> m_view;
        std::set<stable_ptr<MissionMarker>> m_markers;
        std::shared_ptr<MissionMarker> m_selected;
        std::vector<stable_ptr<Button>> m_menu;
        std::shared_ptr<sf::Font> m_font;
        // The picked mission's lines, made when it is picked.
        std::vector<sf::Text> m_missionTexts;
    };
}
