#include "presentation/TextureAtlas.hpp"

#include "core/Exception.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        const unsigned largestPage = 2048;

        // The image inside a border of its edge pixels repeated.
        sf::Image WithBorder(const sf::Image& image)
        {
            const int border = TextureAtlas::Border;
            const int width = int(image.getSize().x), height = int(image.getSize().y);
            sf::Image framed;
            framed.create(unsigned(width + 2 * border), unsigned(height + 2 * border));
            for (int y = -border; y < height + border; ++y)
                for (int x = -border; x < width + border; ++x)
                    framed.setPixel(unsigned(x + border), unsigned(y + border),
                                    image.getPixel(unsigned(std::clamp(x, 0, width - 1)),
                                                   unsigned(std::clamp(y, 0, height - 1))));
            return framed;
        }
    }

    TextureAtlas::TextureAtlas(unsigned pageSize) : m_pageSize(pageSize) {}
    TextureAtlas::~TextureAtlas() = default;

    std::optional<TextureAtlas::Place> TextureAtlas::Pack(const std::string& key, const sf::Image& image)
    {
        const auto found = m_places.find(key);
        if (found != m_places.end())
            return found->second;
        if (m_pageSize == 0)
            m_pageSize = std::min(largestPage, sf::Texture::getMaximumSize());
        const sf::Vector2u size = image.getSize();
        if (size.x == 0 || size.y == 0 || size.x + 2 * Border > m_pageSize || size.y + 2 * Border > m_pageSize)
            return std::nullopt;
        for (Page& page : m_pages)
            if (const std::optional<Place> place = PlaceOn(page, image))
                return m_places.emplace(key, *place).first->second;

        Page page;
        page.texture = std::make_shared<sf::Texture>();
        if (!page.texture->create(m_pageSize, m_pageSize))
            BOOST_THROW_EXCEPTION(LoadError("could not make a texture of " + std::to_string(m_pageSize) + " pixels square"));
        page.texture->setSmooth(true);
        m_pages.push_back(page);
        return m_places.emplace(key, *PlaceOn(m_pages.back(), image)).first->second;
    }

    std::optional<TextureAtlas::Place> TextureAtlas::PlaceOn(Page& page, const sf::Image& image)
    {
        const unsigned width = image.getSize().x + 2 * Border;
        const unsigned height = image.getSize().y + 2 * Border;
        if (width > m_pageSize || height > m_pageSize)
            return std::nullopt;
        if (page.shelfEnd + width > m_pageSize)
        {
            // A new shelf under the last one.
            if (page.shelfTop + page.shelfHeight + height > m_pageSize)
                return std::nullopt;
            page.shelfTop += page.shelfHeight;
            page.shelfHeight = 0;
            page.shelfEnd = 0;
        }
        else if (page.shelfTop + height > m_pageSize)
            return std::nullopt;
        const sf::Vector2u corner(page.shelfEnd, page.shelfTop);
        page.texture->update(WithBorder(image), corner.x, corner.y);
        page.shelfEnd += width;
        page.shelfHeight = std::max(page.shelfHeight, height);
        return Place{page.texture, sf::Vector2i(int(corner.x) + Border, int(corner.y) + Border)};
    }
}
