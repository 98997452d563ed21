// The technology tree.
#pragma once

#include "flight/ExitableScreen.hpp"

namespace Kestrum
{
    class TechnologyScreen : public ExitableScreen
    {
    public:
        TechnologyScreen();
        ~TechnologyScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
