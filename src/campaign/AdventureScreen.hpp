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
        // Until this screen loads a mission there is no ship to fly: its
        // frames pass without a flight.
        void OnUpdate() override;
        void OnExit() override;
    };
}
