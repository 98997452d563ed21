// The options screen in the running game: what ok writes, what escape leaves
// alone, and what the dials change.
#include "support/GameHarness.hpp"
#include "support/ScreenProbe.hpp"
#include "support/ShippedGameRoot.hpp"

#include <gtest/gtest.h>
#include <pugixml.hpp>

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

    using Elements = std::vector<std::pair<std::string, std::string>>;

    std::string ShippedFile(const std::string& relativePath)
    {
        std::ostringstream text;
        text << std::ifstream(std::string(KESTRUM_GAME_ROOT) + "/" + relativePath, std::ios::binary).rdbuf();
        return text.str();
    }

    // Name and text of every child of the element at the path, in file order.
    Elements Children(const std::string& text, const char* path)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(text.c_str())) << text;
        Elements children;
        for (const pugi::xml_node child : document.first_element_by_path(path).children())
            children.emplace_back(child.name(), child.child_value());
        return children;
    }

    std::string ChildText(const std::string& text, const char* path)
    {
        pugi::xml_document document;
        EXPECT_TRUE(document.load_string(text.c_str())) << text;
        return document.first_element_by_path(path).child_value();
    }

    // The configuration folder, and as the build ships it (without what a player
    // left there) with the given files added.
    std::set<std::string> Folder(const std::filesystem::path& root, const std::set<std::string>& added = {})
    {
        std::set<std::string> names = added;
        for (const auto& entry : std::filesystem::directory_iterator(root / "configuration"))
            if (root != KESTRUM_GAME_ROOT || !Kestrum::Testing::IsPlayersFile("configuration" / entry.path().filename()))
                names.insert(entry.path().filename().string());
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
        EXPECT_EQ(ChildText(written, "general_configuration/full_screen"), "0") << written;
        EXPECT_EQ(ChildText(written, "general_configuration/bit_depth"), "32") << written;
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

// Right, Return, Return in quick taps: the options open with the focus on ok,
// which saves and returns.
TEST(OptionScreenTest, OkWritesBothConfigurationFilesAndReturnsToTheTitle)
{
    GameHarness game;
    ASSERT_TRUE(StartAtTitle(game)) << game.ReadOutput() << game.ReadLog();
    TapKey(game, "Right");
    TapKey(game, "Return");
    ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    TapKey(game, "Return");
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));

    // The settings as the shipped defaults give them, in the fixed order.
    const std::string written = game.ReadFile(general);
    const std::string shipped = ShippedFile("configuration/default_general_configuration.xml");
    Elements expected;
    for (const std::string name : {"bit_depth", "full_screen", "frame_rate_limit", "vertical_blank_sync", "language",
                                   "space_partition_x", "space_partition_y", "attenuation", "minimum_distance",
                                   "sound_volume", "music_volume"})
        expected.emplace_back(name, ChildText(shipped, ("general_configuration/" + name).c_str()));
    EXPECT_EQ(Children(written, "general_configuration"), expected) << written;
    EXPECT_NE(written.find("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
                           "<general_configuration version=\"1\">"),
              std::string::npos)
        << written;

    // The input settings are the shipped defaults, written in the game's own form
    // and order: the mouse's settings in their fixed order, swap off.
    const std::string keys = game.ReadFile(input);
    EXPECT_EQ(keys, ShippedFile("configuration/default_input_configuration.xml"));
    EXPECT_EQ(Children(keys, "input_configuration/general"), (Elements{{"double_click_time", "0.3"},
                                                                      {"double_click_distance", "5"},
                                                                      {"swap_mouse_buttons", "0"},
                                                                      {"drag_trigger_threshold", "4"}}))
        << keys;

    // Nothing else is left behind, and the shipped defaults are untouched.
    EXPECT_EQ(Folder(game.Root()), Folder(KESTRUM_GAME_ROOT, {"general_configuration.xml", "input_configuration.xml"}));
    for (const char* shipped : {"configuration/default_general_configuration.xml", "configuration/default_input_configuration.xml"})
        EXPECT_EQ(game.ReadFile(shipped), ShippedFile(shipped)) << shipped;
}

TEST(OptionScreenTest, AClickOnTheSwapDialThenOkSavesTheSwap)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));
    ClickAndSettle(game, Dial(5));
    ClickAndSettle(game, Dial(0)); // and the music volume goes from full round to silent
    game.Click(okButton.x, okButton.y);
    ASSERT_NO_FATAL_FAILURE(QuitFromTitle(game));

    EXPECT_EQ(ChildText(game.ReadFile(input), "input_configuration/general/swap_mouse_buttons"), "1");
    EXPECT_EQ(ChildText(game.ReadFile(general), "general_configuration/music_volume"), "0");
}

// Colour depth and full screen wait for the next start; a choice taken back must
// neither keep the restart notice nor reach the file.
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

// Choices left with escape or exit are not written, neither then nor by a later ok.
TEST(OptionScreenTest, EscapeAndExitGoBackWithoutWritingAnything)
{
    GameHarness game;
    ASSERT_NO_FATAL_FAILURE(StartAtOptions(game));
    const float quiet = NoticeShare(game);
    ToggleFullScreenAndColourDepth(game); // full screen on, 16 bits
    ClickAndSettle(game, Dial(0));         // music volume a step
    game.Key("Escape");
    ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();

    game.Click(optionsButton.x, optionsButton.y, 3); // the right button opens the options as well
    ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    EXPECT_LT(NoticeShare(game), quiet + 0.01f) << "nothing waits for a restart";
    ClickAndSettle(game, Dial(1)); // sound volume a step
    game.Click(exitButton.x, exitButton.y);
    ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();
    EXPECT_EQ(Folder(game.Root()), Folder(KESTRUM_GAME_ROOT)) << "nothing is written";

    game.Click(optionsButton.x, optionsButton.y);
    ASSERT_TRUE(WaitForScreen(game, Screen::options)) << game.ReadLog();
    game.Key("Return");
    ASSERT_TRUE(WaitForScreen(game, Screen::title)) << game.ReadLog();
    // Back on the title screen the arcade button has the focus again: moving
    // right twice with held keys and accepting ends the game.
    HoldKey(game, "Right");
    HoldKey(game, "Right");
    game.Key("Return");
    EXPECT_EQ(0, game.WaitForExit());

    ExpectRunningScreenSettingsWritten(game);
    for (const char* volume : {"general_configuration/music_volume", "general_configuration/sound_volume"})
        EXPECT_EQ(ChildText(game.ReadFile(general), volume), "100") << volume;
}
