#include "campaign/MissionsScreen.hpp"

namespace Kestrum
{
    MissionsScreen::MissionsScreen() = default;
    MissionsScreen::~MissionsScreen() = default;

    void MissionsScreen::OnEnter()
    {
    }

    void MissionsScreen::OnExit()
    {
    }
}
