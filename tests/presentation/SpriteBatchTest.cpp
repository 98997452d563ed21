#include "presentation/SpriteBatch.hpp"

#include "flight/Categories.hpp"
#include "flight/EnemyFixture.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"
#include "flight/ShotBase.hpp"
#include "flight/Weapon.hpp"
#include "presentation/ParticleSystem.hpp"
#include "support/ThrownMessage.hpp"
#include "support/WindowCapture.hpp"

#include <SFML/Graphics/Image.hpp>

#include <stdexcept>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    class SpriteBatchTest : public Kestrum::Testing::EnemyFixture
    {
    protected:
        template <typename T>
        void Add(const stable_ptr<T>& object)
        {
            objects->Add(stable_ptr<GameObject>(object));
        }

        // The objects' pass alone, drawn with batching on or off.
        sf::Image Draw(bool batching, std::size_t& drawCalls)
        {
            objects->GetSpriteBatch().SetBatching(batching);
            window->clear(sf::Color(40, 90, 40));
            objects->Draw();
            drawCalls = objects->GetSpriteBatch().GetDrawCalls();
            return Kestrum::Testing::CaptureWindow(*window);
        }
    };

    class Faulty : public GameObject
    {
    public:
        Faulty() : GameObject(LayerAir) {}
        void OnUpdate() override {}
        void Draw() override { throw std::runtime_error("broken"); }
        bool IsExpired() const override { return false; }
    };
}

TEST_F(SpriteBatchTest, ABatchedFrameIsTheUnbatchedPictureInFewerDrawCalls)
{
    // A busy flight: airships of every kind and turrets with their shadows, one
    // of them showing its debug circles, shots of both sides, explosions, and
    // the firing ship behind its shield disc, all drawn in one pass.
    ship->GetHull()->GetSlots(Categories::Weapon).front()->SetEquipment(weapons->CreatePlayerWeapon("000").get_shared());
    Add(create_stable_ptr(std::shared_ptr<GameObject>(ship)));
    const char* types[] = {"airship000", "airship001", "airship002", "airship005", "turret000", "turret001"};
    for (unsigned i = 0; i < 18; ++i)
    {
        const stable_ptr<Enemy> enemy =
            Spawn(types[i % 6], sf::Vector2f(260.f + 130.f * float(i % 6), 120.f + 110.f * float(i / 6)));
        enemy->SetDebug(i == 7);
        Add(enemy);
    }
    const unsigned long shotTypes[] = {0, 500, 1, 501, 2, 502, 504};
    for (unsigned i = 0; i < 60; ++i)
    {
        const unsigned long type = shotTypes[i % 7];
        const stable_ptr<ShotBase> shot = shots->Get(type, type >= 500);
        shot->Launch(sf::Vector2f(230.f + 13.f * float(i), 300.f + 5.f * float(i % 9)),
                     sf::Vector2f(float(i % 5) * 20.f - 40.f, type >= 500 ? 200.f : -400.f), 1);
        Add(shot);
    }
    for (unsigned i = 0; i < 3; ++i)
        Add(GetFromRegistry<ParticleFactory>()->Get(101 + i, sf::Vector2f(400.f + 200.f * float(i), 450.f)));
    for (int frame = 0; frame < 12; ++frame)
    {
        ship->Fire();
        RunFrames(1);
    }

    std::size_t batchedCalls = 0, singleCalls = 0;
    const sf::Image batched = Draw(true, batchedCalls);
    const sf::Image single = Draw(false, singleCalls);
    ASSERT_EQ(single.getSize(), batched.getSize());
    unsigned differing = 0, drawn = 0;
    for (unsigned y = 0; y < single.getSize().y; ++y)
        for (unsigned x = 0; x < single.getSize().x; ++x)
        {
            differing += single.getPixel(x, y) != batched.getPixel(x, y);
            drawn += single.getPixel(x, y) != sf::Color(40, 90, 40);
        }
    EXPECT_EQ(0u, differing);
    EXPECT_GT(drawn, 40000u) << "the scene is on the picture";
    EXPECT_LT(batchedCalls * 3, singleCalls);
}

TEST_F(SpriteBatchTest, OneBatchIsOpenAtATimeAndAFailedPassLeavesNoneOpen)
{
    SpriteBatch other;
    objects->Add(create_stable_ptr(std::shared_ptr<GameObject>(new Faulty())));
    EXPECT_THROW(objects->Draw(), std::runtime_error);
    EXPECT_EQ(nullptr, SpriteBatch::GetOpen());

    other.Open();
    EXPECT_EQ(&other, SpriteBatch::GetOpen());
    EXPECT_EQ("a sprite batch is open already", ThrownMessage<LogicError>([&] { objects->Draw(); }));
    other.Close();
    EXPECT_EQ(nullptr, SpriteBatch::GetOpen());
    EXPECT_EQ("the sprite batch is not open", ThrownMessage<LogicError>([&] { other.Draw(sf::Sprite()); }));
}
