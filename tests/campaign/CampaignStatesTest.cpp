// Campaign states that the game's own operations make, saved and read back:
// nodes developed, items and hulls bought, items fitted and taken out, missions
// completed with their payments and goodies. Every state loads again and,
// written again, is the same text; a list at the most a save file holds takes
// nothing more.
#include "campaign/EquipmentScreen.hpp"
#include "campaign/SavedCampaignFixture.hpp"
#include "campaign/ShopCategoryWidget.hpp"
#include "campaign/TechnologyTree.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "levels/MissionBlueprint.hpp"

#include <algorithm>
#include <limits>
#include <random>

using namespace Kestrum;
using namespace Kestrum::Testing;

namespace
{
    class CampaignStatesTest : public SavedCampaignFixture
    {
    protected:
        // Saving 3 as last written, its time left out.
        std::string Written() const
        {
            std::ostringstream text;
            text << std::ifstream(root.GetPath() / "savings/3").rdbuf();
            return std::regex_replace(text.str(), std::regex("<time>\\d{8}T\\d{6}</time>"), "<time/>");
        }

        stable_ptr<Saving> Play(const std::string& text)
        {
            root.WriteFile("savings/3", text);
            const stable_ptr<Saving> saving = manager->Load(3);
            RegisterSaving(saving);
            saving->RegisterInventory();
            return saving;
        }

        // Every slot of the category on every ship.
        static std::vector<std::shared_ptr<EquipmentSlot>> Slots(const Inventory& inventory, Categories::Equipment category)
        {
            std::vector<std::shared_ptr<EquipmentSlot>> slots;
            for (const std::shared_ptr<PlayerShip>& ship : inventory.GetShips())
                for (const std::shared_ptr<EquipmentSlot>& slot : ship->GetHull()->GetSlots(category))
                    slots.push_back(slot);
            return slots;
        }
    };

    template <typename T>
    const T& Pick(const std::vector<T>& choices, std::mt19937& random)
    {
        return choices[random() % choices.size()];
    }
}

TEST_F(CampaignStatesTest, EveryStateThePlayerMakesLoadsAgainAndIsWrittenTheSame)
{
    // A chain of 200 technology nodes, each needing the one before and some a
    // second one; the items the player can own stand at its start.
    const char* const owned[] = {"wpn001", "shd001", "wpn002", "hll001", "wpn000", "shd000", "hll000"};
    std::vector<std::string> types;
    std::vector<std::vector<std::size_t>> needs;
    for (std::size_t k = 0; k < 200; ++k)
    {
        types.push_back(k < 7 ? owned[k] : "wpn" + std::to_string(300 + k));
        needs.push_back(k == 0 ? std::vector<std::size_t>{} : std::vector<std::size_t>{k - 1});
        if (k % 5 == 0 && k > 10)
            needs.back().push_back(k / 2);
    }
    const stable_ptr<Saving> saving = Play(GeneratedSaving(20, types, needs));
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    const stable_ptr<EquipmentFactory> equipment = GetFromRegistry<EquipmentFactory>();
    std::mt19937 random(35);
    std::size_t developed = 0, completed = 0;
    for (int state = 0; state < 40; ++state)
    {
        for (unsigned step = random() % 6 + 1; step > 0; --step)
            switch (random() % 4)
            {
            case 0: // Develop a node on offer.
            {
                std::vector<stable_ptr<TechnologyTree::Node>> offered;
                for (const stable_ptr<TechnologyTree::Node>& node : saving->GetTechnologyTree()->GetAllNodes())
                    if (!node->Open && node->ArePredecessorsOpen() && node->Cost && *node->Cost <= inventory->money &&
                        equipment->CanBeOwned(node->Type))
                        offered.push_back(node);
                if (!offered.empty())
                    OpenNode(Pick(offered, random)), ++developed;
                break;
            }
            case 1: // Buy what the shop offers and the money pays for.
            {
                const std::vector<std::string> shop = saving->GetShop();
                std::vector<stable_ptr<Sellable>> offers;
                for (const std::string& id : std::set<std::string>(shop.begin(), shop.end()))
                    if (equipment->Create(id)->GetPrice() <= inventory->money)
                        offers.push_back(equipment->Create(id));
                if (offers.empty())
                    break;
                const stable_ptr<Sellable>& item = Pick(offers, random);
                if (item->GetCategory() != Categories::Hull)
                    BuyItem(item);
                else if (inventory->GetShips().size() < HangarScreen::maximumShips)
                    BuyHullAndMakeShip(item);
                break;
            }
            case 2: // Fit a loose item, or take one out.
            {
                const Categories::Equipment category = random() % 2 ? Categories::Weapon : Categories::Shield;
                const std::vector<std::shared_ptr<EquipmentSlot>> slots = Slots(*inventory, category);
                std::vector<std::shared_ptr<Sellable>> choices{nullptr};
                for (const stable_ptr<Sellable>& item : inventory->GetItems())
                    if (item->GetCategory() == category)
                        choices.push_back(item.get_shared());
                equipmentScreen->SetSlot(create_stable_ptr(Pick(slots, random)));
                equipmentScreen->Equip(Pick(choices, random));
                break;
            }
            default: // Complete an open mission: its payment, its goodies, its successors opened.
            {
                std::vector<stable_ptr<MissionBlueprint>> open;
                for (const stable_ptr<MissionBlueprint>& mission : saving->GetMissions())
                    if (mission->Open)
                        open.push_back(mission);
                const MissionBlueprint& mission = *Pick(open, random);
                inventory->money = static_cast<sf::Uint32>(
                    std::min<unsigned long>(inventory->money + mission.m_payment, std::numeric_limits<sf::Uint32>::max()));
                for (const std::string& item : mission.Goodies)
                    saving->AddToShop(item);
                for (const stable_ptr<MissionBlueprint>& next : saving->GetMissions())
                    next->Open = next->Open || mission.Successors.count(next->m_id);
                ++completed;
            }
            }
        manager->Save(saving);
        const std::string first = Written();
        manager->Save(manager->Load(3));
        ASSERT_EQ(first, Written()) << "state " << state;
    }
    EXPECT_TRUE(developed >= 5 && completed >= 10 && inventory->GetShips().size() > 1) << developed << " " << completed;
    EXPECT_TRUE(log.GetLines().empty()) << log.GetLines().front();
}

