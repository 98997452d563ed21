#include "flight/GameObjectManager.hpp"

#include "flight/FlightFixture.hpp"
#include "support/ThrownMessage.hpp"

#include <functional>
#include <string>
#include <vector>

using namespace Kestrum;
using Kestrum::Testing::FlightFixture;
using Kestrum::Testing::ThrownMessage;

namespace
{
    using Events = std::vector<std::string>;

    // A plain object that notes its updates and draws.
    class Thing : public GameObject
    {
    public:
        Thing(ObjectLayer layer, std::string name, Events& events)
            : GameObject(layer), name(std::move(name)), events(events) {}
        void OnUpdate() override
        {
            events.push_back("u:" + name);
            if (onUpdate)
                onUpdate();
        }
        void Draw() override { events.push_back("d:" + name); }
        bool IsExpired() const override { return expired; }

        std::string name;
        Events& events;
        bool expired = false;
        std::function<void()> onUpdate;
    };

    stable_ptr<const CircleList> Body(const sf::Vector2f& centre, float radius)
    {
        auto body = std::make_shared<CircleList>();
        body->Add(Circle{radius, centre, {0.f, 0.f}});
        return create_stable_ptr(std::shared_ptr<const CircleList>(body));
    }

    class Shot : public CollidingShot
    {
    public:
        Shot(bool hostile, sf::Vector2f at, std::uint32_t damage = 1)
            : CollidingShot(LayerShot), hostile(hostile), circle{4.f, at, {0.f, 0.f}}, damage(damage) {}
        void OnUpdate() override { ++updates; }
        void Draw() override {}
        bool IsExpired() const override { return !active; }
        bool IsHostile() const override { return hostile; }
        EdgeRect GetBoundary() const override { return EdgeRect::Around(circle.GetCenter(), circle.radius); }
        bool Collides(const CircleList& body) const override { return anywhere || body.Intersects(circle); }
        std::uint32_t GetDamage() const override { return damage; }
        void Explode() override
        {
            ++explosions;
            if (onExplode)
                onExplode();
        }
        void Deactivate() override { active = false; }

        bool hostile;
        Circle circle;
        std::uint32_t damage;
        bool anywhere = false;  // collides with any body it shares a cell with
        bool active = true;
        int updates = 0;
        int explosions = 0;
        std::function<void()> onExplode;
    };

    class Enemy : public CollidingEnemy
    {
    public:
        Enemy(ObjectLayer layer, sf::Vector2f at, std::uint32_t hitPoints, float radius = 10.f)
            : CollidingEnemy(layer), body(Body(at, radius)), hitPoints(hitPoints) {}
        void OnUpdate() override
        {
            if (onUpdate)
                onUpdate();
        }
        void Draw() override {}
        bool IsExpired() const override { return false; }
        stable_ptr<const CircleList> GetBoundary() const override { return body; }
        DamageEffect ApplyDamage(std::uint32_t amount) override
        {
            hits.push_back(amount);
            if (hitPoints == 0)
                return AlreadyDestroyed;
            if (amount == 0)
                return NoDamage;
            hitPoints -= std::min(amount, hitPoints);
            return hitPoints == 0 ? Destroyed : Damaged;
        }
        std::uint32_t GetScorePoints() const override { return 250; }

        stable_ptr<const CircleList> body;
        std::uint32_t hitPoints;
        std::vector<std::uint32_t> hits;
        std::function<void()> onUpdate;
    };

    class Ship : public CollidingShip
    {
    public:
        Ship(sf::Vector2f at, float radius = 10.f) : body(Body(at, radius)) {}
        void OnUpdate() override {}
        void Draw() override {}
        bool IsExpired() const override { return false; }
        stable_ptr<const CircleList> GetBoundary() const override { return body; }
        DamageEffect ApplyDamage(std::uint32_t amount) override
        {
            hits.push_back(amount);
            return answer;
        }
        void Upgrade(const stable_ptr<Sellable>&) override {}

