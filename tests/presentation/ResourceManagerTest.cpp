#include "presentation/ResourceManager.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <sys/stat.h>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ScratchGameRoot;
using Kestrum::Testing::ThrownMessage;

namespace
{
    void WriteImage(const std::string& file, unsigned width, unsigned height, const sf::Color& color)
    {
        const std::filesystem::path folder = std::filesystem::path(file).parent_path();
        if (!folder.empty())
            std::filesystem::create_directories(folder);
        sf::Image image;
        image.create(width, height, color);
        ASSERT_TRUE(image.saveToFile(file));
    }

    class ResourceManagerTest : public ::testing::Test
    {
    protected:
        ScratchGameRoot root;
        CapturedLog log;
        ResourceManager manager;
    };
}

TEST_F(ResourceManagerTest, KeepsOneImagePerCanonicalPath)
{
    WriteImage("resources/a.png", 4, 2, sf::Color::Red);
    const stable_ptr<sf::Image> first = manager.GetImage("resources|a.png", false);
    EXPECT_EQ(sf::Vector2u(4, 2), first->getSize());

    // Once loaded, the file is not read again for the same key.
    WriteImage("resources/a.png", 8, 8, sf::Color::Blue);
    EXPECT_EQ(first.get(), manager.GetImage("resources|a.png", true).get());
    EXPECT_NE(first.get(), manager.GetImage("resources||a.png|", false).get())
        << "a differently spelt path without '$' is a key of its own";

    // A '$' path has a key of its own and reads the file on its first request.
    const stable_ptr<sf::Image> rooted = manager.GetImage("resources|enemies|$resources|a.png", false);
    EXPECT_NE(first.get(), rooted.get());
    EXPECT_EQ(sf::Vector2u(8, 8), rooted->getSize());
    EXPECT_EQ(rooted.get(), manager.GetImage("$resources|a.png", false).get());
}

TEST_F(ResourceManagerTest, MissingImageFailsAndIsTriedAgain)
{
    EXPECT_EQ("could not load resources|missing.png",
              ThrownMessage<LoadError>([&] { manager.GetImage("resources|missing.png", false); }));
    WriteImage("resources/missing.png", 3, 3, sf::Color::Green);
    EXPECT_EQ(sf::Color::Green, manager.GetImage("resources|missing.png", false)->getPixel(1, 1));
}

TEST_F(ResourceManagerTest, PathsLeavingTheGameRootAreRefused)
{
    WriteImage("outside.png", 2, 2, sf::Color::White);
    WriteImage("resources/inside.png", 2, 2, sf::Color::White);
    for (const char* path : {"resources|..|outside.png", "resources|.|inside.png"})
    {
        SCOPED_TRACE(path);
        EXPECT_THROW(manager.GetImage(path, false), LoadError);
    }
    EXPECT_TRUE(log.Contains("Double dots are not allowed in path: resources|..|outside.png"));
    EXPECT_TRUE(log.Contains("Dots are not allowed in path: resources|.|inside.png"));
    EXPECT_THROW(manager.GetImage("$resources|..|..|outside.png", false), LogicError);
    // Inside the tree a '$' path may climb back up.
    EXPECT_NO_THROW(manager.GetImage("$resources|gui|..|inside.png", false));
}

TEST_F(ResourceManagerTest, SpritesShareTheTextureAndItsSmoothing)
{
    WriteImage("resources/gui/button.png", 6, 4, sf::Color(10, 20, 30));
    const stable_ptr<sf::Sprite> sprite = manager.CreateSprite("resources|gui|button.png", false);
    EXPECT_EQ(sf::IntRect(0, 0, 6, 4), sprite->getTextureRect());
    ASSERT_NE(nullptr, sprite->getTexture());
    EXPECT_FALSE(sprite->getTexture()->isSmooth());

    const stable_ptr<sf::Sprite> smooth = manager.CreateSprite("resources|gui|button.png", true);
    EXPECT_EQ(sprite->getTexture(), smooth->getTexture());
    EXPECT_TRUE(sprite->getTexture()->isSmooth());
    manager.GetImage("resources|gui|button.png", false);
    EXPECT_FALSE(sprite->getTexture()->isSmooth()) << "the latest request decides";
}

TEST_F(ResourceManagerTest, ImageTooLargeForATextureStaysAnImage)
{
    const unsigned width = sf::Texture::getMaximumSize() + 1;
    WriteImage("resources/wide.png", width, 1, sf::Color::White);
    for (int attempt = 0; attempt < 2; ++attempt)
        EXPECT_EQ("could not load resources|wide.png",
                  ThrownMessage<LoadError>([&] { manager.CreateSprite("resources|wide.png", true); }));
    EXPECT_EQ(sf::Vector2u(width, 1), manager.GetImage("resources|wide.png", false)->getSize());
}

