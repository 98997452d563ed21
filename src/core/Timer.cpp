#include "core/Timer.hpp"

#include <chrono>
#include <optional>

namespace Kestrum
{
    namespace
    {
        std::optional<double> s_held;

        double WallClock()
        {
            return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        }
    }

    Timer::Timer(float duration) : m_duration(duration), m_expired(false), m_start(Now()) {}

    Timer::~Timer() = default;

    double Timer::GetElapsedTime() const
    {
        return Now() - m_start;
    }

    bool Timer::IsElapsed() const
    {
        return m_expired || GetElapsedTime() >= double(m_duration);
    }

    float Timer::GetRemainingTime() const
    {
        if (m_expired)
            return 0.f;
        const float remaining = m_duration - float(GetElapsedTime());
        return remaining > 0.f ? remaining : 0.f;
    }

    void Timer::Restart(float duration)
    {
        m_duration = duration;
        Restart();
    }

    void Timer::Restart()
    {
        m_expired = false;
        m_start = Now();
    }

    void Timer::Expire()
    {
        m_expired = true;
    }

    double Timer::Now()
    {
        return s_held ? *s_held : WallClock();
    }

    void Timer::HoldClock()
    {
        s_held = Now();
    }

    void Timer::AdvanceClock(double seconds)
    {
        if (s_held)
            *s_held += seconds;
    }

    void Timer::ReleaseClock()
    {
        s_held.reset();
    }
}
