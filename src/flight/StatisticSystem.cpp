#include "flight/StatisticSystem.hpp"

namespace Kestrum
{
    StatisticSystem::StatisticSystem() = default;
    StatisticSystem::~StatisticSystem() = default;

    void StatisticSystem::Load()
    {
    }
}
