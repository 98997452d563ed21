// A countdown on the wall clock. It runs on while game time is paused or the
// window has lost focus: reload, invincibility and boss timers keep counting
// while nothing moves. Copyable; a copy carries the running clock along.
#pragma once

#include <SFML/System/Clock.hpp>

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

    private:
        float m_duration;
        bool m_expired;
        sf::Clock m_clock;
    };
}
