// Particles of one model, launched by the group's emitters, moved by gravity and
// slowed by friction, drawn by one renderer. The particles live in one array
// that is reused from frame to frame, and the group is drawn from one vertex
// buffer in one draw call, however many particles it holds.
//
// A copy has the same emitters (with their tanks and flows as they are now), the
// same particles, and shares the model and the renderer.
#pragma once

#include "presentation/ParticleModel.hpp"
#include "presentation/SphericEmitter.hpp"

#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <memory>
#include <vector>

namespace sf
{
    class RenderTarget;
}

namespace Kestrum
{
    class ParticleRenderer;

    class ParticleGroup
    {
    public:
        // At most `capacity` particles live at once; no renderer: nothing is drawn.
        ParticleGroup(const std::shared_ptr<const ParticleModel>& model, unsigned capacity);
        ParticleGroup(const ParticleGroup& other);
        ParticleGroup& operator=(const ParticleGroup&) = delete;

        void SetRenderer(const std::shared_ptr<const ParticleRenderer>& renderer) { m_renderer = renderer; }
        // Draws the particles in order of height (z), lowest first.
        void SetSorting(bool sorting) { m_sorting = sorting; }
        // Pixels per second per second.
        void SetGravity(const sf::Vector3f& gravity) { m_gravity = gravity; }
        // Each second a particle loses about this share of its speed, divided by its mass.
        void SetFriction(float friction) { m_friction = friction; }
        void AddEmitter(const SphericEmitter& emitter);

        const std::shared_ptr<const ParticleModel>& GetModel() const { return m_model; }
        const std::shared_ptr<const ParticleRenderer>& GetRenderer() const { return m_renderer; }
        unsigned GetCapacity() const { return m_capacity; }
        bool IsSorting() const { return m_sorting; }
        const sf::Vector3f& GetGravity() const { return m_gravity; }
        float GetFriction() const { return m_friction; }
        std::vector<SphericEmitter>& GetEmitters() { return m_emitters; }
        const std::vector<SphericEmitter>& GetEmitters() const { return m_emitters; }
        const std::vector<Particle>& GetParticles() const { return m_particles; }

        // Ages, moves and retires the particles, then lets the emitters launch the
        // particles that fell due (as many as there is room for). Answers whether
        // the group still lives: it holds particles or an emitter is active.
        bool Update(float dt);
        bool IsAlive() const;
        // One draw call; states carry the effect's position.
        void Draw(sf::RenderTarget& target, const sf::RenderStates& states) const;

    private:
        std::shared_ptr<const ParticleModel> m_model;
        std::shared_ptr<const ParticleRenderer> m_renderer;
        unsigned m_capacity;
        bool m_sorting;
        sf::Vector3f m_gravity;
        float m_friction;
        std::vector<SphericEmitter> m_emitters;
        std::vector<Particle> m_particles;
        mutable std::vector<sf::Vertex> m_vertices;
    };
}
