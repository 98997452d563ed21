#include "core/ConfigurationSystem.hpp"

#include "core/Exception.hpp"
#include "core/GraphFactory.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sys/stat.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ScratchGameRoot;

namespace
{
    // A general configuration with the shipped values, some of them replaced.
    std::string General(const std::map<std::string, std::string>& changes = {})
    {
        const std::vector<std::pair<std::string, std::string>> values = {
            {"language", "eng"},          {"bit_depth", "32"},          {"frame_rate_limit", "60"},
            {"vertical_blank_sync", "0"}, {"full_screen", "0"},         {"space_partition_x", "8"},
            {"space_partition_y", "8"},   {"attenuation", "1"},         {"minimum_distance", "1"},
            {"sound_volume", "100"},      {"music_volume", "100"}};
        std::string text = "<general_configuration version=\"1\">";
        for (auto [name, value] : values)
        {
            if (changes.count(name))
                value = changes.at(name);
            if (value != "-")  // "-" leaves the element out
                text += "<" + name + ">" + value + "</" + name + ">";
        }
        return text + "</general_configuration>";
    }

    std::string Read(const std::string& path)
    {
        std::ifstream file(path);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

    class ConfigurationSystemTest : public ::testing::Test
    {
    protected:
        ConfigurationSystemTest()
        {
            root.WriteFile("configuration/pcg/configuration.xml",
                           "<pcg_configuration><difficulty_maximum>100</difficulty_maximum>"
                           "<difficulty_variance>10</difficulty_variance></pcg_configuration>");
        }

        // The message of the exception that loading a configuration with these changes throws.
        template <typename E>
        std::string LoadFailure(const std::map<std::string, std::string>& changes)
        {
            root.WriteFile("configuration/default_general_configuration.xml", General(changes));
            return ThrownMessage<E>([] { ConfigurationSystem().Load(); });
        }

        ScratchGameRoot root;
        CapturedLog log;
    };
}

TEST_F(ConfigurationSystemTest, ReadsTheDefaultFileUntilThePlayerHasOne)
{
    root.WriteFile("configuration/default_general_configuration.xml",
                   General({{"language", "Ger"}, {"sound_volume", "150"}, {"music_volume", "-5"},
                            {"vertical_blank_sync", "TRUE"}, {"frame_rate_limit", "75"},
                            {"space_partition_x", "128"}, {"space_partition_y", "0"}, {"attenuation", "2.5"}}));
    ConfigurationSystem configuration;
    configuration.Load();
    EXPECT_EQ(German, configuration.GetLanguage());
    EXPECT_EQ(100.f, configuration.GetSoundConfiguration()->GetSoundVolume());
    EXPECT_EQ(0.f, configuration.GetSoundConfiguration()->GetMusicVolume());
    EXPECT_EQ(2.5f, configuration.GetSoundConfiguration()->GetAttenuation());
    EXPECT_TRUE(configuration.IsVerticalBlankSyncEnabled());
    EXPECT_FALSE(configuration.IsFullScreen());
    EXPECT_EQ(75u, configuration.GetFrameRateLimit());
    EXPECT_EQ(128u, configuration.GetSpacePartitionX());
    EXPECT_EQ(0u, configuration.GetSpacePartitionY());
    EXPECT_EQ(100ul, configuration.GetPCGConfiguration()->GetDifficultyMaximum());
    EXPECT_EQ(10ul, configuration.GetPCGConfiguration()->GetDifficultyVariance());
    // The virtual screen of the tests lists no mode 768 high: a 1024x768 window.
    EXPECT_EQ(sf::VideoMode(1024, 768, 32), configuration.GetVideoMode());
    EXPECT_EQ(sf::Vector2f(1024, 768), configuration.GetScreenSize());

    root.WriteFile("configuration/general_configuration.xml", General({{"language", "ENG"}}));
    configuration.Load();
    EXPECT_EQ(English, configuration.GetLanguage());

    // A broken file of the player's is an error, not a reason to fall back.
    root.WriteFile("configuration/general_configuration.xml", "<general_configuration version=\"1\">");
    EXPECT_THROW(ConfigurationSystem().Load(), XmlError);
    // So is a named pipe in its place, and a folder for the level-generation file:
    // neither makes the game wait.
    std::filesystem::remove("configuration/general_configuration.xml");
    ASSERT_EQ(0, mkfifo("configuration/general_configuration.xml", 0600));
    EXPECT_EQ((root.GetPath() / "configuration" / "general_configuration.xml").string() + " is not a regular file",
              ThrownMessage<LoadError>([] { ConfigurationSystem().Load(); }));
    std::filesystem::remove("configuration/general_configuration.xml");
    std::filesystem::remove("configuration/pcg/configuration.xml");
    std::filesystem::create_directory("configuration/pcg/configuration.xml");
    EXPECT_THROW(ConfigurationSystem().Load(), LoadError);
}

TEST_F(ConfigurationSystemTest, RefusesBadValuesWithTheirMessages)
{
    const std::pair<std::string, std::map<std::string, std::string>> refused[] = {
        {"color bit depth must be either 16 or 32 bit", {{"bit_depth", "24"}}},
        {"space partitioning must not exceed 128 columns", {{"space_partition_x", "129"}}},
        {"space partitioning must not exceed 128 rows", {{"space_partition_y", "129"}}},
        {"fre is not supported", {{"language", "fre"}}}};
    for (const auto& [message, changes] : refused)
        EXPECT_EQ(message, LoadFailure<NotSupportedError>(changes));
    EXPECT_EQ("no music_volume element defined", LoadFailure<XmlError>({{"music_volume", "-"}}));
    const std::pair<std::string, std::map<std::string, std::string>> senseless[] = {
        {"element frame_rate_limit holds -1, which is not an unsigned number", {{"frame_rate_limit", "-1"}}},
        {"element space_partition_x holds -8, which is not an unsigned number", {{"space_partition_x", "-8"}}},
        {"element sound_volume holds nan, which is not a finite number", {{"sound_volume", "nan"}}},
        {"element attenuation holds inf, which is not a finite number", {{"attenuation", "inf"}}},
        {"element minimum_distance holds -inf, which is not a finite number", {{"minimum_distance", "-inf"}}}};
    for (const auto& [message, changes] : senseless)
        EXPECT_EQ(message, LoadFailure<ParseError>(changes));
    EXPECT_EQ("<nothing thrown>", LoadFailure<Exception>({{"bit_depth", "16"}, {"space_partition_x", "0"}}));

    const auto pcg = [&](const std::string& maximum, const std::string& variance) {
        root.WriteFile("configuration/pcg/configuration.xml",
                       "<pcg_configuration><difficulty_maximum>" + maximum + "</difficulty_maximum>" + variance +
                           "</pcg_configuration>");
    };
    pcg("10", "<difficulty_variance>10</difficulty_variance>");
    EXPECT_EQ("difficulty variance is not smaller than maximum", LoadFailure<LogicError>({}));
    pcg("0", "");
    EXPECT_EQ("difficulty maximum is zero", LoadFailure<LogicError>({}));
    // 2^32 + 100 is no 32-bit number: refused rather than read as 100.
    pcg("4294967396", "<difficulty_variance>10</difficulty_variance>");
    EXPECT_EQ("element difficulty_maximum holds 4294967396, which is not an unsigned number",
              LoadFailure<XmlError>({}));
    std::filesystem::remove("configuration/pcg/configuration.xml");
    EXPECT_NE(std::string::npos, LoadFailure<XmlError>({}).find("File was not found"));
}

TEST_F(ConfigurationSystemTest, ReportsAMissingDefaultFileByItsFullPath)
{
    EXPECT_EQ("could not find " + (root.GetPath() / "configuration" / "default_general_configuration.xml").string(),
              ThrownMessage<ResourceMissingError>([] { ConfigurationSystem().Load(); }));
}

TEST_F(ConfigurationSystemTest, SavesThePlayersFileInTheFixedOrderWithPendingValues)
{
    const std::string shipped =
        General({{"language", "GER"}, {"attenuation", "0.1"}, {"sound_volume", "150"}, {"space_partition_y", "3"}});
    root.WriteFile("configuration/default_general_configuration.xml", shipped);
    ConfigurationSystem configuration;
    configuration.Load();
    configuration.SetBitDepth(16);
    configuration.SetFullScreen(true);
    configuration.GetSoundConfiguration()->SetMusicVolume(42.5f);
    configuration.Save();

    EXPECT_EQ(32u, configuration.GetVideoMode().bitsPerPixel);
    EXPECT_EQ(16u, configuration.GetPendingBitDepth().value());
    EXPECT_TRUE(configuration.GetPendingFullScreen().value());
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
              "<general_configuration version=\"1\">\n"
              "    <bit_depth>16</bit_depth>\n"
              "    <full_screen>1</full_screen>\n"
              "    <frame_rate_limit>60</frame_rate_limit>\n"
              "    <vertical_blank_sync>0</vertical_blank_sync>\n"
              "    <language>ger</language>\n"
              "    <space_partition_x>8</space_partition_x>\n"
              "    <space_partition_y>3</space_partition_y>\n"
              "    <attenuation>0.100000001</attenuation>\n"
              "    <minimum_distance>1</minimum_distance>\n"
              "    <sound_volume>100</sound_volume>\n"
              "    <music_volume>42.5</music_volume>\n"
              "</general_configuration>\n",
              Read("configuration/general_configuration.xml"));
    EXPECT_EQ(shipped, Read("configuration/default_general_configuration.xml"));

