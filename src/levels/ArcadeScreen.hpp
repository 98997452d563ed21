// The flight screen of the arcade run.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class ArcadeScreen : public Screen
    {
    public:
        ArcadeScreen();
        ~ArcadeScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
