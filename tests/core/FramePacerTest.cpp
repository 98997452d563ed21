// Frame deadlines at a frame-rate limit: frames come at the limit's rate on
// average, a late frame is shown at once and the next ones catch up, and a
// frame more than a whole period late starts the count anew.
#include "core/FramePacer.hpp"

#include <gtest/gtest.h>

using Kestrum::FramePacer;

namespace
{
    FramePacer::Clock::time_point At(double milliseconds)
    {
        return FramePacer::Clock::time_point(
            std::chrono::duration_cast<FramePacer::Clock::duration>(std::chrono::duration<double, std::milli>(milliseconds)));
    }

    double Milliseconds(FramePacer::Clock::time_point time)
    {
        return std::chrono::duration<double, std::milli>(time.time_since_epoch()).count();
    }
}

TEST(FramePacerTest, FramesAreShownAtFixedDeadlines)
{
    const double period = 1000. / 50.;
    // When each frame is ready, and when it is to be shown.
    const struct
    {
        double ready, shown;
    } frames[] = {
        {1000., 1000.},                    // the first at once: the count starts
        {1005., 1000. + period},           // early: waits for its deadline
        {1000. + 2 * period - 1., 1000. + 2 * period},
        {1000. + 3 * period + 15., 1000. + 3 * period + 15.},  // late: at once
        {1000. + 3 * period + 16., 1000. + 4 * period},        // and the next catches up
        {1000. + 6 * period, 1000. + 6 * period},              // over a period late: anew
        {1000. + 6 * period + 1., 1000. + 7 * period},
    };
    FramePacer pacer(50);
    for (const auto& frame : frames)
        EXPECT_NEAR(frame.shown, Milliseconds(pacer.NextDeadline(At(frame.ready))), 1e-3) << "ready at " << frame.ready;

    // 600 frames of any work up to a period average the period exactly.
    FramePacer sixty(60);
    double shown = 0.;
    for (int n = 0; n <= 600; ++n)
        shown = Milliseconds(sixty.NextDeadline(At(std::max(shown, 5000.) + (n * 37 % 16))));
    EXPECT_NEAR(5000. + 10000., shown, 1e-3);

    // No limit: never a wait.
    FramePacer unlimited(0);
    EXPECT_EQ(At(123.), unlimited.NextDeadline(At(123.)));
    EXPECT_EQ(At(124.), unlimited.NextDeadline(At(124.)));
}
