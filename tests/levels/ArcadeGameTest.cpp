// The arcade run in the running game, played with keys from the title screen
// over short missions of the test's own: the loading picture, firing and
// winning, flying, enemies that shoot, a lost ship and its retry at half the
// score, escape, the run through to the last mission, and escape while a
// mission loads. The game runs at three frames a second, so that the three
// loading frames stay on the screen long enough to be seen.
#include "support/GameHarness.hpp"
#include "support/ScreenProbe.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <thread>
#include <unistd.h>

using Kestrum::Testing::GameHarness;
using namespace Kestrum::Testing::ScreenProbe;

namespace
{
    using namespace std::chrono_literals;

    const std::string ground =
        "<layer type='tangible' scroll_factor='1'><tile_grid repeat='1'><tile_row repeat='1'>"
        "<tile_sequence repeat='26'>15</tile_sequence></tile_row></tile_grid></layer>"
        // Earth stripes every six rows, to see the ground move.
        "<layer type='tangible' scroll_factor='1'><tile_grid repeat='100'><tile_row repeat='5'>"
        "<tile_sequence repeat='26'>65520</tile_sequence></tile_row><tile_row repeat='1'>"
        "<tile_sequence repeat='26'>65551</tile_sequence></tile_row></tile_grid></layer>";

    std::string Level(const std::string& enemies)
    {
        return "<mission version='1'><layers>" + ground + "<stage type='tangible' scroll_factor='1'><enemies>" +
               enemies +
               "</enemies></stage></layers><background_music>1</background_music><scroll_behaviour>"
               "<graph type='flat_line'><y>0.1</y></graph></scroll_behaviour></mission>";
    }

    // A gunboat that must be shot, straight ahead of the ship's start.
    const std::string firstMission = Level("<enemy x='13' y='32' type='airship000'><kill_to_win/></enemy>");
    // Hornets that ram the ship, two gunboats that shoot at it, a stream of
    // hornets that finds the ship between the end of its invincibility and the
    // shield's return, and a battery far ahead that keeps the mission from
    // being won meanwhile.
    std::string HornetStream()
    {
        std::string stream;
        for (int row = 48; row <= 78; ++row)
            stream += "<enemy x='" + std::to_string(row % 2 ? 9 : 17) + "' y='" + std::to_string(row) +
                      "' type='airship002'/>";
        return stream;
    }
    const std::string losingMission =
        Level("<enemy x='4' y='31' type='airship000'/><enemy x='22' y='31' type='airship000'/>"
              "<enemy x='6' y='33' type='airship002'/><enemy x='10' y='34' type='airship002'/>"
              "<enemy x='13' y='35' type='airship002'/><enemy x='16' y='34' type='airship002'/>"
              "<enemy x='20' y='33' type='airship002'/><enemy x='13' y='38' type='airship002'/>" +
              HornetStream() + "<enemy x='3' y='400' type='turret000'><kill_to_win/></enemy>");
    // Nothing to win: complete at once.
    const std::string emptyMission = Level("");

    const std::string configuration =
        "<general_configuration version='1'><bit_depth>32</bit_depth><full_screen>0</full_screen>"
        "<frame_rate_limit>3</frame_rate_limit><vertical_blank_sync>0</vertical_blank_sync>"
        "<language>eng</language><space_partition_x>8</space_partition_x><space_partition_y>8</space_partition_y>"
        "<attenuation>1</attenuation><minimum_distance>1</minimum_distance><sound_volume>100</sound_volume>"
        "<music_volume>100</music_volume></general_configuration>";

    std::size_t Count(const std::string& text, const std::string& part)
    {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++count;
        return count;
    }

