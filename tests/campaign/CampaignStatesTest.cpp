// Campaign states that the game's own operations make (nodes developed, items
// and hulls bought, fitted and taken out, missions completed with their
// payments and goodies) load again and, written again, are the same text; at
// the most entries a save file holds, a list takes nothing more.
#include "campaign/SavedCampaignFixture.hpp"
#include "campaign/SavingFileCheck.hpp"
#include "campaign/ShopCategoryWidget.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "levels/MissionBlueprint.hpp"

#include <algorithm>
#include <random>
#include <set>

using namespace Kestrum;
using namespace Kestrum::Testing;

using CampaignStatesTest = SavedCampaignFixture;

TEST_F(CampaignStatesTest, EveryStateThePlayerMakesLoadsAgainAndIsWrittenTheSameUpToTheBounds)
{
    // A chain of 200 nodes from the second on, every fifth needing a third; the items the
    // player can own first, hll000 apart, to be developed last.
    std::vector<std::string> types{"hll000", "wpn001", "shd001", "wpn002", "hll001", "wpn000", "shd000"};
    std::vector<std::vector<std::size_t>> needs{{}, {}};
    for (std::size_t k = 2; k < 200; ++k)
        needs.push_back(k % 5 ? std::vector<std::size_t>{k - 1} : std::vector<std::size_t>{k - 1, k / 2});
    for (std::size_t k = types.size(); k < 200; ++k)
        types.push_back("wpn" + std::to_string(300 + k));
    root.WriteFile("savings/3", GeneratedSaving(20, types, needs));
    const stable_ptr<Saving> saving = manager->Load(3);
    RegisterSaving(saving);
    saving->RegisterInventory();
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    const stable_ptr<EquipmentFactory> equipment = GetFromRegistry<EquipmentFactory>();
    const auto Slot = [&](unsigned pick) { return create_stable_ptr(inventory->GetShip()->GetHull()->GetSlots(pick % 2 ? Categories::Weapon : Categories::Shield).front()); };
    const auto RoundTrip = [&] {
        std::ostringstream first, second;
        manager->Save(saving);
        first << std::ifstream(root.GetPath() / "savings/3").rdbuf();
        manager->Save(manager->Load(3));
        second << std::ifstream(root.GetPath() / "savings/3").rdbuf();
        return first.str().substr(0, first.str().find("<time>")) == second.str().substr(0, first.str().find("<time>"));
    };
    std::mt19937 random(35);
    for (int state = 0; state < 40; ++state)
    {
        for (unsigned step = random() % 6 + 1, pick = random(); step > 0; --step, pick = random())
        {
            std::vector<stable_ptr<TechnologyTree::Node>> nodes;
            for (const stable_ptr<TechnologyTree::Node>& node : saving->GetTechnologyTree()->GetAllNodes())
                if (!node->Open && node->ArePredecessorsOpen() && node->Cost && *node->Cost <= inventory->money && node->Type != "hll000" &&
                    equipment->CanBeOwned(node->Type))
                    nodes.push_back(node);
            const std::vector<std::string> shop = saving->GetShop();
            const std::set<std::string> distinct(shop.begin(), shop.end());
            const std::vector<std::string> offers(distinct.begin(), distinct.end());
            std::vector<std::shared_ptr<Sellable>> loose{nullptr};
            for (const stable_ptr<Sellable>& item : inventory->GetItems())
                if (item->GetCategory() == (pick % 2 ? Categories::Weapon : Categories::Shield))
                    loose.push_back(item.get_shared());
            std::vector<stable_ptr<MissionBlueprint>> open;
            for (const stable_ptr<MissionBlueprint>& mission : saving->GetMissions())
                if (mission->Open)
                    open.push_back(mission);
            const MissionBlueprint& mission = *open[pick % open.size()];
            const stable_ptr<Sellable> offer = equipment->Create(offers[pick % offers.size()]);
            switch (random() % 4)
            {
            case 0:
                nodes.empty() ? void() : OpenNode(nodes[pick % nodes.size()]);
                break;
            case 1:
                offer->GetCategory() == Categories::Hull ? BuyHullAndMakeShip(offer) : BuyItem(offer);
                break;
            case 2:
                equipmentScreen->SetSlot(Slot(pick)), equipmentScreen->Equip(loose[pick % loose.size()]);
                break;
            default: // An open mission completed: its payment, its goodies, its successors opened.
                inventory->money += static_cast<sf::Uint32>(mission.m_payment);
                for (const std::string& item : mission.Goodies)
                    saving->AddToShop(item);
                for (const stable_ptr<MissionBlueprint>& next : saving->GetMissions())
                    next->Open = next->Open || mission.Successors.count(next->m_id);
            }
        }
        ASSERT_TRUE(RoundTrip()) << "state " << state;
    }
    const std::set<stable_ptr<TechnologyTree::Node>>& all = saving->GetTechnologyTree()->GetAllNodes();
    EXPECT_TRUE(inventory->GetShips().size() > 1 && std::count_if(all.begin(), all.end(), [](const auto& node) { return node->Open; }) >= 5)
        << inventory->GetShips().size();

    // Filled up to the bound, the shop takes no more goodies and no developed node, the loose
    // items no purchase and no item taken out of its slot (the filling's last question said so too).
    // A filling gives up a try past the bound: without the bound it fails.
    const auto Fill = [](auto add) {
        std::size_t tries = 0;
        while (tries <= savingCollectionMostItems && add())
            ++tries;
        return tries <= savingCollectionMostItems;
    };
    ASSERT_TRUE(Fill([&] { return saving->AddToShop("shd001"); }));
    const stable_ptr<Sellable> spare = equipment->Create("wpn001");
    equipmentScreen->SetSlot(Slot(1)), equipmentScreen->Equip(spare.get_shared());
    ASSERT_TRUE(Fill([&] { return saving->HasRoomForLooseItem("wpn001") && (inventory->AddItem(spare), true); }));
    const std::size_t loose = inventory->GetItems().size();
    inventory->money = 100000;
    OpenNode(*saving->GetTechnologyTree()->GetNodes(Categories::Hull).begin());
    BuyItem(equipment->Create("wpn002"));
    equipmentScreen->Equip(nullptr);
    EXPECT_TRUE(saving->GetShop().size() == 10000 && inventory->GetItems().size() == loose && Slot(1)->GetEquipment() == spare.get_shared() &&
                inventory->money == 100000 && !(*saving->GetTechnologyTree()->GetNodes(Categories::Hull).begin())->Open);
    const struct { const char* list; const char* item; std::size_t times; } refused[] = {
        {"Shop", "shd001", 1}, {"Shop", "hll000", 1}, {"TheInventory", "wpn001", 2}, {"TheInventory", "wpn002", 1}};
    for (const auto& each : refused)
        EXPECT_EQ(each.times, log.Count(std::string("warning: the list ") + each.list +
                                        " of saving 3 holds 10000 entries, the most a save file may hold: " + each.item + " is not added"))
            << each.item;
    EXPECT_TRUE(RoundTrip());
}
