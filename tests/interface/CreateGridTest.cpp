#include "interface/CreateGrid.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;

TEST(CreateGridTest, FillsRowsLeftToRightThenTopToBottom)
{
    // The options screen's grid in a window 1024 wide: columns 236 apart.
    const auto grid = CreateGrid({74.f, 20.f}, {236.f, 242.66667f}, 2, 3);
    ASSERT_EQ(grid.size(), 6u);
    const float xs[] = {74.f, 310.f, 74.f, 310.f, 74.f, 310.f};
    const float ys[] = {20.f, 20.f, 262.66667f, 262.66667f, 505.33334f, 505.33334f};
    for (std::size_t i = 0; i < grid.size(); ++i)
    {
        EXPECT_FLOAT_EQ(grid[i].x, xs[i]) << "element " << i;
        EXPECT_FLOAT_EQ(grid[i].y, ys[i]) << "element " << i;
    }
}

TEST(CreateGridTest, TakesColumnsBeforeRows)
{
    // Four columns of three rows, 110 and 60 apart.
    const auto grid = CreateGrid({10.f, 100.f}, {110.f, 60.f}, 4, 3);
    ASSERT_EQ(grid.size(), 12u);
    EXPECT_EQ((std::vector<sf::Vector2f>{{10.f, 100.f}, {340.f, 100.f}, {120.f, 160.f}, {340.f, 220.f}}),
              (std::vector<sf::Vector2f>{grid[0], grid[3], grid[5], grid[11]}));
    const auto line = CreateGrid({10.f, 100.f}, {110.f, 60.f}, 6, 1);
    ASSERT_EQ(line.size(), 6u);
    EXPECT_EQ(sf::Vector2f(560.f, 100.f), line[5]);
}

TEST(CreateGridTest, NoRowsOrNoColumnsGiveNoPositions)
{
    EXPECT_TRUE(CreateGrid({1.f, 2.f}, {3.f, 4.f}, 0, 5).empty());
    EXPECT_TRUE(CreateGrid({1.f, 2.f}, {3.f, 4.f}, 5, 0).empty());
    const auto column = CreateGrid({1.f, 2.f}, {3.f, 4.f}, 1, 3);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[2], sf::Vector2f(1.f, 10.f));
}