    bool WaitForLogCount(GameHarness& game, const std::string& text, std::size_t count,
                         std::chrono::milliseconds timeout = 40s)
    {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline && game.IsRunning())
        {
            if (Count(game.ReadLog(), text) >= count)
                return true;
            std::this_thread::sleep_for(100ms);
        }
        return false;
    }

    // Mean difference of the colour channels over a rectangle.
    double Difference(const sf::Image& a, const sf::Image& b, int left, int top, int width, int height)
    {
        double sum = 0.;
        for (int y = top; y < top + height; ++y)
            for (int x = left; x < left + width; ++x)
            {
                const sf::Color p = a.getPixel(unsigned(x), unsigned(y)), q = b.getPixel(unsigned(x), unsigned(y));
                sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
            }
        return sum / (3. * width * height);
    }

    // Pixels of a kind over the lower play field, and the mean column of them.
    template <typename Kind>
    unsigned Find(const sf::Image& picture, Kind kind, float* column = nullptr)
    {
        unsigned found = 0;
        double sum = 0.;
        for (unsigned y = 200; y < 768; ++y)
            for (unsigned x = 200; x < 1024; ++x)
                if (kind(picture.getPixel(x, y)))
                    ++found, sum += x;
        if (column)
            *column = found ? float(sum / found) : -1.f;
        return found;
    }

    // The blue of the fighter's wings, the cyan of its pulses and the magenta
    // of the enemies' needles.
    bool ShipBlue(const sf::Color& c) { return c.b > 150 && c.b > c.r + 80 && c.b > c.g + 50; }
    bool PlayerShot(const sf::Color& c) { return c.b > 235 && c.g > 200 && c.r < 140; }
    bool EnemyShot(const sf::Color& c) { return c.r > 200 && c.b > 150 && c.g < 120; }

    // Until the first mission begins (once more than `runs` times): whether the
    // loading picture showed. Pictures are taken as bitmaps and compared at
    // every fourth pixel of every fourth row, to look as often as possible.
    bool SawLoadingPicture(GameHarness& game, const sf::Image& loading, std::size_t runs = 0)
    {
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (std::chrono::steady_clock::now() < deadline && game.IsRunning())
        {
            sf::Image picture;
            if (picture.loadFromFile(game.Screenshot("loading.bmp").string()) &&
                picture.getSize() == loading.getSize())
            {
                double sum = 0.;
                for (unsigned y = 0; y < 768; y += 4)
                    for (unsigned x = 0; x < 1024; x += 4)
                    {
                        const sf::Color p = picture.getPixel(x, y), q = loading.getPixel(x, y);
                        sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
                    }
                if (sum / (3. * 256. * 192.) < 8.)
                    return true;
            }
            if (Count(game.ReadLog(), "arcade mission 0 begins") > runs)
                return false;
        }
        return false;
    }

    // Processor seconds and resident megabytes: fields 14, 15 and 24 of /proc/PID/stat (the state is the 3rd).
    std::pair<double, double> Usage(pid_t pid)
    {
        std::ifstream file("/proc/" + std::to_string(pid) + "/stat");
        file.ignore(4096, ')');
        const std::vector<std::string> f{std::istream_iterator<std::string>(file), {}};
        return {(std::stod(f.at(11)) + std::stod(f.at(12))) / sysconf(_SC_CLK_TCK), std::stod(f.at(21)) * getpagesize() / 1e6};
    }
}

