// Holds the timers' clock while it lives: the clock then moves only when the
// test moves it, so that waits on reloads, recoveries and delays take no real
// time and hold however slowly the machine runs the test.
#pragma once

#include "core/Timer.hpp"

namespace Kestrum::Testing
{
    class HeldClock
    {
    public:
        HeldClock() { Timer::HoldClock(); }
        ~HeldClock() { Timer::ReleaseClock(); }
        HeldClock(const HeldClock&) = delete;
        HeldClock& operator=(const HeldClock&) = delete;

        void Advance(double seconds) const { Timer::AdvanceClock(seconds); }
    };
}