TEST_F(CampaignStatesTest, ListsAtTheMostASaveFileHoldsTakeNothingMore)
{
    // 10,000 shop offers and 10,000 loose items, 9,999 of them hulls, which stay in the file.
    const auto List = [](const std::string& item, const std::string& last) {
        std::string items = "<count>10000</count><item_version>0</item_version>";
        for (int i = 1; i < 10000; ++i)
            items += "<item>" + item + "</item>";
        return items + "<item>" + last + "</item>";
    };
    std::string text = std::regex_replace(oneMissionSaving, std::regex("(<Shop[^>]*>)[^]*(</Shop>)"), "$1" + List("shd001", "shd001") + "$2");
    text = std::regex_replace(text, std::regex("(<TheInventory>)[^]*(</TheInventory>)"), "$1" + List("hll001", "wpn002") + "$2");
    const stable_ptr<Saving> saving = Play(text);
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    inventory->money = 10000;
    const stable_ptr<TechnologyTree::Node> node = *saving->GetTechnologyTree()->GetAllNodes().begin();
    const std::shared_ptr<EquipmentSlot> weapons = Slots(*inventory, Categories::Weapon).front();

    // A developed node, a completed mission's goodies, a bought item and an emptied slot add nothing.
    OpenNode(node);
    EXPECT_FALSE(saving->AddToShop("shd001"));
    BuyItem(GetFromRegistry<EquipmentFactory>()->Create("wpn001"));
    equipmentScreen->SetSlot(create_stable_ptr(weapons));
    equipmentScreen->Equip(nullptr);
    std::vector<std::string> said;
    for (const std::string& line : log.GetLines())
        said.push_back(line.substr(line.find(" | ") + 3, line.size() - line.find(" | ") - 4));
    EXPECT_EQ((std::vector<std::string>{
                  "warning: the list Shop of saving 3 holds 10000 entries, the most a save file may hold: wpn001 is not added",
                  "warning: the list Shop of saving 3 holds 10000 entries, the most a save file may hold: shd001 is not added",
                  "warning: the list TheInventory of saving 3 holds 10000 entries, the most a save file may hold: wpn001 is not added",
                  "warning: the list TheInventory of saving 3 holds 10000 entries, the most a save file may hold: wpn000 is not added"}),
              said);
    EXPECT_TRUE(!node->Open && inventory->money == 10000 && weapons->GetEquipment() && inventory->GetItems().size() == 1);
    manager->Save(saving);
    const std::string first = Written();
    manager->Save(manager->Load(3));
    EXPECT_EQ(first, Written());
}
