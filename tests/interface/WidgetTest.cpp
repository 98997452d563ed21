#include "interface/Widget.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "interface/FakeButton.hpp"
#include "support/ScratchGameRoot.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::FakeButton;
using Kestrum::Testing::MakeButton;
using Kestrum::Testing::PlainWidget;

namespace
{
    // The focus moves at most once per 0.2 seconds, counted from the widget's birth.
    void WaitForFocusDelay()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(210));
    }

    class WidgetTest : public ::testing::Test
    {
    protected:
        WidgetTest() : registry(Registry::Create())
        {
            CreateAndRegister(new ConfigurationSystem());
        }

        bool Move(InterfaceInput::Action action)
        {
            WaitForFocusDelay();
            return widget.HandleAction(action);
        }

        CapturedLog log;
        stable_ptr<Registry> registry;
        PlainWidget widget;
    };

    // A widget that records the actions it is offered and consumes them or not.
    class RecordingChild : public PlainWidget
    {
    public:
        RecordingChild(std::vector<std::string>& record, const std::string& name, bool consume)
            : m_record(record), m_name(name), m_consume(consume)
        {
        }
        bool HandleAction(Action) override
        {
            m_record.push_back(m_name);
            return m_consume;
        }
        void Draw() override { m_record.push_back(m_name); }

    private:
        std::vector<std::string>& m_record;
        std::string m_name;
        bool m_consume;
    };
}

TEST_F(WidgetTest, FocusMovesToTheSmallestDistanceOverCosine)
{
    auto origin = MakeButton("origin", 200, 200);
    auto far = MakeButton("far", 400, 200);
    auto below = MakeButton("below", 300, 250);   // |v| 111.8, cosine 0.894: score 125
    auto ahead = MakeButton("ahead", 300, 200);   // score 100
    for (const auto& button : {origin, far, below, ahead})
        widget.AddButton(button, 0);
    widget.SetFocusedButton(origin);

    EXPECT_TRUE(Move(InterfaceInput::move_right));
    EXPECT_EQ(ahead.get_shared(), widget.GetFocusedButton());
    EXPECT_EQ(std::vector<bool>({true, false}), origin->focusCalls);
    EXPECT_TRUE(ahead->focus);

    // From (300, 200) "below" lies on the perpendicular (cosine 0) and is skipped.
    EXPECT_TRUE(Move(InterfaceInput::move_left));
    EXPECT_EQ(origin.get_shared(), widget.GetFocusedButton());

    // Off the axis can win: (100, 60) scores 116.6 / 0.857 = 136, (140, 0) scores 140.
    widget.ClearButtons();
    auto slanted = MakeButton("slanted", 300, 260);
    auto straight = MakeButton("straight", 340, 200);
    for (const auto& button : {origin, straight, slanted})
        widget.AddButton(button, 0);
    widget.SetFocusedButton(origin);
    EXPECT_TRUE(Move(InterfaceInput::move_right));
    EXPECT_EQ(slanted.get_shared(), widget.GetFocusedButton());
}

TEST_F(WidgetTest, FocusStaysWhenNothingLiesAheadAndTiesGoToMapOrder)
{
    auto origin = MakeButton("origin", 200, 200);
    auto left = MakeButton("left", 100, 200);
    auto right = MakeButton("right", 300, 200);
    for (const auto& button : {origin, left, right})
        widget.AddButton(button, 0);
    widget.SetFocusedButton(origin);
    EXPECT_TRUE(Move(InterfaceInput::move_up));
    EXPECT_EQ(origin.get_shared(), widget.GetFocusedButton());
    EXPECT_TRUE(Move(InterfaceInput::move_down));
    EXPECT_EQ(origin.get_shared(), widget.GetFocusedButton()) << "the focus does not wrap around";

    // Two buttons up-left and up-right score 125 each: the lower key wins, then
    // the one added first.
    widget.ClearButtons();
    auto upLeft = MakeButton("upLeft", 150, 100);
    auto upRight = MakeButton("upRight", 250, 100);
    widget.AddButton(origin, 0);
    widget.AddButton(upLeft, 1);
    widget.AddButton(upRight, 0);
    widget.SetFocusedButton(origin);
    EXPECT_TRUE(Move(InterfaceInput::move_up));
    EXPECT_EQ(upRight.get_shared(), widget.GetFocusedButton());

    widget.ClearButtons();
    widget.AddButton(origin, 0);
    widget.AddButton(upLeft, 0);
    widget.AddButton(upRight, 0);
    widget.SetFocusedButton(origin);
    EXPECT_TRUE(Move(InterfaceInput::move_up));
    EXPECT_EQ(upLeft.get_shared(), widget.GetFocusedButton());
}

