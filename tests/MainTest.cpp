// The game executable from start to end, under its own X server.
#include "support/GameHarness.hpp"

#include <SFML/Graphics/Image.hpp>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

using Kestrum::Testing::GameHarness;

namespace
{
    const std::string stamp = "[0-9]{4}-[A-Z][a-z]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}";

    std::vector<std::string> Lines(const std::string& text)
    {
        std::vector<std::string> lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);)
            lines.push_back(line);
        return lines;
    }

    // Runs the game until it ends by itself and returns its exit code.
    int RunToEnd(GameHarness& game)
    {
        game.Start();
        return game.WaitForExit();
    }
}

// Here no sound card answers: what ALSA and OpenAL write while the game asks for
// a device reaches the log as error lines just before the game's warning, and
// nothing reaches the terminal but the log's own lines.
TEST(Main, OpensItsWindowAndEndsCleanlyWhenTheWindowIsClosed)
{
    GameHarness game;
    game.SetAudioDriver("alsa");
    game.SetVariable("ALSA_CARD", "nosuchcard");
    game.Start();
    ASSERT_TRUE(game.FindWindow("Quorvallis 0.4 (alpha)")) << game.ReadOutput();
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(game.Screenshot("window.png").string()));
    EXPECT_EQ(sf::Vector2u(1024, 768), shot.getSize());
    const std::string window = game.RunTool({"xwininfo", "-id", std::to_string(game.WindowId())});
    EXPECT_NE(std::string::npos, window.find("Override Redirect State: no")) << window;
    // Centred on the 1280x1024 screen.
    EXPECT_NE(std::string::npos, window.find("Absolute upper-left X:  128")) << window;
    EXPECT_NE(std::string::npos, window.find("Absolute upper-left Y:  128")) << window;
    game.Close();
    EXPECT_EQ(0, game.WaitForExit());

    const std::string log = game.ReadLog();
    // Every run begins with a bare empty line, then the first stamped line.
    EXPECT_TRUE(std::regex_search(log, std::regex("^\n" + stamp + " \\| info:    Log system is running\n"))) << log;
    EXPECT_EQ(std::string::npos, log.find("found command line parameters")) << log;
    // The multimedia library's own complaints reach the log as errors.
    EXPECT_TRUE(std::regex_search(log, std::regex(stamp + " \\| error:   Setting vertical sync not supported\n")))
        << log;
    EXPECT_TRUE(std::regex_search(log, std::regex("\\| info:    Log system is running\n(" + stamp +
                                                  " \\| error:   ALSA lib [^\n]+\n)+(" + stamp +
                                                  " \\| error:   AL lib: \\(EE\\) [^\n]+\n)+" + stamp +
                                                  " \\| warning: no audio device could be opened: the game runs "
                                                  "without sound\n")))
        << log;
    EXPECT_EQ(log.find("no audio device could be opened"), log.rfind("no audio device could be opened")) << "once";
    EXPECT_EQ("", game.ReadErrors());
    EXPECT_EQ(log, game.ReadOutput());

    const std::vector<std::string> profile = Lines(game.ReadFile("profile.csv"));
    const std::string names =
        "ML;ML_Begin;ML_Draw;ML_Input_Update;ML_ScreenMng_Update;ML_Screen_Update;ML_Win_Display;";
    // The report's layout is the profile system's own test; here every stage of the loop shows in it.
    ASSERT_GE(profile.size(), 10u);
    EXPECT_EQ(";" + names, profile[2]);
    EXPECT_EQ("Time;" + names, profile[8]);
    // One row per pass, every stage measured in every row.
    const std::regex duration("[0-9]+,[0-9]{8};");
    for (std::size_t row = 9; row < profile.size(); ++row)
    {
        const std::string prefix = std::to_string(row - 9) + ";";
        ASSERT_EQ(0u, profile[row].find(prefix)) << profile[row];
        const std::string cells = profile[row].substr(prefix.size());
        EXPECT_EQ(7, std::distance(std::sregex_iterator(cells.begin(), cells.end(), duration), std::sregex_iterator()))
            << profile[row];
    }
}

