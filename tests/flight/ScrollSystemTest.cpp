#include "flight/ScrollSystem.hpp"

#include "core/FlatLineGraph.hpp"
#include "core/FrameClock.hpp"
#include "core/LinearInterpolatedGraph.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"

#include <gtest/gtest.h>
#include <vector>

using namespace Kestrum;

namespace
{
    class ScrollSystemTest : public ::testing::Test
    {
    protected:
        ScrollSystemTest() : registry(Registry::Create()), time(CreateAndRegister(new TimeSystem())) {}
        ~ScrollSystemTest() override { FrameClock::Reset(); }

        void Frames(unsigned count, float seconds)
        {
            FrameClock::SetFrameTime(seconds);
            for (unsigned i = 0; i < count; ++i)
                scroll.Update();
        }

        stable_ptr<Registry> registry;
        stable_ptr<TimeSystem> time;
        ScrollSystem scroll;
    };
}

TEST_F(ScrollSystemTest, StandsStillOnTheStartUpCurveWhileTheClockRuns)
{
    Frames(5, 0.2f);
    EXPECT_EQ(0.f, scroll.GetPosition());
    EXPECT_FLOAT_EQ(1.f, scroll.GetTime());
    // The curve itself, which a level writer saves as the flat line 0.
    pugi::xml_document document;
    scroll.GetSpeedGraph()->Save(document);
    EXPECT_STREQ("flat_line", document.child("graph").attribute("type").value());
    EXPECT_EQ(0.f, document.child("graph").child("y").text().as_float());
}

TEST_F(ScrollSystemTest, AdvancesByTheAreaUnderTheCurveAndStopsWhilePaused)
{
    const stable_ptr<Graph> flat(new FlatLineGraph(0.25f));
    scroll.Reset(flat);
    EXPECT_TRUE(scroll.GetSpeedGraph() == flat);
    Frames(10, 0.1f);
    EXPECT_FLOAT_EQ(0.25f, scroll.GetPosition());
    EXPECT_FLOAT_EQ(1.f, scroll.GetTime());

    time->paused = true;
    Frames(3, 0.1f);
    EXPECT_FLOAT_EQ(0.25f, scroll.GetPosition());
    EXPECT_FLOAT_EQ(1.f, scroll.GetTime());
    time->paused = false;

    // A reset in mid-flight starts again at once, integrating the new curve from 0.
    auto ramp = std::make_shared<LinearInterpolatedGraph>();
    ramp->Load(std::vector<sf::Vector2f>{{0.f, 0.f}, {10.f, 1.f}});
    scroll.Reset(create_stable_ptr<Graph>(ramp));
    EXPECT_EQ(0.f, scroll.GetPosition());
    EXPECT_EQ(0.f, scroll.GetTime());
    Frames(1, 2.f);
    EXPECT_FLOAT_EQ(0.2f, scroll.GetPosition());
}

TEST_F(ScrollSystemTest, TheDistanceDoesNotDependOnHowTheTimeIsCut)
{
    for (const auto& [frames, seconds] : std::vector<std::pair<unsigned, float>>{{1, 10.f}, {100, 0.1f}, {625, 0.016f}})
    {
        auto ramp = std::make_shared<LinearInterpolatedGraph>();
        ramp->Load(std::vector<sf::Vector2f>{{0.f, 0.f}, {10.f, 1.f}});
        scroll.Reset(create_stable_ptr<Graph>(ramp));
        Frames(frames, seconds);
        EXPECT_NEAR(5.f, scroll.GetPosition(), 1e-3f) << frames << " frames";
    }
}
