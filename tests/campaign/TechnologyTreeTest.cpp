#include "campaign/SavingFixture.hpp"
#include "support/ThrownMessage.hpp"

using namespace Kestrum;
using namespace Kestrum::Testing;

using TechnologyTreeTest = SavingFixture;

TEST_F(TechnologyTreeTest, OpeningANodePaysItsCostAndOffersItsItem)
{
    const stable_ptr<Saving> saving = Play(oneMissionSaving, 100);
    OpenNode(GetNode(saving, Categories::Weapon));
    // What no factory makes is left out of the shop.
    saving->AddToShop("bmb001");
    EXPECT_TRUE(log.Contains("the shop can not offer bmb001"));
    EXPECT_EQ((std::vector<std::string>{"shd001", "wpn001"}), saving->GetShop());
    manager->Save(saving);
    const std::string written = ReadSaving();
    for (const char* part : {"<Money>0</Money>", "<item>shd001</item>\n\t\t<item>wpn001</item>\n\t</Shop>",
                             "<value>100</value>\n\t\t\t\t\t\t\t</Cost>\n\t\t\t\t\t\t\t<Open>1</Open>"})
        EXPECT_NE(std::string::npos, written.find(part)) << part;
}

TEST_F(TechnologyTreeTest, NodesThatCannotBeOpenedChangeNothing)
{
    const std::string bomb = Replace(oneMissionSaving, "<Type>wpn001", "<Type>bmb001");
    const struct { std::string saving; sf::Uint32 money; Categories::Equipment node; std::string message; } cases[] = {
        {TwoMissionSaving(), 1000, Categories::Shield, "logic error 1 while opening node shd001"},
        {TwoMissionSaving(), 99, Categories::Weapon, "logic error 2 while opening node wpn001"},
        {TwoMissionSaving(), 100, Categories::Weapon, "logic error 3 while opening node wpn001"},
        // The shop would not offer the bomb.
        {bomb, 100, Categories::Bomb, "logic error 4 while opening node bmb001"},
    };
    for (const auto& refused : cases)
    {
        const stable_ptr<Saving> saving = Play(refused.saving, refused.money);
        EXPECT_EQ(refused.message, ThrownMessage<LogicError>([&] { OpenNode(GetNode(saving, refused.node)); }));
        EXPECT_EQ(refused.money, GetFromRegistry<Inventory>()->money);
        EXPECT_EQ(1u, saving->GetShop().size());
        EXPECT_FALSE(GetNode(saving, refused.node)->Open);
    }
}
