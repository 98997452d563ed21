#include "core/RandomizationSystem.hpp"

namespace Kestrum
{
    RandomizationSystem::RandomizationSystem() = default;
    RandomizationSystem::~RandomizationSystem() = default;

    void RandomizationSystem::Load()
    {
    }
}
