// The largest save file the bounds of a save allow, for saving-bench to time
// and for the tests to save and load again.
#pragma once

#include "campaign/SavingFile.hpp"
#include "campaign/SavingFileCheck.hpp"
#include "campaign/TechnologyTree.hpp"
#include "levels/MissionBlueprint.hpp"

#include <boost/date_time/posix_time/ptime.hpp>

#include <limits>
#include <regex>
#include <string>
#include <vector>

namespace LargestSaving
{
    using namespace Kestrum;

    // The text of saving 3 (the tests' one-mission saving) grown to the most
    // of everything at once, as saving `id` written at `time`, every number at
    // its longest: every list entry of the missions and nodes spent on
    // predecessors, the longest entries there are (node k needs every node
    // before it, as many nodes as that takes), missions up to the most missions
    // and nodes together, the most shop entries and loose items, and nine ships
    // of two weapons and a shield.
    inline std::string Write(const std::string& three, unsigned long id, const boost::posix_time::ptime& time)
    {
        std::size_t nodes = 1;
        while (nodes * (nodes - 1) / 2 < savingMostMissionAndNodeListEntries)
            ++nodes;
        // Saving 3's one node (object _3) and copies of it after it, without
        // the attributes of their classes, which only the first carries.
        std::string text = three;
        const std::size_t from = text.find("<item class_id=\"17\""), to = text.find("</m_nodes>");
        const std::size_t end = text.rfind("</item>", to) + 7;
        const std::string node = std::regex_replace(text.substr(from, end - from),
                                                    std::regex(" class_id=\"\\d+\" tracking_level=\"\\d\" version=\"\\d\""), "");
        std::string copies;
        for (std::size_t k = 1; k < nodes; ++k)
            copies += std::regex_replace(node, std::regex("object_id=\"_3\""),
                                         "class_id_reference=\"19\" object_id=\"_" + std::to_string(3 + k) + "\"");
        text.insert(end, copies);
        text.replace(text.rfind("<count>1</count>", from), 16, "<count>" + std::to_string(nodes) + "</count>");
        SavingFile file = SavingFile::Read(text);

        const float longest = -std::numeric_limits<float>::min();  // -1.1754944e-38
        const unsigned long most = 4294967295, mostSigned = 2147483647;
        file.ID = id;
        file.FinalMission = file.Money = most;
        file.Seed = mostSigned;
        for (std::size_t count = 1; count < savingMostMissionsAndNodes - nodes; ++count)
            file.Missions.insert(stable_ptr<MissionBlueprint>(new MissionBlueprint()));
        unsigned long number = most;
        for (const stable_ptr<MissionBlueprint>& each : file.Missions)
        {
            each->Successors.clear(), each->KeyEquipment.clear(), each->Goodies.clear();
            each->Open = true;
            each->m_id = number--;
            each->m_type = MissionBlueprint::OverEarth;
            each->m_seed = long(mostSigned), each->m_difficulty = mostSigned, each->m_payment = most;
            each->m_position = sf::Vector2f(longest, longest);
        }
        std::vector<stable_ptr<TechnologyTree::Node>> tree;
        for (const stable_ptr<TechnologyTree::Node>& each : file.GetNodes())
            tree.push_back(each);
        std::size_t entries = 0;
        for (std::size_t k = 0; k < tree.size(); ++k)
        {
            tree[k]->Type = "wpn" + std::to_string(1000 + k).substr(1);
            tree[k]->Position = sf::Vector2f(longest, longest);
            tree[k]->Cost = most;
            for (std::size_t before = 0; before < k && entries < savingMostMissionAndNodeListEntries; ++before, ++entries)
                tree[k]->Predecessors.insert(tree[before]);
        }
        file.Shop.assign(savingCollectionMostItems, "shd001");
        file.TheInventory.assign(savingCollectionMostItems, "wpn001");
        file.Ships.assign(9, SavingFile::Ship{"hll001", "shd001", {"wpn001", "wpn001"}});
        file.SelectedShip = 8;
        return file.Write(time);
    }
}
