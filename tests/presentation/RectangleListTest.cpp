#include "presentation/RectangleList.hpp"

#include "core/Exception.hpp"
#include "presentation/PolygonOverlap.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    void ExpectRectangle(const Rectangle& r, float left, float top, float right, float bottom)
    {
        EXPECT_EQ(std::vector<float>({left, top, right, bottom}), std::vector<float>({r.left, r.top, r.right, r.bottom}));
    }
}

TEST(RectangleList, LoadsGroupsOfPositionAndSize)
{
    RectangleList list;
    list.Load({0, 0, 10, 20, 30.5f, 4, 2, 1});
    ASSERT_EQ(2u, list.GetRectangles().size());
    ExpectRectangle(list.GetRectangles()[0], 0, 0, 10, 20);
    ExpectRectangle(list.GetRectangles()[1], 30.5f, 4, 32.5f, 5);

    for (std::size_t count : {2u, 5u, 6u})
        EXPECT_EQ("odd number of values for rectangle list",
                  ThrownMessage<LogicError>([&] { list.Load(std::vector<float>(count, 1.f)); }));
    EXPECT_EQ(2u, list.GetRectangles().size()) << "a refused load changes nothing";

    list.Load({});
    EXPECT_TRUE(list.GetRectangles().empty());
    EXPECT_FALSE(list.Contains(sf::Vector2f(0, 0)));
}

TEST(RectangleList, ContainsBordersAndMoves)
{
    RectangleList list;
    list.Load({0, 0, 10, 20, 100, 100, 5, 5});
    EXPECT_TRUE(list.Contains(sf::Vector2f(0, 0)));
    EXPECT_TRUE(list.Contains(sf::Vector2f(10, 20)));
    EXPECT_TRUE(list.Contains(sf::Vector2f(105, 102)));
    EXPECT_FALSE(list.Contains(sf::Vector2f(10.001f, 5)));
    EXPECT_FALSE(list.Contains(sf::Vector2f(std::nanf(""), 5)));

    list.Move(-10, 5);
    ExpectRectangle(list.GetRectangles()[0], -10, 5, 0, 25);
    EXPECT_FALSE(list.Contains(sf::Vector2f(105, 102)));
    EXPECT_TRUE(list.Contains(sf::Vector2f(95, 107)));
}

TEST(Rectangle, ScalesFromItsTopLeftCornerAndClones)
{
    Rectangle r(10, 10, 20, 30);
    r.Scale(-1, 2);
    ExpectRectangle(r, 10, 10, 10, 50);
    r.Scale(std::numeric_limits<float>::quiet_NaN(), 0.5f);
    ExpectRectangle(r, 10, 10, 10, 30);

    const stable_ptr<Area> copy = r.Clone();
    r.Move(sf::Vector2f(100, 0));
    EXPECT_TRUE(copy->Contains(sf::Vector2f(10, 30)));
    EXPECT_FALSE(r.Contains(sf::Vector2f(10, 30)));
}

TEST(Rectangle, OverlapsThroughTheOutlines)
{
    const Rectangle a(0, 0, 10, 10);
    EXPECT_TRUE(a.Overlaps(Rectangle(10, 0, 20, 10))) << "a shared edge counts";
    EXPECT_TRUE(a.Overlaps(Rectangle(5, 5, 15, 15)));
    EXPECT_TRUE(a.Overlaps(Rectangle(2, 2, 4, 4))) << "inside";
    EXPECT_TRUE(Rectangle(2, 2, 4, 4).Overlaps(a)) << "around";
    EXPECT_FALSE(a.Overlaps(Rectangle(10.5f, 0, 20, 10)));
    EXPECT_FALSE(a.Overlaps(Rectangle(-5, 11, 15, 12)));

    const sf::ConvexShape shape = a.GetShape(std::nullopt, 2.f, sf::Color::Red);
    EXPECT_EQ(sf::Color(0, 0, 0, 255), shape.getFillColor());
    EXPECT_EQ(2.f, shape.getOutlineThickness());
    const std::vector<sf::Vector2f> corners{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_EQ(corners, GetGlobalPoints(shape));
}

TEST(PolygonOverlap, SegmentTests)
{
    EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 10}, {0, 10}, {10, 0}));
    EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 0}, {10, 0}, {10, 10})) << "touching ends";
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {0, 1}, {10, 1})) << "parallel";
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {0, 0}, {10, 0})) << "collinear counts as parallel";
    EXPECT_FALSE(SegmentsIntersect({0, 0}, {4, 4}, {6, 0}, {10, -4}));
    EXPECT_TRUE(SegmentsIntersect({0.1f, -5}, {0.1f, 5}, {-5, 0.3f}, {5, 0.3f})) << "vertical meets horizontal";
    EXPECT_FALSE(EdgeIntersectsPolygon({0, 0}, {1, 1}, {}));

    // A point whose ray passes exactly through a corner crosses both edges there.
    sf::ConvexShape square(4);
    square.setPoint(0, {2, 5});
    square.setPoint(1, {4, 5});
    square.setPoint(2, {4, 7});
    square.setPoint(3, {2, 7});
    EXPECT_FALSE(IsPointInShape({0, 0}, square));
    EXPECT_TRUE(IsPointInShape({3, 6}, square));
    square.setPosition(100, 0);
    EXPECT_TRUE(IsPointInShape({103, 6}, square)) << "the shape's own transform applies";
}
