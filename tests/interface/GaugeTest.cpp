#include "interface/CounterDisplay.hpp"
#include "interface/Gauge.hpp"
#include "interface/GaugeButton.hpp"
#include "interface/InterfaceFixture.hpp"

#include <cmath>
#include <limits>

using namespace Kestrum;

namespace
{
    class GaugeTest : public Kestrum::Testing::InterfaceFixture
    {
    protected:
        GaugeTest() { CopyFromGameRoot("resources/gui/screens/shared"); }

        std::vector<float> Steps(GaugeButton& button, InterfaceInput::MouseButton mouseButton, int count)
        {
            std::vector<float> values;
            for (int i = 0; i < count; ++i)
            {
                button.GetClickSignal()(mouseButton);
                values.push_back(button.GetValue());
            }
            return values;
        }
    };
}

TEST_F(GaugeTest, ValuesAreClampedAndTurnTheNeedle)
{
    auto gauge = Gauge::Create(1);
    EXPECT_EQ(0.f, gauge->GetValue());
    // 120 degrees counter-clockwise at 0, upright at 0.5, 60 degrees at 1; the
    // window library turns clockwise.
    EXPECT_FLOAT_EQ(240.f, gauge->GetNeedleRotation());
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float cases[][3] = {{-0.5f, 0.f, 240.f}, {2.f, 1.f, 300.f}, {0.5f, 0.5f, 270.f}, {nan, 0.f, 240.f}};
    for (const auto& [given, value, rotation] : cases)
    {
        gauge->SetValue(given);
        EXPECT_EQ(value, gauge->GetValue()) << given;
        EXPECT_FLOAT_EQ(rotation, gauge->GetNeedleRotation()) << given;
    }
}

TEST_F(GaugeTest, ClicksStepTheValueAndWrapAtTheEnds)
{
    auto four = GaugeButton::Create(1);
    four->ConnectAmplitudeChange(4, true);
    EXPECT_EQ(std::vector<float>({0.25f, 0.5f, 0.75f, 1.f, 0.f}), Steps(*four, InterfaceInput::Primary, 5));
    EXPECT_EQ(std::vector<float>({1.f, 0.75f}), Steps(*four, InterfaceInput::Secondary, 2));

    auto toggle = GaugeButton::Create(0);
    toggle->ConnectAmplitudeChange(1, true);
    EXPECT_EQ(std::vector<float>({1.f, 0.f}), Steps(*toggle, InterfaceInput::Primary, 2));
    EXPECT_EQ(std::vector<float>({1.f, 0.f}), Steps(*toggle, InterfaceInput::Secondary, 2));
    EXPECT_EQ(std::vector<float>({0.f}), Steps(*toggle, InterfaceInput::MB3, 1));

    // Without wrapping the value stops at the ends.
    auto stopping = GaugeButton::Create(3);
    stopping->ConnectAmplitudeChange(2, false);
    EXPECT_EQ(std::vector<float>({0.5f, 1.f, 1.f}), Steps(*stopping, InterfaceInput::Primary, 3));
    EXPECT_EQ(std::vector<float>({0.5f, 0.f, 0.f}), Steps(*stopping, InterfaceInput::Secondary, 3));
}

TEST_F(GaugeTest, TheClickAreaCoversTheRoundFace)
{
    auto button = GaugeButton::Create(1);
    button->SetPosition({100, 200});
    EXPECT_TRUE(button->GetArea().Contains({164, 264}));
    EXPECT_TRUE(button->GetArea().Contains({107, 235}));
    EXPECT_FALSE(button->GetArea().Contains({101, 201}));
    EXPECT_EQ(sf::Vector2f(164, 264), GetCenter(*button));
}

TEST_F(GaugeTest, CounterShowsTenDigitsCutFromItsStrip)
{
    OpenWindow(200, 60);
    auto counter = CounterDisplay::Create();
    EXPECT_EQ(0u, counter->GetNumber());

    auto digits = [&counter]() {
        std::vector<int> shown;
        for (unsigned i = 0; i < 10; ++i)
        {
            const sf::IntRect part = counter->GetWheelPart(i);
            EXPECT_EQ(9, part.top);
            EXPECT_EQ(sf::Vector2i(11, 14), sf::Vector2i(part.width, part.height));
            shown.push_back((part.left - 19) / 12);
        }
        return shown;
    };
    counter->SetNumber(1234);
    counter->Draw();
    EXPECT_EQ(std::vector<int>({0, 0, 0, 0, 0, 0, 1, 2, 3, 4}), digits());

    counter->SetNumber(4294967295u);
    counter->Draw();
    EXPECT_EQ(std::vector<int>({4, 2, 9, 4, 9, 6, 7, 2, 9, 5}), digits());

    counter->SetPosition({500, 10});
    for (unsigned i = 0; i < 10; ++i)
        EXPECT_EQ(sf::Vector2f(519.f + 12.f * float(i), 19.f), counter->GetWheelPosition(i));
}
