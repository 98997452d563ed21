#include "campaign/WorldView.hpp"

#include "campaign/Saving.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/VectorText.hpp"
#include "interface/ToScreen.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/MissionMarker.hpp"
#include "levels/WorldMap.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    namespace
    {
        const float dotRadius = 5.f;
        const float markerSize = 10.f;
    }

    WorldView::WorldView(const stable_ptr<Saving>& saving, const sf::Vector2f& position)
        : m_saving(saving), m_position(position)
    {
        if (!IsNormalized(position))
            *Log(LogLevel::error) << "m_position is out of normalized bounds: " << ToString(position);
    }

    WorldView::~WorldView() = default;

    sf::Vector2f WorldView::GetDotPosition(const sf::Vector2f& mission) const
    {
        return ToScreen(m_position.x + mission.x, m_position.y + mission.y);
    }

    void WorldView::Draw() const
    {
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        const stable_ptr<WorldMap> map = m_saving->GetMap();
        map->setPosition(ToScreen(m_position.x, m_position.y));
        window->draw(*map);

        sf::CircleShape dot(dotRadius);
        dot.setOrigin(dotRadius, dotRadius);
        dot.setFillColor(sf::Color(255, 0, 0, 255));
        dot.setOutlineThickness(0.f);
        dot.setOutlineColor(sf::Color(0, 0, 0, 255));
        for (const stable_ptr<MissionBlueprint>& mission : m_saving->GetMissions())
        {
            if (!mission->Open)
                continue;
            dot.setPosition(GetDotPosition(mission->m_position));
            window->draw(dot);
        }
    }

    std::set<stable_ptr<MissionMarker>> WorldView::CreateMarkers() const
    {
        std::set<stable_ptr<MissionMarker>> markers;
        for (const stable_ptr<MissionBlueprint>& mission : m_saving->GetMissions())
        {
            const sf::Vector2f centre = GetDotPosition(mission->m_position);
            const float left = centre.x - markerSize / 2.f;
            const float top = centre.y - markerSize / 2.f;
            const stable_ptr<RectangleList> area(new RectangleList());
            area->GetRectangles().push_back(Rectangle(left, top, left + markerSize, top + markerSize));
            markers.insert(stable_ptr<MissionMarker>(new MissionMarker(mission, area)));
        }
        return markers;
    }
}
