#include "campaign/ShopScreen.hpp"

namespace Kestrum
{
    ShopScreen::ShopScreen() = default;
    ShopScreen::~ShopScreen() = default;

    void ShopScreen::OnEnter()
    {
    }

    void ShopScreen::OnExit()
    {
    }
}
