#include "campaign/TechnologyScreen.hpp"

namespace Kestrum
{
    TechnologyScreen::TechnologyScreen() = default;
    TechnologyScreen::~TechnologyScreen() = default;

    void TechnologyScreen::OnEnter()
    {
    }

    void TechnologyScreen::OnExit()
    {
    }
}
