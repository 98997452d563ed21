// Makes equipment of every category from its item identifier.
#pragma once

namespace Kestrum
{
    class EquipmentFactory
    {
    public:
        EquipmentFactory();
        virtual ~EquipmentFactory();
        EquipmentFactory(const EquipmentFactory&) = delete;
        EquipmentFactory& operator=(const EquipmentFactory&) = delete;

        // Needs the weapon, shield and hull factories registered.
        void Load();
    };
}
