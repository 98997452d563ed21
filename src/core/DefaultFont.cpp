#include "core/DefaultFont.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Text.hpp>
#include <memory>

namespace Kestrum
{
    namespace
    {
        stable_ptr<sf::Font> LoadDefaultFont()
        {
            stable_ptr<sf::Font> font(new sf::Font());
            if (!font->loadFromFile(KESTRUM_DEFAULT_FONT))
                BOOST_THROW_EXCEPTION(LoadError(std::string("could not load ") + KESTRUM_DEFAULT_FONT));
            return font;
        }
    }

    stable_ptr<sf::Font> ShareDefaultFont()
    {
        static std::weak_ptr<sf::Font> shared;
        if (const std::shared_ptr<sf::Font> font = shared.lock())
            return create_stable_ptr(font);
        const stable_ptr<sf::Font> font = LoadDefaultFont();
        shared = font.get_shared();
        return font;
    }

    void DrawWithShadow(sf::Text& text)
    {
        const stable_ptr<sf::RenderWindow> window = GetFromRegistry<sf::RenderWindow>();
        text.setFillColor(sf::Color(0, 0, 0, 255));
        window->draw(text);
        text.move(-1.f, -1.f);
        text.setFillColor(sf::Color(255, 255, 255, 255));
        window->draw(text);
    }
}