        stable_ptr<const CircleList> body;
        DamageEffect answer = Damaged;
        std::vector<std::uint32_t> hits;
        int collected = 0;
    };

    class Pickup : public CollidingPickup
    {
    public:
        explicit Pickup(sf::Vector2f at) : circle{30.f, at, {0.f, 0.f}} {}
        void OnUpdate() override {}
        void Draw() override {}
        bool IsExpired() const override { return taken; }
        Circle GetPickupCircle() const override { return circle; }
        void HandOver(CollidingShip& ship) override
        {
            ++dynamic_cast<Ship&>(ship).collected;
            taken = true;
        }

        Circle circle;
        bool taken = false;
    };

    template <typename T, typename... Arguments>
    std::shared_ptr<T> Make(Arguments&&... arguments)
    {
        return std::make_shared<T>(std::forward<Arguments>(arguments)...);
    }

    // The level on a grid of two columns and two rows: x is the boundary
    // between the columns, y a quarter of the height (inside the upper row).
    class GameObjectManagerTest : public FlightFixture
    {
    protected:
        GameObjectManagerTest()
        {
            objects->Load();
            area = GetFlightArea();
            middle = sf::Vector2f((area.left + area.right) / 2.f, area.bottom / 4.f);
        }

        template <typename T>
        std::shared_ptr<T> Add(const std::shared_ptr<T>& object)
        {
            objects->Add(create_stable_ptr(std::shared_ptr<GameObject>(object)));
            return object;
        }

        EdgeRect area;
        sf::Vector2f middle;
        Events events;
    };
}

TEST(FlightArea, IsTheFieldOf832PixelsCentredAsInTheReferenceLayout)
{
    const struct
    {
        unsigned width, height;
        float left, right;
    } cases[] = {{1024, 768, 198.f, 1030.f}, {1280, 768, 326.f, 1158.f}, {1366, 768, 369.f, 1201.f},
                 {1280, 1024, 326.f, 1158.f}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.width);
        EXPECT_EQ((EdgeRect{c.left, 0.f, c.right, float(c.height)}), GetFlightArea(c.width, c.height));
    }
}

TEST_F(GameObjectManagerTest, GridIsBuiltOnceColumnByColumnFromTheConfiguration)
{
    const float h = area.bottom / 2.f;
    const float l = area.left;
    const std::vector<EdgeRect> expected = {{l, 0.f, l + 416.f, h},
                                            {l, h, l + 416.f, h + h},
                                            {l + 416.f, 0.f, l + 832.f, h},
                                            {l + 416.f, h, l + 832.f, h + h}};
    EXPECT_EQ(expected, objects->GetGrid());
    EXPECT_EQ("call Load() only once", ThrownMessage<LogicError>([&] { objects->Load(); }));

    for (const auto& [columns, rows] : {std::pair{0u, 3u}, std::pair{3u, 0u}})
    {
        registry->Register<ConfigurationSystem>(Testing::LoadConfiguration(root, columns, rows));
        GameObjectManager empty;
        EXPECT_THROW(empty.Load(), LogicError);
        EXPECT_TRUE(empty.GetGrid().empty());
    }
}

