#include "presentation/StateMachinePath.hpp"

#include "core/Exception.hpp"
#include "core/FrameClock.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "presentation/PlainBody.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Kestrum;
using Kestrum::Testing::PlainBody;
using Kestrum::Testing::ThrownMessage;

TEST(StateMachinePathTest, SplitsOffTheFirstName)
{
    const struct
    {
        const char* path;
        const char* head;
        const char* remainder;
    } cases[] = {
        {"a|b|c", "a", "|b|c"}, {"|a|", "a", ""},   {"a||b", "a", "||b"}, {"", "", ""},
        {"|||", "", ""},        {"explode", "explode", ""}, {"||head|weapon||", "head", "|weapon"},
    };
    for (const auto& each : cases)
    {
        std::string path = each.path;
        EXPECT_EQ(each.head, SplitPath(path)) << each.path;
        EXPECT_EQ(each.remainder, path) << each.path;
    }
}

namespace
{
    class RotateTest : public ::testing::Test
    {
    protected:
        RotateTest() : registry(Registry::Create())
        {
            time = CreateAndRegister(new TimeSystem());
            FrameClock::SetFrameTime(0.1f);
        }
        ~RotateTest() override { FrameClock::Reset(); }

        stable_ptr<Registry> registry;
        std::shared_ptr<TimeSystem> time;
        stable_ptr<PlainBody> body = PlainBody::Create();
    };
}

TEST_F(RotateTest, TurnsTheShorterWayWithoutOvershooting)
{
    body->SetRotation(350.f);
    EXPECT_FALSE(body->Rotate(10.f, 90.f));
    EXPECT_FLOAT_EQ(359.f, body->GetRotation());
    EXPECT_FALSE(body->Rotate(10.f, 90.f));
    EXPECT_FLOAT_EQ(8.f, body->GetRotation());
    EXPECT_TRUE(body->Rotate(10.f, 90.f));
    EXPECT_EQ(10.f, body->GetRotation());

    body->SetRotation(10.f);
    EXPECT_FALSE(body->Rotate(350.f, 90.f));
    EXPECT_FLOAT_EQ(1.f, body->GetRotation());

    // On the aim already: no turn at all; -90 is 270.
    body->SetRotation(270.f);
    const int before = body->rotationsSet;
    EXPECT_TRUE(body->Rotate(-90.f, 90.f));
    EXPECT_EQ(before, body->rotationsSet);

    // Paused: no step, not arrived.
    time->paused = true;
    EXPECT_FALSE(body->Rotate(300.f, 90.f));
    EXPECT_EQ(270.f, body->GetRotation());
}

TEST_F(RotateTest, HalfATurnGoesClockwiseAndNonNumbersFail)
{
    for (const float aim : {180.f, -180.f, 540.f})
    {
        body->SetRotation(0.f);
        EXPECT_FALSE(body->Rotate(aim, 90.f)) << aim;
        EXPECT_FLOAT_EQ(9.f, body->GetRotation()) << aim;
    }
    body->SetRotation(100.f);
    EXPECT_EQ("localAimOrientation is not in range (-180,180)",
              ThrownMessage<LogicError>([&] { body->Rotate(std::nanf(""), 90.f); }));
    EXPECT_EQ(100.f, body->GetRotation());
}

TEST(MachineRotationTest, AnyAngleComesIntoOneTurn)
{
    const float infinity = std::numeric_limits<float>::infinity();
    const struct
    {
        float given;
        float kept;
    } cases[] = {{-30.f, 330.f}, {725.f, 5.f},  {-90.f, 270.f},   {-720.f, 0.f},   {360.f, 0.f},
                 {-1e-6f, 0.f},  {-1e30f, 0.f}, {-infinity, 0.f}, {infinity, 0.f}, {std::nanf(""), 0.f}};
    // Huge angles only need to land within one turn.
    const stable_ptr<PlainBody> body = PlainBody::Create();
    for (const auto& each : cases)
    {
        body->SetRotation(each.given);
        EXPECT_FALSE(std::signbit(body->GetRotation())) << each.given;
        EXPECT_GE(body->GetRotation(), 0.f) << each.given;
        EXPECT_LT(body->GetRotation(), 360.f) << each.given;
        if (std::fabs(each.given) < 1e9f)
        {
            EXPECT_FLOAT_EQ(each.kept, body->GetRotation()) << each.given;
        }
    }
}
