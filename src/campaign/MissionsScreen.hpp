// The campaign's missions screen with the world map.
#pragma once

#include "interface/Screen.hpp"

namespace Kestrum
{
    class MissionsScreen : public Screen
    {
    public:
        MissionsScreen();
        ~MissionsScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
