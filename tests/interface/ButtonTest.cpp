#include "core/ReadTokens.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/InterfaceFixture.hpp"
#include "interface/SimpleButton.hpp"

#include "core/Exception.hpp"
#include "support/HeldClock.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <boost/lexical_cast.hpp>

#include <sstream>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    // A button whose looks and chosen look the test can see.
    class ProbeButton : public ComplexButton
    {
    public:
        ProbeButton(const std::string& image, const std::string& area) { Initialize(image, area, {0.f, 0.f}); }
        using ComplexButton::ChooseLook;
        using ComplexButton::GetLook;
    };

    std::vector<float> Corners(RectangleList& area)
    {
        std::vector<float> values;
        for (const Rectangle& r : area.GetRectangles())
            values.insert(values.end(), {r.left, r.top, r.right, r.bottom});
        return values;
    }

    class ButtonTest : public Kestrum::Testing::InterfaceFixture
    {
    };
}

TEST_F(ButtonTest, FourLooksAreCutFromThePictureAndTheAreaFromItsFile)
{
    WriteImage("resources/b/button.png", 200, 100, sf::Color::White);
    root.WriteFile("resources/b/area.txt", "0 0 10 10\n20\t0 5  5\n");
    ProbeButton button("resources|b|button.png", "resources|b|area.txt");
    EXPECT_EQ(sf::Vector2f(100, 50), button.GetSize());
    EXPECT_EQ(std::vector<float>({0, 0, 10, 10, 20, 0, 25, 5}), Corners(button.GetArea()));

    button.SetPosition({100, 50});
    EXPECT_EQ(std::vector<float>({100, 50, 110, 60, 120, 50, 125, 55}), Corners(button.GetArea()));
    for (unsigned i = 0; i < 4; ++i) // idle, clicked, focused, disabled: left to right, top to bottom
    {
        EXPECT_EQ(sf::IntRect(100 * int(i % 2), 50 * int(i / 2), 100, 50), button.GetLook(i).getTextureRect());
        EXPECT_EQ(sf::Vector2f(100, 50), button.GetLook(i).getPosition());
    }

    auto made = ComplexButton::Create("resources|b|button.png", "resources|b|area.txt", {30, 40});
    EXPECT_EQ(sf::Vector2f(30, 40), made->GetPosition());
    EXPECT_EQ(std::vector<float>({30, 40, 40, 50, 50, 40, 55, 45}), Corners(made->GetArea()));
}

TEST_F(ButtonTest, BadClickAreasAndOddPicturesAreRefused)
{
    WriteImage("resources/b/button.png", 200, 100, sf::Color::White);
    root.WriteFile("resources/b/six.txt", "0 0 10 10 20 0");
    EXPECT_EQ("odd number of values for rectangle list", ThrownMessage<LogicError>([&] {
                  ComplexButton::Create("resources|b|button.png", "resources|b|six.txt", {0, 0});
              }));
    root.WriteFile("resources/b/words.txt", "0 0 ten 10");
    EXPECT_THROW(ComplexButton::Create("resources|b|button.png", "resources|b|words.txt", {0, 0}),
                 boost::bad_lexical_cast);
    EXPECT_THROW(ComplexButton::Create("resources|b|button.png", "resources|b|missing.txt", {0, 0}), LoadError);
    const std::pair<const char*, const char*> unfit[] = {
        {"0 nan 10 10", "resources|b|unfit.txt holds nan, which is not a finite number"},
        {"0 0 inf 10", "resources|b|unfit.txt holds inf, which is not a finite number"},
        {"0 0 10 10 5 5 -2 4", "resources|b|unfit.txt holds -2 as a width, which is negative"},
        {"-5 -5 10 -1", "resources|b|unfit.txt holds -1 as a height, which is negative"}};
    for (const auto& [text, message] : unfit)
    {
        root.WriteFile("resources/b/unfit.txt", text);
        EXPECT_EQ(message, ThrownMessage<ParseError>([&] {
                      ComplexButton::Create("resources|b|button.png", "resources|b|unfit.txt", {0, 0});
                  }));
    }

    root.WriteFile("resources/b/area.txt", "0 0 10 10");
    const std::pair<sf::Vector2u, const char*> odd[] = {
        {{201, 101}, "area of button resource has odd width, it has to be a multiple of 2"}, // both odd: width named
        {{200, 101}, "area of button resource has odd height, it has to be a multiple of 2"}};
    for (const auto& [size, message] : odd)
    {
        const std::string name = "odd" + std::to_string(size.x) + "x" + std::to_string(size.y) + ".png";
        WriteImage("resources/b/" + name, size.x, size.y, sf::Color::White);
        EXPECT_EQ(message, ThrownMessage<NotSupportedError>(
                               [&] { ComplexButton::Create("resources|b|" + name, "resources|b|area.txt", {0, 0}); }));
    }
    EXPECT_THROW(Details::GetPartition(sf::IntRect(0, 0, 4, 4), 4), LogicError);
}

