// Fits equipment to a ship.
#pragma once

#include "flight/ExitableScreen.hpp"

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
