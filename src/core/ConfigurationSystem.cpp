#include "core/ConfigurationSystem.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <boost/algorithm/string/predicate.hpp>
#include <boost/format.hpp>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>

namespace Kestrum
{
    namespace
    {
        class SoundConfigurationImpl : public SoundConfiguration
        {
        public:
            float GetAttenuation() const override { return attenuation; }
            float GetMinimumDistance() const override { return minimumDistance; }
            float GetSoundVolume() const override { return soundVolume; }
            void SetSoundVolume(float volume) override { soundVolume = ClampVolume(volume); }
            float GetMusicVolume() const override { return musicVolume; }
            void SetMusicVolume(float volume) override { musicVolume = ClampVolume(volume); }

            float attenuation = 1.0f;
            float minimumDistance = 1.0f;
            float soundVolume = 100.0f;
            float musicVolume = 100.0f;

        private:
            static float ClampVolume(float volume)
            {
                if (volume >= 0.0f && volume <= 100.0f)
                    return volume;
                return volume < 0.0f ? 0.0f : 100.0f;
            }
        };

        std::filesystem::path GetConfigurationFolder()
        {
            return GetGameRoot() / "configuration";
        }

        std::filesystem::path GetGeneralConfigurationPath()
        {
            return GetConfigurationFolder() / "general_configuration.xml";
        }

        std::filesystem::path GetDefaultGeneralConfigurationPath()
        {
            return GetConfigurationFolder() / "default_general_configuration.xml";
        }

        std::filesystem::path GetPCGConfigurationPath()
        {
            return GetConfigurationFolder() / "pcg" / "configuration.xml";
        }

        class PCGConfigurationImpl : public PCGConfiguration
        {
        public:
            unsigned long GetDifficultyMaximum() const override { return difficultyMaximum; }
            unsigned long GetDifficultyVariance() const override { return difficultyVariance; }

            void Load()
            {
                const std::filesystem::path path = GetPCGConfigurationPath();
                const stable_ptr<pugi::xml_document> document = LoadXmlFile(path);
                const pugi::xml_node root = GetRootElement(*document, "pcg_configuration", path.string());
                const unsigned long maximum = GetChildValue<unsigned long>(root, "difficulty_maximum");
                if (maximum == 0)
                    BOOST_THROW_EXCEPTION(LogicError("difficulty maximum is zero"));
                const unsigned long variance = GetChildValue<unsigned long>(root, "difficulty_variance");
                if (variance == 0)
                    BOOST_THROW_EXCEPTION(LogicError("difficulty variance is zero"));
                if (variance >= maximum)
                    BOOST_THROW_EXCEPTION(LogicError("difficulty variance is not smaller than maximum"));
                difficultyMaximum = static_cast<std::uint32_t>(maximum);
                difficultyVariance = static_cast<std::uint32_t>(variance);
            }

            std::uint32_t difficultyMaximum = 100;
            std::uint32_t difficultyVariance = 1;
        };

        // The player's file when it exists (also when it is broken), else the default.
        std::filesystem::path FindGeneralConfiguration()
        {
            const std::filesystem::path user = GetGeneralConfigurationPath();
            if (std::filesystem::exists(std::filesystem::symlink_status(user)))
                return user;
            const std::filesystem::path fallback = GetDefaultGeneralConfigurationPath();
            if (!std::filesystem::exists(std::filesystem::symlink_status(fallback)))
                BOOST_THROW_EXCEPTION(ResourceMissingError("could not find " + fallback.string()));
            return fallback;
        }

        // The mode of the given depth and kind among the display's modes; none when
        // nothing qualifies.
        std::optional<sf::VideoMode> FindVideoMode(const std::vector<sf::VideoMode>& modes,
                                                   const sf::VideoMode& desktop, unsigned int bitsPerPixel,
                                                   bool fullScreen)
        {
            sf::VideoMode chosen(fullScreen ? 0 : std::numeric_limits<unsigned int>::max(), 768, bitsPerPixel);
            bool found = false;
            bool any768 = false;
            for (const sf::VideoMode& mode : modes)
            {
                any768 = any768 || mode.height == 768;
                if (mode.width <= mode.height || mode.height != 768 || mode.bitsPerPixel != bitsPerPixel)
                    continue;
                if (fullScreen)
                {
                    found = true;
                    chosen.width = std::max(chosen.width, mode.width);
                }
                else if (mode.width >= 1024)
                {
                    found = true;
                    chosen.width = std::min(chosen.width, mode.width);
                }
                else
                    *Log(LogLevel::info) << "ignored odd-ratio video mode " << mode.width << "x" << mode.height;
            }
            if (!found && !fullScreen && !any768 && desktop.width >= 1100 && desktop.height >= 850)
            {
                // A window needs no full-screen mode of its own.
                *Log(LogLevel::info) << "no video mode is 768 pixels high: opening a 1024x768 window";
                chosen.width = 1024;
                found = true;
            }
            if (!found)
                return std::nullopt;
            return chosen;
        }

