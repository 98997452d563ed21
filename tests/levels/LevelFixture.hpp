// The services that tiles and levels need, in a scratch game root that holds the
// shipped configuration: the registry with the configuration (loaded, so its
// video mode is the one the game would choose), the resource manager and the
// game clock; a render window on request.
#pragma once

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace Kestrum::Testing
{
    class LevelFixture : public ::testing::Test
    {
    protected:
        LevelFixture() : registry(Registry::Create()), configuration(LoadConfiguration())
        {
            CreateAndRegister(new ResourceManager());
            CreateAndRegister(new TimeSystem());
        }

        // A window of the configured video mode, registered for drawing.
        sf::RenderWindow& OpenWindow()
        {
            const sf::VideoMode& mode = configuration->GetVideoMode();
            auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(
                sf::VideoMode(mode.width, mode.height), "level test", sf::Style::Titlebar | sf::Style::Close));
            registry->Register<sf::RenderWindow>(window);
            return *window;
        }

        // Copies a folder of the built game root into the scratch root.
        void CopyFromGameRoot(const std::string& folder)
        {
            root.CopyFromGameRoot(folder);
        }

        ScratchGameRoot root;
        CapturedLog log;
        stable_ptr<Registry> registry;
        stable_ptr<ConfigurationSystem> configuration;

    private:
        stable_ptr<ConfigurationSystem> LoadConfiguration()
        {
            CopyFromGameRoot("configuration");
            return CreateLoadAndRegister(new ConfigurationSystem());
        }
    };
}
