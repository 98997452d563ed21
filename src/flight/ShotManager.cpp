#include "flight/ShotManager.hpp"

namespace Kestrum
{
    ShotManager::ShotManager() = default;
    ShotManager::~ShotManager() = default;
}
