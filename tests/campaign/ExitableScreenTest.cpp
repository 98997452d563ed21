#include "campaign/ExitableScreen.hpp"

#include "flight/Inventory.hpp"
#include "interface/ComplexButton.hpp"
#include "interface/FakeButton.hpp"
#include "interface/InterfaceFixture.hpp"
#include "interface/ScreenManager.hpp"
#include "support/ScreenProbe.hpp"

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

        // The share of white-ish pixels in the band where the cash line stands.
        float CashLineShare() { return Kestrum::Testing::ScreenProbe::BrightShare(Capture(), 412, 5, 200, 25, 201); }

        // The sprite of the given size (before scaling) has the scale and stands in
        // the middle of the screen.
        void ExpectFittedAndCentred(const sf::Sprite& sprite, float width, float height, float scale)
        {
            EXPECT_NEAR(scale, sprite.getScale().x, 1e-5);
            EXPECT_NEAR(scale, sprite.getScale().y, 1e-5);
            EXPECT_NEAR((W - width * scale) / 2.f, sprite.getPosition().x, 1e-3);
            EXPECT_NEAR((H - height * scale) / 2.f, sprite.getPosition().y, 1e-3);
        }

        const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
        const float W = float(mode.width), H = float(mode.height);
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
    ASSERT_TRUE(screen->GetBackground());
    ExpectFittedAndCentred(*screen->GetBackground(), 1024.f, 768.f, H * 1024.f / (768.f * W));

    screen->OnExit();
    EXPECT_TRUE(screen->GetButtons(false).empty());
    EXPECT_FALSE(screen->GetBackground());
}

TEST_F(ExitableScreenTest, EscapeAndTheExitButtonLeadToTheDestination)
{
    const auto next = [&] { return manager->Update(), manager->GetCurrentScreen(); };
    const auto back = [&] { manager->SetNextScreen(first), manager->Update(); };
    screen->OnEnter();
    EXPECT_TRUE(screen->HandleAction(InterfaceInput::escape)) << "no destination: nothing happens";
    EXPECT_FALSE(screen->HandleAction(InterfaceInput::fire));
    EXPECT_EQ(first, next());

    screen->SetExitDestination(destination);
    EXPECT_TRUE(screen->HandleAction(InterfaceInput::escape));
    EXPECT_EQ(destination, next());
    back();
    EXPECT_TRUE(screen->HandleClick(GetCenter(*screen->GetButtons(false).front()), InterfaceInput::MB5));
    EXPECT_EQ(destination, next());

    // A child that takes escape first keeps the screen.
    back();
    screen->AddChild(stable_ptr<Widget>(new GreedyChild()));
    EXPECT_TRUE(screen->HandleAction(InterfaceInput::escape));
    EXPECT_EQ(first, next());
}

TEST_F(ExitableScreenTest, TheCashLineShowsTheMoneyOnlyWhenThereIsAGame)
{
    screen->OnEnter();
    sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
    window.clear(sf::Color::Black);
    EXPECT_NO_THROW(screen->Draw()) << "no inventory registered";
    EXPECT_EQ(0.f, CashLineShare());

    auto inventory = CreateAndRegister(new Inventory());
    inventory->money = 1500;
    window.clear(sf::Color::Black);
    screen->Draw();
    EXPECT_LT(0.004f, CashLineShare()); // more than 20 pixels

    stable_ptr<ExitableScreen> savings(new ExitableScreen(false));
    savings->OnEnter();
    window.clear(sf::Color::Black);
    savings->Draw();
    EXPECT_EQ(0.f, CashLineShare());
}

TEST_F(ExitableScreenTest, BackgroundsAreFittedToTheHeightAndCentred)
{
    sf::Texture texture;
    texture.create(100, 50);
    auto sprite = std::make_shared<sf::Sprite>(texture);
    sprite->setScale(3.f, 3.f);
    EmptyScreen plain;
    plain.FitBackground(sprite);
    ExpectFittedAndCentred(*sprite, 100.f, 50.f, H / 150.f); // the current height counts, scale included
    EXPECT_EQ(sprite, plain.GetBackground());
}