    // A choice taken back, or equal to the running value, waits for nothing and saves the running value.
    configuration.SetBitDepth(32);
    configuration.SetFullScreen(false);
    EXPECT_FALSE(configuration.GetPendingBitDepth());
    EXPECT_FALSE(configuration.GetPendingFullScreen());
    configuration.Save();
    const std::string written = Read("configuration/general_configuration.xml");
    EXPECT_NE(std::string::npos, written.find("<bit_depth>32</bit_depth>\n    <full_screen>0</full_screen>")) << written;

    // A file that cannot be written is an XML failure, and the old entry stays.
    std::filesystem::remove("configuration/general_configuration.xml");
    std::filesystem::create_directories("configuration/general_configuration.xml/kept");
    EXPECT_THROW(configuration.Save(), XmlError);
    EXPECT_TRUE(std::filesystem::is_directory("configuration/general_configuration.xml/kept"));
}

TEST(ConfigurationSystem, ChoosesTheVideoMode)
{
    CapturedLog log;
    const std::vector<sf::VideoMode> modes = {{1280, 768, 32}, {1024, 768, 32}, {1360, 768, 32}, {960, 768, 32},
                                              {1280, 1024, 32}, {1600, 768, 16}};
    const sf::VideoMode desktop(1920, 1080, 24);
    EXPECT_EQ(sf::VideoMode(1024, 768, 32), ChooseVideoMode(modes, desktop, 32, false));
    EXPECT_EQ(sf::VideoMode(1360, 768, 32), ChooseVideoMode(modes, desktop, 32, true));
    EXPECT_EQ(sf::VideoMode(1600, 768, 16), ChooseVideoMode(modes, desktop, 16, true));
    EXPECT_EQ(sf::VideoMode(1600, 768, 16), ChooseVideoMode(modes, desktop, 16, false));
    EXPECT_THROW(ChooseVideoMode({{960, 768, 32}, {1024, 768, 16}}, desktop, 32, false), NotSupportedError);

    // A screen that lists only its own size still gets a window, when it is big enough for one.
    const std::vector<sf::VideoMode> virtualScreen = {{1280, 1024, 32}, {1280, 1024, 24}};
    EXPECT_EQ(sf::VideoMode(1024, 768, 32), ChooseVideoMode(virtualScreen, sf::VideoMode(1280, 1024), 32, false));
    EXPECT_EQ("could not find an appropriate video mode",
              ThrownMessage<NotSupportedError>(
                  [&] { ChooseVideoMode(virtualScreen, sf::VideoMode(1280, 1024), 32, true); }));
    EXPECT_THROW(ChooseVideoMode(virtualScreen, sf::VideoMode(1099, 1024), 32, false), NotSupportedError);
}

