// How far the level has scrolled under the flight. The scroll follows a speed
// curve (window heights per second over the flight time in seconds); each flight
// frame advances by the area under that curve over the frame's game time, so the
// position is the integral of the speed. Positions are in window heights: a
// position p lies p times the window height in pixels further up the level.
//
// Nothing scrolls until a mission puts the system on its own curve with Reset;
// pausing the game stops both the scroll and the curve's clock.
#pragma once

#include "core/StablePtr.hpp"

#include <memory>

namespace Kestrum
{
    class Graph;

    class ScrollSystem
    {
    public:
        // Starts on the flat curve y = 0 at position 0, time 0.
        ScrollSystem();
        ~ScrollSystem();
        ScrollSystem(const ScrollSystem&) = delete;
        ScrollSystem& operator=(const ScrollSystem&) = delete;

        // Advances by one frame of game time (the TimeSystem's frame time).
        void Update();
        // Takes the new speed curve and starts again at position 0, time 0.
        void Reset(const stable_ptr<Graph>& speed);

        float GetPosition() const;
        float GetTime() const;
        // The curve itself, shared, not a copy.
        stable_ptr<Graph> GetSpeedGraph() const;

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
