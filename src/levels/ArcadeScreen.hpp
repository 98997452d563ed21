// The flight screen of the arcade run.
#pragma once

#include "flight/FlightScreen.hpp"

namespace Kestrum
{
    class ArcadeScreen : public FlightScreen
    {
    public:
        ArcadeScreen();
        ~ArcadeScreen() override;

        void OnEnter() override;
        // Until this screen loads a mission there is no ship to fly: its
        // frames pass without a flight.
        void OnUpdate() override;
        void OnExit() override;
    };
}
