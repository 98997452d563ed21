#include "campaign/ItemText.hpp"

#include "core/DefaultFont.hpp"
#include "core/Registry.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    namespace
    {
        const unsigned int characterSize = 10;
    }

    // One font for every item text alive: a screen full of buttons loads it once.
    ItemText::ItemText() : m_font(ShareDefaultFont().get_shared()) {}

    ItemText::~ItemText() = default;

    void ItemText::SetLines(const std::vector<std::string>& lines, const sf::Vector2f& origin)
    {
        m_lines.clear();
        sf::Vector2f position = origin;
        for (const std::string& line : lines)
        {
            sf::Text text(line, *m_font, characterSize);
            text.setFillColor(sf::Color(0, 0, 0, 255));
            text.setPosition(position);
            m_lines.push_back(text);
            position.y += lineStep;
        }
    }

    void ItemText::Move(const sf::Vector2f& delta)
    {
        for (sf::Text& line : m_lines)
            line.move(delta);
    }

    void ItemText::Draw() const
    {
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        for (const sf::Text& line : m_lines)
            window->draw(line);
    }
}
