// The services the interface needs, in a scratch game root: the registry with
// the configuration, the resource manager and a window to draw into.
#pragma once

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace Kestrum::Testing
{
    class InterfaceFixture : public ::testing::Test
    {
    protected:
        InterfaceFixture() : registry(Registry::Create())
        {
            CreateAndRegister(new ConfigurationSystem());
            CreateAndRegister(new ResourceManager());
        }

        // Opens the window that everything draws into.
        sf::RenderWindow& OpenWindow(unsigned width, unsigned height)
        {
            auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(
                sf::VideoMode(width, height), "interface test", sf::Style::Titlebar | sf::Style::Close));
            registry->Register<sf::RenderWindow>(window);
            window->clear(sf::Color::Black);
            return *window;
        }

        // What has been drawn into the window since its last clear.
        sf::Image Capture()
        {
            sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
            sf::Texture texture;
            texture.create(window.getSize().x, window.getSize().y);
            texture.update(window);
            return texture.copyToImage();
        }

        // Copies a folder of the built game root (made by the content tool) into
        // the scratch root, e.g. "resources/gui/screens/shared".
        void CopyFromGameRoot(const std::string& folder)
        {
            std::filesystem::create_directories(root.GetPath() / folder);
            std::filesystem::copy(std::filesystem::path(KESTRUM_GAME_ROOT) / folder, root.GetPath() / folder,
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::overwrite_existing);
        }

        void WriteImage(const std::string& file, unsigned width, unsigned height, const sf::Color& color)
        {
            std::filesystem::create_directories((root.GetPath() / file).parent_path());
            sf::Image image;
            image.create(width, height, color);
            ASSERT_TRUE(image.saveToFile((root.GetPath() / file).string()));
        }

        ScratchGameRoot root;
        CapturedLog log;
        stable_ptr<Registry> registry;
    };
}
