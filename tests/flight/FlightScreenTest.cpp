// The flight screen in a real window: the interface over the level, the boss
// dial, and the player's ship flown with keys held and tapped (xdotool sends
// them to the window) through the game's own input system.
#include "flight/FlyingScreen.hpp"
#include "flight/InterfaceBoss.hpp"
#include "flight/ShotBase.hpp"
#include "support/ThrownMessage.hpp"

#include <cmath>
#include <cstdlib>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    // The flying screen with the flight screen's own handling, without the
    // arcade's escape and pause.
    class FlightOnlyScreen : public Kestrum::Testing::FlyingScreen
    {
    public:
        bool HandleAction(Action action) override { return FlightScreen::HandleAction(action); }
    };

    class Boss : public GameObject, public InterfaceBoss
    {
    public:
        explicit Boss(float ratio, bool expired = false) : GameObject(LayerAir), m_ratio(ratio), m_expired(expired) {}
        void OnUpdate() override {}
        void Draw() override {}
        bool IsExpired() const override { return m_expired; }
        float GetHealthRatio() const override { return m_ratio; }

    private:
        float m_ratio;
        bool m_expired;
    };

    // Grassland with a patch of dry earth, its edges cut by the corner flags.
    std::vector<TileGrid> Ground()
    {
        const auto inside = [](int row, int column) {
            const float dx = (float(column) - 17.f) / 7.f;
            const float dy = (float(row) - 14.f) / 9.f;
            return dx * dx + dy * dy < 1.f;
        };
        TileGrid grass(26, TileRow(26, Tile(true, true, true, true, 0)));
        TileGrid earth(26, TileRow(26, Tile()));
        for (int row = 0; row < 26; ++row)
            for (int column = 0; column < 26; ++column)
            {
                const bool topLeft = inside(row + 1, column), topRight = inside(row + 1, column + 1);
                const bool bottomLeft = inside(row, column), bottomRight = inside(row, column + 1);
                if (topLeft || topRight || bottomLeft || bottomRight)
                    earth[row][column] = Tile(topLeft, topRight, bottomLeft, bottomRight, 1);
            }
        return {grass, earth};
    }

    // The mean x of the pixels of one wing-tip light (red on the left wing,
    // green on the right) near the ship.
    float FindLight(const sf::Image& picture, const sf::Vector2f& ship, bool red)
    {
        float sum = 0.f;
        unsigned count = 0;
        for (int y = int(ship.y) - 20; y < int(ship.y) + 30; ++y)
            for (int x = int(ship.x) - 60; x < int(ship.x) + 60; ++x)
            {
                const sf::Color p = picture.getPixel(unsigned(x), unsigned(y));
                const bool lit = red ? p.r > 150 && p.r > p.g + 80 && p.r > p.b + 80
                                     : p.g > 150 && p.g > p.r + 80 && p.g > p.b + 60;
                if (lit)
                {
                    sum += float(x);
                    ++count;
                }
            }
        return count > 0 ? sum / float(count) : -1000.f;
    }

    // How much farther the left wing tip stands from the ship's middle than the
    // right one: about 0 flying straight, above 0 leaning right, below 0 leaning left.
    float Lean(const sf::Image& picture, const sf::Vector2f& ship)
    {
        return (ship.x - FindLight(picture, ship, true)) - (FindLight(picture, ship, false) - ship.x);
    }

    bool SameRegion(const sf::Image& a, sf::Vector2u atA, const sf::Image& b, sf::Vector2u atB, sf::Vector2u size)
    {
        for (unsigned y = 0; y < size.y; ++y)
            for (unsigned x = 0; x < size.x; ++x)
                if (a.getPixel(atA.x + x, atA.y + y) != b.getPixel(atB.x + x, atB.y + y))
                    return false;
        return true;
    }

    class FlightScreenTest : public Kestrum::Testing::FlyingScreenFixture
    {
    protected:
        FlightScreenTest() : FlyingScreenFixture(std::make_unique<FlightOnlyScreen>())
        {
            flying->ground.clear();
            PlaceShip(sf::Vector2f(614.f, 500.f));
        }

        // One pass of the main loop taking `seconds` of game time; answers the
        // picture it drew.
        sf::Image Frame(float seconds = 0.15625f)
        {
            sf::Image picture;
            Pass(seconds, false, &picture);
            return picture;
        }

        // Keys to the window, in xdotool's names.
        void Xdotool(const std::string& command, const std::string& keys)
        {
            const std::string line = "xdotool " + command + " --window " +
                                     std::to_string(static_cast<unsigned long>(window->getSystemHandle())) + " " +
                                     keys + " > /dev/null 2>&1";
            ASSERT_EQ(0, std::system(line.c_str())) << line;
        }

        // Runs frames until the ship has moved; answers the last picture.
        sf::Image UntilMoved()
        {
            const sf::Vector2f start = ship->GetPosition();
            sf::Image picture;
            for (int i = 0; i < 40 && ship->GetPosition() == start; ++i)
                picture = Frame();
            EXPECT_NE(start, ship->GetPosition()) << "the key never arrived";
            return picture;
        }

    };
}

