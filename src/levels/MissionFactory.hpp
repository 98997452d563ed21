// Makes the mission objects. The prepared arcade missions lie in the folders
// |missions|arcade|0000000000, |missions|arcade|0000000001 and so on below the
// game root, one "structure.xml" in each. A campaign mission's level is
// generated into |missions|pcg|over_earth|<seed, ten digits> whenever the
// mission is made.
#pragma once

#include "core/StablePtr.hpp"

#include <memory>
#include <string>

namespace Kestrum
{
    class ArcadeMission;
    class Mission;
    class MissionBlueprint;

    class MissionFactory
    {
    public:
        MissionFactory();
        virtual ~MissionFactory();
        MissionFactory(const MissionFactory&) = delete;
        MissionFactory& operator=(const MissionFactory&) = delete;

        // Whether the arcade mission's folder exists as a folder (a plain file
        // of that name does not count). Only a failing file-system query throws.
        bool ArcadeMissionExists(unsigned number) const;
        // The arcade mission of the number, not entered: nothing is read yet.
        std::shared_ptr<ArcadeMission> CreateArcadeMission(unsigned number) const;
        // Generates the blueprint's level anew (OverEarthConstructor) and
        // returns a new, not entered PrebuildMission of its folder. A blueprint
        // that CheckBlueprint refuses writes nothing; the generator's errors
        // pass as they are.
        stable_ptr<Mission> CreateMission(const stable_ptr<MissionBlueprint>& blueprint) const;

        // Refuses a blueprint no level can be built from: a negative seed
        // (LogicError "seed -1 is too small"), a seed beyond the generator's 32
        // bits (OutOfRangeError "seed 2147483648 is out of range") and a type
        // other than over earth (LogicError "type 1 is no kind of mission, over
        // earth (0) is the only one").
        static void CheckBlueprint(const MissionBlueprint& blueprint);
    };

    // The resource path of the arcade mission's folder: 7 gives
    // "|missions|arcade|0000000007".
    std::string GetArcadeMissionDirectory(unsigned number);
}
