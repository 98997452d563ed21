#include "core/FrameClock.hpp"

#include <SFML/System/Clock.hpp>

namespace Kestrum
{
    namespace
    {
        sf::Clock s_clock;
        bool s_started = false;
        float s_frameTime = 0.f;
    }

    void FrameClock::FrameDisplayed()
    {
        const float elapsed = s_clock.restart().asSeconds();
        s_frameTime = s_started ? elapsed : 0.f;
        s_started = true;
    }

    float FrameClock::GetFrameTime()
    {
        return s_frameTime;
    }

    void FrameClock::SetFrameTime(float seconds)
    {
        s_frameTime = seconds;
    }

    void FrameClock::Reset()
    {
        s_started = false;
        s_frameTime = 0.f;
    }
}