TEST(ConfigurationSystem, FallsBackToAWindowAtTheDisplaysDepthWhenTheChoiceHasNoMode)
{
    CapturedLog log;
    const sf::VideoMode desktop(1920, 1080, 24);
    const std::vector<sf::VideoMode> modes = {{1280, 768, 24}, {1024, 768, 24}, {1366, 768, 16}};
    struct Row
    {
        std::vector<sf::VideoMode> modes;
        unsigned int bitsPerPixel;
        bool fullScreen;
        sf::VideoMode chosen;
        const char* warning;  // empty: none, and full screen stays as it was
    };
    const Row rows[] = {
        {modes, 16, true, {1366, 768, 16}, ""},
        {modes, 32, true, {1024, 768, 32},
         "could not find an appropriate video mode for full screen at 32 bits per pixel: trying a window at the "
         "display's 24 bits per pixel"},
        {modes, 32, false, {1024, 768, 32}, "for a window at 32 bits per pixel: trying a window"},
        {{{1920, 1080, 16}, {1920, 1080, 24}}, 16, true, {1024, 768, 32}, "for full screen at 16 bits"},
        {modes, 24, false, {1024, 768, 24}, ""}};
    for (const Row& row : rows)
    {
        bool fullScreen = row.fullScreen;
        const std::size_t before = log.GetLines().size();
        EXPECT_EQ(row.chosen, ChooseVideoModeOrWindow(row.modes, desktop, row.bitsPerPixel, fullScreen));
        EXPECT_EQ(row.fullScreen && !*row.warning, fullScreen);
        EXPECT_EQ(*row.warning ? before + 1 : before, log.GetLines().size());
        EXPECT_TRUE(!*row.warning || log.Contains(row.warning)) << row.warning;
    }

    // Nothing as a window either: the same failure as ever, after the warning.
    const std::vector<sf::VideoMode> none = {{960, 768, 24}, {1366, 768, 32}};
    bool fullScreen = false;
    EXPECT_EQ("could not find an appropriate video mode",
              ThrownMessage<NotSupportedError>([&] { ChooseVideoModeOrWindow(none, desktop, 16, fullScreen); }));
    EXPECT_EQ(4u, log.Count("trying a window at the display's 24 bits per pixel"));
    EXPECT_THROW(ChooseVideoModeOrWindow(none, desktop, 24, fullScreen), NotSupportedError);
    EXPECT_EQ(4u, log.Count("trying a window"));
}

