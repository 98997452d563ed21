#include "campaign/SpriteAsButtonAdapter.hpp"

#include "core/Registry.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    SpriteAsButtonAdapter::SpriteAsButtonAdapter(const sf::Sprite& sprite) : m_focus(false), m_sprite(sprite) {}

    SpriteAsButtonAdapter::~SpriteAsButtonAdapter() = default;

    sf::Vector2f SpriteAsButtonAdapter::GetPosition() const
    {
        return m_sprite.getPosition();
    }

    void SpriteAsButtonAdapter::SetPosition(const sf::Vector2f& position)
    {
        m_sprite.setPosition(position);
    }

    void SpriteAsButtonAdapter::Draw()
    {
        GetFromRegistry<sf::RenderWindow>()->draw(m_sprite);
    }
}
