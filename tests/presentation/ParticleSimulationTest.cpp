#include "presentation/ParticleSimulation.hpp"

#include "core/Exception.hpp"
#include "presentation/ParticleLineRenderer.hpp"
#include "presentation/ParticleQuadRenderer.hpp"
#include "presentation/ParticleRandom.hpp"
#include "support/ThrownMessage.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <cmath>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

namespace
{
    const float frame = 1.f / 60.f;

    SphericEmitter MakeEmitter(int tank, float flow, float force = 0.f)
    {
        SphericEmitter emitter;
        emitter.SetTank(tank);
        emitter.SetFlow(flow);
        emitter.SetForce(force, force);
        return emitter;
    }

    ParticleSimulation MakeSimulation(const SphericEmitter& emitter, float lifeTime, unsigned capacity = 1000)
    {
        auto model = std::make_shared<ParticleModel>(0, 0, 0);
        model->SetLifeTime(lifeTime, lifeTime);
        ParticleGroup group(model, capacity);
        group.AddEmitter(emitter);
        ParticleSimulation simulation;
        simulation.AddGroup(group);
        return simulation;
    }

    float Degrees(const sf::Vector3f& a, const sf::Vector3f& b)
    {
        const float dot = a.x * b.x + a.y * b.y + a.z * b.z;
        const float lengths = std::sqrt((a.x * a.x + a.y * a.y + a.z * a.z) * (b.x * b.x + b.y * b.y + b.z * b.z));
        return std::acos(std::clamp(dot / lengths, -1.f, 1.f)) / 0.0174532924f;
    }
}

// The emitter stops when its tank is empty or its flow is 0; once its particles
// have lived out, the effect reports itself over.
TEST(ParticleSimulation, EffectDiesOnceItsEmittersStopAndItsParticlesAreGone)
{
    struct Case
    {
        int tank;
        float flow;
        unsigned framesOfFlow;
        unsigned launched; // particles alive after those frames (life 1 s)
        bool stop;         // StopEmission after those frames
    };
    const Case cases[] = {
        {5, 600.f, 2, 5, false},    // 10 fall due, the tank holds 5
        {-1, 10.f, 60, 10, true},   // fractions carry over: 10 in a second
        {-1, 90.f, 1, 1, true},     // 1.5 due: 1 now, the half carries
        {-1, 0.f, 1, 0, false},     // no flow: over at once
        {0, 100.f, 1, 0, false},    // empty tank: over at once
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE("tank " + std::to_string(c.tank) + ", flow " + std::to_string(c.flow));
        ParticleSimulation simulation = MakeSimulation(MakeEmitter(c.tank, c.flow), 1.f);
        bool alive = true;
        for (unsigned i = 0; i < c.framesOfFlow; ++i)
            alive = simulation.Update(frame);
        EXPECT_EQ(c.launched, simulation.GetParticleCount());
        if (c.launched == 0)
        {
            EXPECT_FALSE(alive);
            continue;
        }
        EXPECT_TRUE(alive);
        if (c.stop)
            simulation.StopEmission();
        const SphericEmitter& emitter = simulation.GetGroups()[0].GetEmitters()[0];
        EXPECT_FALSE(emitter.IsActive());
        EXPECT_EQ(c.tank < 0 ? -1 : 0, emitter.GetTank());
        // Nothing more is launched; the last particle dies 1 s after its birth.
        EXPECT_TRUE(simulation.Update(0.5f));
        EXPECT_GT(simulation.GetParticleCount(), 0u);
        EXPECT_LE(simulation.GetParticleCount(), c.launched);
        EXPECT_FALSE(simulation.Update(0.5f));
        EXPECT_EQ(0u, simulation.GetParticleCount());
    }
}

