#include "levels/WorldMapFactory.hpp"

namespace Kestrum
{
    WorldMapFactory::WorldMapFactory() = default;
    WorldMapFactory::~WorldMapFactory() = default;
}