// A display that cannot be opened is named on one error line and ends the run
// with status 1, before the window library would abort it and leave a core file.
TEST(Main, ADisplayThatCannotBeOpenedIsNamedAndEndsTheRun)
{
    GameHarness game;
    rlimit before{}, cores{};
    getrlimit(RLIMIT_CORE, &before);
    cores.rlim_cur = cores.rlim_max = before.rlim_max;
    setrlimit(RLIMIT_CORE, &cores);
    game.Start({}, ":4321");
    EXPECT_EQ(1, game.WaitForExit()) << "an exit of its own, not a signal";
    setrlimit(RLIMIT_CORE, &before);
    const std::regex lines("\n" + stamp + " \\| info:    Log system is running\n" + stamp +
                           " \\| error:   cannot open the X display \":4321\"\n");
    EXPECT_TRUE(std::regex_match(game.ReadLog(), lines)) << game.ReadLog();
    EXPECT_EQ(game.ReadLog(), game.ReadOutput());
    for (const auto& entry : std::filesystem::directory_iterator(game.Root()))
        EXPECT_NE(0u, entry.path().filename().string().rfind("core", 0)) << entry.path();
}

// xvfb-run's server resets when its last client leaves; the test's tools connect after the first frame.
TEST(Main, StartsEveryTimeOnAnXServerThatResetsWhenItsLastClientLeaves)
{
    for (int start = 1; start <= 10; ++start)
    {
        GameHarness game("1280x1024x24", true);
        game.Start();
        ASSERT_TRUE(game.WaitForLog("first frame shown", std::chrono::seconds(20)) && game.FindWindow()) << start;
        game.Close();
        EXPECT_EQ(0, game.WaitForExit()) << start;
    }
}

TEST(Main, SmallDesktopGetsTheGameInFullScreenAndArgumentsAreLoggedAndIgnored)
{
    GameHarness game("1024x768x24");
    game.Start({"--fast", "two words"});
    ASSERT_TRUE(game.FindWindow()) << game.ReadOutput();
    sf::Image shot;
    ASSERT_TRUE(shot.loadFromFile(game.Screenshot("full.png").string()));
    EXPECT_EQ(sf::Vector2u(1024, 768), shot.getSize());
    // A full-screen window goes past any window manager.
    EXPECT_NE(std::string::npos, game.RunTool({"xwininfo", "-id", std::to_string(game.WindowId())})
                                     .find("Override Redirect State: yes"));
    game.Close();
    EXPECT_EQ(0, game.WaitForExit());
    EXPECT_EQ(std::string::npos, game.ReadLog().find("opening a 1024x768 window")) << game.ReadLog();
    EXPECT_TRUE(std::regex_search(game.ReadLog(),
                                  std::regex("\n" + stamp +
                                             " \\| warning: found command line parameters: they will be ignored\n" +
                                             stamp + " \\| warning:   --fast\n" + stamp +
                                             " \\| warning:   two words\n" + stamp + " \\| ")))
        << game.ReadLog();
}

TEST(Main, BadConfigurationValueEndsTheRunWithItsErrorInTheLog)
{
    GameHarness game;
    std::string configuration = game.ReadFile("configuration/default_general_configuration.xml");
    configuration.replace(configuration.find("<bit_depth>32<"), 14, "<bit_depth>24<");
    game.WriteFile("configuration/general_configuration.xml", configuration);
    EXPECT_EQ(1, RunToEnd(game)) << "an error ended the run";
    const std::string log = game.ReadLog();
    EXPECT_TRUE(std::regex_search(
        log, std::regex(" \\| error:   .*ConfigurationSystem.cpp\\([0-9]+\\): Throw in function void "
                        "Kestrum::ConfigurationSystem::Load\\(\\)\n *Dynamic exception type: "
                        "boost::wrapexcept<Kestrum::NotSupportedError>\n *std::exception::what: color bit depth "
                        "must be either 16 or 32 bit\n *\\[Kestrum::tag_function\\*\\] = "
                        "int main\\(int, char\\*\\*\\)\n")))
        << log;
    // The profiler did not exist yet.
    EXPECT_FALSE(game.FileExists("profile.csv"));
}

