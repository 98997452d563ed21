// Makes weapons from their definitions.
#pragma once

namespace Kestrum
{
    class WeaponFactory
    {
    public:
        WeaponFactory();
        virtual ~WeaponFactory();
        WeaponFactory(const WeaponFactory&) = delete;
        WeaponFactory& operator=(const WeaponFactory&) = delete;
        void Load();
    };
}
