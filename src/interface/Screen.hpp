// A widget that fills the window, with an optional fitted background.
#pragma once

#include "interface/Widget.hpp"

namespace Kestrum
{
    class Screen : public Widget
    {
    public:
        Screen();
        ~Screen() override;

        void OnEnter() override = 0;
        void OnExit() override = 0;
        void Draw() override;
    };
}
