#include "flight/Turret.hpp"

namespace Kestrum
{
    Turret::Turret() = default;
    Turret::~Turret() = default;
}
