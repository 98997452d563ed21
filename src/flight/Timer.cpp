#include "flight/Timer.hpp"

namespace Kestrum
{
    Timer::Timer(float duration) : m_duration(duration), m_expired(false) {}

    Timer::~Timer() = default;

    bool Timer::IsElapsed() const
    {
        return m_expired || double(m_clock.getElapsedTime().asSeconds()) >= double(m_duration);
    }

    float Timer::GetRemainingTime() const
    {
        if (m_expired)
            return 0.f;
        const float remaining = m_duration - m_clock.getElapsedTime().asSeconds();
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
        m_clock.restart();
    }

    void Timer::Expire()
    {
        m_expired = true;
    }
}