        std::string FormatFloat(float value)
        {
            char text[64];
            std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
            return text;
        }

        void AppendText(pugi::xml_node& parent, const char* name, const std::string& text)
        {
            parent.append_child(name).text().set(text.c_str());
        }
    }

    PCGConfiguration::~PCGConfiguration() = default;

    ConfigurationSystem::ConfigurationSystem()
        : m_language(English), m_videoMode(sf::VideoMode::getDesktopMode()), m_spacePartitionX(0),
          m_spacePartitionY(0), m_verticalBlankSync(true), m_fullScreen(false), m_frameRateLimit(60),
          m_pcgConfiguration(new PCGConfigurationImpl()),
          m_soundConfiguration(stable_ptr<SoundConfigurationImpl>(new SoundConfigurationImpl()))
    {
    }

    ConfigurationSystem::~ConfigurationSystem() = default;

    void ConfigurationSystem::Load()
    {
        const std::filesystem::path path = FindGeneralConfiguration();
        const stable_ptr<pugi::xml_document> document = LoadXmlFile(path);
        const pugi::xml_node root = GetRootElement(*document, "general_configuration", path.string());
        CheckAndReturnVersion(root, 1);

        m_videoMode.bitsPerPixel = GetChildValue<unsigned int>(root, "bit_depth");
        m_frameRateLimit = GetChildValue<unsigned int>(root, "frame_rate_limit");
        m_verticalBlankSync = GetChildValue<bool>(root, "vertical_blank_sync");
        m_fullScreen = GetChildValue<bool>(root, "full_screen");
        m_language = FromISO639_2(GetChildValue<std::string>(root, "language"));
        const unsigned long columns = GetChildValue<unsigned long>(root, "space_partition_x");
        m_spacePartitionX = static_cast<unsigned int>(columns);
        const unsigned long rows = GetChildValue<unsigned long>(root, "space_partition_y");
        m_spacePartitionY = static_cast<unsigned int>(rows);
        SoundConfigurationImpl& sound = static_cast<SoundConfigurationImpl&>(*m_soundConfiguration);
        sound.attenuation = GetChildValue<float>(root, "attenuation");
        sound.minimumDistance = GetChildValue<float>(root, "minimum_distance");
        sound.SetSoundVolume(GetChildValue<float>(root, "sound_volume"));
        sound.SetMusicVolume(GetChildValue<float>(root, "music_volume"));

        if (m_videoMode.bitsPerPixel != 16 && m_videoMode.bitsPerPixel != 32)
            BOOST_THROW_EXCEPTION(NotSupportedError("color bit depth must be either 16 or 32 bit"));
        if (columns > 128)
            BOOST_THROW_EXCEPTION(NotSupportedError("space partitioning must not exceed 128 columns"));
        if (rows > 128)
            BOOST_THROW_EXCEPTION(NotSupportedError("space partitioning must not exceed 128 rows"));

        m_videoMode = ChooseVideoModeOrWindow(sf::VideoMode::getFullscreenModes(), sf::VideoMode::getDesktopMode(),
                                              m_videoMode.bitsPerPixel, m_fullScreen);

        static_cast<PCGConfigurationImpl&>(*m_pcgConfiguration).Load();
    }

