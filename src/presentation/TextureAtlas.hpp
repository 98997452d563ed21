// Packs images into a few large textures, its pages, so that sprites cut from
// different images share a texture: the flight's sprites then reach the window
// in long runs of one texture (presentation/SpriteBatch.hpp), and a software
// renderer seldom changes texture. Every image lies on its page inside a
// border of its own edge pixels, two wide, so that a smooth sprite whose
// rectangle ends at the image's edge blends there as on the image's own
// texture. Pages are smooth and as large as the graphics card allows, at most
// 2048 pixels square; images are packed on shelves in the order they come.
#pragma once

#include <SFML/System/Vector2.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sf
{
    class Image;
    class Texture;
}

namespace Kestrum
{
    class TextureAtlas
    {
    public:
        struct Place
        {
            std::shared_ptr<sf::Texture> page;
            sf::Vector2i offset;  // of the image's top left corner on the page
        };

        // Pages of the given size, made when needed (0: the largest allowed up to 2048).
        explicit TextureAtlas(unsigned pageSize = 0);
        ~TextureAtlas();
        TextureAtlas(const TextureAtlas&) = delete;
        TextureAtlas& operator=(const TextureAtlas&) = delete;

        // The place of the image packed under the key, packed now on the first
        // request; none for an image that does not fit on a page.
        std::optional<Place> Pack(const std::string& key, const sf::Image& image);
        std::size_t GetPageCount() const { return m_pages.size(); }

        static const int Border = 2;

    private:
        struct Page
        {
            std::shared_ptr<sf::Texture> texture;
            unsigned shelfTop = 0;     // of the shelf being filled
            unsigned shelfHeight = 0;  // its tallest image so far, borders included
            unsigned shelfEnd = 0;     // the first free column on it
        };

        std::optional<Place> PlaceOn(Page& page, const sf::Image& image);

        unsigned m_pageSize;
        std::vector<Page> m_pages;
        std::map<std::string, Place> m_places;
    };
}
