#include "levels/MissionFactory.hpp"

namespace Kestrum
{
    MissionFactory::MissionFactory() = default;
    MissionFactory::~MissionFactory() = default;
}
