// The data of the mission generator, beside the resource tree: enemy sets
// "missions/enemysets/%010d.es.txt" and segment templates
// "missions/segments/%010d.s.txt" under the game root.
#pragma once

#include "core/StablePtr.hpp"

#include <vector>

namespace Kestrum
{
    class EnemySet;
    class MissionSegmentTemplate;

    class MissionDataLists
    {
    public:
        // The identifiers of the files of that form, ascending; any other file
        // is skipped with a warning. A folder that cannot be read lets the
        // file-system error out.
        static std::vector<unsigned long> GetEnemySetIDs();
        static std::vector<unsigned long> GetMissionSegmentTemplateIDs();
        // A new object read from the file of the identifier, on every call
        // (nothing is kept); the loader's errors pass as they are.
        static stable_ptr<EnemySet> GetEnemySet(unsigned long id);
        static stable_ptr<MissionSegmentTemplate> GetMissionSegmentTemplate(unsigned long id);
    };
}
