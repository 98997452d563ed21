// Paces the main loop to a frame-rate limit: frame n is shown no earlier than
// the first frame's time plus n periods of 1/limit seconds. Waiting for these
// fixed deadlines keeps the limit's rate on average however long each frame
// takes to draw and however late each sleep wakes up, where sleeping the rest
// of a period from the end of each frame adds every wake-up's delay to the
// next frame. A frame ready more than a whole period after its deadline
// starts the count again from its own time, so that a slow stretch is not
// made up by a burst of quick frames.
//
//     FramePacer pacer(60);       // 0: no limit
//     ... draw ...
//     pacer.Wait();               // then show the frame
//     window.display();
#pragma once

#include <chrono>

namespace Kestrum
{
    class FramePacer
    {
    public:
        typedef std::chrono::steady_clock Clock;

        explicit FramePacer(unsigned framesPerSecond);

        // Sleeps until the deadline of the frame that is ready now.
        void Wait();
        // The time at which the frame that is ready at `now` is to be shown
        // (`now` itself when it is not to wait), counting it as shown.
        Clock::time_point NextDeadline(Clock::time_point now);

    private:
        Clock::duration m_period;
        bool m_started;
        Clock::time_point m_deadline;
    };
}
