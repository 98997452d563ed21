#include "core/FramePacer.hpp"

#include <SFML/Window/Context.hpp>
#include <SFML/Window/Window.hpp>

#include <thread>

namespace Kestrum
{
    FramePacer::FramePacer(unsigned framesPerSecond)
        : m_period(framesPerSecond == 0 ? Clock::duration::zero()
                                        : std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(1. / double(framesPerSecond)))),
          m_finish(nullptr), m_started(false)
    {
    }

    void FramePacer::Show(sf::Window& window)
    {
        if (m_period != Clock::duration::zero() && window.setActive(true))
        {
            if (!m_finish)
                m_finish = reinterpret_cast<Finish>(sf::Context::getFunction("glFinish"));
            if (m_finish)
                m_finish();
            Wait();
        }
        window.display();
    }

    void FramePacer::Wait()
    {
        const Clock::time_point now = Clock::now();
        const Clock::time_point deadline = NextDeadline(now);
        if (deadline > now)
            std::this_thread::sleep_until(deadline);
    }

    FramePacer::Clock::time_point FramePacer::NextDeadline(Clock::time_point now)
    {
        if (m_period == Clock::duration::zero())
            return now;
        if (!m_started)
        {
            m_started = true;
            m_deadline = now;
            return now;
        }
        m_deadline += m_period;
        if (now >= m_deadline + m_period)
            m_deadline = now;
        return m_deadline > now ? m_deadline : now;
    }
}
