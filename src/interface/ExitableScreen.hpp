// The common frame of the campaign screens: backdrop, exit button, cash line.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class ExitableScreen : public Screen
    {
    public:
        ExitableScreen();
        ~ExitableScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