TEST_F(FlightScreenTest, TakesTheFramesSteeringAndWeaponActionsOnly)
{
    FlightScreen unentered;
    EXPECT_EQ("forgot to call OnEnter()?",
              ThrownMessage<LogicError>([&] { unentered.HandleAction(InterfaceInput::fire); }));
    EXPECT_EQ("forgot to call OnEnter()?", ThrownMessage<LogicError>([&] { unentered.OnUpdate(); }));
    EXPECT_THROW(unentered.DrawGUI(), LogicError);

    for (int action = InterfaceInput::move_left; action <= InterfaceInput::no_action; ++action)
        EXPECT_EQ(action <= InterfaceInput::bomb, flying->HandleAction(InterfaceInput::Action(action))) << action;
    // Opposite directions cancel out: no move, and the ship flies straight.
    const sf::Vector2f start = ship->GetPosition();
    flying->HandleAction(InterfaceInput::move_up);
    Frame(0.25f);
    EXPECT_EQ(start, ship->GetPosition());
    EXPECT_TRUE(log.Contains("bomb throwing is not implemented yet"));
    EXPECT_FALSE(objects->GetObjects<ShotBase>().empty()) << "fired";

    // The actions last one frame: the next moves by the new ones only.
    flying->HandleAction(InterfaceInput::move_left);
    flying->HandleAction(InterfaceInput::move_up);
    flying->HandleAction(InterfaceInput::move_left);
    Frame(0.25f);
    EXPECT_NEAR(start.x - 0.70710678f * 115.2f, ship->GetPosition().x, 1e-3f);
    EXPECT_NEAR(start.y - 0.70710678f * 115.2f, ship->GetPosition().y, 1e-3f);

    // A destroyed ship is neither moved nor fired.
    ship->GetHull()->GetSlots(Categories::Shield).front()->SetEquipment(nullptr);
    EXPECT_EQ(Destroyed, ship->ApplyDamage(1));
    Frame();
    objects->RemoveDead();
    ASSERT_TRUE(ship->IsExpired());
    const std::size_t shots = objects->GetObjects<ShotBase>().size();
    const sf::Vector2f wreck = ship->GetPosition();
    flying->HandleAction(InterfaceInput::fire);
    flying->HandleAction(InterfaceInput::move_down);
    Frame(1.f);
    EXPECT_EQ(wreck, ship->GetPosition());
    EXPECT_GE(shots, objects->GetObjects<ShotBase>().size());
}

TEST_F(FlightScreenTest, ShowsTheDialOfTheBossWorstOffAndNeverThrowsForTwo)
{
    const auto bosses = [&](std::vector<std::shared_ptr<Boss>> list) {
        objects->Clear();
        for (const auto& boss : list)
            objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::shared_ptr<GameObject>(boss))));
        window->clear(sf::Color::Black);
        flying->DrawGUI();
        return Capture();
    };
    const sf::Vector2u dial(38, 588);
    const sf::Vector2u size(128, 128);
    const sf::Image none = bosses({});
    const sf::Image lowOnly = bosses({std::make_shared<Boss>(0.3f)});
    const sf::Image highOnly = bosses({std::make_shared<Boss>(0.8f)});
    EXPECT_FALSE(SameRegion(none, dial, lowOnly, dial, size)) << "a boss shows its dial";
    EXPECT_FALSE(SameRegion(lowOnly, dial, highOnly, dial, size)) << "the needle follows the ratio";
    const sf::Image both = bosses({std::make_shared<Boss>(0.8f), std::make_shared<Boss>(0.3f)});
    EXPECT_TRUE(SameRegion(lowOnly, dial, both, dial, size));
    const sf::Image oneGone = bosses({std::make_shared<Boss>(0.1f, true), std::make_shared<Boss>(0.8f)});
    EXPECT_TRUE(SameRegion(highOnly, dial, oneGone, dial, size)) << "an expired boss is left out";
    const sf::Image allGone = bosses({std::make_shared<Boss>(0.1f, true)});
    EXPECT_TRUE(SameRegion(none, dial, allGone, dial, size));
}

