// The text form of a vector in log lines and debug drawings.
#pragma once

#include <SFML/System/Vector2.hpp>

#include <string>

namespace Kestrum
{
    // "vector(x|y)", the numbers in a stream's default form: "vector(12.5|-3)".
    std::string ToString(const sf::Vector2f& vector);
}
