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
            std::string directory = "|missions|pcg";
            if (blueprint->m_seed < 0)
                BOOST_THROW_EXCEPTION(LogicError());
            if (blueprint->m_type != MissionBlueprint::OverEarth)
                BOOST_THROW_EXCEPTION(LogicError());
            directory += (boost::format("|over_earth|%010d") % blueprint->m_seed).str();
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

    stable_ptr<Mission> MissionFactory::CreateMission(const stable_ptr<MissionBlueprint>& blueprint) const
    {
        const std::string directory = Instantiate(blueprint);
        return stable_ptr<Mission>(new PrebuildMission(blueprint, directory));
    }
}
