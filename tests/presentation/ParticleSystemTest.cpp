#include "presentation/ParticleSystem.hpp"

#include "core/FrameClock.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/TimeSystem.hpp"
#include "flight/GameObjectManager.hpp"
#include "interface/InterfaceFixture.hpp"
#include "presentation/ParticleFactory.hpp"
#include "support/ThrownMessage.hpp"

#include <algorithm>
#include <iostream>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    // Particles that stay where they are born, drawn as nothing in particular.
    std::string Definition(int tank, float lifeTime)
    {
        return R"(<particle_system>
  <renderers><renderer type="line" name="r"><line_width>1</line_width><line_length>1</line_length><blend_mode>add</blend_mode></renderer></renderers>
  <particle_models><particle_model name="m"><life_time>)" +
               std::to_string(lifeTime) + R"(</life_time></particle_model></particle_models>
  <particle_groups><particle_group model="m" renderer="r"><emitters><emitter type="spheric">
    <specific_parameters><direction x="0" y="0" z="1"/><angle_tuple a="0" b="0"/></specific_parameters>
    <zone type="point"><position x="0" y="0" z="0"/></zone>
    <tank>)" + std::to_string(tank) +
               R"(</tank><flow>100</flow>
  </emitter></emitters></particle_group></particle_groups>
</particle_system>)";
    }

    class ParticleSystemTest : public Kestrum::Testing::InterfaceFixture
    {
    protected:
        ParticleSystemTest()
        {
            CreateLoadAndRegister(new RandomizationSystem());
            time = CreateAndRegister(new TimeSystem());
            FrameClock::SetFrameTime(0.1f);
        }
        ~ParticleSystemTest() override { FrameClock::Reset(); }

        // Registers the factory and reads the effects of the scratch root.
        stable_ptr<ParticleFactory> LoadFactory()
        {
            auto factory = create_stable_ptr(std::make_shared<ParticleFactory>());
            registry->Register<ParticleFactory>(factory);
            factory->Load();
            return factory;
        }

        std::shared_ptr<TimeSystem> time;
    };
}

TEST_F(ParticleSystemTest, ExpiresWhenOverOrOutsideThePlayField)
{
    OpenWindow(64, 64);
    root.WriteFile("resources/particles/001/particle_system.xml", Definition(3, 0.35f));
    root.WriteFile("resources/particles/002/particle_system.xml", Definition(-1, 100.f));
    const stable_ptr<ParticleFactory> factory = LoadFactory();
    const EdgeRect field = GetFlightArea();

    // A full tank of 3 empties in the first frame; the particles die 0.35 s later,
    // in the fifth frame of 0.1 s, and the effect expires in that same frame.
    const stable_ptr<ParticleSystem> burst = factory->Get(1, sf::Vector2f(400.f, 300.f));
    for (int frame = 0; frame < 4; ++frame)
    {
        burst->OnUpdate();
        EXPECT_FALSE(burst->IsExpired()) << frame;
    }
    burst->OnUpdate();
    EXPECT_TRUE(burst->IsExpired());

    // The box of the particles grown by 100 pixels must overlap the field; touching is outside.
    const stable_ptr<ParticleSystem> smoke = factory->Get(2, sf::Vector2f(3.f, 4.f));
    smoke->SetPositionX(10.f);
    EXPECT_EQ(sf::Vector2f(10.f, 4.f), smoke->GetPosition());
    smoke->SetPosition(field.right + 99.f, 300.f);
    smoke->OnUpdate();
    EXPECT_FALSE(smoke->IsExpired());
    smoke->MovePositionX(1.f);
    smoke->OnUpdate();
    EXPECT_TRUE(smoke->IsExpired());
    smoke->OnUpdate();
    EXPECT_TRUE(smoke->IsExpired()) << "once over, always over";

    // Kept outside the view, it stays until its emission stops and its particles die.
    const stable_ptr<ParticleSystem> kept = factory->Get(2, sf::Vector2f(-5000.f, -5000.f));
    kept->SetKeepOutsideView(true);
    kept->OnUpdate();
    kept->MovePosition(10.f, 10.f);
    EXPECT_EQ(sf::Vector2f(-4990.f, -4990.f), kept->GetPosition());
    EXPECT_FALSE(kept->IsExpired());
    kept->StopEmission();
    FrameClock::SetFrameTime(99.f);
    kept->OnUpdate();
    EXPECT_FALSE(kept->IsExpired());
    kept->OnUpdate();
    EXPECT_TRUE(kept->IsExpired());

    // While the game is paused the particles stand still, but the view check goes on.
    const stable_ptr<ParticleSystem> paused = factory->Get(1, sf::Vector2f(400.f, 300.f));
    FrameClock::SetFrameTime(0.1f);
    paused->OnUpdate();
    time->paused = true;
    for (int frame = 0; frame < 10; ++frame)
        paused->OnUpdate();
    EXPECT_FALSE(paused->IsExpired());
    paused->SetPositionY(-1000.f);
    paused->OnUpdate();
    EXPECT_TRUE(paused->IsExpired());
}

