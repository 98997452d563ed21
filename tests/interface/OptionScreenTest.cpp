// The options screen in the running game: what ok writes, what escape leaves
// alone, and what the dials change.
#include "support/GameHarness.hpp"
#include "support/ScreenProbe.hpp"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using Kestrum::Testing::GameHarness;
using namespace Kestrum::Testing::ScreenProbe;

namespace
{
    const std::string general = "configuration/general_configuration.xml";
    const std::string input = "configuration/input_configuration.xml";

    std::string ShippedFile(const std::string& relativePath)
    {
        std::ifstream file(std::string(KESTRUM_GAME_ROOT) + "/" + relativePath, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    // Name and text of every child of the root, in file order.
    std::vector<std::pair<std::string, std::string>> Children(const std::string& text, const char* root)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(text.c_str())) << text;
        std::vector<std::pair<std::string, std::string>> children;
        for (const pugi::xml_node child : document.child(root).children())
            children.emplace_back(child.name(), child.child_value());
        return children;
    }

    std::string ChildText(const std::string& text, const char* root, const char* name)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(text.c_str())) << text;
        return document.child(root).child(name).child_value();
    }

    std::set<std::string> Folder(const std::filesystem::path& folder)
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::set<std::string> ConfigurationFolder(const GameHarness& game) { return Folder(game.Root() / "configuration"); }

    // The configuration folder as the build ships it, with the given files added.
    std::set<std::string> ShippedFolderWith(const std::set<std::string>& added)
    {
        std::set<std::string> names = Folder(std::string(KESTRUM_GAME_ROOT) + "/configuration");
        names.insert(added.begin(), added.end());
        return names;
    }


    // Starts the game and opens the options screen with a click on its button.
    void StartAtOptions(GameHarness& game)
    {
        ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();
        game.Click(optionsButton.x, optionsButton.y);
        ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    }

    // Clicks the full-screen and the colour-depth dials once each.
    void ToggleFullScreenAndColourDepth(GameHarness& game)
    {
        ClickAndSettle(game, Dial(3));
        ClickAndSettle(game, Dial(2));
    }

    void ExpectRunningScreenSettingsWritten(const GameHarness& game)
    {
        const std::string written = game.ReadFile(general);
        EXPECT_EQ(ChildText(written, "general_configuration", "full_screen"), "0") << written;
        EXPECT_EQ(ChildText(written, "general_configuration", "bit_depth"), "32") << written;
    }

    void QuitFromTitle(GameHarness& game)
    {
        ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();
        game.Key("Escape");
        EXPECT_EQ(0, game.WaitForExit());
    }

    // The restart notice: white letters along the bottom edge.
    float NoticeShare(GameHarness& game)
    {
        return BrightShare(Picture(game), 150, 720, 724, 40, 230);
    }
}

