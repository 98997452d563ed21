#include "interface/CreateGrid.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;

TEST(CreateGridTest, FillsRowsLeftToRightThenTopToBottom)
{
    // The options screen's grid in a window 1024 wide: columns 236 apart.
    const auto grid = CreateGrid({74.f, 20.f}, {236.f, 242.66667f}, 3, 2);
    ASSERT_EQ(grid.size(), 6u);
    const float xs[] = {74.f, 310.f, 74.f, 310.f, 74.f, 310.f};
    const float ys[] = {20.f, 20.f, 262.66667f, 262.66667f, 505.33334f, 505.33334f};
    for (std::size_t i = 0; i < grid.size(); ++i)
    {
        EXPECT_FLOAT_EQ(grid[i].x, xs[i]) << "element " << i;
        EXPECT_FLOAT_EQ(grid[i].y, ys[i]) << "element " << i;
    }
}

TEST(CreateGridTest, NoRowsOrNoColumnsGiveNoPositions)
{
    EXPECT_TRUE(CreateGrid({1.f, 2.f}, {3.f, 4.f}, 0, 5).empty());
    EXPECT_TRUE(CreateGrid({1.f, 2.f}, {3.f, 4.f}, 5, 0).empty());
    const auto column = CreateGrid({1.f, 2.f}, {3.f, 4.f}, 3, 1);
    ASSERT_EQ(column.size(), 3u);
    EXPECT_EQ(column[2], sf::Vector2f(1.f, 10.f));
}