TEST_F(WidgetTest, WithoutFocusTheMoveStartsAtTheScreenCentre)
{
    const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
    const float cx = static_cast<float>(mode.width) * 0.5f;
    const float cy = static_cast<float>(mode.height) * 0.5f;
    auto centre = MakeButton("centre", cx, cy);
    auto right = MakeButton("right", cx + 50, cy);
    auto left = MakeButton("left", cx - 80, cy);
    for (const auto& button : {centre, right, left})
        widget.AddButton(button, 0);
    EXPECT_TRUE(Move(InterfaceInput::move_left));
    EXPECT_EQ(left.get_shared(), widget.GetFocusedButton()) << "a button on the origin has no direction";
}

TEST_F(WidgetTest, MovesAreHeldBackByTheFocusDelay)
{
    auto only = MakeButton("only", 10, 10);
    // Young widget: the delay runs from construction.
    widget.AddButton(only, 0);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::move_down));
    EXPECT_FALSE(widget.GetFocusedButton());

    // A single button takes the focus whatever the direction.
    EXPECT_TRUE(Move(InterfaceInput::move_up));
    EXPECT_EQ(only.get_shared(), widget.GetFocusedButton());

    auto other = MakeButton("other", 100, 10);
    widget.AddButton(other, 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::move_right));
    EXPECT_EQ(only.get_shared(), widget.GetFocusedButton()) << "0.1 s after the last move";
    EXPECT_TRUE(Move(InterfaceInput::move_right));
    EXPECT_EQ(other.get_shared(), widget.GetFocusedButton());

    // A move that finds nothing still restarts the delay.
    widget.ClearButtons();
    EXPECT_TRUE(Move(InterfaceInput::move_left));
    widget.AddButton(only, 0);
    widget.AddButton(other, 0);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::move_left));
    EXPECT_FALSE(widget.GetFocusedButton());
}

TEST_F(WidgetTest, AcceptFiresTheFocusedEnabledButton)
{
    auto first = MakeButton("first", 10, 10);
    auto second = MakeButton("second", 100, 10);
    widget.AddButton(first, 0);
    widget.AddButton(second, 0);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept)) << "nothing focused";

    widget.SetFocusedButton(second);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_EQ(std::vector<InterfaceInput::MouseButton>({InterfaceInput::Primary}), second->clicks);
    EXPECT_TRUE(first->clicks.empty());

    second->SetEnabled(false);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_EQ(1u, second->clicks.size());

    EXPECT_FALSE(widget.HandleAction(InterfaceInput::escape));
    EXPECT_FALSE(widget.HandleAction(InterfaceInput::fire));
}

TEST_F(WidgetTest, ARemovedButtonLosesTheFocusAndCannotBeFired)
{
    auto first = MakeButton("first", 10, 10);
    auto second = MakeButton("second", 100, 10);
    widget.AddButton(first, 0);
    widget.AddButton(second, 3);
    widget.AddButton(second, 0);
    widget.SetFocusedButton(second);

    widget.RemoveButton(second);
    EXPECT_FALSE(widget.GetFocusedButton());
    EXPECT_FALSE(second->focus);
    EXPECT_EQ(1u, widget.GetButtons(false).size()) << "both entries of the button go";
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_TRUE(second->clicks.empty());

    widget.SetFocusedButton(first);
    widget.RemoveButton(second);
    EXPECT_EQ(first.get_shared(), widget.GetFocusedButton()) << "removing another button keeps the focus";
    widget.ClearButtons();
    EXPECT_FALSE(widget.GetFocusedButton());
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_TRUE(first->clicks.empty());
}

TEST_F(WidgetTest, SetFocusedButtonAcceptsOnlyItsOwnButtons)
{
    auto mine = MakeButton("mine", 10, 10);
    auto stranger = MakeButton("stranger", 100, 10);
    widget.AddButton(mine, 0);
    widget.SetFocusedButton(mine);
    widget.SetFocusedButton(mine);
    EXPECT_EQ(std::vector<bool>({true}), mine->focusCalls) << "focusing the focused button does nothing";

    try
    {
        widget.SetFocusedButton(stranger);
        FAIL() << "expected LogicError";
    }
    catch (const LogicError& e)
    {
        EXPECT_STREQ("could not focus button because it is not part of widget", e.what());
    }
    EXPECT_FALSE(widget.GetFocusedButton());
    EXPECT_FALSE(mine->focus);
    EXPECT_FALSE(stranger->focus);
}

