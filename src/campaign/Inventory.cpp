#include "campaign/Inventory.hpp"

namespace Kestrum
{
    Inventory::Inventory() : money(0) {}

    Inventory::~Inventory() = default;
}
