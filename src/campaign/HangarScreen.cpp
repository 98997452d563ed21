#include "campaign/HangarScreen.hpp"

#include "core/Registry.hpp"
#include "levels/MissionsScreen.hpp"

namespace Kestrum
{
    HangarScreen::HangarScreen() : ExitableScreen(true) {}
    HangarScreen::~HangarScreen() = default;

    void HangarScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<MissionsScreen>());
    }

    void HangarScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
