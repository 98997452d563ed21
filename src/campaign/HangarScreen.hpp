// The hangar: the player's ships three by three, each framed with the overview
// picture of its hull; the places without a ship show empty, disabled frames.
// Choosing a ship opens the inventory screen for it. The missions screen leads
// here and the exit button back.
#pragma once

#include "campaign/ExitableScreen.hpp"

#include <cstddef>

namespace Kestrum
{
    class HangarScreen : public ExitableScreen
    {
    public:
        // The places of the hangar.
        static constexpr std::size_t maximumShips = 9;

        HangarScreen();
        ~HangarScreen() override;

        // Builds the frames from the inventory's ships, centred in the window.
        // An empty entry among the ships: RuntimeError "ships has at least one
        // default element"; more than nine: LogicError "too many player ships".
        void OnEnter() override;
        void OnExit() override;
    };
}
