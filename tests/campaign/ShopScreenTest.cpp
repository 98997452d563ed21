#include "campaign/CampaignFixture.hpp"
#include "campaign/ShopButton.hpp"
#include "campaign/ShopCategoryWidget.hpp"
#include "interface/ScrollableLayout.hpp"

using namespace Kestrum;

namespace
{
    class ShopScreenTest : public Kestrum::Testing::CampaignFixture
    {
    protected:
        ShopCategoryWidget& Shown() { return static_cast<ShopCategoryWidget&>(*shop->GetChildren().back()); }
        std::vector<std::shared_ptr<ShopButton>> Offers() { return ButtonsOf<ShopButton>(*Shown().GetLayout()); }
    };
}

TEST_F(ShopScreenTest, TabsPagesPurchasesAndRefusals)
{
    log.KeepUpTo(LogLevel::debug);
    std::vector<std::string> offers;
    for (int i = 0; i < 10; ++i)
        offers.push_back("wpn00" + std::to_string(i % 3));
    offers.insert(offers.end(), {"shd001", "bmb000", "hll000", "wpn500", "shd099"});
    const stable_ptr<Inventory> inventory = StartCampaign(offers, 1, 2000);
    Show(shop);
    EXPECT_TRUE(log.Contains("error:   shop offers bmb000, but no Bomb can be bought yet: skipped"));
    EXPECT_TRUE(log.Contains("error:   shop offers wpn500, but the player can not own it: skipped"));

    // The exit button, then the six tabs down the left edge; the weapons are shown.
    const auto tabsNow = [&] {
        const std::vector<std::shared_ptr<Button>> buttons = ButtonsOf<Button>(*shop);
        return std::vector<std::shared_ptr<Button>>(buttons.begin() + 1, buttons.end());
    };
    const std::vector<std::shared_ptr<Button>> tabs = tabsNow();
    ASSERT_EQ(6u, tabs.size());
    const auto expectShown = [&](Categories::Equipment category) {
        ASSERT_EQ(1u, shop->GetChildren().size());
        EXPECT_EQ(category, Shown().GetCategory());
        const std::vector<std::shared_ptr<Button>> shown = tabsNow();
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(i != std::size_t(category), shown[i]->IsEnabled()) << "tab " << i;
    };
    for (std::size_t i = 0; i < tabs.size(); ++i)
        EXPECT_EQ(sf::Vector2f(0.f, 97.f * float(i)), tabs[i]->GetPosition());
    expectShown(Categories::Weapon);

    // Nine offers on a page; the down arrow turns to the tenth.
    const std::vector<std::shared_ptr<ShopButton>> page = Offers();
    ASSERT_EQ(10u, page.size());
    EXPECT_EQ(sf::Vector2f(102.f, 45.f), page[0]->GetPosition());
    EXPECT_EQ(sf::Vector2f(656.f, 425.f), page[8]->GetPosition());
    EXPECT_FALSE(page[9]->IsVisible());
    Keep(Frame(), "shop-screen.png");
    const auto arrows = ButtonsOf<Button>(*Shown().GetChildren().back());
    Click(*arrows[1]);
    EXPECT_EQ(9u, Shown().GetLayout()->GetFirst());
    EXPECT_TRUE(page[9]->IsVisible());
    EXPECT_EQ(sf::Vector2f(102.f, 45.f), page[9]->GetPosition());

    // Money equal to the price buys the hull as a new ship and leaves 0.
    EXPECT_FALSE(page[1]->IsEnabled()) << "the twin laser costs 2500";
    inventory->money = 5000;
    Click(*tabs[Categories::Hull]);
    expectShown(Categories::Hull);
    const std::shared_ptr<ShopButton> falcon = Offers().at(0);
    Frame();
    ASSERT_TRUE(falcon->IsEnabled());
    Click(*falcon);
    EXPECT_EQ(0u, inventory->money);
    EXPECT_EQ(2u, inventory->GetShips().size());
    EXPECT_TRUE(inventory->GetItems().empty());
    EXPECT_TRUE(log.Contains("debug:   bought Falcon for 5000 bucks"));

    // One less disables it; a purchase all the same is refused.
    inventory->money = 4999;
    Frame();
    EXPECT_FALSE(falcon->IsEnabled());
    BuyHullAndMakeShip(falcon->GetItem());
    EXPECT_TRUE(log.Contains("error:   logic error: not enough money to by Falcon"));
    EXPECT_EQ(4999u, inventory->money);
    EXPECT_EQ(2u, inventory->GetShips().size());

    // A full hangar takes no tenth ship, whatever the money.
    while (inventory->GetShips().size() < 9)
        inventory->AddShip(stable_ptr<PlayerShip>(new PlayerShip(hulls->Create("000").get_shared())));
    inventory->money = 100000;
    Frame();
    EXPECT_FALSE(falcon->IsEnabled());
    BuyHullAndMakeShip(falcon->GetItem());
    EXPECT_TRUE(log.Contains("error:   logic error: the hangar is full, can not buy Falcon"));
    EXPECT_EQ(9u, inventory->GetShips().size());
    EXPECT_EQ(100000u, inventory->money);

    // Anything else becomes a loose item; the bombs' tab shows nothing.
    Click(*tabs[Categories::Shield]);
    Click(*Offers().at(0));
    ASSERT_EQ(1u, inventory->GetItems().size());
    EXPECT_EQ("shd001", inventory->GetItems()[0]->GetID());
    EXPECT_EQ(94000u, inventory->money);
    Click(*tabs[Categories::Bomb]);
    expectShown(Categories::Bomb);
    EXPECT_TRUE(Offers().empty());
    Frame();
    EXPECT_EQ(1u, log.Count("icons can not be deactivated yet")) << "said once, not every frame";

    // Leaving and entering again shows the weapons anew; entering twice is refused.
    shop->OnExit();
    shop->OnEnter();
    expectShown(Categories::Weapon);
    EXPECT_THROW(shop->OnEnter(), LogicError);
}

TEST_F(ShopScreenTest, OfferTextsStandBesideTheIconAndMoveWithTheButton)
{
    StartCampaign({}, 1, 0);
    struct Row
    {
        const char* id;
        std::vector<std::string> lines;
    };
    const Row rows[] = {{"hll000", {"Falcon", "5000", "Strength: 100"}},
                        {"shd000", {"Deflector", "1000", "Recovery Time: 3", "Invincibility Time: 2"}},
                        {"wpn001", {"Twin Laser", "2500", "Damage: 6", "Shots/Second: 7"}}};
    for (const Row& row : rows)
    {
        const stable_ptr<ShopButton> button = ShopButton::Create(equipment->Create(row.id), {100.f, 200.f});
        button->SetPosition({110.f, 200.f});
        ASSERT_EQ(row.lines.size(), button->GetTexts().size()) << row.id;
        for (std::size_t i = 0; i < row.lines.size(); ++i)
        {
            EXPECT_EQ(row.lines[i], button->GetTexts()[i].getString().toAnsiString());
            EXPECT_EQ(sf::Vector2f(186.f, 206.f + 16.f * float(i)), button->GetTexts()[i].getPosition());
        }
    }
    EXPECT_TRUE(log.GetLines().empty()) << "nothing reaches out of the frame";
}
