// A countdown on the wall clock. It runs on while game time is paused or the
// window has lost focus: reload, invincibility and boss timers keep counting
// while nothing moves. Copyable; a copy carries the running clock along.
//
// Every timer reads one clock, the wall clock. A test that gives its frames
// fixed times may hold that clock and move it on by hand with each frame
// (HoldClock, AdvanceClock, ReleaseClock), so that its timers run with the
// frames however slowly the machine runs them.
#pragma once

namespace Kestrum
{
    class Timer
    {
    public:
        // Starts counting down the given seconds at once.
        explicit Timer(float duration);
        virtual ~Timer();

        // True once the duration has run out, or after Expire; a duration of 0 or
        // less is elapsed at once.
        bool IsElapsed() const;
        // Seconds left; 0 once elapsed.
        float GetRemainingTime() const;
        float GetDuration() const { return m_duration; }

        void Restart(float duration);
        void Restart();
        // Counts as elapsed, with nothing remaining, until the next restart.
        void Expire();

        // The timers' clock in seconds from an arbitrary start.
        static double Now();
        // Stops the clock where it stands; it then moves only by AdvanceClock.
        static void HoldClock();
        // Moves a held clock on; does nothing to the wall clock.
        static void AdvanceClock(double seconds);
        // Back to the wall clock.
        static void ReleaseClock();

    private:
        double GetElapsedTime() const;

        float m_duration;
        bool m_expired;
        double m_start;
    };
}
