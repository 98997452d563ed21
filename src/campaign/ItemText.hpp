// The small black lines of text on the item buttons of the shop and of the
// equipment screen: the default font at size 10, one line every 16 pixels.
#pragma once

#include <SFML/Graphics/Text.hpp>

#include <memory>
#include <string>
#include <vector>

namespace sf
{
    class Font;
}

namespace Kestrum
{
    class ItemText
    {
    public:
        static constexpr float lineStep = 16.f;

        ItemText();
        ~ItemText();

        // Replaces the lines: the first with its top-left at the origin, each
        // further one a line step lower.
        void SetLines(const std::vector<std::string>& lines, const sf::Vector2f& origin);
        void Move(const sf::Vector2f& delta);
        void Draw() const;
        const std::vector<sf::Text>& GetLines() const { return m_lines; }

    private:
        std::shared_ptr<sf::Font> m_font;
        std::vector<sf::Text> m_lines;
    };
}
