#include "core/DebugHUD.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "flight/RandomNumberGenerator.hpp"
#include "interface/InputSystem.hpp"
#include "interface/MouseSystem.hpp"
#include "interface/Screen.hpp"
#include "interface/ScreenManager.hpp"
#include "support/GameHarness.hpp"
#include "support/RecordingReceiver.hpp"
#include "support/ScratchGameRoot.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>
#include <boost/format.hpp>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using namespace Kestrum;
using namespace Kestrum::Testing;
using Strings = std::vector<std::string>;

namespace
{
    const char* const s_defaultConfiguration = KESTRUM_SOURCE_DIR "/configuration/default_input_configuration.xml";

    std::string ReadText(const std::string& path)
    {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    class QuietScreen : public Screen
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
    };

    sf::Event Event(sf::Event::EventType type)
    {
        sf::Event event{};
        event.type = type;
        return event;
    }

    class Input : public ::testing::Test
    {
    protected:
        void UseDefaultConfiguration() const
        {
            root.WriteFile("configuration/default_input_configuration.xml", ReadText(s_defaultConfiguration));
        }
        // A key event through the input system, as the window would report it.
        void Key(sf::Event::EventType type, sf::Keyboard::Key key) { input.HandleWindowEvent(KeyEvent(type, key)); }
        // One pass of input with a real (small) window, whose own events go through too.
        void Frame()
        {
            if (!registry->IsRegistered<sf::RenderWindow>())
                registry->Register<sf::RenderWindow>(
                    create_stable_ptr(std::make_shared<sf::RenderWindow>(sf::VideoMode(64, 64), "input test")));
            input.OnUpdate();
        }

        // The names in the configuration folder.
        Strings ConfigurationFiles() const
        {
            Strings names;
            for (const auto& entry : std::filesystem::directory_iterator(root.GetPath() / "configuration"))
                names.push_back(entry.path().filename().string());
            std::sort(names.begin(), names.end());
            return names;
        }
        std::string UserFile() const { return ReadText("configuration/input_configuration.xml"); }

        ScratchGameRoot root;
        CapturedLog log;
        stable_ptr<Registry> registry = Registry::Create();
        stable_ptr<RandomizationSystem> randomization = CreateLoadAndRegister(new RandomizationSystem());
        stable_ptr<TimeSystem> time = CreateAndRegister(new TimeSystem());
        stable_ptr<DebugHUD> hud = CreateAndRegister(new DebugHUD());
        stable_ptr<ScreenManager> screens =
            CreateAndRegister(new ScreenManager(stable_ptr<Screen>(create_stable_ptr(std::make_shared<QuietScreen>()))));
        InputSystem input;
    };
}

TEST_F(Input, LoadsThePlayersFileElseTheDefault)
{
    try
    {
        input.Load();
        FAIL() << "expected ResourceMissingError";
    }
    catch (const ResourceMissingError& e)
    {
        EXPECT_EQ("could not find " + root.GetPath().string() + "/configuration/default_input_configuration.xml",
                  e.what());
    }
    EXPECT_THROW(input.OnUpdate(), LogicError);

    root.WriteFile("configuration/default_input_configuration.xml", "<input_configuration>");
    EXPECT_THROW(input.Load(), XmlError);
    UseDefaultConfiguration();
    root.WriteFile("configuration/input_configuration.xml",
                   "<input_configuration><general><double_click_time>0.5</double_click_time>"
                   "<double_click_distance>3</double_click_distance><drag_trigger_threshold>2</drag_trigger_threshold>"
                   "<swap_mouse_buttons>1</swap_mouse_buttons></general><move_left/><move_right/><move_up/>"
                   "<move_down/><fire/><bomb/><pause/><escape/><accept><key> X </key></accept></input_configuration>");
    input.Load();
    EXPECT_TRUE(input.GetMouseSystem().MouseButtonsAreSwapped());
    EXPECT_THROW(input.Load(), LogicError);

    auto receiver = std::make_shared<RecordingReceiver>();
    input.SetReceiver(create_stable_ptr<InterfaceInput>(receiver));
    Key(sf::Event::KeyPressed, sf::Keyboard::X);
    Key(sf::Event::KeyPressed, sf::Keyboard::Space); // bound only in the default file
    Frame();
    EXPECT_EQ(Strings{"action accept"}, receiver->Take());
    input.HandleWindowEvent(Event(sf::Event::Resized));
    EXPECT_TRUE(log.Contains("warning: window resize event not handled yet"));
}

