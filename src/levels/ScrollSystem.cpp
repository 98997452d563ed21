#include "levels/ScrollSystem.hpp"

namespace Kestrum
{
    ScrollSystem::ScrollSystem() = default;
    ScrollSystem::~ScrollSystem() = default;
}
