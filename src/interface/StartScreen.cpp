#include "interface/StartScreen.hpp"

namespace Kestrum
{
    StartScreen::StartScreen() = default;
    StartScreen::~StartScreen() = default;

    void StartScreen::OnEnter()
    {
    }

    void StartScreen::OnExit()
    {
    }
}
