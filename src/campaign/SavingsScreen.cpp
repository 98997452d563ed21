#include "campaign/SavingsScreen.hpp"

namespace Kestrum
{
    SavingsScreen::SavingsScreen() = default;
    SavingsScreen::~SavingsScreen() = default;

    void SavingsScreen::OnEnter()
    {
    }

    void SavingsScreen::OnExit()
    {
    }
}