    void ConfigurationSystem::Save() const
    {
        pugi::xml_document document;
        AddDeclaration(document);
        pugi::xml_node root = document.append_child("general_configuration");
        root.append_attribute("version") = "1";
        AppendText(root, "bit_depth", std::to_string(m_pendingBitDepth.value_or(m_videoMode.bitsPerPixel)));
        AppendText(root, "full_screen", ToXmlText(m_pendingFullScreen.value_or(m_fullScreen)));
        AppendText(root, "frame_rate_limit", std::to_string(m_frameRateLimit));
        AppendText(root, "vertical_blank_sync", ToXmlText(m_verticalBlankSync));
        AppendText(root, "language", ToISO639_2(m_language));
        AppendText(root, "space_partition_x", std::to_string(m_spacePartitionX));
        AppendText(root, "space_partition_y", std::to_string(m_spacePartitionY));
        AppendText(root, "attenuation", FormatFloat(m_soundConfiguration->GetAttenuation()));
        AppendText(root, "minimum_distance", FormatFloat(m_soundConfiguration->GetMinimumDistance()));
        AppendText(root, "sound_volume", FormatFloat(m_soundConfiguration->GetSoundVolume()));
        AppendText(root, "music_volume", FormatFloat(m_soundConfiguration->GetMusicVolume()));
        // A temporary file renamed over the player's file: a failed write leaves
        // the old settings whole, and is reported like any failure of the XML file.
        try
        {
            WriteFileAtomically(GetGeneralConfigurationPath(), ToXmlString(document));
        }
        catch (const FileError& e)
        {
            BOOST_THROW_EXCEPTION(XmlError(e.what()));
        }
    }

    sf::Vector2f ConfigurationSystem::GetScreenSize() const
    {
        return sf::Vector2f(static_cast<float>(m_videoMode.width), static_cast<float>(m_videoMode.height));
    }

    void ConfigurationSystem::SetVerticalBlankSync(bool enabled)
    {
        if (enabled == m_verticalBlankSync)
            return;
        GetFromRegistry<sf::RenderWindow>()->setVerticalSyncEnabled(enabled);
        m_verticalBlankSync = enabled;
    }

    void ConfigurationSystem::SetBitDepth(unsigned int bitsPerPixel)
    {
        if (bitsPerPixel == m_videoMode.bitsPerPixel)
            m_pendingBitDepth.reset();
        else
            m_pendingBitDepth = bitsPerPixel;
    }

    void ConfigurationSystem::SetFullScreen(bool fullScreen)
    {
        if (fullScreen == m_fullScreen)
            m_pendingFullScreen.reset();
        else
            m_pendingFullScreen = fullScreen;
    }

    sf::VideoMode ChooseVideoMode(const std::vector<sf::VideoMode>& modes, const sf::VideoMode& desktop,
                                  unsigned int bitsPerPixel, bool fullScreen)
    {
        const std::optional<sf::VideoMode> chosen = FindVideoMode(modes, desktop, bitsPerPixel, fullScreen);
        if (!chosen)
            BOOST_THROW_EXCEPTION(NotSupportedError("could not find an appropriate video mode"));
        return *chosen;
    }

    sf::VideoMode ChooseVideoModeOrWindow(const std::vector<sf::VideoMode>& modes, const sf::VideoMode& desktop,
                                          unsigned int bitsPerPixel, bool& fullScreen)
    {
        if (const std::optional<sf::VideoMode> chosen = FindVideoMode(modes, desktop, bitsPerPixel, fullScreen))
            return *chosen;
        if (!fullScreen && bitsPerPixel == desktop.bitsPerPixel)
            BOOST_THROW_EXCEPTION(NotSupportedError("could not find an appropriate video mode"));
        *Log(LogLevel::warning) << "could not find an appropriate video mode for "
                                << (fullScreen ? "full screen" : "a window") << " at " << bitsPerPixel
                                << " bits per pixel: trying a window at the display's " << desktop.bitsPerPixel
                                << " bits per pixel";
        sf::VideoMode window = ChooseVideoMode(modes, desktop, desktop.bitsPerPixel, false);
        // The settings know 16 and 32 bits; a display of 24 shows true colour, as 32 bits do.
        window.bitsPerPixel = desktop.bitsPerPixel <= 16 ? 16 : 32;
        fullScreen = false;
        return window;
    }

    ColorDepth ToColorDepth(unsigned int bitsPerPixel)
    {
        if (bitsPerPixel == 16)
            return Depth16;
        if (bitsPerPixel == 32)
            return Depth32;
        BOOST_THROW_EXCEPTION(InvalidArgumentError((boost::format("odd bits per pixel: %1%") % bitsPerPixel).str()));
    }

    Language FromISO639_2(const std::string& code)
    {
        if (boost::algorithm::iequals(code, "eng"))
            return English;
        if (boost::algorithm::iequals(code, "ger"))
            return German;
        BOOST_THROW_EXCEPTION(NotSupportedError(code + " is not supported"));
    }

    std::string ToISO639_2(const Language& language)
    {
        switch (language)
        {
        case English:
            return "eng";
        case German:
            return "ger";
        }
        BOOST_THROW_EXCEPTION(NotSupportedError(
            (boost::format("Language with enum code %d is not supported") % static_cast<int>(language)).str()));
    }
}
