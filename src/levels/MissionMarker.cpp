#include "levels/MissionMarker.hpp"

#include "core/Exception.hpp"
#include "levels/MissionBlueprint.hpp"

namespace Kestrum
{
    MissionMarker::MissionMarker(const stable_ptr<MissionBlueprint>& mission, const stable_ptr<RectangleList>& area)
        : m_mission(mission), m_area(area)
    {
        SetEnabled(mission->Open);
    }

    MissionMarker::~MissionMarker() = default;

    bool MissionMarker::HasFocus() const
    {
        return false;
    }

    void MissionMarker::SetFocus(bool) {}

    sf::Vector2f MissionMarker::GetPosition() const
    {
        return m_mission->m_position;
    }

    void MissionMarker::SetPosition(const sf::Vector2<float>&)
    {
        BOOST_THROW_EXCEPTION(LogicError(std::string(BOOST_CURRENT_FUNCTION) + " must never be called!!!"));
    }

    RectangleList& MissionMarker::GetArea()
    {
        return *m_area;
    }

    void MissionMarker::Draw() {}
}
