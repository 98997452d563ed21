// Turning data-file quantities into pixels.
#pragma once

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    // value times the current height of the registered render window: speeds in
    // data files are window heights per second.
    float ScaleByWindowHeight(float value);

    // The vector brought to the given length, direction kept.
    sf::Vector2f ScaleToLength(const sf::Vector2f& vector, float length);
}
