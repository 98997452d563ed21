// The ground tiles, the arcade music and the loading picture, as the build puts
// them into the game root.
#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cmath>
#include <string>

namespace
{
    const std::string gameRoot = std::string(KESTRUM_GAME_ROOT) + "/";
}

// The committed sprite lists cut 15 tiles out of the generated sheets, tile i
// covering exactly the corners whose flags make up i + 1 (1 top left, 2 top
// right, 4 bottom left, 8 bottom right), each tile in a frame of its own border.
TEST(LevelArtTest, TileSpritesShowTheirCornerFlags)
{
    for (const char* id : {"0000000000", "0000000001"})
    {
        SCOPED_TRACE(id);
        pugi::xml_document list;
        ASSERT_TRUE(list.load_file((gameRoot + "resources/tiles/" + id + ".spl").c_str()));
        sf::Image sheet;
        ASSERT_TRUE(sheet.loadFromFile(gameRoot + "resources/tiles/" + id + ".png"));
        unsigned index = 0;
        for (const pugi::xml_node sprite : list.child("sprite_list").children("sprite"))
        {
            const unsigned flags = ++index;
            const int x = sprite.attribute("x").as_int(), y = sprite.attribute("y").as_int();
            ASSERT_EQ(32, sprite.attribute("width").as_int());
            ASSERT_EQ(32, sprite.attribute("height").as_int());
            EXPECT_EQ(std::string(id) + ".png", sprite.attribute("image_path").value());
            const int corners[4][2] = {{1, 1}, {30, 1}, {1, 30}, {30, 30}};
            for (unsigned corner = 0; corner < 4; ++corner)
            {
                const sf::Uint8 alpha = sheet.getPixel(unsigned(x + corners[corner][0]), unsigned(y + corners[corner][1])).a;
                if (flags & (1u << corner))
                    EXPECT_EQ(255, alpha) << "tile " << flags << " corner " << corner;
                else
                    EXPECT_EQ(0, alpha) << "tile " << flags << " corner " << corner;
            }
            for (int i = 0; i < 32; ++i)
            {
                EXPECT_EQ(sheet.getPixel(unsigned(x - 1), unsigned(y + i)), sheet.getPixel(unsigned(x), unsigned(y + i)));
                EXPECT_EQ(sheet.getPixel(unsigned(x + i), unsigned(y + 32)), sheet.getPixel(unsigned(x + i), unsigned(y + 31)));
            }
        }
        EXPECT_EQ(15u, index);
    }
}

TEST(LevelArtTest, ArcadeMusicIsAMinuteOfStereoThatNeverFallsSilent)
{
    sf::InputSoundFile music;
    ASSERT_TRUE(music.openFromFile(gameRoot + "resources/music/0000000001.ogg"));
    EXPECT_EQ(2u, music.getChannelCount());
    const float seconds = music.getDuration().asSeconds();
    EXPECT_GT(seconds, 50.f);
    EXPECT_LT(seconds, 90.f);
    // Loud enough in every second, and never clipping.
    std::vector<sf::Int16> second(music.getSampleRate() * 2);
    for (int s = 0; s < int(seconds); ++s)
    {
        ASSERT_EQ(second.size(), music.read(second.data(), second.size()));
        double energy = 0.;
        for (sf::Int16 sample : second)
        {
            EXPECT_LT(std::abs(int(sample)), 32767);
            energy += double(sample) * sample;
        }
        EXPECT_GT(std::sqrt(energy / double(second.size())), 1500.) << "second " << s;
    }
}

TEST(LevelArtTest, LoadingPictureFillsTheReferenceWindow)
{
    sf::Image loading;
    ASSERT_TRUE(loading.loadFromFile(gameRoot + "resources/gui/screens/flight/loading.jpg"));
    EXPECT_EQ(sf::Vector2u(1024, 768), loading.getSize());
}
