// The save slots.
#pragma once

#include "flight/ExitableScreen.hpp"

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
