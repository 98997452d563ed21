#include "core/DebugHUD.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "interface/InputSystem.hpp"
#include "interface/MouseSystem.hpp"
#include "interface/Screen.hpp"
#include "interface/ScreenManager.hpp"
#include "support/RecordingReceiver.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <sstream>
#include <sys/stat.h>

using namespace Kestrum;
using namespace Kestrum::Testing;
using Strings = std::vector<std::string>;

namespace
{
    std::string ReadText(const std::string& path)
    {
        std::ostringstream text;
        text << std::ifstream(path, std::ios::binary).rdbuf();
        return text.str();
    }

    const std::string s_defaults = ReadText(KESTRUM_SOURCE_DIR "/configuration/default_input_configuration.xml");

    class QuietScreen : public Screen
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
    };

    class Input : public ::testing::Test
    {
    protected:
        void Load(const std::string& defaults = s_defaults)
        {
            root.WriteFile("configuration/default_input_configuration.xml", defaults);
            input.Load();
        }
        void Send(sf::Event::EventType type, sf::Keyboard::Key key = sf::Keyboard::Unknown)
        {
            input.HandleWindowEvent(KeyEvent(type, key));
        }
        // One pass of input with a real (small) window, whose own events go through too.
        void Frame()
        {
            if (!registry->IsRegistered<sf::RenderWindow>())
                registry->Register<sf::RenderWindow>(
                    create_stable_ptr(std::make_shared<sf::RenderWindow>(sf::VideoMode(64, 64), "input test")));
            input.OnUpdate();
        }
        std::set<std::string> ConfigurationFiles() const
        {
            std::set<std::string> names;
            for (const auto& entry : std::filesystem::directory_iterator(root.GetPath() / "configuration"))
                names.insert(entry.path().filename().string());
            return names;
        }
        std::string UserFile() const { return ReadText("configuration/input_configuration.xml"); }

        ScratchGameRoot root;
        CapturedLog log;
        stable_ptr<Registry> registry = Registry::Create();
        stable_ptr<RandomizationSystem> randomization = CreateLoadAndRegister(new RandomizationSystem());
        stable_ptr<TimeSystem> time = CreateAndRegister(new TimeSystem());
        stable_ptr<DebugHUD> hud = CreateAndRegister(new DebugHUD());
        stable_ptr<ScreenManager> screens = CreateAndRegister(
            new ScreenManager(stable_ptr<Screen>(create_stable_ptr(std::make_shared<QuietScreen>()))));
        InputSystem input;
        std::shared_ptr<RecordingReceiver> receiver = std::make_shared<RecordingReceiver>();
        const std::set<std::string> bothFiles{"default_input_configuration.xml", "input_configuration.xml"};
    };
}

TEST_F(Input, LoadsThePlayersFileElseTheDefault)
{
    EXPECT_EQ("could not find " + root.GetPath().string() + "/configuration/default_input_configuration.xml",
              ThrownMessage<ResourceMissingError>([&] { input.Load(); }));
    root.WriteFile("configuration/input_configuration.xml",
                   "<input_configuration><general><double_click_time>0.5</double_click_time><double_click_distance>3"
                   "</double_click_distance><drag_trigger_threshold>2</drag_trigger_threshold><swap_mouse_buttons>1"
                   "</swap_mouse_buttons></general><move_left/><move_right/><move_up/><move_down/><fire/><bomb/>"
                   "<pause/><escape/><accept><key> X </key></accept></input_configuration>");
    Load();
    EXPECT_TRUE(input.GetMouseSystem().MouseButtonsAreSwapped());
    input.SetReceiver(create_stable_ptr<InterfaceInput>(receiver));
    Send(sf::Event::KeyPressed, sf::Keyboard::X);
    Send(sf::Event::KeyPressed, sf::Keyboard::Space); // bound only in the default file
    Frame();
    EXPECT_EQ(Strings{"action accept"}, receiver->Take());
    Send(sf::Event::Resized);
    EXPECT_TRUE(log.Contains("warning: window resize event not handled yet"));

    // A named pipe in place of the player's file is refused, not waited on.
    std::filesystem::remove("configuration/input_configuration.xml");
    ASSERT_EQ(0, mkfifo("configuration/input_configuration.xml", 0600));
    EXPECT_EQ(root.GetPath().string() + "/configuration/input_configuration.xml is not a regular file",
              ThrownMessage<LoadError>([] { InputSystem().Load(); }));
}

