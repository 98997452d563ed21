#include "campaign/CampaignFixture.hpp"
#include "campaign/EquipButton.hpp"
#include "campaign/ShipButton.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "interface/ScrollBar.hpp"
#include "interface/ScrollableLayout.hpp"
#include "support/ThrownMessage.hpp"

using namespace Kestrum;

namespace
{
    class HangarScreenTest : public Kestrum::Testing::CampaignFixture
    {
    };
}

TEST_F(HangarScreenTest, FramesAreCentredThreeByThree)
{
    // Frames of 200 x 150 in the 1024 x 768 window.
    sf::Image frame;
    frame.create(400, 300, sf::Color(90, 90, 90));
    ASSERT_TRUE(frame.saveToFile((root.GetPath() / "resources/gui/screens/hangar/frame.png").string()));
    StartCampaign({}, 2, 0);
    Show(hangar);
    const auto frames = ButtonsOf<ShipButton>(*hangar);
    ASSERT_EQ(9u, frames.size());
    const sf::Vector2f expected[] = {{192.f, 139.f}, {412.f, 139.f}, {632.f, 139.f}, {192.f, 309.f}, {632.f, 479.f}};
    const std::size_t indices[] = {0, 1, 2, 3, 8};
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_EQ(expected[i], frames[indices[i]]->GetPosition()) << "frame " << indices[i];
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(i < 2, frames[i]->IsEnabled()) << "frame " << i;

    hangar->OnExit();
    StartCampaign({}, 10, 0);
    EXPECT_EQ("too many player ships", Kestrum::Testing::ThrownMessage<LogicError>([&] { hangar->OnEnter(); }));
}

TEST_F(HangarScreenTest, EquippingSwapsThroughTheInventoryAndShowsOnTheShip)
{
    const stable_ptr<Inventory> inventory = StartCampaign({}, 2, 1500);
    const std::shared_ptr<PlayerShip> ship = inventory->GetShips()[1];
    const std::shared_ptr<EquipmentSlot> gunSlot = ship->GetHull()->GetSlots(Categories::Weapon).at(0);
    const std::shared_ptr<Sellable> pulse = equipment->Create("wpn000").get_shared();
    gunSlot->SetEquipment(pulse);
    const stable_ptr<Sellable> laser = equipment->Create("wpn001");
    inventory->AddItem(laser);
    inventory->AddItem(equipment->Create("shd001"));

    // The second ship's frame leads to its slots, centred on the hull's points.
    Show(hangar);
    Keep(Frame(), "hangar-screen.png");
    Click(*ButtonsOf<ShipButton>(*hangar).at(1));
    ASSERT_EQ(inventoryScreen, screens->GetCurrentScreen().get_shared());
    EXPECT_EQ(ship, inventoryScreen->GetShip());
    const auto slots = ButtonsOf<EquipmentSlot>(*inventoryScreen);
    ASSERT_EQ(2u, slots.size());
    EXPECT_EQ(gunSlot, slots[0]);
    EXPECT_EQ(sf::Vector2f(312.f + 200.f - 36.f, 184.f + 96.f - 36.f), gunSlot->GetPosition());

    // The weapon slot offers the laser, compared with the pulse cannon, and the empty choice.
    Click(*gunSlot);
    ASSERT_EQ(equipmentScreen, screens->GetCurrentScreen().get_shared());
    const auto choices = ButtonsOf<EquipButton>(*equipmentScreen->GetLayout());
    ASSERT_EQ(2u, choices.size());
    EXPECT_EQ(laser.get_shared(), choices[0]->GetItem());
    EXPECT_EQ("Damage: 6 (+4)", choices[0]->GetTexts().at(2).getString().toAnsiString());
    EXPECT_EQ(sf::Vector2f(336.f, 28.f), choices[1]->GetPosition());
    Keep(Frame(), "equipment-screen.png");

    // Choosing the laser fits it and files the cannon in its place.
    Click(*choices[0]);
    ASSERT_EQ(inventoryScreen, screens->GetCurrentScreen().get_shared());
    EXPECT_EQ(laser.get_shared(), gunSlot->GetEquipment());
    ASSERT_EQ(2u, inventory->GetItems().size());
    EXPECT_EQ(pulse, inventory->GetItems()[0].get_shared());
    EXPECT_EQ(Categories::Shield, inventory->GetItems()[1]->GetCategory());

    // The slot shows the laser's green icon, not the cannon's blue one.
    const sf::Image picture = Frame();
    Keep(picture, "inventory-screen.png");
    unsigned green = 0, blue = 0;
    for (unsigned y = 0; y < 72; ++y)
        for (unsigned x = 0; x < 72; ++x)
        {
            const sf::Color c = picture.getPixel(476 + x, 244 + y);
            green += c.g > 180 && c.r < 140 && c.b < 160;
            blue += c.b > 200 && c.r < 120 && c.g < 220;
        }
    EXPECT_LT(blue * 4, green);

    // Emptying the slot returns the laser; every visit left one handler per slot.
    Click(*gunSlot);
    Click(*ButtonsOf<EquipButton>(*equipmentScreen->GetLayout()).back());
    EXPECT_FALSE(gunSlot->GetEquipment());
    EXPECT_EQ(laser, inventory->GetItems().at(1));
    EXPECT_EQ(1u, gunSlot->GetClickSignal().num_slots() - 1);
}

