// object-bench: the per-frame cost of the GameObjectManager with a busy flight:
// 1 ship, 300 shots of the player, 150 enemy shots, 150 air and 50 ground
// enemies and 20 pick-ups on the configured grid. Every frame removes the
// expired objects, relaunches the shots that hit (as the shot pools do) and runs
// the update and collision passes. Run it with the game root as the current
// directory and a display (Xvfb will do); it prints the medians of 600 frames
// and the heap allocations made during the measured frames:
//     objects: 671
//     grid: 8 x 8
//     frame_us: ...
//     allocations: 0
#include "AllocationCount.hpp"
#include "core/ConfigurationSystem.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/StatisticSystem.hpp"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <vector>

using AllocationCount::allocations;
using AllocationCount::counting;

using namespace Kestrum;

namespace
{
    const unsigned warmUpFrames = 120;
    const unsigned measuredFrames = 600;
    const float frame = 1.f / 60.f;

    // A deterministic spread of points over the play field.
    sf::Vector2f Spot(unsigned i, const EdgeRect& field)
    {
        const float u = float((i * 7919u) % 1000u) / 1000.f;
        const float v = float((i * 104729u) % 997u) / 997.f;
        return sf::Vector2f(field.left + u * (field.right - field.left), field.top + v * (field.bottom - field.top));
    }

    stable_ptr<const CircleList> Body(const sf::Vector2f& at, float radius)
    {
        auto body = std::make_shared<CircleList>();
        body->SetPosition(at);
        body->Add(Circle{radius, at, {0.f, 0.f}});
        body->Add(Circle{radius * 0.6f, at + sf::Vector2f(radius, 0.f), {0.f, 0.f}});
        return create_stable_ptr(std::shared_ptr<const CircleList>(body));
    }

    class Shot : public CollidingShot
    {
    public:
        Shot(bool hostile, const EdgeRect& field) : CollidingShot(LayerShot), hostile(hostile), field(field) {}
        void Launch(const sf::Vector2f& at)
        {
            position = previous = at;
            active = true;
        }
        void OnUpdate() override
        {
            previous = position;
            position.y += (hostile ? 300.f : -600.f) * frame;
            if (position.y < field.top)
                position.y = field.bottom;
            if (position.y > field.bottom)
                position.y = field.top;
        }
        void Draw() override {}
        bool IsExpired() const override { return !active; }
        bool IsHostile() const override { return hostile; }
        EdgeRect GetBoundary() const override
        {
            return EdgeRect{std::min(position.x, previous.x) - 3.f, std::min(position.y, previous.y) - 3.f,
                            std::max(position.x, previous.x) + 3.f, std::max(position.y, previous.y) + 3.f};
        }
        bool Collides(const CircleList& body) const override
        {
            return body.Intersects(Circle{3.f, position, {0.f, 0.f}});
        }
        std::uint32_t GetDamage() const override { return 1; }
        void Explode() override {}
        void Deactivate() override { active = false; }

        bool hostile;
        EdgeRect field;
        sf::Vector2f position, previous;
        bool active = true;
    };

    class Enemy : public CollidingEnemy
    {
    public:
        Enemy(ObjectLayer layer, const sf::Vector2f& at) : CollidingEnemy(layer), body(Body(at, 14.f)) {}
        void OnUpdate() override {}
        void Draw() override {}
        bool IsExpired() const override { return false; }
        stable_ptr<const CircleList> GetBoundary() const override { return body; }
        DamageEffect ApplyDamage(std::uint32_t) override { return Damaged; }
        std::uint32_t GetScorePoints() const override { return 100; }

        stable_ptr<const CircleList> body;
    };

    class Ship : public CollidingShip
    {
    public:
        explicit Ship(const sf::Vector2f& at) : body(Body(at, 20.f)) {}
        void OnUpdate() override {}
        void Draw() override {}
        bool IsExpired() const override { return false; }
        stable_ptr<const CircleList> GetBoundary() const override { return body; }
        DamageEffect ApplyDamage(std::uint32_t) override { return NoDamage; }
        void Upgrade(const stable_ptr<Sellable>&) override {}

        stable_ptr<const CircleList> body;
    };

    class Pickup : public CollidingPickup
    {
    public:
        explicit Pickup(const sf::Vector2f& at) : circle{30.f, at, {0.f, 0.f}} {}
        void OnUpdate() override {}
        void Draw() override {}
        bool IsExpired() const override { return false; }
        Circle GetPickupCircle() const override { return circle; }
        void HandOver(CollidingShip&) override {}

        Circle circle;
    };

    int Run()
    {
        LogSystem log;  // unconnected: the configuration's notes go nowhere
        const stable_ptr<Registry> registry = Registry::Create();
        const stable_ptr<ConfigurationSystem> configuration = CreateLoadAndRegister(new ConfigurationSystem());
        CreateAndRegister(new ScoreSystem());
        CreateLoadAndRegister(new StatisticSystem())->ResetCurrent(0, 1000);
        const stable_ptr<GameObjectManager> objects = CreateLoadAndRegister(new GameObjectManager());
        Registry::Instance()->Register<ObjectSink>(stable_ptr<ObjectSink>(objects));
        const EdgeRect field = GetFlightArea();

        std::vector<std::shared_ptr<Shot>> shots;
        unsigned serial = 0;
        auto add = [&](const std::shared_ptr<GameObject>& object) { objects->Add(create_stable_ptr(object)); };
        add(std::make_shared<Ship>(sf::Vector2f((field.left + field.right) / 2.f, field.bottom - 100.f)));
        for (unsigned i = 0; i < 450; ++i)
        {
            shots.push_back(std::make_shared<Shot>(i >= 300, field));
            shots.back()->Launch(Spot(serial++, field));
            add(shots.back());
        }
        for (unsigned i = 0; i < 200; ++i)
            add(std::make_shared<Enemy>(i < 150 ? LayerAir : LayerGround, Spot(serial++, field)));
        for (unsigned i = 0; i < 20; ++i)
            add(std::make_shared<Pickup>(Spot(serial++, field)));

        std::vector<double> times;
        times.reserve(measuredFrames);
        for (unsigned f = 0; f < warmUpFrames + measuredFrames; ++f)
        {
            counting = f >= warmUpFrames;
            const auto start = std::chrono::steady_clock::now();
            objects->RemoveDead();
            for (const std::shared_ptr<Shot>& shot : shots)
            {
                if (shot->active)
                    continue;
                shot->Launch(Spot(serial++, field));
                add(shot);
            }
            objects->Update();
            const auto end = std::chrono::steady_clock::now();
            counting = false;
            if (f >= warmUpFrames)
                times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
        std::sort(times.begin(), times.end());
        std::printf("objects: %zu\n", objects->GetObjects<GameObject>().size());
        std::printf("grid: %u x %u\n", configuration->GetSpacePartitionX(), configuration->GetSpacePartitionY());
        std::printf("frame_us: %.1f\n", times[times.size() / 2]);
#ifdef KESTRUM_COUNTS_ALLOCATIONS
        std::printf("allocations: %lu\n", allocations.load());
#endif
        return 0;
    }
}

int main()
{
    try
    {
        return Run();
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "object-bench failed: %s\n", e.what());
        return 1;
    }
}