TEST_F(GameObjectManagerTest, UpdatesAndDrawsInLayerOrderAndRemovesWhatExpired)
{
    auto ship = Add(Make<Thing>(LayerPlayer, "ship", events));
    auto flyer = Add(Make<Thing>(LayerAir, "flyer", events));
    auto turret = Add(Make<Thing>(LayerGround, "turret", events));
    auto effect = Add(Make<Thing>(LayerEffect, "effect", events));
    Add(flyer);  // a second Add changes nothing
    // The flyer fires: a shot (after it) is updated in this pass, a ground
    // object (before it) only from the next one.
    flyer->onUpdate = [&] {
        Add(Make<Thing>(LayerShot, "shot", events));
        Add(Make<Thing>(LayerGround, "crater", events));
        flyer->onUpdate = nullptr;
    };
    objects->Update();
    objects->Draw();
    EXPECT_EQ((Events{"u:turret", "u:flyer", "u:effect", "u:shot", "u:ship", "d:turret", "d:crater", "d:flyer",
                      "d:effect", "d:shot", "d:ship"}),
              events);
    EXPECT_EQ(6u, objects->GetObjects<GameObject>().size());
    EXPECT_EQ(6u, objects->GetObjects<Thing>().size());
    EXPECT_TRUE(objects->GetObjects<Shot>().empty());

    // An expired object is still drawn in its frame and goes at the next removal.
    events.clear();
    effect->expired = true;
    turret->expired = true;
    objects->Draw();
    objects->RemoveDead();
    objects->Update();
    EXPECT_EQ((Events{"d:turret", "d:crater", "d:flyer", "d:effect", "d:shot", "d:ship", "u:crater", "u:flyer",
                      "u:shot", "u:ship"}),
              events);
    EXPECT_EQ(1, effect.use_count()) << "the manager let go of it";
    EXPECT_EQ(1, turret.use_count());

    objects->Clear();
    EXPECT_TRUE(objects->GetObjects<GameObject>().empty());
    Add(ship);
    EXPECT_EQ(1u, objects->GetObjects<GameObject>().size());
}

TEST_F(GameObjectManagerTest, ShapesStraddlingCellsAreTestedInEachCellTheyShare)
{
    // Ship and enemy both lie across the column boundary: the ram counts twice.
    auto ship = Add(Make<Ship>(middle));
    auto rammed = Add(Make<Enemy>(LayerAir, middle + sf::Vector2f(0.f, 12.f), 10));
    auto ground = Add(Make<Enemy>(LayerGround, middle, 10));
    // A pick-up across the same cells is collected once.
    auto pickup = Add(Make<Pickup>(middle));
    objects->Update();
    EXPECT_EQ((std::vector<std::uint32_t>{1, 1}), rammed->hits);
    EXPECT_EQ((std::vector<std::uint32_t>{1, 1}), ship->hits);
    EXPECT_TRUE(ground->hits.empty()) << "ground enemies cannot be rammed";
    EXPECT_EQ(1, ship->collected);
}

TEST_F(GameObjectManagerTest, ShotsHitWhatTheyMeetAndFlyOnWhenTheHitDidNothing)
{
    // A shot that hit is spent after the first shared cell.
    auto target = Add(Make<Enemy>(LayerAir, middle, 5));
    auto shot = Add(Make<Shot>(false, middle));
    // A wreck does not stop a shot: it flies on into the enemy behind it.
    const sf::Vector2f low(area.left + 100.f, area.bottom * 0.75f);
    auto wreck = Add(Make<Enemy>(LayerAir, low, 0));
    auto behind = Add(Make<Enemy>(LayerGround, low, 3));
    auto through = Add(Make<Shot>(false, low, 2));
    // Hostile shots: damage 0 never touches the ship; a hit the ship shrugs off
    // (NoDamage) lets the shot fly on.
    const sf::Vector2f right(area.right - 100.f, area.bottom * 0.75f);
    auto ship = Add(Make<Ship>(right));
    ship->answer = NoDamage;
    auto harmless = Add(Make<Shot>(true, right, 0));
    auto shrugged = Add(Make<Shot>(true, right, 7));
    auto mine = Add(Make<Shot>(false, right));  // the player's shots pass the ship

    // An impact effect added during the collision pass takes part from the next frame on.
    auto late = Make<Shot>(false, middle);
    shot->onExplode = [&] { Add(late); };
    objects->Update();
    EXPECT_EQ((std::vector<std::uint32_t>{1}), target->hits);
    EXPECT_EQ(1, shot->explosions);
    EXPECT_FALSE(shot->active);
    EXPECT_EQ((std::vector<std::uint32_t>{2}), wreck->hits);
    EXPECT_EQ((std::vector<std::uint32_t>{2}), behind->hits);
    EXPECT_FALSE(through->active);
    EXPECT_EQ((std::vector<std::uint32_t>{7}), ship->hits);
    EXPECT_TRUE(shrugged->active);
    EXPECT_EQ(0, shrugged->explosions);
    EXPECT_TRUE(harmless->active);
    EXPECT_TRUE(mine->active);
    EXPECT_TRUE(late->active);
    EXPECT_EQ(0, late->updates);

    ship->answer = Damaged;
    objects->Update();
    EXPECT_EQ((std::vector<std::uint32_t>{1, 1}), target->hits) << "the late shot hits in the next frame";
    EXPECT_EQ((std::vector<std::uint32_t>{7, 7}), ship->hits);
    EXPECT_FALSE(shrugged->active);
    EXPECT_EQ(1, shrugged->explosions);
}

