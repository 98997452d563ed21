// Holds the current screen and carries out screen changes between passes.
#pragma once

#include "core/StablePtr.hpp"
#include "interface/Screen.hpp"

#include <memory>

namespace Kestrum
{
    class ScreenManager
    {
    public:
        explicit ScreenManager(const stable_ptr<Screen>& first) noexcept;
        virtual ~ScreenManager();
        ScreenManager(const ScreenManager&) = delete;
        ScreenManager& operator=(const ScreenManager&) = delete;

        void SetNextScreen(const stable_ptr<Screen>& screen);
        void Update();
        void ShutDown();
        stable_ptr<Screen> GetCurrentScreen() const { return m_current; }
        bool IsRunning() const { return m_running; }

    private:
        stable_ptr<Screen> m_current;
        std::shared_ptr<Screen> m_pending;
        bool m_running;
    };
}
