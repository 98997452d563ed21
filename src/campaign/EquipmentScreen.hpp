// Fits equipment to a ship.
#pragma once

#include "interface/ExitableScreen.hpp"

namespace Kestrum
{
    class EquipmentScreen : public ExitableScreen
    {
    public:
        EquipmentScreen();
        ~EquipmentScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
