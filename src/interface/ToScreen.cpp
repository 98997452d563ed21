#include "interface/ToScreen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"

namespace Kestrum
{
    sf::Vector2f ToScreen(float x, float y)
    {
        const sf::VideoMode& mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
        return sf::Vector2f(x * static_cast<float>(mode.width), y * static_cast<float>(mode.height));
    }

    bool IsNormalized(const sf::Vector2f& position)
    {
        return position.x >= 0.f && position.x <= 1.f && position.y >= 0.f && position.y <= 1.f;
    }
}
