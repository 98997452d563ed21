// The player's general settings: video mode, frame-rate limit, vertical sync,
// language, collision grid, sound and level-generation settings.
#pragma once

#include <SFML/Window/VideoMode.hpp>

namespace Kestrum
{
    class ConfigurationSystem
    {
    public:
        ConfigurationSystem();
        virtual ~ConfigurationSystem();
        ConfigurationSystem(const ConfigurationSystem&) = delete;
        ConfigurationSystem& operator=(const ConfigurationSystem&) = delete;

        void Load();

        const sf::VideoMode& GetVideoMode() const { return m_videoMode; }
        bool IsFullScreen() const { return m_fullScreen; }
        unsigned int GetFrameRateLimit() const { return m_frameRateLimit; }
        bool IsVerticalBlankSyncEnabled() const { return m_verticalBlankSync; }
        unsigned int GetSpacePartitionColumns() const { return m_spacePartitionX; }
        unsigned int GetSpacePartitionRows() const { return m_spacePartitionY; }

    private:
        sf::VideoMode m_videoMode;
        unsigned int m_spacePartitionX;
        unsigned int m_spacePartitionY;
        bool m_verticalBlankSync;
        bool m_fullScreen;
        unsigned int m_frameRateLimit;
    };
}
