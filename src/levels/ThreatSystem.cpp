#include "levels/ThreatSystem.hpp"

namespace Kestrum
{
    ThreatSystem::ThreatSystem() = default;
    ThreatSystem::~ThreatSystem() = default;
}
