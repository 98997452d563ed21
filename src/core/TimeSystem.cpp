#include "core/TimeSystem.hpp"

#include "core/FrameClock.hpp"

namespace Kestrum
{
    TimeSystem::TimeSystem() : paused(false) {}
    TimeSystem::~TimeSystem() = default;

    float TimeSystem::GetFrameTime() const
    {
        return paused ? 0.f : FrameClock::GetFrameTime();
    }
}