TEST_F(HangarScreenTest, HullPictureTakesTheLargerScaleAndStaysCentredOverTheFrame)
{
    // A 100 x 50 picture in a 200 x 150 frame: 2.8 (not 1.9), so 280 x 140, 40 pixels
    // past either side of the frame and 5 inside its top and bottom.
    sf::Image frame;
    frame.create(400, 300, sf::Color(90, 90, 90));
    ASSERT_TRUE(frame.saveToFile((root.GetPath() / "resources/gui/screens/hangar/frame.png").string()));
    sf::Image hull;
    hull.create(100, 50, sf::Color::Green);
    ASSERT_TRUE(hull.saveToFile((root.GetPath() / "resources/equipment/hulls/000/overview.png").string()));
    StartCampaign({}, 1, 0);
    Show(hangar);
    const sf::Image picture = Frame();
    Keep(picture, "hangar-wide-hull.png");

    // Where the green lies around the first frame at (192, 139); the second frame, at
    // x = 412, covers the picture's right end.
    unsigned left = 1024, right = 0, top = 768, bottom = 0;
    for (unsigned y = 100; y < 330; ++y)
        for (unsigned x = 100; x < 480; ++x)
        {
            const sf::Color c = picture.getPixel(x, y);
            if (c.g > 128 && c.r < 64 && c.b < 64)
            {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    EXPECT_NEAR(192 - 40, left, 1);
    EXPECT_NEAR(139 + 5, top, 1);
    EXPECT_NEAR(139 + 145 - 1, bottom, 1);
    EXPECT_EQ(411u, right);
}

TEST_F(HangarScreenTest, EquipmentScreensSecondPageHoldsTheItemsPastNineAndTheEmptyChoice)
{
    const stable_ptr<Inventory> inventory = StartCampaign({}, 1, 0);
    const std::shared_ptr<PlayerShip> ship = inventory->GetShips()[0];
    const std::shared_ptr<EquipmentSlot> gunSlot = ship->GetHull()->GetSlots(Categories::Weapon).at(0);
    gunSlot->SetEquipment(nullptr);
    inventoryScreen->SetShip(create_stable_ptr(ship));
    for (int i = 0; i < 11; ++i)
        inventory->AddItem(equipment->Create(i % 2 ? "wpn001" : "wpn000"));
    equipmentScreen->SetSlot(create_stable_ptr(gunSlot));
    Show(equipmentScreen);

    const ScrollableLayout& layout = *equipmentScreen->GetLayout();
    const auto choices = ButtonsOf<EquipButton>(layout);
    ASSERT_EQ(12u, choices.size());
    const auto shown = [&] {
        std::vector<std::size_t> visible;
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (choices[i]->IsVisible())
                visible.push_back(i);
        return visible;
    };
    EXPECT_EQ((std::vector<std::size_t>{0, 1, 2, 3, 4, 5, 6, 7, 8}), shown());

    // The scroll bar's lower arrow turns to the last two items and the empty
    // choice, on the first places; turning on from there changes nothing.
    const auto bar = std::dynamic_pointer_cast<ScrollBar>(equipmentScreen->GetChildren().back().get_shared());
    ASSERT_TRUE(bar);
    Button& down = **std::next(bar->GetButtons(false).begin());
    Click(down);
    EXPECT_EQ((std::vector<std::size_t>{9, 10, 11}), shown());
    EXPECT_EQ(sf::Vector2f(56.f, 28.f), choices[9]->GetPosition());
    EXPECT_EQ(sf::Vector2f(616.f, 28.f), choices[11]->GetPosition());
    Click(down);
    EXPECT_EQ(9u, layout.GetFirst());
    Keep(Frame(), "equipment-second-page.png");
    Click(**bar->GetButtons(false).begin());
    EXPECT_EQ(0u, layout.GetFirst());
    Click(down);

    // A click on the first place takes the tenth item, not the first one hidden under it.
    const std::shared_ptr<Sellable> tenth = choices[9]->GetItem();
    Click(*choices[9]);
    ASSERT_EQ(inventoryScreen, screens->GetCurrentScreen().get_shared());
    EXPECT_EQ(tenth, gunSlot->GetEquipment());
    EXPECT_EQ(10u, inventory->GetItems().size());
}
