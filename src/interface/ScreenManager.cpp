#include "interface/ScreenManager.hpp"

#include "core/Exception.hpp"

namespace Kestrum
{
    ScreenManager::ScreenManager(const stable_ptr<Screen>& first) noexcept : m_current(first), m_running(true)
    {
        KESTRUM_GUARDED(m_current->OnEnter();)
    }

    ScreenManager::~ScreenManager() = default;

    void ScreenManager::SetNextScreen(const stable_ptr<Screen>& screen)
    {
        m_pending = screen;
    }

    void ScreenManager::Update()
    {
        if (!m_pending || !m_running)
            return;
        m_current->OnExit();
        m_current = create_stable_ptr(m_pending);
        m_pending.reset();
        m_current->OnEnter();
    }

    void ScreenManager::ShutDown()
    {
        m_running = false;
    }
}
