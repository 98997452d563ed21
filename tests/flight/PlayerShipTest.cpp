// The player's ship: speed and the play field's margin, hits with and without
// a shield, the blink of invincibility, pick-ups, and what loading checks.
#include "flight/EquipmentFixture.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/Inventory.hpp"
#include "flight/PlayerShip.hpp"
#include "flight/Shield.hpp"
#include "flight/Weapon.hpp"
#include "presentation/Shadow.hpp"
#include "support/HeldClock.hpp"
#include "support/ThrownMessage.hpp"

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class PlayerShipTest : public Kestrum::Testing::EquipmentFixture
    {
    protected:
        // A hull of the given slots (XML), with hull 000's files beside it.
        stable_ptr<Hull> MakeHull(const std::string& number, const std::string& slots)
        {
            root.WriteFile("resources/equipment/hulls/" + number + "/details.xml",
                           "<hull><name>Test Hull</name><price>1</price><strength>1</strength><slots>" + slots +
                               "</slots></hull>");
            std::filesystem::copy(root.GetPath() / "resources/equipment/hulls/000",
                                  root.GetPath() / "resources/equipment/hulls" / number,
                                  std::filesystem::copy_options::recursive |
                                      std::filesystem::copy_options::skip_existing);
            return hulls->Create(number);
        }

        std::shared_ptr<PlayerShip> MakeShip(const stable_ptr<Hull>& hull)
        {
            auto ship = std::make_shared<PlayerShip>(hull.get_shared());
            ship->Initialize();
            ship->Reset(sf::Vector2f(500.f, 400.f));
            return ship;
        }

        // Shield 000 as read by the first ship: down for `recovery` seconds
        // after a hit, the ship invincible for `invincible` seconds.
        void WriteShield(float recovery, float invincible)
        {
            root.WriteFile("resources/equipment/shields/000/details.xml",
                           "<shield><name>Deflector</name><price>1000</price><recovery_time>" +
                               std::to_string(recovery) + "</recovery_time><invincible_time>" +
                               std::to_string(invincible) + "</invincible_time></shield>");
        }
    };
}

TEST_F(PlayerShipTest, FliesAtItsSpeedAndStaysFiftyPixelsInsideThePlayField)
{
    const auto ship = MakeShip(hulls->Create("000"));
    FrameClock::SetFrameTime(0.25f);
    ship->Move(sf::Vector2f(1.f, 0.f));
    EXPECT_FLOAT_EQ(500.f + 0.6f * 768.f * 0.25f, ship->GetPosition().x) << "460.8 pixels a second";
    ship->Move(sf::Vector2f(-0.7071f, 0.7071f));
    EXPECT_FLOAT_EQ(400.f + 0.7071f * 115.2f, ship->GetPosition().y);
    time->paused = true;
    const sf::Vector2f before = ship->GetPosition();
    ship->Move(sf::Vector2f(1.f, 1.f));
    EXPECT_EQ(before, ship->GetPosition()) << "no move while paused";
    time->paused = false;

    // The play field of a window 1024 wide runs from 198 to 1030.
    ship->Reset(sf::Vector2f(500.f, 400.f));
    FrameClock::SetFrameTime(10.f);
    const struct
    {
        sf::Vector2f direction;
        sf::Vector2f end;
    } moves[] = {
        {{-1.f, 0.f}, {248.f, 400.f}}, {{1.f, 0.f}, {980.f, 400.f}}, {{0.f, -1.f}, {980.f, 50.f}},
        {{0.f, 1.f}, {980.f, 718.f}},  {{-0.6f, -0.8f}, {248.f, 50.f}},
    };
    for (const auto& move : moves)
    {
        ship->Move(move.direction);
        EXPECT_EQ(move.end, ship->GetPosition());
    }
}

TEST_F(PlayerShipTest, HitsDestroyTheShipUnlessTheShieldOrInvincibilityTakesThem)
{
    // No shield slot: the first hit destroys, the next finds the ship destroyed.
    const auto bare = MakeShip(MakeHull("009", "<slot x='1' y='1'>wpn</slot>"));
    EXPECT_FALSE(bare->GetShield());
    EXPECT_EQ(Destroyed, bare->ApplyDamage(1));
    EXPECT_EQ(0u, bare->GetHitPoints());
    EXPECT_EQ(AlreadyDestroyed, bare->ApplyDamage(7));
    EXPECT_FALSE(bare->IsExpired()) << "until its next update";
    objects->Add(stable_ptr<GameObject>(create_stable_ptr(std::shared_ptr<GameObject>(bare))));
    objects->Update();
    EXPECT_TRUE(bare->IsExpired());
    objects->RemoveDead();
    EXPECT_TRUE(objects->GetObjects<Shadow>().empty()) << "the shadow went with the ship";
    bare->Reset(sf::Vector2f(300.f, 300.f));
    EXPECT_EQ(1u, bare->GetHitPoints());
    EXPECT_FALSE(bare->IsExpired());
    bare->OnUpdate();
    bare->OnUpdate();
    EXPECT_EQ(1u, objects->GetObjects<Shadow>().size()) << "a new shadow, added once";

    // A ready shield takes a hit; the ship is invincible for a while, then the
    // next hit destroys it while the shield recovers.
    WriteShield(100.f, 0.3f);
    const auto ship = MakeShip(hulls->Create("000"));
    ASSERT_TRUE(ship->GetShield());
    EXPECT_TRUE(ship->GetShield()->IsReady());
    const Kestrum::Testing::HeldClock clock;
    EXPECT_EQ(Damaged, ship->ApplyDamage(1));
    clock.Advance(0.29);
    EXPECT_EQ(NoDamage, ship->ApplyDamage(1));
    EXPECT_EQ(1u, ship->GetHitPoints());
    EXPECT_FALSE(ship->GetShield()->IsReady());
    clock.Advance(0.02);
    EXPECT_EQ(Destroyed, ship->ApplyDamage(1));
    EXPECT_EQ(Destroyed, ship->ApplyDamage(1)) << "also when it was destroyed before";
    ship->Reset(sf::Vector2f(500.f, 400.f));
    EXPECT_TRUE(ship->GetShield()->IsReady()) << "a reset raises the shield";
    EXPECT_EQ(Damaged, ship->ApplyDamage(1));
}

