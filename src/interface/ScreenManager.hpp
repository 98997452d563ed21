// Holds the current screen, carries out screen changes between two passes of
// the main loop and keeps the running flag that keeps the loop going.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/Screen.hpp"

#include <memory>

namespace Kestrum
{
    class ScreenManager
    {
    public:
        // Makes the first screen current and enters it; a failure of its entry is
        // logged, never thrown.
        explicit ScreenManager(const stable_ptr<Screen>& first) noexcept;
        virtual ~ScreenManager();
        ScreenManager(const ScreenManager&) = delete;
        ScreenManager& operator=(const ScreenManager&) = delete;

        // Asks for a change of screen at the next Update; the last request wins.
        void SetNextScreen(const stable_ptr<Screen>& screen);
        // Leaves the current screen and enters the requested one, if any.
        void Update();
        // Ends the run after the current pass.
        void ShutDown();
        stable_ptr<Screen> GetCurrentScreen() const { return m_current; }
        bool IsRunning() const { return m_running; }

    private:
        stable_ptr<Screen> m_current;
        std::shared_ptr<Screen> m_pending;
        bool m_running;
    };
}
