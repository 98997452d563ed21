#include "interface/Screen.hpp"

namespace Kestrum
{
    Screen::Screen() = default;
    Screen::~Screen() = default;

    void Screen::Draw()
    {
        Widget::Draw();
    }
}
