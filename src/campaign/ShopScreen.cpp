#include "campaign/ShopScreen.hpp"

#include "core/Registry.hpp"
#include "levels/MissionsScreen.hpp"

namespace Kestrum
{
    ShopScreen::ShopScreen() : ExitableScreen(true) {}
    ShopScreen::~ShopScreen() = default;

    void ShopScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<MissionsScreen>());
    }

    void ShopScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