TEST_F(Input, FocusLossPausesGameTimeAndTheGainRestoresIt)
{
    UseDefaultConfiguration();
    input.Load();
    input.HandleWindowEvent(Event(sf::Event::LostFocus));
    EXPECT_TRUE(time->paused);
    input.HandleWindowEvent(Event(sf::Event::GainedFocus));
    EXPECT_FALSE(time->paused);

    // The player's own pause survives losing and regaining the focus.
    time->paused = true;
    input.HandleWindowEvent(Event(sf::Event::LostFocus));
    input.HandleWindowEvent(Event(sf::Event::GainedFocus));
    EXPECT_TRUE(time->paused);

    // A second loss in a row does not mistake the first loss's pause for the player's.
    time->paused = false;
    input.HandleWindowEvent(Event(sf::Event::LostFocus));
    input.HandleWindowEvent(Event(sf::Event::LostFocus));
    input.HandleWindowEvent(Event(sf::Event::GainedFocus));
    EXPECT_FALSE(time->paused);

    // A gain without a loss before it leaves the player's pause alone.
    time->paused = true;
    input.HandleWindowEvent(Event(sf::Event::GainedFocus));
    EXPECT_TRUE(time->paused);
}

TEST_F(Input, FramesDeliverToTheReceiverAndAChangeOfReceiverResetsTheDevices)
{
    UseDefaultConfiguration();
    input.Load();
    auto first = std::make_shared<RecordingReceiver>();
    auto second = std::make_shared<RecordingReceiver>();
    const stable_ptr<InterfaceInput> firstReceiver = create_stable_ptr<InterfaceInput>(first);
    const stable_ptr<InterfaceInput> secondReceiver = create_stable_ptr<InterfaceInput>(second);

    input.SetReceiver(firstReceiver);
    Frame();
    first->Take();
    Key(sf::Event::KeyPressed, sf::Keyboard::Space);
    Key(sf::Event::KeyPressed, sf::Keyboard::Escape);
    input.HandleWindowEvent(ButtonEvent(sf::Event::MouseButtonPressed, sf::Mouse::Right, 5, 5));
    input.HandleWindowEvent(ButtonEvent(sf::Event::MouseButtonReleased, sf::Mouse::Right, 5, 5));
    Frame();
    EXPECT_EQ((Strings{"action fire", "action escape"}), first->Take());
    input.SetReceiver(firstReceiver); // the same screen again: nothing is reset
    Frame();
    EXPECT_EQ(Strings{"action fire"}, first->Take());

    // The held key stays with the screen it was pressed on; the pending click is dropped.
    input.SetReceiver(secondReceiver);
    EXPECT_EQ(Strings{}, first->Take());
    Frame();
    EXPECT_EQ(Strings{}, second->Take());

    input.HandleWindowEvent(Event(sf::Event::Closed));
    EXPECT_FALSE(screens->IsRunning());
    Key(sf::Event::KeyReleased, sf::Keyboard::F1);
    EXPECT_TRUE(hud->IsVisible());
}

TEST_F(Input, SaveReproducesTheDefaultFileAndReplacesThePlayersFileInOneStep)
{
    UseDefaultConfiguration();
    const std::string defaults = ReadText(s_defaultConfiguration);
    input.Load();
    input.Save();
    // The shipped file is written in the order and form the game writes it.
    EXPECT_EQ(defaults, UserFile());
    EXPECT_EQ((Strings{"default_input_configuration.xml", "input_configuration.xml"}), ConfigurationFiles());

    input.GetMouseSystem().SetSwapMouseButtons(true);
    input.Save(); // over the existing file: no temporary file stays behind
    EXPECT_EQ((Strings{"default_input_configuration.xml", "input_configuration.xml"}), ConfigurationFiles());
    EXPECT_NE(std::string::npos, UserFile().find("<swap_mouse_buttons>1</swap_mouse_buttons>"));
    EXPECT_EQ(defaults, ReadText("configuration/default_input_configuration.xml"));

    InputSystem reloaded;
    reloaded.Load();
    EXPECT_TRUE(reloaded.GetMouseSystem().MouseButtonsAreSwapped());
}

