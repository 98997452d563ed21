// The base of the screens on which a flight runs. Its widget tree is inactive:
// the flight screen handles the game actions itself.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class FlightScreen : public Screen
    {
    public:
        FlightScreen();
        ~FlightScreen() override;
    };
}
