#include "interface/ExitableScreen.hpp"

#include "campaign/Inventory.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/FakeButton.hpp"
#include "interface/InterfaceFixture.hpp"
#include "interface/ScreenManager.hpp"

#include <SFML/Graphics/Sprite.hpp>

using namespace Kestrum;

namespace
{
    class EmptyScreen : public Screen
    {
    public:
        void OnEnter() override {}
        void OnExit() override {}
    };

    // Takes every action it is offered.
    class GreedyChild : public Kestrum::Testing::PlainWidget
    {
    public:
        bool HandleAction(Action) override { return true; }
    };

    class ExitableScreenTest : public Kestrum::Testing::InterfaceFixture
    {
    protected:
        ExitableScreenTest()
        {
            CopyFromGameRoot("resources/gui/screens");
            OpenWindow(1024, 768);
            registry->Register<ScreenManager>(manager);
        }

        // White-ish pixels of the band where the cash line stands.
        unsigned BrightPixelsAtTheTop()
        {
            const sf::Image picture = Capture();
            unsigned count = 0;
            for (unsigned y = 5; y < 30; ++y)
                for (unsigned x = 412; x < 612; ++x)
                {
                    const sf::Color c = picture.getPixel(x, y);
                    if (c.r > 200 && c.g > 200 && c.b > 200)
                        ++count;
                }
            return count;
        }

        stable_ptr<Screen> first{new EmptyScreen()};
        stable_ptr<Screen> destination{new EmptyScreen()};
        stable_ptr<ScreenManager> manager{new ScreenManager(first)};
        stable_ptr<ExitableScreen> screen{new ExitableScreen(true)};
    };
}

TEST(CashLine, RightAlignsTheMoneyInTenPlaces)
{
    EXPECT_EQ("Cash:       1500", FormatCashLine(1500));
    EXPECT_EQ("Cash:          0", FormatCashLine(0));
    EXPECT_EQ("Cash:  4294967295", FormatCashLine(4294967295u));
}

TEST_F(ExitableScreenTest, EntryMakesTheBackdropAndTheExitButtonInTheTopRightCorner)
{
    screen->OnEnter();
    const std::list<stable_ptr<Button>> buttons = screen->GetButtons(false);
    ASSERT_EQ(1u, buttons.size());
    const ComplexButton& exit = static_cast<const ComplexButton&>(*buttons.front());
    EXPECT_EQ(sf::Vector2f(1024.f - exit.GetSize().x, 0.f), exit.GetPosition());

    // Brought to the mode's width, then fitted to its height: both scalings stay.
    const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
    const float W = float(mode.width), H = float(mode.height);
    ASSERT_TRUE(screen->GetBackground());
    const sf::Sprite& backdrop = *screen->GetBackground();
    const float scale = H * 1024.f / (768.f * W);
    EXPECT_NEAR(scale, backdrop.getScale().x, 1e-5);
    EXPECT_NEAR(scale, backdrop.getScale().y, 1e-5);
    EXPECT_NEAR((W - 1024.f * scale) / 2.f, backdrop.getPosition().x, 1e-3);
    EXPECT_NEAR((H - 768.f * scale) / 2.f, backdrop.getPosition().y, 1e-3);

    screen->OnExit();
    EXPECT_TRUE(screen->GetButtons(false).empty());
    EXPECT_FALSE(screen->GetBackground());
}

TEST_F(ExitableScreenTest, EscapeAndTheExitButtonLeadToTheDestination)
{
    screen->OnEnter();
    EXPECT_TRUE(screen->HandleAction(InterfaceInput::escape)) << "no destination: nothing happens";
    EXPECT_FALSE(screen->HandleAction(InterfaceInput::fire));
    manager->Update();
    EXPECT_EQ(first, manager->GetCurrentScreen());

    screen->SetExitDestination(destination);
    EXPECT_TRUE(screen->HandleAction(InterfaceInput::escape));
    EXPECT_EQ(first, manager->GetCurrentScreen()) << "the change waits for the next pass";
    manager->Update();
    EXPECT_EQ(destination, manager->GetCurrentScreen());

    manager->SetNextScreen(first);
    manager->Update();
    const stable_ptr<Button> exit = screen->GetButtons(false).front();
    EXPECT_TRUE(screen->HandleClick(GetCenter(*exit), InterfaceInput::MB5));
    manager->Update();
    EXPECT_EQ(destination, manager->GetCurrentScreen());

    // A child that takes escape first keeps the screen.
    manager->SetNextScreen(first);
    manager->Update();
    screen->AddChild(stable_ptr<Widget>(new GreedyChild()));
    EXPECT_TRUE(screen->HandleAction(InterfaceInput::escape));
    manager->Update();
    EXPECT_EQ(first, manager->GetCurrentScreen());
}

TEST_F(ExitableScreenTest, TheCashLineShowsTheMoneyOnlyWhenThereIsAGame)
{
    screen->OnEnter();
    sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
    window.clear(sf::Color::Black);
    EXPECT_NO_THROW(screen->Draw()) << "no inventory registered";
    EXPECT_EQ(0u, BrightPixelsAtTheTop());

    auto inventory = CreateAndRegister(new Inventory());
    inventory->money = 1500;
    window.clear(sf::Color::Black);
    screen->Draw();
    EXPECT_LT(20u, BrightPixelsAtTheTop());

    stable_ptr<ExitableScreen> savings(new ExitableScreen(false));
    savings->OnEnter();
    window.clear(sf::Color::Black);
    savings->Draw();
    EXPECT_EQ(0u, BrightPixelsAtTheTop());
}

TEST_F(ExitableScreenTest, BackgroundsAreFittedToTheHeightAndCentred)
{
    const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
    const float W = float(mode.width), H = float(mode.height);
    sf::Texture texture;
    texture.create(100, 50);
    auto sprite = std::make_shared<sf::Sprite>(texture);
    sprite->setScale(3.f, 3.f);
    EmptyScreen plain;
    plain.FitBackground(sprite);
    const float factor = H / 150.f;   // the current height counts, scale included
    EXPECT_NEAR(factor, sprite->getScale().x, 1e-5);
    EXPECT_NEAR(factor, sprite->getScale().y, 1e-5);
    EXPECT_NEAR((W - 100.f * factor) / 2.f, sprite->getPosition().x, 1e-3);
    EXPECT_NEAR((H - 50.f * factor) / 2.f, sprite->getPosition().y, 1e-3);
    EXPECT_EQ(sprite, plain.GetBackground());
    plain.FitBackground(nullptr);
    EXPECT_FALSE(plain.GetBackground());
}
