#include "core/Exception.hpp"
#include "interface/MouseSystem.hpp"
#include "support/RecordingReceiver.hpp"
#include "support/ScratchGameRoot.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <thread>

using namespace Kestrum;
using namespace Kestrum::Testing;
using Strings = std::vector<std::string>;

namespace
{
    std::string Configuration(const std::string& time, const std::string& swap = "0",
                              const std::string& fire = "<mouse_button>Primary</mouse_button>",
                              const std::string& pause = "<mouse_button>secondary</mouse_button>")
    {
        return "<input_configuration>"
               "<move_left/><move_right/><move_up/><move_down/>"
               "<fire><key>space</key>" + fire + "</fire><bomb/>"
               "<pause>" + pause + "</pause><escape/><accept><mouse_button>mb5</mouse_button></accept>"
               "<general><double_click_time>" + time + "</double_click_time>"
               "<double_click_distance>5</double_click_distance>"
               "<drag_trigger_threshold>4</drag_trigger_threshold>"
               "<swap_mouse_buttons>" + swap + "</swap_mouse_buttons></general>"
               "</input_configuration>";
    }

    class Mouse : public ::testing::Test
    {
    protected:
        void Load(const std::string& text)
        {
            pugi::xml_document document;
            Parse(document, text);
            mouse.Load(document);
        }
        void Press(int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
        {
            EXPECT_TRUE(mouse.HandleEvent(ButtonEvent(sf::Event::MouseButtonPressed, button, x, y)));
        }
        void Release(int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
        {
            EXPECT_TRUE(mouse.HandleEvent(ButtonEvent(sf::Event::MouseButtonReleased, button, x, y)));
        }
        void Click(int x, int y, sf::Mouse::Button button = sf::Mouse::Left)
        {
            Press(x, y, button);
            Release(x, y, button);
        }
        void Move(int x, int y) { EXPECT_TRUE(mouse.HandleEvent(MoveEvent(x, y))); }
        Strings Frame()
        {
            mouse.HandleInput(receiver);
            return receiver->Take();
        }

        CapturedLog log;
        MouseSystem mouse;
        std::shared_ptr<RecordingReceiver> receiver = std::make_shared<RecordingReceiver>();
    };
}

TEST_F(Mouse, LoadFailures)
{
    EXPECT_THROW(Frame(), LogicError);
    try
    {
        Load(Configuration("0.3", "0", "<mouse_button>foo</mouse_button>"));
        FAIL() << "expected UnknownTypeError";
    }
    catch (const UnknownTypeError& e)
    {
        EXPECT_STREQ("received unknown button string foo", e.what());
    }
    EXPECT_THROW(Load("<input_configuration/>"), XmlError);
    EXPECT_THROW(Load("<input_configuration><move_left/><move_right/><move_up/><move_down/><fire/><bomb/>"
                      "<pause/><escape/><accept/><general/></input_configuration>"),
                 XmlError);
    EXPECT_THROW(Load(Configuration("0.3", "yes")), InvalidArgumentError);
    EXPECT_THROW(Frame(), LogicError);
    Load(Configuration("0.3", "TRUE"));
    EXPECT_TRUE(mouse.MouseButtonsAreSwapped());
    EXPECT_THROW(Load(Configuration("0.3")), LogicError);
}

TEST_F(Mouse, DoubleClickInsideTheTimeAndTheSquare)
{
    Load(Configuration("10"));
    Click(100, 100, sf::Mouse::Middle);
    Click(105, 95, sf::Mouse::Middle); // exactly the distance away: still inside
    Click(150, 150, sf::Mouse::Middle);
    Click(156, 150, sf::Mouse::Middle); // one pixel too far: the first click goes out alone
    Click(170, 170, sf::Mouse::XButton1);  // another button: the pending click goes out
    EXPECT_EQ((Strings{"double click 105,95 mb3", "click 150,150 mb3", "click 156,150 mb3"}), Frame());
    EXPECT_EQ(Strings{}, Frame()); // the last click still waits for a second one
}

TEST_F(Mouse, SingleClickWaitsForTheDoubleClickTime)
{
    Load(Configuration("0.25"));
    // The button is bound to accept, which goes out with each press and never again
    // with the click.
    Click(10, 20, sf::Mouse::XButton2);
    EXPECT_EQ(Strings{"action accept"}, Frame());
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    Click(10, 20, sf::Mouse::XButton2); // too late for a double click
    EXPECT_EQ((Strings{"action accept", "click 10,20 mb5"}), Frame());
    std::this_thread::sleep_for(std::chrono::milliseconds(350));
    EXPECT_EQ(Strings{"click 10,20 mb5"}, Frame());
}

TEST_F(Mouse, HeldActionEveryFrameThenDragPastTheThresholdAndDrop)
{
    Load(Configuration("0"));
    Press(10, 10);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Move(14, 10); // exactly the threshold: an ordinary move
    Move(17, 14); // five pixels in one step: the drag starts
    Move(18, 14);
    EXPECT_EQ((Strings{"move 14,10 from 10,10", "drag start 17,14", "drag 18,14 from 17,14", "action fire"}),
              Frame());
    Release(18, 14);
    EXPECT_EQ(Strings{"drop 18,14"}, Frame());
    EXPECT_EQ(Strings{}, Frame());

    // Small steps never start a drag, and a held click goes out with its action.
    Press(0, 0);
    for (int x = 1; x <= 20; ++x)
        Move(x, 0);
    Release(20, 0);
    Strings calls = Frame();
    ASSERT_EQ(22u, calls.size());
    EXPECT_EQ("move 20,0 from 19,0", calls[19]);
    EXPECT_EQ((Strings{"click 20,0 primary", "action fire"}), Strings(calls.begin() + 20, calls.end()));
}

TEST_F(Mouse, SwappedButtonsAndOneShotActionsOnce)
{
    Load(Configuration("0", "1"));
    // The right button is now the primary one: it holds fire and drags.
    Press(10, 10, sf::Mouse::Right);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Move(30, 10);
    Release(30, 10, sf::Mouse::Right);
    EXPECT_EQ((Strings{"drag start 30,10", "drop 30,10"}), Frame());
    // The left one is secondary, bound to pause: one pause per press, not two.
    Click(40, 40, sf::Mouse::Left);
    EXPECT_EQ((Strings{"action pause", "click 40,40 secondary"}), Frame());
    mouse.SetSwapMouseButtons(false);
    EXPECT_FALSE(mouse.MouseButtonsAreSwapped());
    Click(40, 40, sf::Mouse::Right);
    EXPECT_EQ((Strings{"action pause", "click 40,40 secondary"}), Frame());
}

TEST_F(Mouse, ResetAndMissingReceiver)
{
    Load(Configuration("0"));
    EXPECT_FALSE(mouse.HandleEvent(KeyEvent(sf::Event::KeyPressed, sf::Keyboard::A)));
    sf::Event wheel{};
    wheel.type = sf::Event::MouseWheelMoved;
    wheel.mouseWheel.delta = -2;
    EXPECT_TRUE(mouse.HandleEvent(wheel));
    mouse.HandleInput(nullptr); // nobody to receive: the queue is dropped
    EXPECT_EQ(Strings{}, Frame());

    // A receiver that goes mid-drag gets its drop at once, then its queued calls.
    Press(10, 10);
    Move(20, 10);
    Move(25, 10);
    mouse.Reset(receiver);
    EXPECT_EQ((Strings{"drop 25,10", "drag start 20,10", "drag 25,10 from 20,10"}), receiver->Take());
    EXPECT_TRUE(log.Contains("2 events are left in event queue - it should be empty"));
    Move(26, 10); // nothing is held any more
    EXPECT_EQ(Strings{"move 26,10 from 26,10"}, Frame());
}

TEST_F(Mouse, SaveWritesTheMappingAndTheSettings)
{
    Load(Configuration("0.3", "1", "<mouse_button>MB4</mouse_button><mouse_button>Primary</mouse_button>"));
    pugi::xml_document document;
    document.append_child("input_configuration").append_child("accept").append_child("key").text().set("return");
    mouse.Save(document);
    std::ostringstream text;
    document.save(text, "", pugi::format_raw | pugi::format_no_declaration);
    EXPECT_EQ("<input_configuration>"
              "<accept><key>return</key><mouse_button>mb5</mouse_button></accept>"
              "<fire><mouse_button>primary</mouse_button><mouse_button>mb4</mouse_button></fire>"
              "<pause><mouse_button>secondary</mouse_button></pause>"
              "<general><double_click_time>0.3</double_click_time><double_click_distance>5</double_click_distance>"
              "<swap_mouse_buttons>1</swap_mouse_buttons><drag_trigger_threshold>4</drag_trigger_threshold></general>"
              "</input_configuration>",
              text.str());
    EXPECT_THROW(mouse.Save(document), RuntimeError); // "general" has its settings already
}
