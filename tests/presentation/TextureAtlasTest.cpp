#include "presentation/TextureAtlas.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace Kestrum;

namespace
{
    // An image whose every pixel differs from its neighbours.
    sf::Image Pattern(unsigned width, unsigned height)
    {
        sf::Image image;
        image.create(width, height);
        for (unsigned y = 0; y < height; ++y)
            for (unsigned x = 0; x < width; ++x)
                image.setPixel(x, y, sf::Color(sf::Uint8(x * 7), sf::Uint8(y * 11), sf::Uint8(x + y), 255));
        return image;
    }
}

TEST(TextureAtlasTest, PacksImagesOnShelvesAndPagesInsideBordersOfTheirEdges)
{
    TextureAtlas atlas(64);
    struct
    {
        unsigned width, height;
        sf::Vector2i offset;
        std::size_t page;
    } cases[] = {
        {20, 10, {2, 2}, 0},    // borders of 2 all round
        {30, 6, {26, 2}, 0},    // beside it on the shelf
        {20, 12, {2, 16}, 0},   // no room beside: a new shelf under the tallest
        {36, 30, {26, 16}, 0},
        {40, 20, {2, 2}, 1},    // no room under: a new page
        {60, 60, {2, 2}, 2},    // the largest that fits a page, borders included
    };
    std::vector<TextureAtlas::Place> places;
    for (const auto& c : cases)
    {
        const sf::Image image = Pattern(c.width, c.height);
        const std::string key = std::to_string(c.width) + "x" + std::to_string(c.height);
        const std::optional<TextureAtlas::Place> place = atlas.Pack(key, image);
        ASSERT_TRUE(place) << key;
        EXPECT_EQ(c.offset, place->offset) << key;
        EXPECT_EQ(c.page + 1, atlas.GetPageCount()) << key;
        // The image and its border, each border pixel repeating the nearest edge pixel.
        const sf::Image page = place->page->copyToImage();
        for (int y = -2; y < int(c.height) + 2; ++y)
            for (int x = -2; x < int(c.width) + 2; ++x)
            {
                const unsigned nearestX = unsigned(std::clamp(x, 0, int(c.width) - 1));
                const unsigned nearestY = unsigned(std::clamp(y, 0, int(c.height) - 1));
                ASSERT_EQ(image.getPixel(nearestX, nearestY),
                          page.getPixel(unsigned(place->offset.x + x), unsigned(place->offset.y + y)))
                    << key << " at " << x << "," << y;
            }
        places.push_back(*place);
    }
    EXPECT_EQ(places[0].page, places[3].page);
    EXPECT_NE(places[0].page, places[4].page);

    // A key packed before keeps its place, whatever image comes with it.
    const std::optional<TextureAtlas::Place> again = atlas.Pack("30x6", Pattern(8, 8));
    ASSERT_TRUE(again);
    EXPECT_EQ(places[1].page, again->page);
    EXPECT_EQ(places[1].offset, again->offset);
    // Too large for a page with its borders, or empty: not packed.
    EXPECT_FALSE(atlas.Pack("wide", Pattern(61, 4)));
    EXPECT_FALSE(atlas.Pack("empty", sf::Image()));
    EXPECT_EQ(3u, atlas.GetPageCount());
}