TEST_F(Input, AnActionWithoutBindingsIsSavedEmptyAndLoadsAgain)
{
    // Bomb's only key is Delete, which always belongs to nuke; pause has nothing.
    root.WriteFile("configuration/default_input_configuration.xml",
                   "<input_configuration><general><double_click_time>0.25</double_click_time>"
                   "<double_click_distance>4</double_click_distance><drag_trigger_threshold>3</drag_trigger_threshold>"
                   "<swap_mouse_buttons>0</swap_mouse_buttons></general><move_left/><move_right/><move_up/>"
                   "<move_down/><fire><key>m</key><key>Space</key></fire><bomb><key>Delete</key></bomb><pause/>"
                   "<escape><mouse_button>MB4</mouse_button></escape><accept/></input_configuration>");
    input.Load();
    input.Save();
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
              "<input_configuration>\n"
              "    <escape>\n"
              "        <mouse_button>mb4</mouse_button>\n"
              "    </escape>\n"
              "    <general>\n"
              "        <double_click_time>0.25</double_click_time>\n"
              "        <double_click_distance>4</double_click_distance>\n"
              "        <swap_mouse_buttons>0</swap_mouse_buttons>\n"
              "        <drag_trigger_threshold>3</drag_trigger_threshold>\n"
              "    </general>\n"
              "    <fire>\n"
              "        <key>space</key>\n"
              "    </fire>\n"
              "    <move_left />\n"
              "    <move_right />\n"
              "    <move_up />\n"
              "    <move_down />\n"
              "    <bomb />\n"
              "    <pause />\n"
              "    <accept />\n"
              "</input_configuration>\n",
              UserFile());
    InputSystem reloaded;
    EXPECT_NO_THROW(reloaded.Load());
}

TEST_F(Input, AFailedSaveLeavesThePlayersFileAndNoTemporaryFile)
{
    UseDefaultConfiguration();
    input.Load();
    const std::string userPath = (root.GetPath() / "configuration/input_configuration.xml").string();

    // Every name the next 21 draws would give is taken already.
    RandomNumberGenerator copy = *randomization->GetGenerator();
    for (int draw = 0; draw < 21; ++draw)
        root.WriteFile((boost::format("configuration/input_configuration.xml.%08x") % copy.Next()).str(), "taken");
    root.WriteFile("configuration/input_configuration.xml", "the player's file");
    try
    {
        input.Save();
        FAIL() << "expected RuntimeError";
    }
    catch (const RuntimeError& e)
    {
        EXPECT_STREQ("could not create all temporary files", e.what());
    }
    EXPECT_EQ("the player's file", UserFile());
    EXPECT_EQ(23u, ConfigurationFiles().size());

    // The rename fails (a folder stands in the way): the temporary file goes again.
    std::filesystem::remove_all(root.GetPath() / "configuration");
    UseDefaultConfiguration();
    std::filesystem::create_directories(userPath + "/blocked");
    EXPECT_THROW(input.Save(), std::filesystem::filesystem_error);
    EXPECT_EQ((Strings{"default_input_configuration.xml", "input_configuration.xml"}), ConfigurationFiles());
}

TEST_F(Input, TheWindowLosingItsFocusPausesGameTime)
{
    // An X server of its own, so that no other test's window takes the focus meanwhile.
    GameHarness server;
    UseDefaultConfiguration();
    input.Load();
    // The windows live in a child process that ends without exit handlers: the window
    // library keeps its X connection to the very end, and the server goes first.
    const pid_t child = fork();
    ASSERT_LE(0, child);
    if (child == 0)
    {
        int failures = 0;
        try
        {
            setenv("DISPLAY", server.Display().c_str(), 1);
            Frame();
            sf::Window other(sf::VideoMode(32, 32), "other window");
            const auto focus = [&server](const sf::Window& window) {
                server.RunTool({"xdotool", "windowfocus", "--sync", std::to_string(window.getSystemHandle())});
            };
            // Lets the window's events set `paused` as expected.
            const auto waitForPause = [this](bool expected) {
                for (int pass = 0; pass < 100 && time->paused != expected; ++pass)
                {
                    input.OnUpdate();
                    std::this_thread::sleep_for(std::chrono::milliseconds(20));
                }
                return time->paused == expected;
            };
            focus(*GetFromRegistry<sf::RenderWindow>());
            failures |= waitForPause(false) ? 0 : 1;
            focus(other);
            failures |= waitForPause(true) ? 0 : 2;
            focus(*GetFromRegistry<sf::RenderWindow>());
            failures |= waitForPause(false) ? 0 : 4;
        }
        catch (...)
        {
            failures |= 8;
        }
        _exit(failures);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    // 1: paused with the focus; 2: not paused without it; 4: not resumed; 8: failed.
    EXPECT_EQ(0, WEXITSTATUS(status));
}
