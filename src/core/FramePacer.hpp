// Paces the main loop to a frame-rate limit: frame n is shown no earlier than
// the first frame's time plus n periods of 1/limit seconds. Waiting for these
// fixed deadlines keeps the limit's rate on average however long each frame
// takes to draw and however late each sleep wakes up, where sleeping the rest
// of a period from the end of each frame adds every wake-up's delay to the
// next frame. A frame ready more than a whole period after its deadline
// starts the count again from its own time, so that a slow stretch is not
// made up by a burst of quick frames.
//
// The frame is drawn to its end before the wait, so that what is left to do
// at the deadline, showing it, takes the same short time in every frame.
//
//     FramePacer pacer(60);       // 0: no limit
//     ... draw ...
//     pacer.Show(window);         // finish, wait, display
#pragma once

#include <chrono>

namespace sf
{
    class Window;
}

namespace Kestrum
{
    class FramePacer
    {
    public:
        typedef std::chrono::steady_clock Clock;

        explicit FramePacer(unsigned framesPerSecond);

        // Finishes the window's drawing, waits for the frame's deadline and
        // displays it; without a limit it only displays it.
        void Show(sf::Window& window);
        // Sleeps until the deadline of the frame that is ready now.
        void Wait();
        // The time at which the frame that is ready at `now` is to be shown
        // (`now` itself when it is not to wait), counting it as shown.
        Clock::time_point NextDeadline(Clock::time_point now);

    private:
        typedef void (*Finish)();

        Clock::duration m_period;
        // OpenGL's glFinish, taken from the window's context at the first frame.
        Finish m_finish;
        bool m_started;
        Clock::time_point m_deadline;
    };
}
