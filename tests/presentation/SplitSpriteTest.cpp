// Cutting a picture into its opaque and translucent rectangles, and what its
// opaque part covers.
#include "presentation/SplitSprite.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <memory>

using namespace Kestrum;

TEST(SplitSpriteTest, CutsRowRunsIntoRectanglesByAlphaAndKnowsWhatItsOpaquePartCovers)
{
    // '#' opaque, '+' translucent, '.' transparent.
    const char* const rows[] = {"##..++", "##..++", "##+.++", "######"};
    sf::Image image;
    image.create(6, 4);
    for (unsigned y = 0; y < 4; ++y)
        for (unsigned x = 0; x < 6; ++x)
            image.setPixel(x, y, sf::Color(10, 20, 30, rows[y][x] == '#' ? 255 : rows[y][x] == '+' ? 128 : 0));
    SplitSprite split(create_stable_ptr(std::shared_ptr<const sf::Texture>(new sf::Texture())), image);

    EXPECT_EQ((std::vector<sf::IntRect>{{0, 0, 2, 3}, {0, 3, 6, 1}}), split.GetOpaque());
    EXPECT_EQ((std::vector<sf::IntRect>{{4, 0, 2, 3}, {2, 2, 1, 1}}), split.GetTranslucent());

    split.SetPosition(sf::Vector2f(10.f, 20.f));
    const sf::IntRect nothing(0, 0, 0, 0);
    EXPECT_TRUE(split.Covers(sf::IntRect(10, 20, 2, 4), nothing));
    EXPECT_TRUE(split.Covers(sf::IntRect(10, 20, 6, 4), sf::IntRect(12, 20, 4, 3)));
    EXPECT_FALSE(split.Covers(sf::IntRect(10, 20, 6, 4), sf::IntRect(12, 20, 3, 3)));  // a translucent column
    EXPECT_FALSE(split.Covers(sf::IntRect(9, 20, 2, 4), nothing));                     // beside the picture
    split.SetPosition(sf::Vector2f(10.5f, 20.f));
    EXPECT_FALSE(split.Covers(sf::IntRect(11, 20, 1, 1), nothing));  // off the pixel grid
}
