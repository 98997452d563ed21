#include "core/DebugHUD.hpp"
#include "core/Registry.hpp"
#include "interface/KeyboardSystem.hpp"
#include "support/RecordingReceiver.hpp"

#include <gtest/gtest.h>
#include <sstream>

using namespace Kestrum;
using namespace Kestrum::Testing;
using Strings = std::vector<std::string>;

namespace
{
    std::string Configuration(const std::string& fire, const std::string& accept = "<key>Return</key>")
    {
        return "<input_configuration>"
               "<move_left><key>Left</key></move_left><move_right><key>right</key></move_right>"
               "<move_up><key>UP</key></move_up><move_down><key>Down</key></move_down>"
               "<fire>" + fire + "</fire><bomb><key>B</key></bomb><pause><key>P</key></pause>"
               "<escape><key>Escape</key></escape><accept>" + accept + "</accept>"
               "</input_configuration>";
    }

    class Keyboard : public ::testing::Test
    {
    protected:
        void Load(const std::string& text)
        {
            pugi::xml_document document;
            Parse(document, text);
            keyboard.Load(document);
        }
        void Press(sf::Keyboard::Key key) { keyboard.HandleEvent(KeyEvent(sf::Event::KeyPressed, key)); }
        void Release(sf::Keyboard::Key key) { keyboard.HandleEvent(KeyEvent(sf::Event::KeyReleased, key)); }
        Strings Frame()
        {
            keyboard.HandleInput(receiver);
            return receiver->Take();
        }

        stable_ptr<Registry> registry = Registry::Create();
        stable_ptr<DebugHUD> hud = CreateAndRegister(new DebugHUD());
        KeyboardSystem keyboard;
        std::shared_ptr<RecordingReceiver> receiver = std::make_shared<RecordingReceiver>();
    };
}

TEST(InterfaceInput, ActionNames)
{
    const char* names[] = {"move_left", "move_right", "move_up", "move_down", "fire", "bomb",
                           "pause", "escape", "accept", "nuke", "mute", "no_action"};
    for (int value = 0; value < 12; ++value)
        EXPECT_EQ(names[value], ToString(static_cast<InterfaceInput::Action>(value)));
    EXPECT_EQ("???", ToString(static_cast<InterfaceInput::Action>(12)));

    const std::vector<InterfaceInput::Action> configured = GetConfiguredActions();
    ASSERT_EQ(9u, configured.size());
    EXPECT_EQ(InterfaceInput::move_left, configured.front());
    EXPECT_EQ(InterfaceInput::accept, configured.back());
    EXPECT_TRUE(IsConfigurableAction(InterfaceInput::no_action, true));
    EXPECT_FALSE(IsConfigurableAction(InterfaceInput::no_action, false));
}

TEST_F(Keyboard, UnknownKeyNameAndMissingElementsLeaveItUnloaded)
{
    try
    {
        Load(Configuration("<key>foo</key>"));
        FAIL() << "expected UnknownTypeError";
    }
    catch (const UnknownTypeError& e)
    {
        EXPECT_STREQ("received unknown key string foo", e.what());
    }
    EXPECT_THROW(Frame(), LogicError);
    EXPECT_THROW(Load("<input_configuration><move_left/></input_configuration>"), XmlError);
    EXPECT_THROW(Load(Configuration("<key/>")), XmlError);

    Load(Configuration("<key>space</key>"));
    try
    {
        Load(Configuration("<key>space</key>"));
        FAIL() << "expected LogicError";
    }
    catch (const LogicError& e)
    {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("must not be called twice"));
    }
}

TEST_F(Keyboard, HeldKeysActEveryFrameAndOneShotKeysOncePerPress)
{
    Load(Configuration("<key>Space</key><key>LControl</key>"));
    Press(sf::Keyboard::Space);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Press(sf::Keyboard::LControl); // same action, still once a frame
    Press(sf::Keyboard::Space);    // key repeat changes nothing
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Release(sf::Keyboard::Space);
    Release(sf::Keyboard::LControl);
    EXPECT_EQ(Strings{}, Frame());

    // Pressed and released between two frames: a held action is lost, a one-shot one is not.
    Press(sf::Keyboard::Left);
    Release(sf::Keyboard::Left);
    Press(sf::Keyboard::Escape);
    Release(sf::Keyboard::Escape);
    Press(sf::Keyboard::Escape);
    EXPECT_EQ(Strings{"action escape"}, Frame());
    EXPECT_EQ(Strings{}, Frame());

    // One frame's actions come in action order, whatever the order of the keys.
    Press(sf::Keyboard::Return);
    Press(sf::Keyboard::Delete);
    Press(sf::Keyboard::M);
    Press(sf::Keyboard::Down);
    Press(sf::Keyboard::Left);
    Press(sf::Keyboard::Unknown);
    EXPECT_EQ((Strings{"action move_left", "action move_down", "action accept", "action nuke", "action mute"}),
              Frame());
}

TEST_F(Keyboard, ResetAndMissingReceiver)
{
    Load(Configuration("<key>Space</key>"));
    Press(sf::Keyboard::Space);
    Press(sf::Keyboard::P);
    keyboard.HandleInput(nullptr); // no receiver: everything waits
    keyboard.Reset(receiver);      // the held key is forgotten, the pending pause is kept
    EXPECT_EQ(Strings{"action pause"}, Frame());
    EXPECT_EQ(Strings{}, Frame());
}

TEST_F(Keyboard, F1TogglesTheOverlayAndIsReleasedLikeAnyKey)
{
    Load(Configuration("<key>F1</key>"));
    EXPECT_FALSE(hud->IsVisible());
    Press(sf::Keyboard::F1);
    EXPECT_FALSE(hud->IsVisible());
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Release(sf::Keyboard::F1);
    EXPECT_TRUE(hud->IsVisible());
    EXPECT_EQ(Strings{}, Frame());
    Press(sf::Keyboard::F1);
    Release(sf::Keyboard::F1);
    EXPECT_FALSE(hud->IsVisible());
    EXPECT_TRUE(keyboard.HandleEvent(KeyEvent(sf::Event::KeyReleased, sf::Keyboard::A)));
    EXPECT_FALSE(keyboard.HandleEvent(MoveEvent(1, 1)));
}

TEST_F(Keyboard, SaveWritesNamesInKeyOrderAndNeverTheFixedKeys)
{
    // Space is listed under fire and accept: the later action takes it. Delete and M
    // belong to nuke and mute whatever the file says.
    Load(Configuration("<key>Space</key><key>Delete</key><key>M</key><key>Numpad0</key><key>x</key><key>Num1</key>",
                       "<key>Return</key><key>SPACE</key>"));
    Press(sf::Keyboard::Space);
    EXPECT_EQ(Strings{"action accept"}, Frame());

    pugi::xml_document document;
    pugi::xml_node root = document.append_child("input_configuration");
    root.append_child("fire").append_child("mouse_button").text().set("primary");
    keyboard.Save(document);
    std::ostringstream text;
    document.save(text, "", pugi::format_raw | pugi::format_no_declaration);
    EXPECT_EQ("<input_configuration>"
              "<fire><mouse_button>primary</mouse_button><key>num1</key><key>x</key><key>numpad0</key></fire>"
              "<bomb><key>b</key></bomb><pause><key>p</key></pause><escape><key>escape</key></escape>"
              "<accept><key>space</key><key>return</key></accept>"
              "<move_left><key>left</key></move_left><move_right><key>right</key></move_right>"
              "<move_up><key>up</key></move_up><move_down><key>down</key></move_down>"
              "</input_configuration>",
              text.str());
}
