#include "interface/ComplexButton.hpp"
#include "interface/ScrollBar.hpp"
#include "interface/ScrollableLayout.hpp"

#include "interface/FakeButton.hpp"
#include "interface/InterfaceFixture.hpp"

#include <algorithm>
#include <numeric>

using namespace Kestrum;
using Kestrum::Testing::FakeButton;
using Kestrum::Testing::MakeButton;

namespace
{
    std::vector<sf::Vector2f> Grid()
    {
        std::vector<sf::Vector2f> slots;
        for (int i = 0; i < 9; ++i)
            slots.push_back(sf::Vector2f(100.f + 150.f * float(i % 3), 100.f + 150.f * float(i / 3)));
        return slots;
    }

    class ScrollableLayoutTest : public Kestrum::Testing::InterfaceFixture
    {
    protected:
        void MakeButtons(unsigned count)
        {
            for (unsigned i = 0; i < count; ++i)
            {
                buttons.push_back(MakeButton("b" + std::to_string(i), 0, 0));
                list.push_back(buttons.back().get_shared());
            }
        }

        // The indices of the visible buttons, each checked to stand on its slot.
        std::vector<unsigned> Shown()
        {
            std::vector<unsigned> shown;
            const std::vector<sf::Vector2f> slots = Grid();
            for (unsigned i = 0; i < buttons.size(); ++i)
                if (buttons[i]->IsVisible())
                {
                    EXPECT_EQ(slots[shown.size()], buttons[i]->GetPosition()) << "button " << i;
                    shown.push_back(i);
                }
            return shown;
        }

        static std::vector<unsigned> Range(unsigned from, unsigned to)
        {
            std::vector<unsigned> range(to - from + 1);
            std::iota(range.begin(), range.end(), from);
            return range;
        }

        std::vector<stable_ptr<FakeButton>> buttons;
        std::vector<std::shared_ptr<Button>> list;
    };
}

TEST_F(ScrollableLayoutTest, PagesThroughTheButtons)
{
    MakeButtons(20);
    ScrollableLayout layout(list, Grid(), 9);
    layout.OnEnter();
    EXPECT_EQ(20u, layout.GetButtons(false).size());
    EXPECT_EQ(Range(0, 8), Shown());
    // Steps and the first and last button shown after each; a step past either end does nothing.
    const int steps[][3] = {{1, 9, 17}, {1, 18, 19}, {1, 18, 19}, {-1, 9, 17}, {-1, 0, 8}, {-1, 0, 8}, {2, 18, 19},
                            {3, 18, 19}};
    for (const auto& [units, from, to] : steps)
    {
        layout.Scroll(units);
        EXPECT_EQ(Range(unsigned(from), unsigned(to)), Shown()) << "after " << units;
        EXPECT_EQ(unsigned(from), layout.GetFirst());
    }

    // Hidden buttons are not hit; leaving takes the buttons out, entering starts
    // at the first page again.
    EXPECT_FALSE(layout.FindButtonAt({100, 100}) == buttons[0].get_shared());
    layout.OnExit();
    EXPECT_TRUE(layout.GetButtons(false).empty());
    layout.OnEnter();
    EXPECT_EQ(Range(0, 8), Shown());
    EXPECT_EQ(buttons[0].get_shared(), layout.FindButtonAt({100, 100}));
}

TEST_F(ScrollableLayoutTest, EmptyButtonPointersAreDroppedAndLogged)
{
    MakeButtons(3);
    std::vector<std::shared_ptr<Button>> gappy = {list[0], nullptr, list[1], nullptr, list[2]};
    ScrollableLayout layout(gappy, Grid(), 9);
    layout.OnEnter();
    EXPECT_EQ(Range(0, 2), Shown());
    const std::vector<std::string> lines = log.GetLines();
    EXPECT_EQ(2, std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
                  return line.find("detected empty button pointer for ScrollableLayout: it's now removed, but that's "
                                   "a logic error!") != std::string::npos;
              }));
}

TEST_F(ScrollableLayoutTest, ScrollBarArrowsEmitMinusAndPlusOne)
{
    CopyFromGameRoot("resources/gui/screens/buttons");
    OpenWindow(400, 400);
    ScrollBar bar({300, 100}, 200);
    std::vector<int> emitted;
    bar.GetScrollSignal().connect([&emitted](int units) { emitted.push_back(units); });
    bar.OnEnter();
    const std::list<stable_ptr<Button>> arrows = bar.GetButtons(false);
    ASSERT_EQ(2u, arrows.size());
    const stable_ptr<Button>& up = arrows.front();
    const stable_ptr<Button>& down = arrows.back();
    EXPECT_EQ(sf::Vector2f(300, 100), up->GetPosition());
    const float arrowHeight = static_cast<ComplexButton&>(*down).GetSize().y;
    EXPECT_EQ(sf::Vector2f(300, 300 - arrowHeight), down->GetPosition()) << "the down arrow ends at 100 + 200";

    EXPECT_TRUE(bar.HandleClick(GetCenter(*up), InterfaceInput::Secondary));
    EXPECT_TRUE(bar.HandleClick(GetCenter(*down), InterfaceInput::Primary));
    EXPECT_FALSE(bar.HandleMouseWheel(-1)) << "the wheel does not scroll";
    EXPECT_EQ(std::vector<int>({-1, 1}), emitted);

    bar.OnExit();
    EXPECT_TRUE(bar.GetButtons(false).empty());
}
