#include "levels/MissionFactory.hpp"

#include "core/Exception.hpp"
#include "core/ResourceUtility.hpp"
#include "levels/ArcadeMission.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/OverEarthConstructor.hpp"
#include "levels/PrebuildMission.hpp"

#include <boost/format.hpp>

#include <filesystem>

namespace Kestrum
{
    namespace
    {
        // Generates the blueprint's level and returns its folder.
        std::string Instantiate(const stable_ptr<MissionBlueprint>& blueprint)
        {
            MissionFactory::CheckBlueprint(*blueprint);
            const std::string directory = (boost::format("|missions|pcg|over_earth|%010d") % blueprint->m_seed).str();
            OverEarthConstructor().Construct(*blueprint, directory);
            return directory;
        }
    }

    std::string GetArcadeMissionDirectory(unsigned number)
    {
        return (boost::format("|missions|arcade|%010d") % number).str();
    }

    MissionFactory::MissionFactory() = default;
    MissionFactory::~MissionFactory() = default;

    bool MissionFactory::ArcadeMissionExists(unsigned number) const
    {
        return std::filesystem::is_directory(ToFilesystemPath(GetArcadeMissionDirectory(number)));
    }

    std::shared_ptr<ArcadeMission> MissionFactory::CreateArcadeMission(unsigned number) const
    {
        return std::make_shared<ArcadeMission>(GetArcadeMissionDirectory(number));
    }

    void MissionFactory::CheckBlueprint(const MissionBlueprint& blueprint)
    {
        OverEarthConstructor::CheckSeed(blueprint.m_seed);
        if (blueprint.m_type != MissionBlueprint::OverEarth)
            BOOST_THROW_EXCEPTION(LogicError("type " + std::to_string(blueprint.m_type) +
                                             " is no kind of mission, over earth (0) is the only one"));
    }

    stable_ptr<Mission> MissionFactory::CreateMission(const stable_ptr<MissionBlueprint>& blueprint) const
    {
        const std::string directory = Instantiate(blueprint);
        return stable_ptr<Mission>(new PrebuildMission(blueprint, directory));
    }
}
