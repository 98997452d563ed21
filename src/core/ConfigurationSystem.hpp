// The player's general settings for the whole run: the video mode, full screen,
// frame-rate limit, vertical sync, language, the collision grid, the sound
// settings and the level-generation settings. Read from
// configuration/general_configuration.xml (or, when the player has none yet,
// configuration/default_general_configuration.xml) and
// configuration/pcg/configuration.xml; written back to the player's file by Save.
#pragma once

#include "core/StablePtr.hpp"

#include <SFML/Window/VideoMode.hpp>
#include <SFML/System/Vector2.hpp>
#include <optional>
#include <string>
#include <vector>

namespace Kestrum
{
    enum Language
    {
        English = 0,
        German = 1
    };

    enum ColorDepth
    {
        Depth16 = 0,
        Depth32 = 1
    };

    // Volumes run from 0 to 100.
    class SoundConfiguration
    {
    public:
        SoundConfiguration(const SoundConfiguration&) = delete;
        SoundConfiguration& operator=(const SoundConfiguration&) = delete;

        virtual float GetAttenuation() const = 0;
        virtual float GetMinimumDistance() const = 0;
        virtual float GetSoundVolume() const = 0;
        // Values above 100 (or not a number) are stored as 100, below 0 as 0.
        virtual void SetSoundVolume(float volume) = 0;
        virtual float GetMusicVolume() const = 0;
        virtual void SetMusicVolume(float volume) = 0;

    protected:
        SoundConfiguration() = default;
        ~SoundConfiguration() = default;
    };

    class PCGConfiguration
    {
    public:
        PCGConfiguration() = default;
        virtual ~PCGConfiguration();
        PCGConfiguration(const PCGConfiguration&) = delete;
        PCGConfiguration& operator=(const PCGConfiguration&) = delete;

        virtual unsigned long GetDifficultyMaximum() const = 0;
        virtual unsigned long GetDifficultyVariance() const = 0;
    };

    class ConfigurationSystem
    {
    public:
        ConfigurationSystem();
        virtual ~ConfigurationSystem();
        ConfigurationSystem(const ConfigurationSystem&) = delete;
        ConfigurationSystem& operator=(const ConfigurationSystem&) = delete;

        // Reads the general configuration, checks it, chooses the video mode and
        // reads the level-generation configuration.
        void Load();
        // Writes the player's general configuration file (pending values in place
        // of the running ones).
        void Save() const;

        const sf::VideoMode& GetVideoMode() const { return m_videoMode; }
        sf::Vector2f GetScreenSize() const;
        Language GetLanguage() const { return m_language; }
        unsigned int GetSpacePartitionX() const { return m_spacePartitionX; }
        unsigned int GetSpacePartitionY() const { return m_spacePartitionY; }
        bool IsVerticalBlankSyncEnabled() const { return m_verticalBlankSync; }
        bool IsFullScreen() const { return m_fullScreen; }
        unsigned int GetFrameRateLimit() const { return m_frameRateLimit; }
        stable_ptr<SoundConfiguration> GetSoundConfiguration() const { return m_soundConfiguration; }
        stable_ptr<PCGConfiguration> GetPCGConfiguration() const { return m_pcgConfiguration; }

        // Switches the window's vertical sync at once when the flag changes.
        void SetVerticalBlankSync(bool enabled);
        // Choices that take effect at the next start: Save writes them. A choice
        // equal to the running value is no change and withdraws an earlier one.
        void SetBitDepth(unsigned int bitsPerPixel);
        void SetFullScreen(bool fullScreen);
        std::optional<unsigned int> GetPendingBitDepth() const { return m_pendingBitDepth; }
        std::optional<bool> GetPendingFullScreen() const { return m_pendingFullScreen; }

    private:
        Language m_language;
        sf::VideoMode m_videoMode;
        unsigned int m_spacePartitionX;
        unsigned int m_spacePartitionY;
        bool m_verticalBlankSync;
        bool m_fullScreen;
        unsigned int m_frameRateLimit;
        stable_ptr<PCGConfiguration> m_pcgConfiguration;
        stable_ptr<SoundConfiguration> m_soundConfiguration;
        std::optional<unsigned int> m_pendingBitDepth;
        std::optional<bool> m_pendingFullScreen;
    };

    // The window's mode among the display's modes (in their listed order): 768
    // high, wider than high, of the configured depth; the widest for full screen,
    // the narrowest at least 1024 wide for a window (narrower ones are logged as
    // ignored). A display that lists no mode 768 high at all (as a virtual screen
    // may), with a desktop of at least 1100 by 850, still gets a 1024 by 768
    // window. Nothing found: NotSupportedError "could not find an appropriate video mode".
    sf::VideoMode ChooseVideoMode(const std::vector<sf::VideoMode>& modes, const sf::VideoMode& desktop,
                                  unsigned int bitsPerPixel, bool fullScreen);
    // ChooseVideoMode with the configured depth and full screen. When that finds
    // nothing and the configuration asks for more than a window at the display's
    // own depth, a warning and one more search, as such a window: `fullScreen` is
    // cleared then, and the mode's depth is the display's as the settings know
    // depths (16, or 32 for a display of more). Fails as ChooseVideoMode when the
    // second search finds nothing either.
    sf::VideoMode ChooseVideoModeOrWindow(const std::vector<sf::VideoMode>& modes, const sf::VideoMode& desktop,
                                          unsigned int bitsPerPixel, bool& fullScreen);

    ColorDepth ToColorDepth(unsigned int bitsPerPixel);
    Language FromISO639_2(const std::string& code);
    std::string ToISO639_2(const Language& language);
}
