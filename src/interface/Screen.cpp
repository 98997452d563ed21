#include "interface/Screen.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>

namespace Kestrum
{
    Screen::Screen() = default;

    Screen::~Screen()
    {
        m_background.reset();
    }

    void Screen::Draw()
    {
        if (m_background)
            GetFromRegistry<sf::RenderWindow>()->draw(*m_background);
        Widget::Draw();
    }

    bool Screen::CoversWindow() const
    {
        return false;
    }

    void Screen::FitBackground(const std::shared_ptr<sf::Sprite>& sprite)
    {
        if (sprite)
        {
            const sf::VideoMode& mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
            const float width = static_cast<float>(mode.width);
            const float height = static_cast<float>(mode.height);
            const sf::IntRect part = sprite->getTextureRect();
            // The whole picture stands as high as the window; a wider one is cut
            // off equally on both sides.
            const float factor = height / (static_cast<float>(part.height) * sprite->getScale().y);
            sprite->setScale(factor, factor);
            const float scaledWidth = static_cast<float>(part.width) * factor;
            const float scaledHeight = static_cast<float>(part.height) * factor;
            sprite->setPosition((width - scaledWidth) / 2.f, (height - scaledHeight) / 2.f);
        }
        m_background = sprite;
    }
}
