// The services the interface needs, in a scratch game root: the registry with
// the configuration, the resource manager and a window to draw into.
#pragma once

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"
#include "presentation/ResourceManager.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/WindowCapture.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
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
            return CaptureWindow(*GetFromRegistry<sf::RenderWindow>());
        }

        // Copies a folder of the built game root (made by the content tool) into
        // the scratch root, e.g. "resources/gui/screens/shared".
        void CopyFromGameRoot(const std::string& folder)
        {
            root.CopyFromGameRoot(folder);
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
