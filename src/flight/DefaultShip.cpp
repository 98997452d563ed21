#include "flight/DefaultShip.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/HullFactory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"

namespace Kestrum
{
    namespace
    {
        const char* const defaultHull = "000";
        const char* const defaultWeapon = "000";
    }

    stable_ptr<PlayerShip> CreateDefaultShip()
    {
        const stable_ptr<Hull> hull = GetFromRegistry<HullFactory>()->Create(defaultHull);
        const stable_ptr<PlayerShip> ship(new PlayerShip(hull.get_shared()));
        ship->Initialize();
        const Hull::Slots slots = hull->GetSlots(Categories::Weapon);
        if (slots.empty())
            BOOST_THROW_EXCEPTION(LogicError("default hull has no weapon slots"));
        slots.front()->SetEquipment(GetFromRegistry<WeaponFactory>()->CreatePlayerWeapon(defaultWeapon).get_shared());
        return ship;
    }
}
