// The game clock: the frame time, or nothing while the game is paused.
#pragma once

namespace Kestrum
{
    class TimeSystem
    {
    public:
        TimeSystem();
        virtual ~TimeSystem();
        TimeSystem(const TimeSystem&) = delete;
        TimeSystem& operator=(const TimeSystem&) = delete;

        float GetFrameTime() const;

        bool paused;
    };
}
