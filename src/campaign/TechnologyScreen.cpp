#include "campaign/TechnologyScreen.hpp"

#include "core/Registry.hpp"
#include "levels/MissionsScreen.hpp"

namespace Kestrum
{
    TechnologyScreen::TechnologyScreen() : ExitableScreen(true) {}
    TechnologyScreen::~TechnologyScreen() = default;

    void TechnologyScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<MissionsScreen>());
    }

    void TechnologyScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
