#include "campaign/CampaignFixture.hpp"
#include "campaign/EquipButton.hpp"
#include "campaign/ShipButton.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
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
