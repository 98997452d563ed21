// The options screen: volumes, colour depth, full screen, vertical sync, mouse buttons.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class OptionScreen : public Screen
    {
    public:
        OptionScreen();
        ~OptionScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
