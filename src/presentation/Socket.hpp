// A named attachment point of a state: a muzzle, or the place where another
// part sits. It follows its state as the state is moved and turned.
#pragma once

#include <SFML/System/Vector2.hpp>

#include <string>

namespace Kestrum
{
    struct Socket
    {
        std::string name;
        // Pixels, in world terms once placed.
        sf::Vector2f position;
        // Degrees, clockwise on the screen.
        float orientation = 0.f;
    };
}
