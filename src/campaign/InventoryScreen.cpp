#include "campaign/InventoryScreen.hpp"

namespace Kestrum
{
    InventoryScreen::InventoryScreen() = default;
    InventoryScreen::~InventoryScreen() = default;

    void InventoryScreen::OnEnter()
    {
    }

    void InventoryScreen::OnExit()
    {
    }
}