TEST_F(Input, FocusLossPausesGameTimeAndTheGainRestoresIt)
{
    Load();
    const auto lose = [&] { Send(sf::Event::LostFocus); };
    const auto gain = [&] { Send(sf::Event::GainedFocus); };
    lose();
    EXPECT_TRUE(time->paused);
    gain();
    EXPECT_FALSE(time->paused);
    time->paused = true; // the player's own pause survives
    lose(), gain();
    EXPECT_TRUE(time->paused);
    time->paused = false; // a second loss does not take the first one's pause for the player's
    lose(), lose(), gain();
    EXPECT_FALSE(time->paused);
    time->paused = true; // a gain without a loss leaves the player's pause alone
    gain();
    EXPECT_TRUE(time->paused);
}

TEST_F(Input, AChangeOfReceiverResetsTheDevicesAndClosingShutsDown)
{
    Load();
    auto second = std::make_shared<RecordingReceiver>();
    input.SetReceiver(create_stable_ptr<InterfaceInput>(receiver));
    Frame();
    Send(sf::Event::KeyPressed, sf::Keyboard::Space);
    Send(sf::Event::KeyPressed, sf::Keyboard::Escape);
    Frame();
    input.SetReceiver(create_stable_ptr<InterfaceInput>(receiver)); // the same one: nothing is reset
    Frame();
    EXPECT_EQ((Strings{"action fire", "action escape", "action fire"}), receiver->Take());
    input.SetReceiver(create_stable_ptr<InterfaceInput>(second)); // the held key stays behind
    Frame();
    EXPECT_EQ(Strings{}, second->Take());

    Send(sf::Event::Closed);
    EXPECT_FALSE(screens->IsRunning());
}

TEST_F(Input, SaveReproducesTheDefaultFileAndReplacesThePlayersFile)
{
    Load();
    input.Save();
    EXPECT_EQ(s_defaults, UserFile()); // the shipped file has the order and form the game writes
    input.GetMouseSystem().SetSwapMouseButtons(true);
    root.WriteFile("configuration/input_configuration.xml.0badf00d", "<input_conf"); // a killed game's
    input.Save();
    EXPECT_EQ(bothFiles, ConfigurationFiles()); // no temporary file stays behind, nor an old one
    EXPECT_EQ(s_defaults, ReadText("configuration/default_input_configuration.xml"));
    InputSystem reloaded;
    reloaded.Load();
    EXPECT_TRUE(reloaded.GetMouseSystem().MouseButtonsAreSwapped());
}

TEST_F(Input, AnActionWithoutBindingsIsSavedEmptyAndLoadsAgain)
{
    // Bomb's only key is Delete, which always belongs to nuke; pause has nothing.
    std::string defaults = s_defaults;
    defaults.replace(defaults.find("<key>b</key>"), 12, "<key>Delete</key>");
    defaults.replace(defaults.find("<key>p</key>"), 12, "");
    Load(defaults);
    input.Save();
    EXPECT_NE(std::string::npos, UserFile().find("    <bomb />\n    <pause />\n</input_configuration>"));
    InputSystem reloaded;
    EXPECT_NO_THROW(reloaded.Load());
}

TEST_F(Input, ASaveThatCannotReplaceThePlayersFileLeavesNoTemporaryFile)
{
    Load();
    // A folder stands where the player's file goes: the rename fails, the temporary file goes again.
    std::filesystem::create_directories(root.GetPath() / "configuration/input_configuration.xml/blocked");
    EXPECT_THROW(input.Save(), std::filesystem::filesystem_error);
    EXPECT_EQ(bothFiles, ConfigurationFiles());
}
