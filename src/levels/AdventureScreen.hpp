// The flight screen of a campaign mission.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class AdventureScreen : public Screen
    {
    public:
        AdventureScreen();
        ~AdventureScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
