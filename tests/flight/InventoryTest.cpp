#include "flight/EquipmentFixture.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Sellable.hpp"
#include "flight/Shield.hpp"
#include "flight/Weapon.hpp"

using namespace Kestrum;

namespace
{
    class InventoryTest : public Kestrum::Testing::EquipmentFixture
    {
    };
}

TEST_F(InventoryTest, HoldsLooseItemsByCategoryAndShipsOnce)
{
    const stable_ptr<PlayerShip> ship(new PlayerShip(hulls->Create("000").get_shared()));
    const stable_ptr<Inventory> inventory = Inventory::Create({ship.get_shared()}, ship);
    const stable_ptr<Sellable> gun = weapons->CreatePlayerWeapon("wpn000");
    const stable_ptr<Sellable> shield = shields->Create("shd000");
    const stable_ptr<Sellable> laser = weapons->CreatePlayerWeapon("wpn002");

    inventory->AddItem(gun);
    inventory->AddItem(shield);
    inventory->AddItem(laser);
    inventory->AddItem(gun);
    EXPECT_EQ((std::vector<stable_ptr<Sellable>>{gun, laser, gun, shield}), inventory->GetItems());

    // The first entry of that object goes; an item never added changes nothing.
    inventory->RemoveItem(gun);
    inventory->RemoveItem(weapons->CreatePlayerWeapon("wpn000"));
    EXPECT_EQ((std::vector<stable_ptr<Sellable>>{laser, gun, shield}), inventory->GetItems());

    const stable_ptr<PlayerShip> second(new PlayerShip(hulls->Create("000").get_shared()));
    inventory->AddShip(ship);
    inventory->AddShip(second);
    inventory->AddShip(second);
    EXPECT_EQ((std::vector<std::shared_ptr<PlayerShip>>{ship.get_shared(), second.get_shared()}), inventory->GetShips());
    EXPECT_EQ(ship, inventory->GetShip());
}
