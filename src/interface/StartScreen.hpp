// The title screen: arcade, options and exit.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class StartScreen : public Screen
    {
    public:
        StartScreen();
        ~StartScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
