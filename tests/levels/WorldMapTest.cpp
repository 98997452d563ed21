#include "core/Exception.hpp"
#include "levels/WorldMapFactory.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

using namespace Kestrum;
using namespace Kestrum::Testing;

TEST(WorldMapTest, TheSameSeedGivesTheSamePictureAndNoFileIsLeft)
{
    ScratchGameRoot root;
    CapturedLog log;
    const WorldMapFactory factory;
    const stable_ptr<sf::Image> map = factory.CreateImage(0);
    const auto Pixels = [](const stable_ptr<sf::Image>& image) {
        return std::vector<sf::Uint8>(image->getPixelsPtr(), image->getPixelsPtr() + 500 * 420 * 4);
    };
    ASSERT_EQ(sf::Vector2u(500, 420), map->getSize());
    EXPECT_TRUE(Pixels(map) == Pixels(factory.CreateImage(0)) && Pixels(map) != Pixels(factory.CreateImage(42)));
    EXPECT_TRUE(std::filesystem::is_empty(root.GetPath()));
    EXPECT_EQ("seed -1 is too small", ThrownMessage<LogicError>([&] { factory.CreateImage(-1); }));
}
