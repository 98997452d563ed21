#include "flight/Scaling.hpp"

#include "core/Registry.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <cmath>

namespace Kestrum
{
    float ScaleByWindowHeight(float value)
    {
        return value * static_cast<float>(GetFromRegistry<sf::RenderWindow>()->getSize().y);
    }

    sf::Vector2f ScaleToLength(const sf::Vector2f& vector, float length)
    {
        const float factor = length / std::sqrt(vector.x * vector.x + vector.y * vector.y);
        return sf::Vector2f(vector.x * factor, vector.y * factor);
    }
}
