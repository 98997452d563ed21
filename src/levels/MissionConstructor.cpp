#include "levels/MissionConstructor.hpp"

namespace Kestrum
{
    MissionConstructor::MissionConstructor() = default;
    MissionConstructor::~MissionConstructor() = default;
}
