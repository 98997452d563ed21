#include "flight/FlightScreen.hpp"

namespace Kestrum
{
    FlightScreen::FlightScreen()
    {
        SetActive(false);
    }

    FlightScreen::~FlightScreen() = default;
}
