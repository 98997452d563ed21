#include "campaign/SavingsScreen.hpp"

#include "core/Registry.hpp"
#include "interface/StartScreen.hpp"

namespace Kestrum
{
    SavingsScreen::SavingsScreen() : ExitableScreen(false) {}
    SavingsScreen::~SavingsScreen() = default;

    void SavingsScreen::OnEnter()
    {
        ExitableScreen::OnEnter();
        SetExitDestination(GetFromRegistry<StartScreen>());
    }

    void SavingsScreen::OnExit()
    {
        ExitableScreen::OnExit();
    }
}
