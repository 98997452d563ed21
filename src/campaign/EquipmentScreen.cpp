#include "campaign/EquipmentScreen.hpp"

namespace Kestrum
{
    EquipmentScreen::EquipmentScreen() = default;
    EquipmentScreen::~EquipmentScreen() = default;

    void EquipmentScreen::OnEnter()
    {
    }

    void EquipmentScreen::OnExit()
    {
    }
}
