#include "core/Exception.hpp"
#include "interface/MouseSystem.hpp"
#include "support/HeldClock.hpp"
#include "support/RecordingReceiver.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>


using namespace Kestrum;
using namespace Kestrum::Testing;
using Strings = std::vector<std::string>;

namespace
{
    class Mouse : public ::testing::Test
    {
    protected:
        // Primary holds fire, secondary is pause, the fifth button accept.
        void Load(const std::string& time, const std::string& swap = "0")
        {
            pugi::xml_document document;
            Parse(document, "<input_configuration><move_left/><move_right/><move_up/><move_down/>"
                            "<fire><key>space</key><mouse_button>Primary</mouse_button></fire><bomb/>"
                            "<pause><mouse_button>secondary</mouse_button></pause><escape/>"
                            "<accept><mouse_button>MB5</mouse_button></accept><general>"
                            "<double_click_time>" + time + "</double_click_time><double_click_distance>5"
                            "</double_click_distance><drag_trigger_threshold>4</drag_trigger_threshold>"
                            "<swap_mouse_buttons>" + swap + "</swap_mouse_buttons></general></input_configuration>");
            mouse.Load(document);
        }
        void Press(int x, int y, sf::Mouse::Button b = sf::Mouse::Left) { Send(sf::Event::MouseButtonPressed, x, y, b); }
        void Release(int x, int y, sf::Mouse::Button b = sf::Mouse::Left) { Send(sf::Event::MouseButtonReleased, x, y, b); }
        void Click(int x, int y, sf::Mouse::Button b = sf::Mouse::Left) { Press(x, y, b), Release(x, y, b); }
        void Move(int x, int y) { Send(sf::Event::MouseMoved, x, y, sf::Mouse::Left); }
        void Send(sf::Event::EventType type, int x, int y, sf::Mouse::Button b)
        {
            EXPECT_TRUE(mouse.HandleEvent(MouseEvent(type, x, y, b)));
        }
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

TEST_F(Mouse, DoubleClickInsideTheTimeAndTheSquareOnly)
{
    EXPECT_EQ("element double_click_time holds nan, which is not a finite number",
              ThrownMessage<ParseError>([&] { Load("nan"); }));
    Load("10");
    Click(100, 100, sf::Mouse::Middle);
    Click(105, 95, sf::Mouse::Middle); // exactly the distance away: still a double click
    Click(150, 150, sf::Mouse::Middle);
    Click(156, 150, sf::Mouse::Middle); // a pixel further: the first click goes out alone
    Click(170, 170, sf::Mouse::XButton1); // another button: the waiting click goes out
    EXPECT_EQ((Strings{"double click 105,95 mb3", "click 150,150 mb3", "click 156,150 mb3"}), Frame());
    EXPECT_EQ(Strings{}, Frame()); // the last click still waits for a second one
}

TEST_F(Mouse, SingleClickWaitsForTheDoubleClickTimeAndAOneShotActionGoesOutOnce)
{
    Load("0.25");
    const HeldClock clock;
    Click(10, 20, sf::Mouse::XButton2);
    EXPECT_EQ(Strings{"action accept"}, Frame()); // with the press; the click waits
    clock.Advance(0.24);
    EXPECT_EQ(Strings{}, Frame());
    clock.Advance(0.02);
    EXPECT_EQ(Strings{"click 10,20 mb5"}, Frame()); // the click brings no second accept
}

TEST_F(Mouse, HeldPrimaryDragsPastTheThresholdAndDrops)
{
    Load("0");
    Press(10, 10);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Move(14, 10); // exactly the threshold: an ordinary move
    Move(17, 14); // five pixels in one step: the drag starts
    Move(18, 14);
    Release(18, 14);
    EXPECT_EQ((Strings{"move 14,10 from 10,10", "drag start 17,14", "drag 18,14 from 17,14", "drop 18,14"}), Frame());
    // A click of a held action goes out with its action once more.
    Press(20, 20);
    EXPECT_EQ(Strings{"action fire"}, Frame());
    Release(20, 20);
    EXPECT_EQ((Strings{"click 20,20 primary", "action fire"}), Frame());
}

TEST_F(Mouse, AHeldActionTappedWithinAFrameActsOnceInThatFrame)
{
    Load("10");
    Click(20, 20);
    Click(20, 20);
    EXPECT_EQ((Strings{"double click 20,20 primary", "action fire"}), Frame());
    EXPECT_EQ(Strings{}, Frame());
}

TEST_F(Mouse, SwappedButtons)
{
    Load("0", "1");
    Press(10, 10, sf::Mouse::Right); // the right button is primary now: it holds fire and drags
    Move(30, 10);
    Release(30, 10, sf::Mouse::Right);
    Click(40, 40, sf::Mouse::Left);
    EXPECT_EQ((Strings{"drag start 30,10", "drop 30,10", "action pause", "click 40,40 secondary", "action fire"}),
              Frame());
}

TEST_F(Mouse, AReceiverLeavingMidDragGetsItsDropAndQueuedCalls)
{
    Load("0");
    Press(10, 10);
    Move(20, 10);
    mouse.Reset(receiver);
    EXPECT_EQ((Strings{"drop 20,10", "drag start 20,10"}), receiver->Take());
    EXPECT_TRUE(log.Contains("1 events are left in event queue - it should be empty"));
}
