#include "campaign/EquipmentScreen.hpp"

#include "campaign/InventoryScreen.hpp"
#include "core/Registry.hpp"

namespace Kestrum
{
    EquipmentScreen::EquipmentScreen() : ExitableScreen(true) {}
    EquipmentScreen::~EquipmentScreen() = default;

    void EquipmentScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<InventoryScreen>());
    }

    void EquipmentScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
