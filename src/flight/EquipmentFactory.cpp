#include "flight/EquipmentFactory.hpp"

#include "core/Registry.hpp"
#include "flight/HullFactory.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/WeaponFactory.hpp"

namespace Kestrum
{
    EquipmentFactory::EquipmentFactory() = default;
    EquipmentFactory::~EquipmentFactory() = default;

    void EquipmentFactory::Load()
    {
        GetFromRegistry<WeaponFactory>();
        GetFromRegistry<ShieldFactory>();
        GetFromRegistry<HullFactory>();
    }
}
