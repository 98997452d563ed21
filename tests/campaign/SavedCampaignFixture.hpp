// The campaign screens over save files: the campaign fixture's window, screens
// and screen manager, the saving manager with its world maps, and quiet title
// and missions screens that only need to be reached.
#pragma once

#include "campaign/CampaignFixture.hpp"
#include "campaign/SavingFixture.hpp"
#include "interface/StartScreen.hpp"

namespace Kestrum::Testing
{
    template <typename Base>
    class Quiet : public Base
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
    };

    class SavedCampaignFixture : public CampaignFixture
    {
    protected:
        SavedCampaignFixture()
        {
            CreateAndRegister(new WorldMapFactory());
            manager = CreateAndRegister(new SavingManager()).get_shared();
            registry->Register<StartScreen>(stable_ptr<StartScreen>(new Quiet<StartScreen>()));
            registry->Register<MissionsScreen>(stable_ptr<MissionsScreen>(new Quiet<MissionsScreen>()));
        }

        // Writes the one-mission saving as saving `id`, last written at `time`
        // (ISO text), with the nodes' part of its tree replaced when one is given.
        void WriteSaving(unsigned long id, const std::string& time, const std::string& nodes = "")
        {
            std::string text = Replace(Replace(oneMissionSaving, "<ID>3", "<ID>" + std::to_string(id)),
                                       "20110305T140322", time);
            if (!nodes.empty())
                text = std::regex_replace(text, std::regex("<m_nodes[\\s\\S]*</m_nodes>"), nodes);
            root.WriteFile("savings/" + std::to_string(id), text);
        }

        std::shared_ptr<SavingManager> manager;
    };
}
