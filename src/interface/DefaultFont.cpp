#include "interface/DefaultFont.hpp"

#include "core/Exception.hpp"

#include <SFML/Graphics/Font.hpp>

namespace Kestrum
{
    stable_ptr<sf::Font> LoadDefaultFont()
    {
        stable_ptr<sf::Font> font(new sf::Font());
        if (!font->loadFromFile(KESTRUM_DEFAULT_FONT))
            BOOST_THROW_EXCEPTION(LoadError(std::string("could not load ") + KESTRUM_DEFAULT_FONT));
        return font;
    }
}
