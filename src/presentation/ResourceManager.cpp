#include "presentation/ResourceManager.hpp"

namespace Kestrum
{
    ResourceManager::ResourceManager() = default;
    ResourceManager::~ResourceManager() = default;
}
