#include "campaign/TechnologyScreen.hpp"

#include "campaign/MissionsScreen.hpp"
#include "core/Registry.hpp"

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
