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
        void OnExit() override;
    };
}
