#include "interface/ToScreen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"

namespace Kestrum
{
    sf::Vector2f ToScreen(float x, float y)
    {
        const sf::Vector2f screen = GetFromRegistry<ConfigurationSystem>()->GetScreenSize();
        return sf::Vector2f(x * screen.x, y * screen.y);
    }

    bool IsNormalized(const sf::Vector2f& position)
    {
        return position.x >= 0.f && position.x <= 1.f && position.y >= 0.f && position.y <= 1.f;
    }
}