TEST_F(WidgetTest, PointerFocusesAndClicksTheTopmostVisibleButton)
{
    auto low = MakeButton("low", 50, 50, 20);
    auto high = MakeButton("high", 60, 60, 20);
    auto later = MakeButton("later", 40, 40, 20);
    widget.AddButton(high, 5);
    widget.AddButton(low, 0);
    widget.AddButton(later, 0);

    EXPECT_FALSE(widget.HandleMouseMove({500, 500}, {0, 0})) << "never focused";
    EXPECT_TRUE(widget.HandleMouseMove({50, 50}, {0, 0}));
    EXPECT_EQ(high.get_shared(), widget.GetFocusedButton()) << "the higher key is on top";
    EXPECT_TRUE(widget.HandleMouseMove({500, 500}, {50, 50}));
    EXPECT_EQ(high.get_shared(), widget.GetFocusedButton()) << "the focus stays when the pointer leaves";

    high->SetVisible(false);
    EXPECT_TRUE(widget.HandleClick({45, 45}, InterfaceInput::Secondary));
    EXPECT_EQ(std::vector<InterfaceInput::MouseButton>({InterfaceInput::Secondary}), later->clicks)
        << "under equal keys the one added later is on top";
    EXPECT_TRUE(low->clicks.empty());
    EXPECT_EQ(high.get_shared(), widget.GetFocusedButton()) << "a click does not move the focus";

    later->SetEnabled(false);
    EXPECT_TRUE(widget.HandleMouseMove({45, 45}, {0, 0}));
    EXPECT_EQ(later.get_shared(), widget.GetFocusedButton()) << "a disabled button takes the focus";
    EXPECT_TRUE(widget.HandleClick({45, 45}, InterfaceInput::Primary));
    EXPECT_EQ(1u, later->clicks.size());
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_EQ(1u, later->clicks.size());

    EXPECT_FALSE(widget.HandleClick({78, 78}, InterfaceInput::Primary)) << "only the hidden button is there";
    EXPECT_FALSE(widget.HandleMouseWheel(1));
    EXPECT_FALSE(widget.HandleDoubleClick({45, 45}, InterfaceInput::Primary));
    EXPECT_FALSE(widget.HandleDragStart({45, 45}));
    EXPECT_FALSE(widget.HandleDrag({45, 45}, {0, 0}));
    EXPECT_FALSE(widget.HandleDrop({45, 45}));
}

TEST_F(WidgetTest, ChildrenAreOfferedInputLastFirstAndDrawnFirstFirst)
{
    std::vector<std::string> record;
    auto button = MakeButton("button", 10, 10, 10, &record);
    widget.AddButton(button, 0);
    widget.AddChild(stable_ptr<Widget>(new RecordingChild(record, "first", true)));
    widget.AddChild(stable_ptr<Widget>(new RecordingChild(record, "second", false)));
    widget.AddChild(stable_ptr<Widget>(new RecordingChild(record, "third", true)));
    widget.SetFocusedButton(button);

    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_EQ(std::vector<std::string>({"third"}), record);
    EXPECT_TRUE(button->clicks.empty()) << "a child took the action";

    record.clear();
    widget.Draw();
    EXPECT_EQ(std::vector<std::string>({"button", "first", "second", "third"}), record);

    record.clear();
    widget.SetActive(false);
    EXPECT_FALSE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_TRUE(record.empty()) << "an inactive widget asks no child";
    EXPECT_TRUE(widget.HandleClick({10, 10}, InterfaceInput::Primary)) << "the pointer still works";
    EXPECT_EQ(1u, button->clicks.size());
}

TEST(GetCenter, IsTheMeanOfTheRectangleCentresOrThePosition)
{
    FakeButton button("button", 0, 0);
    button.GetArea().Load({0, 0, 10, 10, 20, 0, 5, 5});
    EXPECT_EQ(sf::Vector2f(13.75f, 3.75f), GetCenter(button));
    button.GetArea().Load({});
    button.SetPosition({7, 9});
    EXPECT_EQ(sf::Vector2f(7, 9), GetCenter(button));
}