// The ship flown with the keyboard: a held key moves it 460.8 pixels a second
// (0.7071 of that on each axis diagonally), a tapped one for one frame; it
// leans only while steering; the shield disc shows until a hit; the score
// counter and the cockpit frame stand where they belong.
TEST_F(FlightScreenTest, FliesWithKeysHeldAndTapped)
{
    const float step = 0.6f * 768.f * 0.15625f;  // 72 pixels a frame
    sf::Image picture = Frame();
    EXPECT_NEAR(0.f, Lean(picture, ship->GetPosition()), 2.f) << "straight at the start";
    // The shield disc, half-transparent cyan on black, just beyond the nose.
    const sf::Vector2f nose = ship->GetPosition() - sf::Vector2f(0.f, 46.f);
    EXPECT_EQ(sf::Color(0, 63, 63), picture.getPixel(unsigned(nose.x), unsigned(nose.y)));

    // Held: every frame one step; against the play field's edge it stops and
    // still leans.
    Xdotool("keydown", "Right");
    UntilMoved();
    float x = ship->GetPosition().x;
    picture = Frame();
    EXPECT_NEAR(x + step, ship->GetPosition().x, 1e-3f);
    for (int i = 0; i < 8; ++i)
        picture = Frame();
    EXPECT_EQ(980.f, ship->GetPosition().x);
    EXPECT_GT(Lean(picture, ship->GetPosition()), 4.f) << "leaning right";
    Xdotool("keyup", "Right");
    for (int i = 0; i < 3; ++i)
        picture = Frame();
    EXPECT_NEAR(0.f, Lean(picture, ship->GetPosition()), 2.f) << "straight again once released";

    // Diagonal: 0.7071 of a step on each axis.
    Xdotool("keydown", "Left Up");
    UntilMoved();
    sf::Vector2f before = ship->GetPosition();
    Frame();
    EXPECT_NEAR(before.x - 0.70710678f * step, ship->GetPosition().x, 1e-3f);
    EXPECT_NEAR(before.y - 0.70710678f * step, ship->GetPosition().y, 1e-3f);
    Xdotool("keyup", "Left Up");
    for (int i = 0; i < 3; ++i)
        Frame();

    // Tapped: pressed and released between two frames, it moves one frame.
    before = ship->GetPosition();
    Xdotool("key", "Down");
    UntilMoved();
    EXPECT_NEAR(before.y + step, ship->GetPosition().y, 1e-3f);
    Frame();
    Frame();
    EXPECT_NEAR(before.y + step, ship->GetPosition().y, 1e-3f);

    // Fire held: shots leave the ship upwards.
    Xdotool("keydown", "space");
    for (int i = 0; i < 40 && objects->GetObjects<ShotBase>().empty(); ++i)
        Frame(0.02f);
    Xdotool("keyup", "space");
    const auto shots = objects->GetObjects<ShotBase>();
    ASSERT_FALSE(shots.empty());
    EXPECT_LT(shots.begin()->get()->GetVelocity().y, 0.f);

    // The cockpit frame stands at the window's corner, the counter at (22, 35)
    // showing the score on its last wheel.
    score->score = 1234567;
    picture = Frame();
    sf::Image overlay;
    ASSERT_TRUE(overlay.loadFromFile((root.GetPath() / "resources/gui/screens/flight/gui.png").string()));
    for (const sf::Vector2u at : {sf::Vector2u(100, 320), sf::Vector2u(60, 450), sf::Vector2u(5, 5)})
        EXPECT_EQ(overlay.getPixel(at.x, at.y), picture.getPixel(at.x, at.y)) << at.x << "," << at.y;
    sf::Image counter;
    ASSERT_TRUE(counter.loadFromFile((root.GetPath() / "resources/gui/screens/shared/score_counter.png").string()));
    EXPECT_TRUE(SameRegion(counter, {2, 10}, picture, {24, 45}, {10, 12})) << "the counter's left end";
    EXPECT_TRUE(SameRegion(counter, {19 + 12 * 7, 9}, picture, {22 + 19 + 12 * 9, 35 + 9}, {11, 14}))
        << "a 7 on the last wheel";

    // A hit takes the shield down: the disc goes.
    EXPECT_EQ(Damaged, ship->ApplyDamage(1));
    picture = Frame();
    const sf::Vector2f beyond = ship->GetPosition() - sf::Vector2f(0.f, 46.f);
    EXPECT_EQ(sf::Color::Black, picture.getPixel(unsigned(beyond.x), unsigned(beyond.y)));

    // A look at the whole: the ship over the ground, its shield up, leaning
    // into a turn and firing, the boss dial up.
    flying->ground = Ground();
    objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::make_shared<Boss>(0.65f))));
    ship->GetHull()->GetSlots(Categories::Weapon).front()->GetEquipment()->SetActiveIncrement(2);
    ship->Reset(sf::Vector2f(560.f, 600.f));
    for (int i = 0; i < 30; ++i)
    {
        flying->HandleAction(InterfaceInput::fire);
        flying->HandleAction(i < 24 ? InterfaceInput::move_up : InterfaceInput::move_left);
        picture = Frame(0.02f);
    }
    picture.saveToFile((std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / "flight-screen-test.png").string());
}
