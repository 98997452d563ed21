#include "flight/FlyingEnemy.hpp"

namespace Kestrum
{
    FlyingEnemy::FlyingEnemy() = default;
    FlyingEnemy::~FlyingEnemy() = default;
}
