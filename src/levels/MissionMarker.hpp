// The invisible clickable spot of one mission on the world map: the world view
// makes one per mission, its click area a square around the mission's dot. It
// draws nothing and never takes the keyboard focus; a closed mission's marker
// is disabled for good (its clicks are ignored), since the enabled flag is
// taken from the mission once, when the marker is made.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/Button.hpp"

namespace Kestrum
{
    class MissionBlueprint;

    class MissionMarker : public Button
    {
    public:
        MissionMarker(const stable_ptr<MissionBlueprint>& mission, const stable_ptr<RectangleList>& area);
        ~MissionMarker() override;

        bool HasFocus() const override;
        void SetFocus(bool focus) override;
        // The mission's place on the map, window-relative, not in pixels.
        sf::Vector2f GetPosition() const override;
        // A marker's place follows from its mission: always LogicError.
        void SetPosition(const sf::Vector2<float>& position) override;
        RectangleList& GetArea() override;
        void Draw() override;

        const stable_ptr<MissionBlueprint>& GetMission() const { return m_mission; }

    private:
        stable_ptr<MissionBlueprint> m_mission;
        stable_ptr<RectangleList> m_area;
    };
}
