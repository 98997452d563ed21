#include "campaign/SavingFixture.hpp"
#include "flight/PlayerShip.hpp"
#include "levels/MissionBlueprint.hpp"
#include "levels/WorldMap.hpp"
#include "support/ThrownMessage.hpp"

#include <boost/date_time/posix_time/posix_time.hpp>

using namespace Kestrum;
using namespace Kestrum::Testing;
using boost::posix_time::ptime;

namespace
{
    using SavingManagerTest = SavingFixture;

    // The written text with the time of the hand-made savings (and their archive
    // version 5, for AsHandMade). The library ends its files with an empty line.
    std::string WithoutTime(const std::string& text)
    {
        return std::regex_replace(text, std::regex("\\d{8}T\\d{6}"), "20110305T140322");
    }
    std::string AsHandMade(const std::string& text)
    {
        return std::regex_replace(WithoutTime(text), std::regex("archive\" version=\"\\d+"), "archive\" version=\"5");
    }

    const auto Now = &boost::posix_time::second_clock::universal_time;
}

TEST_F(SavingManagerTest, OneMissionSavingLoadsAndIsWrittenBackAsItWas)
{
    const ptime before = Now();
    const stable_ptr<Saving> saving = Load(oneMissionSaving);
    EXPECT_EQ(std::make_tuple(42l, 1500ul, boost::posix_time::from_iso_string("20110305T140322")),
              std::make_tuple(saving->GetSeed(), saving->GetMoney(), saving->GetTime()));
    EXPECT_EQ(sf::Vector2u(500, 420), saving->GetMap()->getTexture()->getSize());
    ASSERT_EQ(1u, saving->GetMissions().size());
    const MissionBlueprint& m = **saving->GetMissions().begin();
    EXPECT_TRUE(std::make_tuple(true, std::set<unsigned long>{1}, std::set<std::string>{"wpn000"},
                                std::set<std::string>{"shd001"}, sf::Vector2f(0.5f, 0.12345679f), 0ul, 7l,
                                0, 10ul, 500ul) == std::tie(m.Open, m.Successors, m.KeyEquipment, m.Goodies, m.m_position,
                                                            m.m_id, m.m_seed, m.m_type, m.m_difficulty, m.m_payment));
    EXPECT_EQ(std::vector<std::string>{"shd001"}, saving->GetShop());
    EXPECT_EQ((std::vector<std::string>{"wpn002", "hll001", "shd001"}), saving->GetInventoryItems());
    ASSERT_EQ(1u, saving->GetTechnologyTree()->GetNodes(Categories::Weapon).size());
    const TechnologyTree::Node& node = *GetNode(saving, Categories::Weapon);
    EXPECT_TRUE(node.Type == "wpn001" && node.Position == sf::Vector2f(1024.f, 1.f / 32768) && node.Cost == 100ul &&
                node.Predecessors.empty() && !node.Open);
    manager->Save(saving);
    const std::string written = ReadSaving();
    EXPECT_EQ(oneMissionSaving + "\n", AsHandMade(written));
    const ptime time = boost::posix_time::from_iso_string(written.substr(written.find("<time>") + 6, 15));
    EXPECT_TRUE(before <= time && time <= Now() && saving->GetTime() < before);
    manager->Save(manager->Load(3));
    EXPECT_EQ(WithoutTime(written), WithoutTime(ReadSaving()));
}

TEST_F(SavingManagerTest, NodesMetFirstAmongPredecessorsAreWrittenThereAndShared)
{
    Load(TwoMissionSaving());
    manager->Save(manager->Load(3));
    const std::string written = ReadSaving();
    EXPECT_TRUE(std::regex_search(written, std::regex("\t<item>\\s*<sp>\\s*<px class_id_reference=\"6\" object_id=\"_2\">")));
    // Whichever node comes first, the shield node is written once and referred to once.
    std::smatch shield;
    ASSERT_TRUE(std::regex_search(written, shield, std::regex("object_id=\"(_\\d)\">\\s*<Type>shd001")));
    const std::regex reference("object_id_reference=\"" + shield[1].str() + "\"");
    EXPECT_EQ(1, std::distance(std::sregex_iterator(written.begin(), written.end(), reference), std::sregex_iterator()));
    const stable_ptr<Saving> read = manager->Load(3);
    EXPECT_EQ(read->GetTechnologyTree()->GetNodes(Categories::Shield), GetNode(read, Categories::Weapon)->Predecessors);
}

