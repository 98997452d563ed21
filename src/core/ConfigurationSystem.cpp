#include "core/ConfigurationSystem.hpp"

namespace Kestrum
{
    ConfigurationSystem::ConfigurationSystem()
        : m_videoMode(sf::VideoMode::getDesktopMode()), m_spacePartitionX(1), m_spacePartitionY(1),
          m_verticalBlankSync(true), m_fullScreen(false), m_frameRateLimit(60)
    {
    }

    ConfigurationSystem::~ConfigurationSystem() = default;

    void ConfigurationSystem::Load()
    {
        m_videoMode = sf::VideoMode(1024, 768, 32);
    }
}
