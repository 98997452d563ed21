#include "core/DebugHUD.hpp"
#include "core/Registry.hpp"
#include "interface/KeyboardSystem.hpp"
#include "support/RecordingReceiver.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;
using namespace Kestrum::Testing;
using Strings = std::vector<std::string>;

namespace
{
    class Keyboard : public ::testing::Test
    {
    protected:
        void Load(const std::string& fire)
        {
            pugi::xml_document document;
            Parse(document, "<input_configuration><move_left><key>Left</key></move_left><move_right/><move_up/>"
                            "<move_down><key>DOWN</key></move_down><fire>" + fire + "</fire><bomb/><pause/>"
                            "<escape><key>escape</key></escape><accept><key>Return</key></accept></input_configuration>");
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

TEST_F(Keyboard, UnknownKeyNameLeavesItUnloaded)
{
    EXPECT_EQ("received unknown key string foo", ThrownMessage<UnknownTypeError>([&] { Load("<key>foo</key>"); }));
    EXPECT_THROW(Frame(), LogicError);
    EXPECT_THROW(Load("<key/>"), XmlError);
}

TEST_F(Keyboard, HeldKeysActEveryFrameAndOneShotKeysOncePerPress)
{
    Load("<key>Space</key><key>LControl</key>");
    Press(sf::Keyboard::Space);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Press(sf::Keyboard::LControl); // same action: still once a frame
    Press(sf::Keyboard::Space);    // key repeat changes nothing
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Release(sf::Keyboard::Space);
    Release(sf::Keyboard::LControl);
    EXPECT_EQ(Strings{}, Frame());

    // Keys tapped between two frames act once in the next, held and one-shot actions
    // alike; a frame's actions come in action order, whatever the order of the keys.
    Press(sf::Keyboard::Left);
    Release(sf::Keyboard::Left);
    Press(sf::Keyboard::Left);
    Release(sf::Keyboard::Left);
    Press(sf::Keyboard::M);
    Press(sf::Keyboard::Return);
    Press(sf::Keyboard::Return);
    Press(sf::Keyboard::Delete);
    Press(sf::Keyboard::Down);
    EXPECT_EQ((Strings{"action move_left", "action move_down", "action accept", "action nuke", "action mute"}),
              Frame());
    // A held key's last repeated press and its release in one frame: it acts no longer.
    Press(sf::Keyboard::Down);
    Release(sf::Keyboard::Down);
    EXPECT_EQ(Strings{}, Frame());
}

TEST_F(Keyboard, F1TogglesTheOverlayAndIsReleasedLikeAnyKey)
{
    Load("<key>F1</key>");
    Press(sf::Keyboard::F1);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Release(sf::Keyboard::F1);
    EXPECT_TRUE(hud->IsVisible());
    EXPECT_EQ(Strings{}, Frame()); // the action bound to F1 does not stick
    Press(sf::Keyboard::F1);
    Release(sf::Keyboard::F1);
    EXPECT_FALSE(hud->IsVisible());
}
