// particle-bench: how long 50 effects of 200 particles each take to update and
// to draw, and how long the same quads take as one bare vertex array drawn once
// with the same texture and blend mode. Run it with the game root as the current
// directory and a display (Xvfb will do); it prints the medians of 300 frames:
//     particles: 10000
//     update_ms: ...
//     draw_ms: ...
//     bare_draw_ms: ...
// Drawing is timed up to glFinish, so the figures include the rendering itself.
#include "core/Registry.hpp"
#include "presentation/ParticleQuadRenderer.hpp"
#include "presentation/ParticleRandom.hpp"
#include "presentation/ParticleSimulation.hpp"
#include "presentation/ResourceManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <vector>

using namespace Kestrum;

namespace
{
    const unsigned effectCount = 50;
    const unsigned particlesPerEffect = 200;
    const unsigned warmUpFrames = 180;
    const unsigned measuredFrames = 300;
    const float frame = 1.f / 60.f;

    // A smoke-like effect that does all a particle can: mutable colour and size,
    // random angle, spin and atlas cell, gravity and friction; its emitter keeps
    // the group full.
    ParticleSimulation MakeEffect(const stable_ptr<sf::Texture>& texture)
    {
        const unsigned mutableFlags = ToParticleFlag(ParticleAlpha) | ToParticleFlag(ParticleSize) |
                                      ToParticleFlag(ParticleGreen);
        const unsigned randomFlags = ToParticleFlag(ParticleSize) | ToParticleFlag(ParticleAngle) |
                                     ToParticleFlag(ParticleRotationSpeed) | ToParticleFlag(ParticleTextureIndex);
        auto model = std::make_shared<ParticleModel>(mutableFlags | randomFlags | ToParticleFlag(ParticleRed),
                                                     mutableFlags, randomFlags);
        model->SetParam(ParticleAlpha, 0.8f, 0.f);
        model->SetParam(ParticleSize, 8.f, 14.f, 30.f, 44.f);
        model->SetParam(ParticleGreen, 0.9f, 0.4f);
        model->SetParam(ParticleRed, 1.f);
        model->SetParam(ParticleAngle, 0.f, 360.f);
        model->SetParam(ParticleRotationSpeed, -90.f, 90.f);
        model->SetParam(ParticleTextureIndex, 0.f, 3.99f);
        model->SetLifeTime(2.f, 3.f);

        auto renderer = std::make_shared<ParticleQuadRenderer>(texture, sf::BlendAlpha);
        renderer->SetAtlasDimensions(2, 2);

        SphericEmitter emitter;
        emitter.SetDirection(sf::Vector3f(0.f, 0.f, 1.f));
        emitter.SetAngles(0.f, 180.f);
        emitter.SetFlow(400.f);
        emitter.SetForce(10.f, 60.f);

        ParticleGroup group(model, particlesPerEffect);
        group.SetRenderer(renderer);
        group.SetGravity(sf::Vector3f(0.f, 20.f, 0.f));
        group.SetFriction(0.5f);
        group.AddEmitter(emitter);
        ParticleSimulation effect;
        effect.AddGroup(group);
        return effect;
    }

    double Milliseconds(std::chrono::steady_clock::duration duration)
    {
        return std::chrono::duration<double, std::milli>(duration).count();
    }

    double Median(std::vector<double> samples)
    {
        std::sort(samples.begin(), samples.end());
        return samples[samples.size() / 2];
    }

    int Run()
    {
        const stable_ptr<Registry> registry = Registry::Create();
        auto window = create_stable_ptr(std::make_shared<sf::RenderWindow>(sf::VideoMode(1024, 768), "particle-bench"));
        registry->Register<sf::RenderWindow>(window);
        window->setVerticalSyncEnabled(false);
        auto resources = CreateAndRegister(new ResourceManager());
        SeedParticleRandom(12345);

        const stable_ptr<sf::Texture> texture = resources->GetTexture("resources|particles|textures|smoke.png", true);
        const ParticleSimulation prototype = MakeEffect(texture);
        std::vector<ParticleSimulation> effects;
        for (unsigned i = 0; i < effectCount; ++i)
        {
            effects.emplace_back(prototype);
            effects.back().SetPosition(sf::Vector2f(80.f + 90.f * float(i % 10), 100.f + 140.f * float(i / 10)));
        }
        for (unsigned i = 0; i < warmUpFrames; ++i)
            for (ParticleSimulation& effect : effects)
                effect.Update(frame);

        // The bare array is filled by the same renderer, off the clock.
        sf::RenderTexture scratch;
        scratch.create(1, 1);
        const ParticleRenderer& renderer = *prototype.GetGroups()[0].GetRenderer();
        std::vector<sf::Vertex> quads;
        sf::VertexArray bare(sf::Quads);
        sf::RenderStates bareStates(sf::BlendAlpha);
        bareStates.texture = texture.get();

        std::vector<double> updates, draws, bareDraws;
        std::size_t particles = 0;
        for (unsigned i = 0; i < measuredFrames; ++i)
        {
            auto start = std::chrono::steady_clock::now();
            for (ParticleSimulation& effect : effects)
                effect.Update(frame);
            updates.push_back(Milliseconds(std::chrono::steady_clock::now() - start));

            window->clear(sf::Color(60, 80, 50));
            glFinish();
            start = std::chrono::steady_clock::now();
            for (const ParticleSimulation& effect : effects)
                effect.Draw(*window);
            glFinish();
            draws.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
            window->display();

            bare.clear();
            particles = 0;
            for (const ParticleSimulation& effect : effects)
            {
                const std::vector<Particle>& living = effect.GetGroups()[0].GetParticles();
                particles += living.size();
                const std::size_t count = renderer.Render(living, quads, scratch, sf::RenderStates());
                for (std::size_t v = 0; v < count * 4; ++v)
                    bare.append(sf::Vertex(quads[v].position + effect.GetPosition(), quads[v].color, quads[v].texCoords));
            }
            window->clear(sf::Color(60, 80, 50));
            glFinish();
            start = std::chrono::steady_clock::now();
            window->draw(bare, bareStates);
            glFinish();
            bareDraws.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
            window->display();
        }

        std::printf("particles: %zu\n", particles);
        std::printf("update_ms: %.3f\n", Median(updates));
        std::printf("draw_ms: %.3f\n", Median(draws));
        std::printf("bare_draw_ms: %.3f\n", Median(bareDraws));
        return 0;
    }
}

int main()
{
    try
    {
        return Run();
    }
    catch (const std::exception& error)
    {
        std::fprintf(stderr, "particle-bench failed: %s\n", error.what());
        return 1;
    }
}