TEST_F(ParticleSystemTest, EffectsNotReadAtStartUpAreReadOnFirstUse)
{
    OpenWindow(64, 64);
    root.WriteFile("resources/particles/001/particle_system.xml", Definition(3, 1.f));
    const stable_ptr<ParticleFactory> factory = LoadFactory();
    // Other lines (the window library's complaints) may come and go.
    auto warnings = [&] {
        return std::count_if(log.GetLines().begin(), log.GetLines().end(), [](const std::string& line) {
            return line.find("installing new particle system at runtime - performance may suffer") != std::string::npos;
        });
    };
    EXPECT_EQ(0, warnings());

    EXPECT_EQ("value must be an unsigned integer smaller than 1000",
              ThrownMessage<LogicError>([&] { factory->Get(1000, sf::Vector2f()); }));
    EXPECT_EQ(1, warnings());

    factory->Get(1, sf::Vector2f());
    EXPECT_EQ(1, warnings()) << "a preloaded effect is copied without a word";
    root.WriteFile("resources/particles/009/particle_system.xml", Definition(3, 1.f));
    factory->Get(9, sf::Vector2f());
    EXPECT_EQ(2, warnings());
    factory->Get(9, sf::Vector2f());
    EXPECT_EQ(2, warnings()) << "read once, kept like the others";
}

// The shipped effects in a real window: a shot's impact and an explosion, run
// by the object manager for a few frames; the picture is kept in the build
// folder for a look.
TEST_F(ParticleSystemTest, ImpactAndExplosionShowInTheWindow)
{
    CopyFromGameRoot("resources/particles");
    const sf::VideoMode mode = GetFromRegistry<ConfigurationSystem>()->GetVideoMode();
    sf::RenderWindow& window = OpenWindow(mode.width, mode.height);
    // The same picture on every run.
    GetFromRegistry<RandomizationSystem>()->GetGenerator()->Seed(5);
    const stable_ptr<ParticleFactory> factory = LoadFactory();
    GameObjectManager objects;
    const EdgeRect field = GetFlightArea();
    const sf::Vector2f impact(field.left + 200.f, 380.f);
    const sf::Vector2f explosion(field.left + 560.f, 380.f);
    // The explosion at its height, a quarter of a second on; the impact just struck.
    objects.Add(factory->Get(102, explosion));
    FrameClock::SetFrameTime(1.f / 60.f);
    for (int frame = 0; frame < 15; ++frame)
    {
        if (frame == 12)
            objects.Add(factory->Get(100, impact));
        objects.Update();
    }
    window.clear(sf::Color(70, 90, 60));
    objects.Draw();
    const sf::Image picture = Capture();
    window.display();
    const std::filesystem::path file = std::filesystem::path(KESTRUM_GAME_ROOT).parent_path() / "particle-test-effects.png";
    ASSERT_TRUE(picture.saveToFile(file.string()));
    std::cout << "screenshot: " << file.string() << "\n";

    // Bright, warm light around both points; the explosion is much the larger.
    auto fiery = [&](const sf::Vector2f& centre, int half) {
        unsigned count = 0;
        for (int y = -half; y < half; ++y)
            for (int x = -half; x < half; ++x)
            {
                const sf::Color c = picture.getPixel(unsigned(int(centre.x) + x), unsigned(int(centre.y) + y));
                if (c.r > 200 && c.g > 150 && c.b < c.r)
                    ++count;
            }
        return count;
    };
    const unsigned spark = fiery(impact, 40);
    const unsigned blast = fiery(explosion, 120);
    EXPECT_GT(spark, 40u);
    EXPECT_GT(blast, 4 * spark);
    EXPECT_EQ(0u, fiery(sf::Vector2f(field.left + 380.f, 380.f), 40)) << "nothing between them";
}
