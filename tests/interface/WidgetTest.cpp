#include "interface/Widget.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "interface/FakeButton.hpp"
#include "interface/InterfaceFixture.hpp"
#include "support/HeldClock.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <tuple>

using namespace Kestrum;
using Kestrum::Testing::FakeButton;
using Kestrum::Testing::MakeButton;
using Kestrum::Testing::PlainWidget;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class WidgetTest : public Kestrum::Testing::InterfaceFixture
    {
    protected:
        // The focus moves at most once per 0.2 seconds, counted from the widget's birth.
        void WaitForFocusDelay() { clock.Advance(0.21); }

        bool Move(InterfaceInput::Action action)
        {
            WaitForFocusDelay();
            return widget.HandleAction(action);
        }

        // The move was held back: the focus is still where it was.
        void ExpectHeldBack(const std::shared_ptr<Button>& focused, const char* what)
        {
            EXPECT_EQ(focused, widget.GetFocusedButton()) << what;
        }

        // Held before the widget is born.
        const Kestrum::Testing::HeldClock clock;
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
    const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
    const sf::Vector2f c(static_cast<float>(mode.width) * 0.5f, static_cast<float>(mode.height) * 0.5f);
    using Spots = std::vector<std::tuple<const char*, float, float, unsigned>>; // name, centre, key
    const Spots row = {{"origin", 200, 200, 0}, {"far", 400, 200, 0}, {"below", 300, 250, 0}, {"ahead", 300, 200, 0}};
    const Spots flat = {{"origin", 200, 200, 0}, {"left", 100, 200, 0}, {"right", 300, 200, 0}};
    const struct
    {
        const char* what;
        Spots spots;
        const char* from; // nullptr: nothing focused
        InterfaceInput::Action action;
        const char* expected;
    } cases[] = {
        // below: |v| 111.8, cosine 0.894, score 125; ahead: score 100.
        {"distance over cosine", row, "origin", InterfaceInput::move_right, "ahead"},
        {"a button on the perpendicular is skipped", row, "ahead", InterfaceInput::move_left, "origin"},
        // (100, 60) scores 116.6 / 0.857 = 136, (140, 0) scores 140.
        {"off the axis can win", {{"origin", 200, 200, 0}, {"straight", 340, 200, 0}, {"slanted", 300, 260, 0}},
         "origin", InterfaceInput::move_right, "slanted"},
        {"nothing lies ahead", flat, "origin", InterfaceInput::move_up, "origin"},
        {"the focus does not wrap around", flat, "origin", InterfaceInput::move_down, "origin"},
        // Up-left and up-right score 125 each: the lower key wins, then the one added first.
        {"a tie goes to the lower key", {{"origin", 200, 200, 0}, {"upLeft", 150, 100, 1}, {"upRight", 250, 100, 0}},
         "origin", InterfaceInput::move_up, "upRight"},
        {"a tie under one key goes to the first added",
         {{"origin", 200, 200, 0}, {"upLeft", 150, 100, 0}, {"upRight", 250, 100, 0}}, "origin",
         InterfaceInput::move_up, "upLeft"},
        // Without focus the move starts at the screen centre; a button there has no direction.
        {"from the screen centre", {{"centre", c.x, c.y, 0}, {"right", c.x + 50, c.y, 0}, {"left", c.x - 80, c.y, 0}},
         nullptr, InterfaceInput::move_left, "left"},
    };

    // All widgets are born first, so that one wait covers every focus delay.
    std::vector<std::unique_ptr<PlainWidget>> widgets;
    std::vector<std::map<std::string, stable_ptr<FakeButton>>> buttons;
    for (const auto& test : cases)
    {
        widgets.emplace_back(new PlainWidget());
        buttons.emplace_back();
        for (const auto& [name, x, y, key] : test.spots)
        {
            auto button = MakeButton(name, x, y);
            buttons.back().emplace(name, button);
            widgets.back()->AddButton(button, key);
        }
        if (test.from)
            widgets.back()->SetFocusedButton(buttons.back().at(test.from));
    }
    WaitForFocusDelay();
    for (size_t i = 0; i < widgets.size(); ++i)
    {
        EXPECT_TRUE(widgets[i]->HandleAction(cases[i].action)) << cases[i].what;
        EXPECT_EQ(buttons[i].at(cases[i].expected).get_shared(), widgets[i]->GetFocusedButton()) << cases[i].what;
        for (const auto& named : buttons[i])
            EXPECT_EQ(named.first == cases[i].expected, named.second->focus) << cases[i].what << ": " << named.first;
    }
}

TEST_F(WidgetTest, MovesAreHeldBackByTheFocusDelay)
{
    auto only = MakeButton("only", 10, 10);
    widget.AddButton(only, 0);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::move_down));
    ExpectHeldBack(nullptr, "the delay runs from the widget's birth");

    // A single button takes the focus whatever the direction.
    EXPECT_TRUE(Move(InterfaceInput::move_up));
    EXPECT_EQ(only.get_shared(), widget.GetFocusedButton());

    auto other = MakeButton("other", 100, 10);
    widget.AddButton(other, 0);
    clock.Advance(0.1);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::move_right));
    ExpectHeldBack(only.get_shared(), "0.1 s after the last move");
    EXPECT_TRUE(Move(InterfaceInput::move_right));
    EXPECT_EQ(other.get_shared(), widget.GetFocusedButton());

    // A move that finds nothing still restarts the delay.
    widget.ClearButtons();
    EXPECT_TRUE(Move(InterfaceInput::move_left));
    widget.AddButton(only, 0);
    widget.AddButton(other, 0);
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::move_left));
    ExpectHeldBack(nullptr, "a move that found nothing");
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
    EXPECT_TRUE(widget.HandleAction(InterfaceInput::accept));
    EXPECT_TRUE(first->clicks.empty()) << "clearing the buttons drops the focus";
}

TEST_F(WidgetTest, SetFocusedButtonAcceptsOnlyItsOwnButtons)
{
    auto mine = MakeButton("mine", 10, 10);
    auto stranger = MakeButton("stranger", 100, 10);
    widget.AddButton(mine, 0);
    widget.SetFocusedButton(mine);
    widget.SetFocusedButton(mine);
    EXPECT_EQ(std::vector<bool>({true}), mine->focusCalls) << "focusing the focused button does nothing";

    EXPECT_EQ("could not focus button because it is not part of widget",
              ThrownMessage<LogicError>([&] { widget.SetFocusedButton(stranger); }));
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
    EXPECT_EQ(1u, later->clicks.size()) << "a disabled button is not clicked";
    EXPECT_FALSE(widget.HandleClick({78, 78}, InterfaceInput::Primary)) << "only the hidden button is there";
}

TEST_F(WidgetTest, ChildrenAreOfferedInputLastFirstAndDrawnFirstFirst)
{
    std::vector<std::string> record;
    auto button = MakeButton("button", 10, 10, 10, &record);
    widget.AddButton(button, 0);
    for (const auto& child : {std::make_pair("first", true), {"second", false}, {"third", true}})
        widget.AddChild(stable_ptr<Widget>(new RecordingChild(record, child.first, child.second)));
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