TEST(ResourceManagerLifetime, SpriteKeepsItsTextureAfterTheManagerIsGone)
{
    const ScratchGameRoot root;
    WriteImage("resources/a.png", 5, 5, sf::Color::Yellow);
    std::shared_ptr<sf::Sprite> sprite;
    {
        ResourceManager manager;
        sprite = manager.CreateSprite("resources|a.png", false).get_shared();
    }
    ASSERT_NE(nullptr, sprite->getTexture());
    EXPECT_EQ(sf::Vector2u(5, 5), sprite->getTexture()->getSize());
    EXPECT_EQ(sf::Color::Yellow, sprite->getTexture()->copyToImage().getPixel(2, 2));
}

TEST(OpenResourceFile, OpensRegularFilesOnly)
{
    ScratchGameRoot root;
    root.WriteFile("resources/gui/click_area.txt", "0 0 10 20\n");
    const stable_ptr<std::istream> stream = OpenResourceFile("resources|gui|click_area.txt");
    EXPECT_EQ("0 0 10 20\n", std::string(std::istreambuf_iterator<char>(*stream), {}));

    EXPECT_EQ("./resources/gui is not a regular file",
              ThrownMessage<LoadError>([] { OpenResourceFile("resources|gui"); }));
}

namespace
{
    void WriteTone(const std::string& file)
    {
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::vector<sf::Int16> samples(2205);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<sf::Int16>(8000 * std::sin(i * 0.1));
        sf::OutputSoundFile output;
        ASSERT_TRUE(output.openFromFile(file, 22050, 1));
        output.write(samples.data(), samples.size());
    }

    class ResourceManagerSoundTest : public ResourceManagerTest
    {
    protected:
        ResourceManagerSoundTest() : registry(Registry::Create()), configuration(new ConfigurationSystem())
        {
            registry->Register<ConfigurationSystem>(configuration);
        }
        stable_ptr<Registry> registry;
        stable_ptr<ConfigurationSystem> configuration;
    };
}

TEST_F(ResourceManagerSoundTest, SoundsShareTheirBufferAndSoundsAndMusicTakeTheVolumeOfTheirTime)
{
    WriteTone("resources/sounds/hit.ogg");
    configuration->GetSoundConfiguration()->SetSoundVolume(40);
    const stable_ptr<sf::Sound> first = manager.CreateSound("resources|sounds|hit.ogg");
    EXPECT_FLOAT_EQ(40.f, first->getVolume());
    EXPECT_EQ(0.1f, first->getBuffer()->getDuration().asSeconds());

    configuration->GetSoundConfiguration()->SetSoundVolume(70);
    const stable_ptr<sf::Sound> second = manager.CreateSound("resources|sounds|hit.ogg");
    EXPECT_FLOAT_EQ(70.f, second->getVolume());
    EXPECT_FLOAT_EQ(40.f, first->getVolume()) << "sounds already made keep their volume";
    EXPECT_EQ(first->getBuffer(), second->getBuffer());

    EXPECT_EQ("could not load resources|sounds|none.ogg",
              ThrownMessage<LoadError>([&] { manager.CreateSound("resources|sounds|none.ogg"); }));

    // Music streams from its file, at the music volume.
    configuration->GetSoundConfiguration()->SetMusicVolume(55);
    const std::shared_ptr<sf::Music> music = manager.CreateMusic("resources|sounds|hit.ogg");
    EXPECT_FLOAT_EQ(55.f, music->getVolume());
    EXPECT_EQ(sf::SoundSource::Stopped, music->getStatus());
    EXPECT_EQ("./resources/sounds/none.ogg",
              ThrownMessage<LoadError>([&] { manager.CreateMusic("resources|sounds|none.ogg"); }));
    // A named pipe would keep the stream waiting for ever.
    ASSERT_EQ(0, mkfifo("resources/sounds/pipe.ogg", 0600));
    EXPECT_EQ("./resources/sounds/pipe.ogg is not a regular file",
              ThrownMessage<LoadError>([&] { manager.CreateMusic("resources|sounds|pipe.ogg"); }));
}

TEST_F(ResourceManagerSoundTest, SoundFilesFailAlikeWithAndWithoutAnAudioDevice)
{
    WriteTone("resources/sounds/good.wav");
    WriteTone("resources/sounds/cut.wav");
    std::filesystem::resize_file("resources/sounds/cut.wav", 1000);  // inside its samples
    for (const bool device : {true, false})
        for (const std::string file : {"good.wav", "missing.wav", "cut.wav"})
        {
            const std::string path = "resources|sounds|" + file, where = file + (device ? " with" : " without");
            EXPECT_EQ(file == "good.wav" ? "<nothing thrown>" : "could not load " + path,
                      ThrownMessage<LoadError>([&] { ResourceManager(device).GetSoundBuffer(path); })) << where;
            EXPECT_EQ(file == "missing.wav" ? "./resources/sounds/" + file : "<nothing thrown>",
                      ThrownMessage<LoadError>([&] { ResourceManager(device).CreateMusic(path); })) << where;
        }
}