TEST_F(SavingManagerTest, SavingsThatBreakARuleAreRefused)
{
    const std::string weapon = "\n\t\t\t\t<item>wpn000</item>", weapons = "<item_version>0</item_version>" + weapon;
    const struct { std::string from, to; bool whenLoaded; std::string message; } cases[] = {
        {"<Seed>42", "<Seed>-1", true, "seed must not be negative"},
        {"<Money>", "<Money>4294967296", true, "money 42949672961500 is out of range"},
        {"<value>0</value>", "<value>1</value>", true, "selection index is invalid"},
        {"1</count>\n\t\t\t\t" + weapons, "2</count>\n\t\t\t\t" + weapons + weapon, false,
         "weapon slot mismatch (slots:1 != weapons:2)"},
        {"wpn002</item>\n\t\t<item>hll", "wpn0a1</item>\n\t\t<item>hll", false, "number part of wpn0a1 is invalid"},
    };
    for (const auto& rule : cases)
        EXPECT_EQ(rule.message, ThrownMessage<Exception>([&] {
                      const stable_ptr<Saving> saving = Load(Replace(oneMissionSaving, rule.from, rule.to));
                      if (!rule.whenLoaded)
                          saving->LoadInventory();
                  }));
}

TEST_F(SavingManagerTest, SavingsOfTheCurrentSecondLoadAndLaterOnesDoNot)
{
    // Tried again should the clock pass into the next second meanwhile.
    std::string future;
    for (int attempt = 0; attempt < 3 && future != "saving has future time"; ++attempt)
    {
        const ptime now = Now();
        const auto at = [](ptime time) { return Replace(oneMissionSaving, "20110305T140322", to_iso_string(time)); };
        EXPECT_NO_THROW(Load(at(now)));
        future = ThrownMessage<LogicError>([&] { Load(at(now + boost::posix_time::seconds(1))); });
    }
    EXPECT_EQ("saving has future time", future);
}

TEST_F(SavingManagerTest, SavingInUseWritesTheInventoryBackWithoutLosingAnything)
{
    const std::string text = Replace(oneMissionSaving, "<ShieldType>shd000", "<ShieldType>");
    const stable_ptr<Saving> saving = Play(text, 700);
    const stable_ptr<Inventory> inventory = GetFromRegistry<Inventory>();
    EXPECT_TRUE(!inventory->GetShip()->GetShield() && inventory->GetItems().size() == 2);
    // The loose hull, which is no item, is kept and written after the items.
    manager->Save(saving);
    const std::string written = ReadSaving();
    EXPECT_EQ(Replace(Replace(text, "<Money>1500", "<Money>700"), "hll001</item>\n\t\t<item>shd001",
                      "shd001</item>\n\t\t<item>hll001") + "\n",
              AsHandMade(written));
    // A save that fails leaves the file as it was.
    const std::shared_ptr<PlayerShip> ship = inventory->GetShip();
    registry->Register<Inventory>(Inventory::Create({ship, ship}, inventory->GetShip()));
    EXPECT_EQ("there can only be one ship selected", ThrownMessage<LogicError>([&] { manager->Save(saving); }));
    EXPECT_EQ(written, ReadSaving());
}

TEST_F(SavingManagerTest, ListsTheSavingFilesOnlyAndRemovesThem)
{
    EXPECT_TRUE(manager->GetSavingIDs().empty());
    const stable_ptr<Saving> saving = Load(oneMissionSaving);
    std::filesystem::remove_all(root.GetPath() / "savings");
    manager->Save(saving);
    for (const char* stray : {"README", "3~", "3.tmp", "-1", "007", "3.0badf00d", "12/13", "13"})
        root.WriteFile(std::string("savings/") + stray, "");
    const std::vector<unsigned long> ids = manager->GetSavingIDs();
    EXPECT_EQ((std::set<unsigned long>{3, 13}), std::set<unsigned long>(ids.begin(), ids.end()));
    EXPECT_EQ(7u, log.GetLines().size());
    manager->Remove(saving);
    EXPECT_EQ(std::vector<unsigned long>{13}, manager->GetSavingIDs());
    try
    {
        manager->Load(3);
        ADD_FAILURE();
    }
    catch (const LoadError& error)
    {
        EXPECT_TRUE(error.what() == (root.GetPath() / "savings/3").string() + " is not a regular file" &&
                    *boost::get_error_info<SavingIdInfo>(error) == 3);
    }
}
