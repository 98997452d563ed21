#include "levels/ArcadeScreen.hpp"

namespace Kestrum
{
    ArcadeScreen::ArcadeScreen() = default;
    ArcadeScreen::~ArcadeScreen() = default;

    void ArcadeScreen::OnEnter()
    {
    }

    void ArcadeScreen::OnUpdate()
    {
    }

    void ArcadeScreen::OnExit()
    {
    }
}
