#include "interface/OptionScreen.hpp"

namespace Kestrum
{
    OptionScreen::OptionScreen() = default;
    OptionScreen::~OptionScreen() = default;

    void OptionScreen::OnEnter()
    {
    }

    void OptionScreen::OnExit()
    {
    }
}
