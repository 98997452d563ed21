#include "flight/ShotBase.hpp"

#include "flight/EquipmentFixture.hpp"
#include "presentation/Action.hpp"
#include "presentation/ParticleSystem.hpp"
#include "support/ThrownMessage.hpp"

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class ShotTest : public Kestrum::Testing::EquipmentFixture
    {
    };

    CircleList Target(const sf::Vector2f& centre, float radius)
    {
        CircleList body;
        body.Add(Circle{radius, centre, {0.f, 0.f}});
        return body;
    }
}

TEST_F(ShotTest, PoolsHandOutFreeShotsPerSideWithoutReadingFiles)
{
    EnterFlight();
    shots->Warm(0, false);
    // Once warm, the shot's files are no longer needed.
    std::filesystem::remove_all(root.GetPath() / "resources/equipment/weapons/shots/000");

    ShotBase* first = nullptr;
    {
        const stable_ptr<ShotBase> shot = shots->Get(0, false);
        first = shot.get();
        EXPECT_EQ(1u, shots->GetPoolSize(0, false));
        objects->Add(shot);
    }
    const stable_ptr<ShotBase> second = shots->Get(0, false);
    EXPECT_NE(first, second.get());
    objects->Add(second);
    EXPECT_EQ(2u, shots->GetPoolSize(0, false));

    // Once the manager has dropped the first shot, it is handed out again.
    first->Deactivate();
    objects->RemoveDead();
    objects->RemoveDead();
    EXPECT_EQ(first, shots->Get(0, false).get());
    EXPECT_EQ(2u, shots->GetPoolSize(0, false));

    // The other side has a pool of its own.
    EXPECT_TRUE(shots->Get(0, true)->IsHostile());
    EXPECT_EQ(1u, shots->GetPoolSize(0, true));
    EXPECT_FALSE(second->IsHostile());

    EXPECT_EQ("type must be smaller than 1000", ThrownMessage<NotSupportedError>([&] { shots->Get(1000, false); }));
    EXPECT_EQ("type must be smaller than 1000", ThrownMessage<NotSupportedError>([&] { shots->Prepare(1000, true); }));
    EXPECT_EQ(0u, shots->GetPoolSize(1000, true));
    std::filesystem::copy(root.GetPath() / "resources/equipment/weapons/shots/001",
                          root.GetPath() / "resources/equipment/weapons/shots/999");
    EXPECT_NO_THROW(shots->Get(999, true));
}

TEST_F(ShotTest, FliesStraightSweepsItsWayAndExpires)
{
    EnterFlight();
    const stable_ptr<ShotBase> shot = shots->Get(0, false);
    shot->Launch({500.f, 400.f}, {0.f, -500.f}, 7);
    EXPECT_FLOAT_EQ(270.f, shot->GetAction().GetRotation());
    EXPECT_EQ(7u, shot->GetDamage());

    // Paused: no move, so the last move is a point.
    time->paused = true;
    FrameClock::SetFrameTime(0.1f);
    shot->OnUpdate();
    EXPECT_EQ(sf::Vector2f(500.f, 400.f), shot->GetPosition());
    time->paused = false;
    shot->OnUpdate();
    EXPECT_EQ(sf::Vector2f(500.f, 350.f), shot->GetPosition());

    // The swept rectangle stretches back over the 50 pixels of the move, and the
    // body meets what it passed on the way, not what lies ahead.
    const Circle bounding = shot->GetAction().GetBody()->GetBoundingCircle();
    const sf::Vector2f c = bounding.GetCenter();
    const float r = bounding.radius;
    EXPECT_EQ((EdgeRect{c.x - r, c.y - r, c.x + r, c.y + r + 50.f}), shot->GetBoundary());
    EXPECT_TRUE(shot->Collides(Target({500.f, 380.f}, 3.f)));
    EXPECT_FALSE(shot->Collides(Target({500.f, 320.f}, 3.f)));
    EXPECT_FALSE(shot->Collides(Target({540.f, 380.f}, 3.f)));

    shot->Explode();
    EXPECT_EQ(1u, objects->GetObjects<ParticleSystem>().size());

    const struct
    {
        sf::Vector2f position;
        bool expired;
    } places[] = {{{-100.f, 10.f}, false},   {{-100.5f, 10.f}, true}, {{10.f, 868.f}, false},
                  {{10.f, 868.5f}, true},    {{1124.f, 10.f}, false}, {{1124.5f, 10.f}, true},
                  {{10.f, -100.5f}, true}};
    for (const auto& place : places)
    {
        shot->Launch(place.position, {0.f, 0.f}, 1);
        EXPECT_EQ(place.expired, shot->IsExpired()) << place.position.x << "," << place.position.y;
    }

    // A hit ends the flight; leaving the flight screen ends every flight.
    shot->Launch({500.f, 400.f}, {0.f, -500.f}, 1);
    EXPECT_FALSE(shot->IsExpired());
    shot->Deactivate();
    EXPECT_TRUE(shot->IsExpired());
    shot->Launch({500.f, 400.f}, {0.f, -500.f}, 1);
    LeaveFlight();
    EXPECT_TRUE(shot->IsExpired());
}
