#include "presentation/ParticleSimulation.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

namespace Kestrum
{
    ParticleSimulation::ParticleSimulation() = default;

    void ParticleSimulation::AddGroup(const ParticleGroup& group)
    {
        m_groups.push_back(group);
    }

    bool ParticleSimulation::Update(float dt)
    {
        bool alive = false;
        for (ParticleGroup& group : m_groups)
            alive = group.Update(dt) || alive;
        return alive;
    }

    void ParticleSimulation::Draw(sf::RenderTarget& target) const
    {
        sf::RenderStates states;
        states.transform.translate(m_position);
        for (const ParticleGroup& group : m_groups)
            group.Draw(target, states);
    }

    void ParticleSimulation::StopEmission()
    {
        for (ParticleGroup& group : m_groups)
            for (SphericEmitter& emitter : group.GetEmitters())
                emitter.SetFlow(0.f);
    }

    std::size_t ParticleSimulation::GetParticleCount() const
    {
        std::size_t count = 0;
        for (const ParticleGroup& group : m_groups)
            count += group.GetParticles().size();
        return count;
    }

    bool ParticleSimulation::GetBounds(sf::Vector2f& topLeft, sf::Vector2f& bottomRight) const
    {
        bool found = false;
        for (const ParticleGroup& group : m_groups)
            for (const Particle& particle : group.GetParticles())
            {
                if (!found)
                {
                    topLeft = bottomRight = sf::Vector2f(particle.position.x, particle.position.y);
                    found = true;
                    continue;
                }
                topLeft.x = std::min(topLeft.x, particle.position.x);
                topLeft.y = std::min(topLeft.y, particle.position.y);
                bottomRight.x = std::max(bottomRight.x, particle.position.x);
                bottomRight.y = std::max(bottomRight.y, particle.position.y);
            }
        if (found)
        {
            topLeft += m_position;
            bottomRight += m_position;
        }
        return found;
    }
}
