#include "presentation/CircleList.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace Kestrum;

namespace
{
    Circle At(float x, float y, float radius)
    {
        Circle circle;
        circle.radius = radius;
        circle.offset = sf::Vector2f(x, y);
        return circle;
    }

    CircleList ListOf(std::initializer_list<Circle> circles)
    {
        CircleList list;
        for (const Circle& circle : circles)
            list.Add(circle);
        return list;
    }
}

TEST(Circle, OverlapsOnlyWhenCloserThanTheRadii)
{
    EXPECT_FALSE(Overlaps(At(0, 0, 5), At(10, 0, 5))) << "touching is not overlapping";
    EXPECT_TRUE(Overlaps(At(0, 0, 5), At(9.99f, 0, 5)));
    EXPECT_TRUE(Overlaps(At(3, 4, 1), At(0, 0, 4.01f)));
    EXPECT_FALSE(Overlaps(At(std::nanf(""), 0, 5), At(0, 0, 5)));
}

TEST(Circle, MeetsWideSegments)
{
    const Circle unit = At(0, 0, 1);
    EXPECT_TRUE(IntersectsSegment(unit, {-10, 1.5f}, {10, 1.5f}, 2));
    EXPECT_FALSE(IntersectsSegment(unit, {-10, 2.5f}, {10, 2.5f}, 2));
    EXPECT_FALSE(IntersectsSegment(unit, {5, 5}, {5, 5}, 2)) << "a point outside";
    EXPECT_TRUE(IntersectsSegment(unit, {0.5f, 0}, {0.5f, 0}, 0)) << "a point inside";
    EXPECT_TRUE(IntersectsSegment(unit, {10, 0}, {1.5f, 0}, 2)) << "the end inside";
    EXPECT_FALSE(IntersectsSegment(unit, {10, 0}, {20, 0}, 2)) << "beyond the end";

    const sf::CircleShape shape = CreateCircleShape(At(3, 4, 2), 1.f, sf::Color::Green);
    EXPECT_EQ(sf::Vector2f(1, 2), shape.getPosition() - shape.getOrigin());
    EXPECT_EQ(2.f, shape.getRadius());
    EXPECT_EQ(sf::Color(0, 0, 0, 0), shape.getFillColor());
}

TEST(CircleList, FitsTheBoundingCircleAroundTheBox)
{
    CircleList list;
    EXPECT_EQ(0.f, list.GetBoundingCircle().radius);
    list.Add(At(0, 0, 1));
    EXPECT_FLOAT_EQ(std::sqrt(2.f), list.GetBoundingCircle().radius);
    list.Add(At(4, 0, 1));
    EXPECT_EQ(sf::Vector2f(2, 0), list.GetBoundingCircle().offset);
    EXPECT_FLOAT_EQ(std::sqrt(40.f) * 0.5f, list.GetBoundingCircle().radius);
}

TEST(CircleList, AddsCirclesInWorldTermsAndMovesThem)
{
    CircleList list;
    list.SetPosition({10, 10});
    Circle world;
    world.radius = 2;
    world.position = {0, 0};
    world.offset = {15, 10};
    list.Add(world);
    EXPECT_EQ(sf::Vector2f(5, 0), list.GetCircles()[0].offset);
    EXPECT_EQ(sf::Vector2f(10, 10), list.GetCircles()[0].position);

    list.MovePositionX(5);
    list.MovePositionY(-1);
    EXPECT_EQ(sf::Vector2f(20, 9), list.GetCircles()[0].GetCenter());
    EXPECT_EQ(sf::Vector2f(20, 9), list.GetBoundingCircle().GetCenter());
    list.SetPositionY(0);
    EXPECT_EQ(sf::Vector2f(15, 0), list.GetPosition());

    CircleList other;
    other.Add(list);
    EXPECT_EQ(sf::Vector2f(20, 0), other.GetCircles()[0].GetCenter());
    other.Add(other);
    EXPECT_EQ(1u, other.GetCircles().size());
}

TEST(CircleList, RotatesOffsetsAboutItsPosition)
{
    CircleList list = ListOf({At(10, 0, 1), At(12, 0, 1)});
    list.Rotate(90);
    EXPECT_NEAR(0.f, list.GetCircles()[0].offset.x, 1e-5f);
    EXPECT_NEAR(10.f, list.GetCircles()[0].offset.y, 1e-5f);
    EXPECT_NEAR(0.f, list.GetBoundingCircle().offset.x, 1e-5f);
    EXPECT_NEAR(11.f, list.GetBoundingCircle().offset.y, 1e-5f);
}

TEST(CircleList, IntersectsOtherLists)
{
    const CircleList pair = ListOf({At(0, 0, 1), At(4, 0, 1)});
    const CircleList empty;
    EXPECT_FALSE(pair.Intersects(empty));
    EXPECT_FALSE(empty.Intersects(pair));
    EXPECT_TRUE(pair.Intersects(ListOf({At(5.5f, 0, 1)})));
    EXPECT_FALSE(pair.Intersects(ListOf({At(2, 0, 0.9f)}))) << "between the circles, inside the bounding circle";
    EXPECT_TRUE(pair.Intersects(At(2, 0, 1.01f)));

    const CircleList triple = ListOf({At(0, 0, 1), At(4, 0, 1), At(2, 3, 1)});
    EXPECT_TRUE(triple.Intersects(ListOf({At(2, 4.5f, 1)})));
    EXPECT_FALSE(triple.Intersects(ListOf({At(20, 20, 1)})));
}

TEST(CircleList, SweptShotsHitWhatTheyPassed)
{
    const CircleList body = ListOf({At(0, 0, 5)});
    CircleList shot = ListOf({At(0, 0, 2)});
    shot.SetPosition({0, 100});
    EXPECT_FALSE(shot.Intersects(body));
    EXPECT_TRUE(shot.IntersectsSwept({0, -200}, body));
    EXPECT_FALSE(shot.IntersectsSwept({0, -50}, body));
    EXPECT_FALSE(shot.IntersectsSwept({50, -200}, body)) << "passes beside";

    const CircleList wide = ListOf({At(-20, 0, 2), At(20, 0, 2), At(0, 10, 2)});
    EXPECT_TRUE(wide.IntersectsSegment({-30, 0}, {30, 0}, 1));
    EXPECT_FALSE(wide.IntersectsSegment({-30, 40}, {30, 40}, 1)) << "misses the bounding circle";
}