TEST_F(GameObjectManagerTest, OnlyStrictOverlapsPutObjectsIntoACell)
{
    // Collides answers true for any pair that shares a cell: only the grid keeps them apart.
    auto touching = Add(Make<Shot>(false, sf::Vector2f(middle.x - 4.f, middle.y)));  // ends on the boundary
    touching->anywhere = true;
    auto beyond = Add(Make<Shot>(false, sf::Vector2f(area.left - 50.f, 50.f)));  // outside the field
    beyond->anywhere = true;
    auto right = Add(Make<Enemy>(LayerAir, sf::Vector2f(middle.x + 30.f, middle.y), 5));  // across it
    auto outside = Add(Make<Enemy>(LayerAir, sf::Vector2f(area.left - 50.f, 50.f), 5));
    objects->Update();
    EXPECT_TRUE(right->hits.empty());
    EXPECT_TRUE(outside->hits.empty());
}

TEST_F(GameObjectManagerTest, AShotFiredDuringTheUpdateHitsInTheSameFrame)
{
    auto ship = Add(Make<Ship>(middle));
    auto shooter = Add(Make<Enemy>(LayerAir, sf::Vector2f(area.left + 50.f, 50.f), 5));
    std::shared_ptr<Shot> fired;
    shooter->onUpdate = [&] {
        if (!fired)
            fired = Add(Make<Shot>(true, middle, 3));
    };
    objects->Update();
    ASSERT_TRUE(fired);
    EXPECT_EQ(1, fired->updates);
    EXPECT_EQ((std::vector<std::uint32_t>{3}), ship->hits);
    EXPECT_FALSE(fired->active);
}

// The kill statistic is read only when an enemy is destroyed: frames without a
// kill run before any mission statistic has been started.
TEST_F(GameObjectManagerTest, AKillCountsIntoScoreAndStatisticAndOnlyAKillReadsTheStatistic)
{
    auto enemy = Add(Make<Enemy>(LayerAir, middle, 2));
    Add(Make<Shot>(false, middle));
    const sf::Vector2f corner(area.left + 50.f, 50.f);
    Add(Make<Ship>(corner));
    EXPECT_NO_THROW(objects->Update());
    EXPECT_EQ(1u, enemy->hitPoints);
    EXPECT_EQ(0u, score->score);

    Add(Make<Shot>(false, middle));
    EXPECT_THROW(objects->Update(), LogicError) << "no mission statistic has been started";

    // Destroyed by a shot and by ramming: points and one kill each, whatever
    // the number of cells the pair shares.
    const stable_ptr<StatisticSystem> statistics = GetFromRegistry<StatisticSystem>();
    statistics->ResetCurrent(0, 5);
    score->score = 4294967295u - 100u;
    auto shotDown = Add(Make<Enemy>(LayerGround, middle, 1));
    Add(Make<Shot>(false, middle));
    auto rammed = Add(Make<Enemy>(LayerAir, corner, 1));
    objects->Update();
    EXPECT_EQ((std::vector<std::uint32_t>{1}), shotDown->hits);
    EXPECT_EQ((std::vector<std::uint32_t>{1}), rammed->hits);
    EXPECT_EQ(2u, statistics->GetCurrent().GetKilledEnemies());
    EXPECT_EQ(399u, score->score) << "the score wraps around";
}