TEST(ArcadeGameTest, PlaysFromTheTitleThroughWinsLossesAndEscapes)
{
    GameHarness game;
    game.WriteFile("configuration/general_configuration.xml", configuration);
    game.RemoveFile("missions/arcade");
    game.WriteFile("missions/arcade/0000000000/structure.xml", firstMission);
    game.WriteFile("missions/arcade/0000000001/structure.xml", losingMission);
    sf::Image loading;
    ASSERT_TRUE(loading.loadFromFile((game.Root() / "resources/gui/screens/flight/loading.jpg").string()));
    ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();

    // Return: the loading picture, then mission 0; the ship fires and wins.
    game.Key("Return");
    EXPECT_TRUE(SawLoadingPicture(game, loading));
    game.KeyDown("space");
    ASSERT_TRUE(game.WaitForLog("arcade mission 0 begins")) << game.ReadLog();
    std::this_thread::sleep_for(1s);
    const sf::Image firing = Picture(game);
    EXPECT_GT(Find(firing, PlayerShot), 20u) << "pulses in the air";
    // Every mission starts the ship at the same place.
    float start = 0.f;
    EXPECT_GT(Find(firing, ShipBlue, &start), 100u);
    EXPECT_TRUE(game.WaitForLog("arcade mission 0 completed", 30s)) << game.ReadLog();
    game.KeyUp("space");

    // Mission 1: the ship flies left over moving ground, enemies shoot, the
    // ship is lost and the mission is flown again with half the score. The
    // ship flies at once, before the enemies come near, however slowly the
    // pictures are taken.
    ASSERT_TRUE(game.WaitForLog("arcade mission 1 begins")) << game.ReadLog();
    game.KeyDown("Left");
    std::this_thread::sleep_for(400ms);
    game.KeyUp("Left");
    // The frame that took the key may not be on the screen yet.
    float end = 0.f;
    const auto hasFlownLeft = [&](const sf::Image& picture) {
        return Find(picture, ShipBlue, &end) > 100u && end < start - 50.f;
    };
    sf::Image flown = Picture(game);
    for (int i = 0; i < 10 && !hasFlownLeft(flown); ++i)
        flown = Picture(game);
    EXPECT_TRUE(hasFlownLeft(flown)) << "flown left from " << start << " to " << end;
    // A gunboat's first volley comes 3.5 to 5.5 seconds after it is in.
    bool needles = false, scrolled = false;
    for (int i = 0; i < 80 && !(needles && scrolled); ++i)
    {
        const sf::Image later = Picture(game);
        needles = needles || Find(later, EnemyShot) > 10;
        scrolled = scrolled || Difference(flown, later, 700, 300, 300, 200) > 5.;
    }
    EXPECT_TRUE(scrolled) << "the ground scrolls";
    EXPECT_TRUE(needles) << "enemies shoot";
    ASSERT_TRUE(game.WaitForLog("arcade mission 1 failed", 40s)) << game.ReadLog();
    std::smatch halving;
    const std::string log = game.ReadLog();
    ASSERT_TRUE(std::regex_search(log, halving, std::regex("failed: the score halves from (\\d+) to (\\d+)")));
    const unsigned long score = std::stoul(halving[1]);
    EXPECT_GE(score, 100u) << "the gunboat's points";
    EXPECT_EQ(score / 2, std::stoul(halving[2]));
    EXPECT_TRUE(WaitForLogCount(game, "arcade mission 1 begins", 2)) << "flown again";

    // Escape: back to the title.
    TapKey(game, "Escape");
    EXPECT_TRUE(WaitForScreen(game, Screen::title));

    // With a second mission that is won at once, the run ends at the title.
    game.WriteFile("missions/arcade/0000000001/structure.xml", emptyMission);
    TapKey(game, "Return");
    ASSERT_TRUE(WaitForLogCount(game, "arcade mission 0 begins", 2)) << game.ReadLog();
    game.KeyDown("space");
    EXPECT_TRUE(WaitForLogCount(game, "arcade mission 0 completed", 2, 30s)) << game.ReadLog();
    game.KeyUp("space");
    EXPECT_TRUE(game.WaitForLog("finished last mission!", 30s)) << game.ReadLog();
    EXPECT_TRUE(WaitForScreen(game, Screen::title));

    // Escape while the first mission loads (once it has been entered, a frame
    // after the loading picture shows) leaves it cleanly: the next run starts
    // as the first did. Escape is only sent once the loading picture shows, so
    // that a slow game cannot take it on the title screen, where it ends the game.
    std::size_t runs = Count(game.ReadLog(), "arcade mission 0 begins");
    game.Key("Return");
    EXPECT_TRUE(SawLoadingPicture(game, loading, runs));
    std::this_thread::sleep_for(400ms);
    game.Key("Escape");
    EXPECT_TRUE(WaitForScreen(game, Screen::title));
    std::this_thread::sleep_for(1s);
    runs = Count(game.ReadLog(), "arcade mission 0 begins");
    TapKey(game, "Return");
    EXPECT_TRUE(WaitForLogCount(game, "arcade mission 0 begins", runs + 1)) << game.ReadLog();
    TapKey(game, "Escape");
    EXPECT_TRUE(WaitForScreen(game, Screen::title));

    game.Close();
    EXPECT_EQ(0, game.WaitForExit());
    EXPECT_EQ(std::string::npos, game.ReadLog().find("error:   Caught")) << game.ReadLog();
    EXPECT_EQ(0u, Count(game.ReadLog(), "| error:") - Count(game.ReadLog(), "vertical sync not supported"))
        << game.ReadLog();
}

// With a driver that does not exist: silent, memory flat, no more work than through the silent driver.
TEST(ArcadeGameTest, WithoutAnAudioDeviceFliesSilentlyWithFlatMemoryAndNoExtraWork)
{
    GameHarness silent, audible;
    silent.SetAudioDriver("nosuchdriver");
    for (GameHarness* game : {&silent, &audible})
    {
        ASSERT_TRUE(StartAtTitle(*game)) << game->ReadOutput();
        game->Key("Return");
        ASSERT_TRUE(game->WaitForLog("arcade mission 0 begins")) << game->ReadLog();
        game->KeyDown("space");
    }
    const auto silentStart = Usage(silent.Pid()), audibleStart = Usage(audible.Pid());
    // Looked at every second, so that a runaway is stopped early; beside the other game's (a sanitizer keeps freed memory).
    for (int second = 0; second <= 30; ++second, std::this_thread::sleep_for(1s))
        ASSERT_LT(Usage(silent.Pid()).second - silentStart.second, Usage(audible.Pid()).second - audibleStart.second + 30.)
            << "MB grown in " << second << " s";
    EXPECT_LT(Usage(silent.Pid()).first - silentStart.first, 1.5 * (Usage(audible.Pid()).first - audibleStart.first) + 1.);
    silent.Close();
    EXPECT_EQ(0, silent.WaitForExit());
    EXPECT_EQ(1u, Count(silent.ReadLog(), "warning: no audio device could be opened: the game runs without sound\n"));
    // The multimedia library's complaints reach the log as errors, OpenAL's own the standard error.
    EXPECT_FALSE(std::regex_search(silent.ReadOutput(), std::regex("error:   (?!Setting vertical sync)|AL lib|OpenAL")));
}