TEST(Main, MissingDefaultConfigurationIsReportedWithItsPath)
{
    GameHarness game;
    game.RemoveFile("configuration/default_general_configuration.xml");
    EXPECT_EQ(1, RunToEnd(game));
    const std::string expected = "std::exception::what: could not find " +
                                 (game.Root() / "configuration" / "default_general_configuration.xml").string() + "\n";
    EXPECT_NE(std::string::npos, game.ReadLog().find(expected)) << game.ReadLog();
    EXPECT_NE(std::string::npos, game.ReadLog().find("boost::wrapexcept<Kestrum::ResourceMissingError>"));
}

TEST(Main, FailureAfterTheProfilerExistsStillWritesTheProfile)
{
    GameHarness game;
    game.RemoveFile("configuration/default_input_configuration.xml");
    EXPECT_EQ(1, RunToEnd(game));
    const std::string log = game.ReadLog();
    EXPECT_NE(std::string::npos, log.find("boost::wrapexcept<Kestrum::ResourceMissingError>")) << log;
    EXPECT_NE(std::string::npos, log.find("[Kestrum::tag_function*] = int main(int, char**)")) << log;
    // No pass of the main loop ran: the report holds its header and no rows.
    const std::vector<std::string> profile = Lines(game.ReadFile("profile.csv"));
    ASSERT_EQ(9u, profile.size()) << game.ReadFile("profile.csv");
    EXPECT_EQ("Configuration;Release;LIB", profile[0]);
    EXPECT_EQ("Time;", profile[8]);
}

TEST(Main, MediaThatIsNoRegularFileEndsTheGameAtOnceWithItsPath)
{
    // A named pipe for a picture would block the game for ever, a folder for a sound would spin: a
    // particle texture is read at start-up, the default weapon's sound as the arcade begins.
    for (const std::string file : {"resources/particles/textures/glow.png", "resources/equipment/weapons/000/fire.wav"})
    {
        GameHarness game;
        game.RemoveFile(file);
        const std::filesystem::path path = game.Root() / file;
        const bool picture = path.extension() == ".png";
        ASSERT_EQ(0, picture ? mkfifo(path.c_str(), 0600) : mkdir(path.c_str(), 0700));
        game.Start();
        if (!picture)
        {
            ASSERT_TRUE(game.FindWindow());
            game.Key("Return");
        }
        EXPECT_EQ(1, game.WaitForExit(std::chrono::seconds(10))) << file;
        EXPECT_NE(std::string::npos, game.ReadLog().find("./" + file + " is not a regular file")) << game.ReadLog();
    }
}

// A display that goes away while the game runs is logged, and the game ends with status 1.
TEST(Main, ADisplayThatGoesAwayIsLoggedAndEndsTheRun)
{
    const struct
    {
        const char* what;
        std::function<void(GameHarness&)> act;
        std::string line;
    } cases[] = {
        {"another program destroys the window",
         [](GameHarness& game) { game.RunTool({"xdotool", "windowclose", std::to_string(game.WindowId())}); },
         "the X display \"DISPLAY\" refused the game's request [^\n]+: Bad[A-Za-z]+ \\([^\n]+\\): the game ends"},
        {"the X server ends", [](GameHarness& game) { game.StopServer(); },
         "the connection to the X display \"DISPLAY\" was lost: the game ends"},
    };
    for (const auto& row : cases)
    {
        GameHarness game;
        game.Start();
        ASSERT_TRUE(game.WaitForLog("first frame shown", std::chrono::seconds(20)) && game.FindWindow()) << row.what;
        row.act(game);
        EXPECT_EQ(1, game.WaitForExit()) << row.what;
        const std::string line = std::regex_replace(row.line, std::regex("DISPLAY"), game.Display());
        EXPECT_TRUE(std::regex_search(game.ReadLog(), std::regex("\n" + stamp + " \\| error:   " + line + "\n$")))
            << row.what << "\n" << game.ReadLog();
        EXPECT_EQ("", game.ReadErrors()) << row.what;
    }
}
