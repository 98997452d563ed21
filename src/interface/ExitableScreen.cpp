#include "interface/ExitableScreen.hpp"

namespace Kestrum
{
    ExitableScreen::ExitableScreen() = default;
    ExitableScreen::~ExitableScreen() = default;

    void ExitableScreen::OnEnter()
    {
    }

    void ExitableScreen::OnExit()
    {
    }
}
