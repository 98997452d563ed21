#include "levels/MissionFactory.hpp"

#include "core/ResourceUtility.hpp"
#include "levels/ArcadeMission.hpp"

#include <boost/format.hpp>

#include <filesystem>

namespace Kestrum
{
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
}
