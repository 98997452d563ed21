#include "presentation/ParticleGroup.hpp"

#include "presentation/ParticleRenderer.hpp"

#include <algorithm>

namespace Kestrum
{
    ParticleGroup::ParticleGroup(const std::shared_ptr<const ParticleModel>& model, unsigned capacity)
        : m_model(model), m_capacity(capacity), m_sorting(false), m_friction(0.f)
    {
    }

    ParticleGroup::ParticleGroup(const ParticleGroup& other)
        : m_model(other.m_model), m_renderer(other.m_renderer), m_capacity(other.m_capacity),
          m_sorting(other.m_sorting), m_gravity(other.m_gravity), m_friction(other.m_friction),
          m_emitters(other.m_emitters)
    {
        // Room for every particle the emitters can ever launch (up to the
        // capacity), so that the array does not grow during a flight.
        unsigned long room = 0;
        for (const SphericEmitter& emitter : m_emitters)
            room += emitter.GetTank() < 0 ? m_capacity : unsigned(emitter.GetTank());
        m_particles.reserve(std::min<unsigned long>(std::max<unsigned long>(room, other.m_particles.size()), m_capacity));
        m_particles = other.m_particles;
    }

    void ParticleGroup::AddEmitter(const SphericEmitter& emitter)
    {
        m_emitters.push_back(emitter);
    }

    bool ParticleGroup::Update(float dt)
    {
        const ParticleModel& model = *m_model;
        const ParticleParameter* const mutableBegin = model.MutableBegin();
        const ParticleParameter* const mutableEnd = model.MutableEnd();
        const bool spins = (model.GetEnabledFlags() & ToParticleFlag(ParticleRotationSpeed)) &&
                           !(model.GetMutableFlags() & ToParticleFlag(ParticleAngle));
        const sf::Vector3f pull = m_gravity * dt;

        // Living particles move up in the array over the retired ones, in order.
        std::size_t kept = 0;
        const std::size_t count = m_particles.size();
        for (std::size_t i = 0; i < count; ++i)
        {
            Particle& particle = m_particles[i];
            particle.age += dt;
            if (particle.age >= particle.lifeTime)
                continue;
            for (const ParticleParameter* parameter = mutableBegin; parameter != mutableEnd; ++parameter)
                particle.value[*parameter] = particle.start[*parameter] + particle.rate[*parameter] * particle.age;
            if (spins)
                particle.value[ParticleAngle] += particle.value[ParticleRotationSpeed] * dt;
            particle.velocity += pull;
            if (m_friction != 0.f)
            {
                const float mass = particle.value[ParticleMass];
                const float loss = std::min(1.f, m_friction * dt / (mass != 0.f ? mass : 1.f));
                particle.velocity *= 1.f - loss;
            }
            particle.position += particle.velocity * dt;
            if (kept != i)
                m_particles[kept] = particle;
            ++kept;
        }
        m_particles.resize(kept);

        for (SphericEmitter& emitter : m_emitters)
        {
            const unsigned due = emitter.TakeDue(dt);
            const std::size_t room = m_capacity > m_particles.size() ? m_capacity - m_particles.size() : 0;
            // What finds no room is lost, like particles that would overfill the group.
            const std::size_t born = std::min<std::size_t>(due, room);
            for (std::size_t n = 0; n < born; ++n)
            {
                m_particles.emplace_back();
                Particle& particle = m_particles.back();
                model.Initialize(particle);
                emitter.Launch(particle);
            }
        }

        if (m_sorting)
        {
            // Insertion sort: the array is nearly in order from the last frame, and
            // sorting in place allocates nothing.
            for (std::size_t i = 1; i < m_particles.size(); ++i)
                for (std::size_t j = i; j > 0 && m_particles[j].position.z < m_particles[j - 1].position.z; --j)
                    std::swap(m_particles[j], m_particles[j - 1]);
        }
        return IsAlive();
    }

    bool ParticleGroup::IsAlive() const
    {
        if (!m_particles.empty())
            return true;
        return std::any_of(m_emitters.begin(), m_emitters.end(),
                           [](const SphericEmitter& emitter) { return emitter.IsActive(); });
    }

    void ParticleGroup::Draw(sf::RenderTarget& target, const sf::RenderStates& states) const
    {
        if (m_renderer && !m_particles.empty())
            m_renderer->Render(m_particles, m_vertices, target, states);
    }
}
