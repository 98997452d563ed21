#include "interface/TakeFirst.hpp"

#include <SFML/System/Vector2.hpp>
#include <gtest/gtest.h>
#include <vector>

using namespace Kestrum;

TEST(TakeFirstTest, HandsOutTheElementsInOrder)
{
    std::vector<sf::Vector2<float>> positions{{1.f, 2.f}, {3.f, 4.f}, {5.f, 6.f}};
    EXPECT_EQ(TakeFirst(positions), sf::Vector2f(1.f, 2.f));
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions.front(), sf::Vector2f(3.f, 4.f));
    EXPECT_EQ(TakeFirst(positions), sf::Vector2f(3.f, 4.f));
    EXPECT_EQ(TakeFirst(positions), sf::Vector2f(5.f, 6.f));
    EXPECT_TRUE(positions.empty());
}

TEST(TakeFirstTest, AnEmptySequenceIsOutOfRange)
{
    std::vector<sf::Vector2<float>> positions;
    EXPECT_THROW(TakeFirst(positions), OutOfRangeError);
}
