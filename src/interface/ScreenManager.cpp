#include "interface/ScreenManager.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"

namespace Kestrum
{
    ScreenManager::ScreenManager(const stable_ptr<Screen>& first) noexcept : m_current(first), m_running(true)
    {
        KESTRUM_GUARDED(m_current->OnEnter();)
    }

    ScreenManager::~ScreenManager() = default;

    void ScreenManager::SetNextScreen(const stable_ptr<Screen>& screen)
    {
        m_pending = screen.get_shared();
    }

    void ScreenManager::Update()
    {
        if (!m_pending || !m_running)
            return;
        m_current->OnExit();
        // Read the request only now: one made while the old screen was left wins.
        m_current = create_stable_ptr(m_pending);
        // Cleared before the entry, so that a screen may pass the player on from
        // its OnEnter; that request is carried out at the next pass.
        m_pending.reset();
        m_current->OnEnter();
    }

    void ScreenManager::ShutDown()
    {
        *Log(LogLevel::debug) << "shut down";
        m_running = false;
    }
}
