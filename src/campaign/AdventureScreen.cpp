#include "campaign/AdventureScreen.hpp"

namespace Kestrum
{
    AdventureScreen::AdventureScreen() = default;
    AdventureScreen::~AdventureScreen() = default;

    void AdventureScreen::OnEnter()
    {
    }

    void AdventureScreen::OnUpdate()
    {
    }

    void AdventureScreen::OnExit()
    {
    }
}
