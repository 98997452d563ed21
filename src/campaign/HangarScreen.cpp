#include "campaign/HangarScreen.hpp"

namespace Kestrum
{
    HangarScreen::HangarScreen() = default;
    HangarScreen::~HangarScreen() = default;

    void HangarScreen::OnEnter()
    {
    }

    void HangarScreen::OnExit()
    {
    }
}
