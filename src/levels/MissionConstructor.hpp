// Builds the level of a campaign mission from its blueprint and writes it into
// the mission's folder. One constructor is made for each mission started.
#pragma once

#include <string>

namespace Kestrum
{
    class MissionBlueprint;

    class MissionConstructor
    {
    public:
        MissionConstructor();
        virtual ~MissionConstructor();
        MissionConstructor(const MissionConstructor&) = delete;
        MissionConstructor& operator=(const MissionConstructor&) = delete;

        // Builds the blueprint's level and writes it to the folder of the
        // resource path; failures are exceptions.
        virtual void Construct(const MissionBlueprint& blueprint, const std::string& directory) = 0;
    };
}
