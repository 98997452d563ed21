#include "campaign/InventoryScreen.hpp"

#include "campaign/HangarScreen.hpp"
#include "core/Registry.hpp"

namespace Kestrum
{
    InventoryScreen::InventoryScreen() : ExitableScreen(true) {}
    InventoryScreen::~InventoryScreen() = default;

    void InventoryScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<HangarScreen>());
    }

    void InventoryScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
