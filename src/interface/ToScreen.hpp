// Window-relative coordinates, 0 to 1 of the window's width and height, as the
// missions screen lays out its map and buttons.
#pragma once

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    // The pixels of (x, y): x times the width and y times the height of the
    // configured video mode.
    sf::Vector2f ToScreen(float x, float y);

    // Whether both coordinates lie in [0, 1], ends included; NaN never does.
    bool IsNormalized(const sf::Vector2f& position);
}
