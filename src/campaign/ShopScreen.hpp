// The shop.
#pragma once

#include "flight/ExitableScreen.hpp"

namespace Kestrum
{
    class ShopScreen : public ExitableScreen
    {
    public:
        ShopScreen();
        ~ShopScreen() override;

        void OnEnter() override;
        void OnExit() override;
    };
}