TEST_F(PlayerShipTest, InvincibilityBlinksTwiceASecond)
{
    const struct
    {
        float remaining;
        unsigned alpha;
    } blinks[] = {{0.f, 255}, {0.5f, 255}, {0.25f, 31}, {0.125f, 143}, {0.375f, 143}, {1.5f, 255}};
    for (const auto& blink : blinks)
        EXPECT_EQ(blink.alpha, GetInvincibilityAlpha(blink.remaining)) << blink.remaining;
}

TEST_F(PlayerShipTest, PickUpsFitRaiseOrScore)
{
    const auto ship = MakeShip(hulls->Create("000"));
    const std::shared_ptr<EquipmentSlot> gun = ship->GetHull()->GetSlots(Categories::Weapon).front();
    ASSERT_FALSE(gun->GetEquipment());
    ship->Upgrade(weapons->CreatePlayerWeapon("000"));
    ASSERT_EQ(1u, ship->GetWeapons().size());
    const std::shared_ptr<Weapon> fitted = ship->GetWeapons().front();
    EXPECT_EQ(0u, fitted->GetActiveIncrement());
    for (std::size_t level = 1; level < fitted->GetIncrementCount(); ++level)
    {
        ship->Upgrade(weapons->CreatePlayerWeapon("000"));
        EXPECT_EQ(level, fitted->GetActiveIncrement());
    }
    score->score = 5;
    ship->Upgrade(weapons->CreatePlayerWeapon("000"));
    EXPECT_EQ(10005u, score->score) << "a weapon at its top level scores instead";
    EXPECT_EQ(fitted, ship->GetWeapons().front());
    EXPECT_EQ(fitted->GetIncrementCount() - 1, fitted->GetActiveIncrement());

    ship->Upgrade(weapons->CreatePlayerWeapon("001"));
    EXPECT_EQ("wpn001", ship->GetWeapons().front()->GetID()) << "another weapon replaces it";
    EXPECT_EQ(0u, ship->GetWeapons().front()->GetActiveIncrement());
    ship->Upgrade(shields->Create("000"));
    EXPECT_EQ(20005u, score->score) << "the shield has one level only";
    EXPECT_EQ(2u, ship->GetEquipment().size());

    // A hull without slots of the category lets the item go.
    const auto bare = MakeShip(MakeHull("009", "<slot x='1' y='1'>wpn</slot>"));
    bare->Upgrade(shields->Create("000"));
    EXPECT_FALSE(bare->GetShield());
}

TEST_F(PlayerShipTest, LoadingChecksTheBodyAndTheShieldSlots)
{
    PlayerShip unloaded(hulls->Create("000").get_shared());
    EXPECT_TRUE(unloaded.IsExpired());
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { unloaded.Move(sf::Vector2f(1.f, 0.f)); }));
    EXPECT_EQ("forgot to call Load()?", ThrownMessage<LogicError>([&] { unloaded.ApplyDamage(1); }));
    EXPECT_FALSE(unloaded.GetShield()) << "the hull alone answers";
    unloaded.ThrowBomb();
    EXPECT_TRUE(log.Contains("bomb throwing is not implemented yet"));

    PlayerShip twoShields(MakeHull("008", "<slot x='1' y='1'>shd</slot><slot x='2' y='1'>shd</slot>").get_shared());
    EXPECT_EQ("more than one shield available", ThrownMessage<LogicError>([&] { twoShields.Initialize(); }));

    // Every ship flies on hull 000's body, which must offer the four transitions.
    root.WriteFile("resources/equipment/hulls/000/ingame.statemachine",
                   "<state_machine definition_source='inline' version='1'><states>"
                   "<state definition_source='inline' version='1' name='fly'>"
                   "<action definition_source='file'>cruise.action</action><transitions>"
                   "<transition version='1' name='turn_left' destination='fly'/>"
                   "<transition version='1' name='turn_right' destination='fly'/>"
                   "<transition version='1' name='explode' destination='fly'/>"
                   "</transitions></state></states><initial_state>fly</initial_state></state_machine>");
    EXPECT_EQ("transition turn_straight is missing", ThrownMessage<LogicError>([&] { unloaded.Initialize(); }));
    EXPECT_TRUE(unloaded.IsExpired()) << "nothing loaded";

    const stable_ptr<PlayerShip> ship(new PlayerShip(hulls->Create("000").get_shared()));
    EXPECT_EQ("selection is not in list", ThrownMessage<LogicError>([&] { Inventory::Create({}, ship); }));
    const std::shared_ptr<PlayerShip> other = std::make_shared<PlayerShip>(hulls->Create("000").get_shared());
    EXPECT_EQ("selection is not in list", ThrownMessage<LogicError>([&] { Inventory::Create({other}, ship); }));
    EXPECT_EQ(ship, Inventory::Create({other, ship.get_shared()}, ship)->GetShip());
    EXPECT_EQ("no ship selected", ThrownMessage<LogicError>([] { Inventory().GetShip(); }));
}
