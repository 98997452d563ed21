#include "campaign/HangarScreen.hpp"

#include "campaign/MissionsScreen.hpp"
#include "core/Registry.hpp"

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
