#include "levels/ArcadeScreen.hpp"

namespace Kestrum
{
    ArcadeScreen::ArcadeScreen() = default;
    ArcadeScreen::~ArcadeScreen() = default;

    void ArcadeScreen::OnEnter()
    {
    }

    void ArcadeScreen::OnExit()
    {
    }
}
