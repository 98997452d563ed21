#include "presentation/Positionable.hpp"
#include "presentation/Rotatable.hpp"

#include <gtest/gtest.h>

#include <string>

using namespace Kestrum;

namespace
{
    // A composite overrides only the one-axis setters to move its children; this one notes the calls.
    class Composite : public Positionable<float>
    {
    public:
        std::string calls;

        void SetPositionX(const float& x) override
        {
            calls += "x";
            Positionable<float>::SetPositionX(x);
        }
        void SetPositionY(const float& y) override
        {
            calls += "y";
            Positionable<float>::SetPositionY(y);
        }
        void MovePositionX(const float& dx) override
        {
            calls += "X";
            Positionable<float>::MovePositionX(dx);
        }
        void MovePositionY(const float& dy) override
        {
            calls += "Y";
            Positionable<float>::MovePositionY(dy);
        }
    };
}

TEST(Positionable, TwoAxisChangesGoThroughTheOneAxisSetters)
{
    Composite composite;
    composite.SetPosition(3, 4);
    composite.MovePosition(1, -2);
    EXPECT_EQ("xyXY", composite.calls);
    EXPECT_EQ(sf::Vector2f(4, 2), composite.GetPosition());

    Positionable<float> plain;
    const float& x = plain.GetPositionX();
    const sf::Vector2f& position = plain.GetPosition();
    plain.SetPosition(5, 5);
    plain.MovePosition(1, -2);
    EXPECT_EQ(6.f, x);
    EXPECT_EQ(sf::Vector2f(6, 3), position);
}

TEST(Rotatable, KeepsAnglesWithinAFullTurn)
{
    Rotatable rotatable;
    EXPECT_EQ(0.f, rotatable.GetRotation());
    const std::pair<float, float> cases[] = {{370, 10}, {-90, 270}, {720, 0}, {-450, 270}, {359.5f, 359.5f}, {-360, 0}};
    for (const auto& [angle, expected] : cases)
    {
        rotatable.SetRotation(angle);
        EXPECT_EQ(expected, rotatable.GetRotation()) << angle;
    }
    rotatable.SetRotation(-1e-6f);
    EXPECT_EQ(360.f, rotatable.GetRotation()) << "the float sum rounds up to a full turn";
}
