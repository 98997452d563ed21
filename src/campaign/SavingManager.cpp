#include "campaign/SavingManager.hpp"

namespace Kestrum
{
    SavingManager::SavingManager() = default;
    SavingManager::~SavingManager() = default;
}
