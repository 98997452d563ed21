// The flight screen of a campaign mission.
#pragma once

#include "flight/FlightScreen.hpp"

namespace Kestrum
{
    class AdventureScreen : public FlightScreen
    {
    public:
        AdventureScreen();
        ~AdventureScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