TEST_F(ButtonTest, AClickFlashesTheClickedLookAndLeavesTheButtonIdle)
{
    WriteImage("resources/b/button.png", 20, 20, sf::Color::White);
    root.WriteFile("resources/b/area.txt", "0 0 10 10");
    ProbeButton button("resources|b|button.png", "resources|b|area.txt");
    EXPECT_EQ(0u, button.ChooseLook());
    button.SetFocus(true);
    EXPECT_EQ(2u, button.ChooseLook());

    const Kestrum::Testing::HeldClock clock;
    button.GetClickSignal()(InterfaceInput::MB4);
    clock.Advance(0.12);
    EXPECT_EQ(1u, button.ChooseLook());
    EXPECT_FALSE(button.HasFocus()) << "the clicked look is not the focus";
    clock.Advance(0.01);
    EXPECT_EQ(0u, button.ChooseLook());
    EXPECT_FALSE(button.HasFocus());

    button.SetEnabled(false);
    button.SetFocus(true);
    EXPECT_EQ(3u, button.ChooseLook());
    button.GetClickSignal()(InterfaceInput::Primary);
    EXPECT_EQ(3u, button.ChooseLook());
}

TEST_F(ButtonTest, SimpleButtonTakesItsAreaFromTheClickedPictureAndDrawsGreyWhenDisabled)
{
    sf::RenderWindow& window = OpenWindow(64, 64);
    sf::Image white;
    white.create(8, 6, sf::Color::White);
    sf::Texture texture;
    texture.loadFromImage(white);
    auto idle = std::make_shared<sf::Sprite>(texture);
    auto clicked = std::make_shared<sf::Sprite>(texture);
    idle->setPosition(1, 1);
    clicked->setPosition(20, 30);

    SimpleButton button(nullptr, idle, clicked);
    EXPECT_TRUE(button.GetArea().Contains({20, 30}));
    EXPECT_TRUE(button.GetArea().Contains({28, 36}));
    EXPECT_FALSE(button.GetArea().Contains({29, 30}));

    button.SetPosition({11, 21});
    EXPECT_EQ(sf::Vector2f(11, 21), idle->getPosition());
    EXPECT_EQ(sf::Vector2f(11, 21), clicked->getPosition());
    EXPECT_TRUE(button.GetArea().Contains({30, 50})) << "the area moved by (10, 20)";
    EXPECT_FALSE(button.GetArea().Contains({20, 30}));

    button.SetEnabled(false);
    window.clear(sf::Color::Black);
    button.Draw();
    EXPECT_EQ(sf::Color(128, 128, 128), Capture().getPixel(13, 23));
    EXPECT_EQ(sf::Color::White, idle->getColor()) << "the picture keeps its own colour";

    auto area = std::make_shared<RectangleList>();
    area->Load({0, 0, 2, 2});
    SimpleButton given(area, idle, clicked);
    EXPECT_EQ(area.get(), &given.GetArea());
}

TEST(ReadTokens, ReadsEveryWordAndWarnsAboutQuietStreams)
{
    Kestrum::Testing::CapturedLog log;
    std::istringstream quiet(" 1  2.5\n\tthree\n\n");
    EXPECT_EQ(std::vector<std::string>({"1", "2.5", "three"}), ReadTokens(quiet));
    EXPECT_TRUE(log.Contains("stream will not throw when encountering badbit"));

    const size_t lines = log.GetLines().size();
    std::istringstream strict("a b");
    strict.exceptions(std::ios::badbit);
    EXPECT_EQ(std::vector<std::string>({"a", "b"}), ReadTokens(strict));
    EXPECT_EQ(lines, log.GetLines().size());
}