TEST(ParticleSimulation, ParticlesMoveAgeAndChangeAsTheirModelSays)
{
    SeedParticleRandom(7);
    auto model = std::make_shared<ParticleModel>(
        ToParticleFlag(ParticleAlpha) | ToParticleFlag(ParticleSize) | ToParticleFlag(ParticleMass) |
            ToParticleFlag(ParticleAngle) | ToParticleFlag(ParticleRotationSpeed),
        ToParticleFlag(ParticleAlpha) | ToParticleFlag(ParticleSize), ToParticleFlag(ParticleSize));
    model->SetParam(ParticleAlpha, 1.f, 0.f);               // fades out
    model->SetParam(ParticleSize, 10.f, 20.f, 50.f, 60.f);  // grows from 10..20 to 50..60
    model->SetParam(ParticleMass, 2.f);
    model->SetParam(ParticleAngle, 30.f);
    model->SetParam(ParticleRotationSpeed, 90.f);
    model->SetLifeTime(2.f, 2.f);
    EXPECT_EQ("particle parameter 0 is not enabled", ThrownMessage<LogicError>([&] { model->SetParam(ParticleRed, 1.f); }));
    EXPECT_EQ("particle parameter 5 takes 1 values, not 2",
              ThrownMessage<LogicError>([&] { model->SetParam(ParticleMass, 1.f, 2.f); }));

    SphericEmitter emitter = MakeEmitter(3, 1000.f, 100.f);
    emitter.SetDirection(sf::Vector3f(0.f, -5.f, 0.f));
    emitter.SetAngles(0.f, 0.f);
    emitter.SetZone(sf::Vector3f(4.f, 6.f, 1.f));
    ParticleGroup group(model, 2);
    group.AddEmitter(emitter);
    group.SetGravity(sf::Vector3f(0.f, 100.f, 0.f));
    group.SetFriction(1.f);

    group.Update(frame);
    ASSERT_EQ(2u, group.GetParticles().size()) << "the capacity holds two; the third is lost";
    EXPECT_FALSE(group.GetEmitters()[0].IsActive());
    const Particle born = group.GetParticles()[0];
    EXPECT_EQ(sf::Vector3f(4.f, 6.f, 1.f), born.position);
    EXPECT_NEAR(-50.f, born.velocity.y, 1e-3f) << "force 100 on mass 2, straight up the screen";
    EXPECT_GE(born.value[ParticleSize], 10.f);
    EXPECT_LE(born.value[ParticleSize], 20.f);

    group.Update(0.5f);
    const Particle& p = group.GetParticles()[0];
    // Gravity first, then friction (1 * 0.5 / mass 2 takes a quarter), then the move.
    const float vy = (-50.f + 100.f * 0.5f) * 0.75f;
    EXPECT_NEAR(vy, p.velocity.y, 1e-3f);
    EXPECT_NEAR(6.f + vy * 0.5f, p.position.y, 1e-3f);
    EXPECT_NEAR(0.75f, p.value[ParticleAlpha], 1e-5f) << "a quarter of its life gone";
    EXPECT_NEAR(30.f + 45.f, p.value[ParticleAngle], 1e-4f);
    const float end = born.start[ParticleSize] + born.rate[ParticleSize] * 2.f;
    EXPECT_GE(end, 50.f);
    EXPECT_LE(end, 60.f);

    // The box of the particles is in the coordinates of the target.
    ParticleSimulation simulation;
    simulation.AddGroup(group);
    simulation.SetPosition(sf::Vector2f(100.f, 200.f));
    sf::Vector2f topLeft, bottomRight;
    ASSERT_TRUE(simulation.GetBounds(topLeft, bottomRight));
    EXPECT_NEAR(104.f, topLeft.x, 1e-3f);
    EXPECT_NEAR(206.f + vy * 0.5f, topLeft.y, 1e-3f);
}

TEST(ParticleSimulation, CopiesShareModelsAndRenderersAndRunOnTheirOwn)
{
    ParticleSimulation prototype = MakeSimulation(MakeEmitter(10, 6000.f), 1.f);
    prototype.GetGroups()[0].SetRenderer(std::make_shared<ParticleLineRenderer>(0.1f, 2.f, sf::BlendAdd));
    ParticleSimulation copy(prototype);
    copy.Update(frame);
    EXPECT_EQ(10u, copy.GetParticleCount());
    EXPECT_EQ(0u, prototype.GetParticleCount());
    EXPECT_EQ(10, prototype.GetGroups()[0].GetEmitters()[0].GetTank()) << "the prototype's tank stays full";
    EXPECT_EQ(prototype.GetGroups()[0].GetModel(), copy.GetGroups()[0].GetModel());
    EXPECT_EQ(prototype.GetGroups()[0].GetRenderer(), copy.GetGroups()[0].GetRenderer());
    ParticleSimulation second(prototype);
    second.StopEmission();
    EXPECT_FALSE(second.Update(frame));
    EXPECT_TRUE(prototype.GetGroups()[0].GetEmitters()[0].IsActive());
}