TEST_F(ConfigurationSystemTest, FullScreenWithoutAModeRunsAndSavesAsAWindow)
{
    // The tests' virtual screen has no mode 768 high: full screen falls back to a window.
    root.WriteFile("configuration/default_general_configuration.xml",
                   General({{"full_screen", "1"}, {"bit_depth", "16"}}));
    ConfigurationSystem configuration;
    configuration.Load();
    EXPECT_FALSE(configuration.IsFullScreen());
    EXPECT_EQ(sf::Vector2f(1024, 768), configuration.GetScreenSize());
    EXPECT_TRUE(log.Contains("warning: could not find an appropriate video mode for full screen at 16 bits"));
    EXPECT_EQ(Depth32, ToColorDepth(configuration.GetVideoMode().bitsPerPixel));
    configuration.Save();
    const std::string written = Read("configuration/general_configuration.xml");
    EXPECT_NE(std::string::npos, written.find("<bit_depth>32</bit_depth>\n    <full_screen>0</full_screen>")) << written;
}

TEST(ConfigurationSystem, ShippedConfigurationAndCurvesLoad)
{
    ScratchGameRoot root;
    CapturedLog log;
    std::filesystem::copy(std::filesystem::path(KESTRUM_SOURCE_DIR) / "configuration", "configuration",
                          std::filesystem::copy_options::recursive);
    ConfigurationSystem configuration;
    configuration.Load();
    EXPECT_GE(configuration.GetSpacePartitionX(), 1u);
    EXPECT_GE(configuration.GetSpacePartitionY(), 1u);

    // Every mission is long enough for a free start, one segment of 15 rows and
    // the boss, and for the rows a screen shows.
    const GraphFactory graphs;
    const unsigned long maximum = configuration.GetPCGConfiguration()->GetDifficultyMaximum();
    const stable_ptr<Graph> length = graphs.Create("$configuration|pcg|difficulty_to_misson_length.graph");
    const stable_ptr<Graph> threat = graphs.Create("$configuration|pcg|difficulty_to_mission_threat.graph");
    const stable_ptr<Graph> curve = graphs.Create("$configuration|pcg|mission_difficulty_curve_0.graph");
    for (unsigned long difficulty = 0; difficulty <= maximum; ++difficulty)
    {
        const unsigned int rows = static_cast<unsigned int>(length->Evaluate(static_cast<float>(difficulty)));
        EXPECT_GE(rows / 15, 3u) << difficulty;
        EXPECT_GE(rows, 25u) << difficulty;
        EXPECT_GT(threat->Evaluate(static_cast<float>(difficulty) / static_cast<float>(maximum)), 0.f);
    }
    for (float x = 0.f; x <= 1.f; x += 0.05f)
        EXPECT_GT(curve->Evaluate(x), 0.f) << x;
}
