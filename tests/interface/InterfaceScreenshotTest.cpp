// A menu screen with buttons, dials, a scroll bar and the score counter, drawn
// into a real window; the picture is kept in the build folder for a look.
#include "campaign/ExitableScreen.hpp"
#include "flight/Inventory.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/CounterDisplay.hpp"
#include "interface/GaugeButton.hpp"
#include "interface/InterfaceFixture.hpp"
#include "interface/ScrollBar.hpp"

using namespace Kestrum;

namespace
{
    // The screen is laid out for 1024 by 768 and centred in the window.
    class DemoScreen : public ExitableScreen
    {
    public:
        explicit DemoScreen(const sf::Vector2f& offset) : ExitableScreen(true), offset(offset) {}

        void OnEnter() override
        {
            ExitableScreen::OnEnter();
            const std::string start = "resources|gui|screens|start|buttons|";
            auto arcade = ComplexButton::Create(start + "arcade|graphics.png", start + "arcade|click_area.txt",
                                                offset + sf::Vector2f(112.f, 430.f));
            auto options = ComplexButton::Create(start + "options|graphics.png", start + "options|click_area.txt",
                                                 offset + sf::Vector2f(562.f, 430.f));
            AddButton(arcade, 0);
            AddButton(options, 0);

            const int variants[] = {1, 0, 3, 2, 1};
            const float values[] = {0.75f, 1.f, 0.f, 0.6f, 0.25f};
            for (unsigned i = 0; i < 5; ++i)
            {
                auto dial = GaugeButton::Create(variants[i]);
                dial->SetPosition(offset + sf::Vector2f(112.f + 170.f * float(i), 180.f));
                dial->SetValue(values[i]);
                dial->ConnectAmplitudeChange(4, true);
                AddButton(dial, 0);
                if (i == 0)
                    SetFocusedButton(dial);
                if (i == 4)
                    dial->SetEnabled(false);
            }

            auto bar = stable_ptr<ScrollBar>(new ScrollBar(offset + sf::Vector2f(924.f, 100.f), 200.f));
            bar->OnEnter();
            AddChild(bar);

            counter = CounterDisplay::Create();
            counter->SetPosition(offset + sf::Vector2f(432.f, 600.f));
            counter->SetNumber(1234567);
        }

        void Draw() override
        {
            ExitableScreen::Draw();
            counter->Draw();
        }

        sf::Vector2f offset;
        std::shared_ptr<CounterDisplay> counter;
    };

    class InterfaceScreenshotTest : public Kestrum::Testing::InterfaceFixture
    {
    };
}

TEST_F(InterfaceScreenshotTest, AMenuScreenDrawsItsButtonsDialsAndCounter)
{
    CopyFromGameRoot("resources/gui/screens");
    // The window has the size of the video mode, as in the game.
    const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
    ASSERT_LE(1024u, mode.width);
    ASSERT_LE(768u, mode.height);
    sf::RenderWindow& window = OpenWindow(mode.width, mode.height);
    CreateAndRegister(new Inventory())->money = 1500;
    const sf::Vector2f offset(float((mode.width - 1024) / 2), float((mode.height - 768) / 2));
    const sf::Vector2f counterPosition = offset + sf::Vector2f(432.f, 600.f);
    DemoScreen screen(offset);
    screen.OnEnter();

    window.clear(sf::Color::Black);
    screen.Draw();
    const sf::Image picture = Capture();
    window.display();
    const std::filesystem::path file =
        std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / "interface-test-screen.png";
    ASSERT_TRUE(picture.saveToFile(file.string()));
    std::cout << "screenshot: " << file.string() << "\n";

    // Each wheel shows its digit exactly as the strip draws it: 0001234567.
    sf::Image strip;
    ASSERT_TRUE(strip.loadFromFile("resources/gui/screens/shared/score_counter.png"));
    const int digits[] = {0, 0, 0, 1, 2, 3, 4, 5, 6, 7};
    for (unsigned wheel = 0; wheel < 10; ++wheel)
        for (unsigned y = 0; y < 14; ++y)
            for (unsigned x = 0; x < 11; ++x)
            {
                const sf::Color drawn = picture.getPixel(unsigned(counterPosition.x) + 19 + 12 * wheel + x,
                                                         unsigned(counterPosition.y) + 9 + y);
                const sf::Color glyph = strip.getPixel(unsigned(19 + 12 * digits[wheel]) + x, 9 + y);
                ASSERT_EQ(glyph, sf::Color(drawn.r, drawn.g, drawn.b, glyph.a))
                    << "wheel " << wheel << " at " << x << ", " << y;
            }

    // The enabled dials show their needle; the disabled one does not.
    auto reddish = [](const sf::Color& c) { return c.r > 180 && c.g < 140 && c.b < 120; };
    unsigned needlePixels[5] = {};
    for (unsigned i = 0; i < 5; ++i)
        for (unsigned y = 180; y < 300; ++y)
            for (unsigned x = 112 + 170 * i; x < 240 + 170 * i; ++x)
                if (reddish(picture.getPixel(x + unsigned(offset.x), y + unsigned(offset.y))))
                    ++needlePixels[i];
    EXPECT_LT(60u, needlePixels[0]);
    EXPECT_EQ(0u, needlePixels[4]);
}
