#include "levels/TileManager.hpp"

namespace Kestrum
{
    TileManager::TileManager() = default;
    TileManager::~TileManager() = default;
}
