#include "levels/MissionBlueprint.hpp"

namespace Kestrum
{
    MissionBlueprint::MissionBlueprint()
        : Open(false), m_id(0), m_seed(0), m_type(OverEarth), m_difficulty(0), m_payment(0), m_position(0.f, 0.f)
    {
    }

    MissionBlueprint::~MissionBlueprint() = default;
}
