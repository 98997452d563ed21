#include "flight/WeaponFactory.hpp"

namespace Kestrum
{
    WeaponFactory::WeaponFactory() = default;
    WeaponFactory::~WeaponFactory() = default;

    void WeaponFactory::Load()
    {
    }
}
