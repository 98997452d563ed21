// The window's frame time: the seconds between the last two displayed frames.
// The main loop marks every displayed frame; everything that needs the window's
// frame time reads it here.
#pragma once

namespace Kestrum
{
    class FrameClock
    {
    public:
        // Called right after the window has shown a frame.
        static void FrameDisplayed();
        static float GetFrameTime();
        // Back to the state before the first frame (frame time 0).
        static void Reset();
        // Sets the frame time directly, for tests and tools that run no window.
        static void SetFrameTime(float seconds);
    };
}
