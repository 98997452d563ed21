// The hangar of owned ships.
#pragma once

#include "flight/ExitableScreen.hpp"

namespace Kestrum
{
    class HangarScreen : public ExitableScreen
    {
    public:
        HangarScreen();
        ~HangarScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
