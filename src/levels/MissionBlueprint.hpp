// One mission of a campaign: where it lies on the world map, whether it may be
// flown, what it pays and gives, the equipment it needs, the missions that
// completing it opens, and the seed, type and difficulty its level is generated
// from. Blueprints come only from save files and are shared: a change through
// one pointer (a mission opened) is seen everywhere and written with the next
// save. Its users read and write the fields directly.
#pragma once

#include <SFML/System/Vector2.hpp>

#include <cstdint>
#include <set>
#include <string>

namespace Kestrum
{
    class MissionBlueprint
    {
    public:
        // The kinds of mission; over earth is the only one there is.
        enum Type : std::int32_t
        {
            OverEarth = 0
        };

        MissionBlueprint();
        virtual ~MissionBlueprint();
        MissionBlueprint(const MissionBlueprint&) = delete;
        MissionBlueprint& operator=(const MissionBlueprint&) = delete;

        // The mission may be chosen and flown.
        bool Open;
        // The numbers of the missions that completing this one opens.
        std::set<unsigned long> Successors;
        // Equipment identifiers that must all be fitted to the selected ship.
        std::set<std::string> KeyEquipment;
        // Equipment identifiers offered in the shop once the mission is completed.
        std::set<std::string> Goodies;
        // The mission's number, which Successors refer to.
        unsigned long m_id;
        // The seed of the level's generation; never negative in a valid saving.
        long m_seed;
        // The kind of mission (Type); other values fail in the mission factory.
        std::int32_t m_type;
        unsigned long m_difficulty;
        // Paid to the player when the mission is completed.
        unsigned long m_payment;
        // The mission's place on the world map, relative to the window.
        sf::Vector2f m_position;
    };
}
