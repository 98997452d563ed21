// A campaign of a hand-written save in play, for the hub's screens: the
// campaign fixture plus the hub's pictures, the arcade levels and enemies, the
// world map, saving manager and mission generator, the adventure screen, and
// stand-ins for the technology and title screens (only their identity counts).
#pragma once

#include "campaign/CampaignFixture.hpp"
#include "campaign/SavingFixture.hpp"
#include "campaign/TechnologyScreen.hpp"
#include "core/GraphFactory.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/ScrollSystem.hpp"
#include "interface/StartScreen.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/MissionFactory.hpp"
#include "levels/MissionMarker.hpp"
#include "levels/ThreatSystem.hpp"
#include "levels/TileManager.hpp"

namespace Kestrum::Testing
{
    template <typename T>
    struct Quiet : T { void OnEnter() override {} void OnExit() override {} };

    class HubFixture : public CampaignFixture
    {
    protected:
        HubFixture()
        {
            for (const char* folder : {"resources/enemies", "resources/tiles", "resources/music", "resources/gui",
                                       "resources/missionsscreen", "resources/flightscreen", "missions", "configuration/pcg"})
                root.CopyFromGameRoot(folder);
            CreateAndRegister(new GraphFactory());
            CreateAndRegister(new TileManager());
            CreateAndRegister(new ThreatSystem());
            CreateAndRegister(new MissionFactory());
            CreateAndRegister(new WorldMapFactory());
            CreateAndRegister(new SavingManager());
            CreateAndRegister(new ScrollSystem());
            CreateLoadAndRegister(new EnemyFactory());
            objects->Load();
            GetFromRegistry<StatisticSystem>()->ResetCurrent(0, 0);
            missions = GetFromRegistry<MissionsScreen>().get_shared();
            adventure = CreateAndRegister(new AdventureScreen()).get_shared();
            technology = CreateAndRegister<TechnologyScreen>(new Quiet<TechnologyScreen>()).get_shared();
            title = CreateAndRegister<StartScreen>(new Quiet<StartScreen>()).get_shared();
        }

        // Saving 3 in play: mission 0 open at the middle of the map, of difficulty
        // 7, paying 500, opening mission 1, which is closed; one ship with wpn000.
        stable_ptr<Saving> Play()
        {
            root.WriteFile("savings/3", Replace(Replace(TwoMissionSaving(), "<y>0.12345679", "<y>0.5"),
                                                "<m_difficulty>10", "<m_difficulty>7"));
            const stable_ptr<Saving> saving = GetFromRegistry<SavingManager>()->Load(3);
            RegisterSaving(saving);
            saving->RegisterInventory();
            return saving;
        }

        static stable_ptr<MissionBlueprint> GetMission(const stable_ptr<Saving>& saving, unsigned long id)
        {
            const auto missions = saving->GetMissions();
            return *std::find_if(missions.begin(), missions.end(), [id](const auto& m) { return m->m_id == id; });
        }

        std::shared_ptr<MissionsScreen> missions;
        std::shared_ptr<AdventureScreen> adventure;
        std::shared_ptr<TechnologyScreen> technology;
        std::shared_ptr<StartScreen> title;
    };
}
