// The blueprints of the campaign in play, as the levels see them: a completed
// mission opens its successors among them. The registered saving is registered
// under this type as well (campaign/Saving.hpp, RegisterSaving).
#pragma once

#include "core/StablePtr.hpp"

#include <set>

namespace Kestrum
{
    class MissionBlueprint;

    class CampaignMissions
    {
    public:
        virtual ~CampaignMissions() = default;
        // A copy of the set; the blueprints themselves are shared.
        virtual std::set<stable_ptr<MissionBlueprint>> GetMissions() const = 0;
    };
}
