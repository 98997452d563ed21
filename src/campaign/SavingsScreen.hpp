// The save slots.
#pragma once

#include "interface/ExitableScreen.hpp"

namespace Kestrum
{
    class SavingsScreen : public ExitableScreen
    {
    public:
        SavingsScreen();
        ~SavingsScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