// Directions spread over the band between the half apertures, and the launch
// speed lies within the force.
TEST(ParticleSimulation, ParticlesLeaveWithinTheEmissionCone)
{
    SeedParticleRandom(11);
    struct Case
    {
        sf::Vector3f direction;
        float inner;
        float outer;
    };
    const Case cases[] = {{{0.f, 0.f, 1.f}, 0.f, 180.f}, {{1.f, 0.f, 0.f}, 0.f, 40.f}, {{0.f, -1.f, 0.f}, 300.f, 360.f},
                          {{0.f, 0.f, 2.f}, 140.f, 180.f}};
    for (const Case& c : cases)
    {
        SphericEmitter emitter = MakeEmitter(200, 1e6f);
        emitter.SetForce(50.f, 80.f);
        emitter.SetDirection(c.direction);
        emitter.SetAngles(c.inner, c.outer);
        ParticleSimulation simulation = MakeSimulation(emitter, 10.f);
        simulation.Update(frame);
        ASSERT_EQ(200u, simulation.GetParticleCount());
        float widest = 0.f;
        for (const Particle& particle : simulation.GetGroups()[0].GetParticles())
        {
            const float angle = Degrees(particle.velocity, c.direction);
            EXPECT_GE(angle, c.inner / 2.f - 0.1f);
            EXPECT_LE(angle, c.outer / 2.f + 0.1f);
            widest = std::max(widest, angle);
            const sf::Vector3f v = particle.velocity;
            const float speed = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
            EXPECT_GE(speed, 50.f - 1e-3f);
            EXPECT_LE(speed, 80.f + 1e-3f);
        }
        EXPECT_GT(widest, c.outer / 2.f - 5.f) << "the whole band is used";
    }
    SphericEmitter emitter;
    EXPECT_EQ("emitter direction must not be zero",
              ThrownMessage<LogicError>([&] { emitter.SetDirection(sf::Vector3f()); }));
}

// Each particle above the ground is one quad of the right place, colour and atlas cell.
TEST(ParticleSimulation, RenderersWriteOneQuadPerVisibleParticle)
{
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    auto texture = create_stable_ptr(std::make_shared<sf::Texture>());
    ASSERT_TRUE(texture->create(64, 32));

    Particle particle{};
    particle.value = {1.f, 0.5f, 0.f, 1.f, 10.f, 1.f, 90.f, 3.f, 0.f};
    particle.position = sf::Vector3f(20.f, 30.f, 0.f);
    particle.velocity = sf::Vector3f(100.f, 0.f, 0.f);
    Particle buried = particle;
    buried.position.z = -0.5f;
    std::vector<sf::Vertex> vertices;

    ParticleQuadRenderer quads(texture, sf::BlendAlpha);
    quads.SetAtlasDimensions(2, 2);
    quads.SetScale(2.f, 1.f);
    EXPECT_EQ(1u, quads.Render({buried, particle}, vertices, target, sf::RenderStates()));
    // 20 x 10, turned a quarter clockwise: the top-left corner of the picture lies right and up.
    EXPECT_NEAR(25.f, vertices[0].position.x, 1e-4f);
    EXPECT_NEAR(20.f, vertices[0].position.y, 1e-4f);
    EXPECT_NEAR(15.f, vertices[2].position.x, 1e-4f);
    EXPECT_NEAR(40.f, vertices[2].position.y, 1e-4f);
    EXPECT_EQ(sf::Vector2f(32.f, 16.f), vertices[0].texCoords) << "cell 3 of 2 x 2: the lower right";
    EXPECT_EQ(sf::Vector2f(64.f, 32.f), vertices[2].texCoords);
    EXPECT_EQ(sf::Color(255, 128, 0, 255), vertices[0].color);
    EXPECT_EQ("atlas dimensions must not be zero",
              ThrownMessage<LogicError>([&] { quads.SetAtlasDimensions(0, 2); }));
    // The same image packed into a larger texture at (100, 50): the same cell there.
    ParticleQuadRenderer packed(texture, sf::IntRect(100, 50, 64, 32), sf::BlendAlpha);
    packed.SetAtlasDimensions(2, 2);
    EXPECT_EQ(1u, packed.Render({particle}, vertices, target, sf::RenderStates()));
    EXPECT_EQ(sf::Vector2f(132.f, 66.f), vertices[0].texCoords);
    EXPECT_EQ(sf::Vector2f(164.f, 82.f), vertices[2].texCoords);

    ParticleLineRenderer lines(0.1f, 4.f, sf::BlendAdd);
    Particle resting = particle;
    resting.velocity = sf::Vector3f();
    EXPECT_EQ(1u, lines.Render({resting, particle, buried}, vertices, target, sf::RenderStates()));
    // From the head back by velocity x length, 4 wide.
    EXPECT_EQ(sf::Vector2f(20.f, 28.f), vertices[0].position);
    EXPECT_EQ(sf::Vector2f(10.f, 28.f), vertices[1].position);
    EXPECT_EQ(sf::Vector2f(10.f, 32.f), vertices[2].position);
    EXPECT_EQ(255, vertices[0].color.a);
    EXPECT_EQ(0, vertices[1].color.a);
}
