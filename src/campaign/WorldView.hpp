// The campaign's world map on the missions screen: the map picture with its
// top-left corner at a window-relative place, a red dot on every open mission,
// and a clickable marker for every mission, open or not. The view reads the
// map and the missions from the saving whenever it needs them, so its dots
// follow the campaign as it changes.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/System/Vector2.hpp>

#include <set>

namespace Kestrum
{
    class MissionMarker;
    class Saving;

    class WorldView
    {
    public:
        // The position is window-relative; one outside the unit square is logged
        // as an error and kept.
        WorldView(const stable_ptr<Saving>& saving, const sf::Vector2f& position);
        virtual ~WorldView();
        WorldView(const WorldView&) = delete;
        WorldView& operator=(const WorldView&) = delete;

        // The map, then a dot of radius 5 centred on each open mission.
        void Draw() const;
        // A new marker for every mission, its click area the 10 x 10 pixel
        // square centred on the mission's dot.
        std::set<stable_ptr<MissionMarker>> CreateMarkers() const;

    private:
        // The pixel position of a mission's dot.
        sf::Vector2f GetDotPosition(const sf::Vector2f& mission) const;

        stable_ptr<Saving> m_saving;
        sf::Vector2f m_position;
    };
}
