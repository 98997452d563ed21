#include "flight/EnemyFactory.hpp"

namespace Kestrum
{
    EnemyFactory::EnemyFactory() = default;
    EnemyFactory::~EnemyFactory() = default;

    void EnemyFactory::Load()
    {
    }
}
