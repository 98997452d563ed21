#include "campaign/ShopScreen.hpp"

#include "campaign/MissionsScreen.hpp"
#include "core/Registry.hpp"

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
