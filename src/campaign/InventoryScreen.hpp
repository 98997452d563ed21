// The inventory of owned equipment.
#pragma once

#include "flight/ExitableScreen.hpp"

namespace Kestrum
{
    class InventoryScreen : public ExitableScreen
    {
    public:
        InventoryScreen();
        ~InventoryScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