TEST(OptionScreenTest, OkWritesBothConfigurationFilesAndReturnsToTheTitle)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));

    game.Key("Return"); // ok has the focus
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));

    // The settings as the shipped defaults give them, in the fixed order.
    const std::string written = game.ReadFile(general);
    const std::string shipped = ShippedFile("configuration/default_general_configuration.xml");
    std::vector<std::pair<std::string, std::string>> expected;
    for (const char* name : {"bit_depth", "full_screen", "frame_rate_limit", "vertical_blank_sync", "language",
                             "space_partition_x", "space_partition_y", "attenuation", "minimum_distance", "sound_volume",
                             "music_volume"})
        expected.emplace_back(name, ChildText(shipped, "general_configuration", name));
    EXPECT_EQ(Children(written, "general_configuration"), expected) << written;
    EXPECT_NE(written.find("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"), std::string::npos) << written;
    EXPECT_NE(written.find("<general_configuration version=\"1\">"), std::string::npos) << written;

    // The input settings: the mouse's part first (the actions of its buttons, then
    // its general settings), then the keys in the order of their codes.
    const std::string keys = game.ReadFile(input);
    EXPECT_NE(keys.find("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>"), std::string::npos) << keys;
    const auto children = Children(keys, "input_configuration");
    std::vector<std::string> names;
    for (const auto& child : children)
        names.push_back(child.first);
    ASSERT_FALSE(names.empty()) << keys;
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(keys.c_str()));
    const pugi::xml_node mouse = document.child("input_configuration").child("general");
    std::vector<std::string> settings;
    for (const pugi::xml_node setting : mouse.children())
        settings.push_back(setting.name());
    EXPECT_EQ(settings, (std::vector<std::string>{"double_click_time", "double_click_distance", "swap_mouse_buttons",
                                                 "drag_trigger_threshold"}))
        << keys;
    EXPECT_EQ(std::string(mouse.child_value("swap_mouse_buttons")), "0");
    for (const char* action : {"move_left", "move_right", "move_up", "move_down", "fire", "bomb", "pause", "escape", "accept"})
        EXPECT_EQ(std::count(names.begin(), names.end(), action), 1) << action << "\n" << keys;
    EXPECT_NE(keys.find("<key>return</key>"), std::string::npos) << keys;

    // Nothing else is left behind, and the shipped defaults are untouched.
    EXPECT_EQ(ConfigurationFolder(game), ShippedFolderWith({"general_configuration.xml", "input_configuration.xml"}));
    for (const char* shipped : {"configuration/default_general_configuration.xml", "configuration/default_input_configuration.xml"})
        EXPECT_EQ(game.ReadFile(shipped), ShippedFile(shipped)) << shipped;
}

TEST(OptionScreenTest, EscapeAndExitGoBackWithoutWritingAnything)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));
    ClickAndSettle(game, Dial(0)); // music volume up a step
    game.Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();

    game.Click(optionsButton.x, optionsButton.y);
    ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    ClickAndSettle(game, Dial(1)); // sound volume up a step
    game.Click(exitButton.x, exitButton.y);
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));

    EXPECT_FALSE(game.FileExists(general));
    EXPECT_FALSE(game.FileExists(input));
    EXPECT_EQ(ConfigurationFolder(game), ShippedFolderWith({}));
}

TEST(OptionScreenTest, AClickOnTheSwapDialThenOkSavesTheSwap)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));
    ClickAndSettle(game, Dial(5));
    ClickAndSettle(game, Dial(0)); // and the music volume goes from full round to silent
    game.Click(okButton.x, okButton.y);
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));

    const std::string keys = game.ReadFile(input);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(keys.c_str())) << keys;
    EXPECT_EQ(std::string(document.child("input_configuration").child("general").child_value("swap_mouse_buttons")), "1")
        << keys;
    EXPECT_EQ(ChildText(game.ReadFile(general), "general_configuration", "music_volume"), "0");
}

// Colour depth and full screen wait for the next start; a choice taken back, or
// left with escape, must neither keep the restart notice nor reach the file.
TEST(OptionScreenTest, AChoiceTakenBackIsNoChange)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));
    const float quiet = NoticeShare(game);

    ToggleFullScreenAndColourDepth(game); // full screen on, 16 bits
    const float notice = NoticeShare(game);
    EXPECT_GT(notice, quiet + 0.02f) << "the restart notice shows";

    ToggleFullScreenAndColourDepth(game); // and back again
    EXPECT_LT(NoticeShare(game), quiet + 0.01f) << "no change is left to wait for a restart";

    game.Click(okButton.x, okButton.y);
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));
    ExpectRunningScreenSettingsWritten(game);
}

TEST(OptionScreenTest, ChoicesLeftWithEscapeAreNotWrittenByALaterOk)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));
    const float quiet = NoticeShare(game);
    ToggleFullScreenAndColourDepth(game); // full screen on, 16 bits
    game.Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();

    game.Click(optionsButton.x, optionsButton.y);
    ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    EXPECT_LT(NoticeShare(game), quiet + 0.01f) << "nothing waits for a restart";
    game.Key("Return");
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));

    ExpectRunningScreenSettingsWritten(game);
}
