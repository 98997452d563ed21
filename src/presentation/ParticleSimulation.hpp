// A whole particle effect: its groups, updated together and drawn in their order
// at the effect's position (the particles live in coordinates relative to it,
// so moving the effect moves all its particles).
//
// Copying an effect copies its groups with their emitters and particles; the
// models and renderers stay shared, so a copy costs a few allocations and then
// runs on its own.
#pragma once

#include "presentation/ParticleGroup.hpp"

#include <SFML/System/Vector2.hpp>

#include <vector>

namespace sf
{
    class RenderTarget;
}

namespace Kestrum
{
    class ParticleSimulation
    {
    public:
        ParticleSimulation();
        ParticleSimulation(const ParticleSimulation& other) = default;
        ParticleSimulation& operator=(const ParticleSimulation&) = delete;

        void AddGroup(const ParticleGroup& group);
        std::vector<ParticleGroup>& GetGroups() { return m_groups; }
        const std::vector<ParticleGroup>& GetGroups() const { return m_groups; }

        const sf::Vector2f& GetPosition() const { return m_position; }
        void SetPosition(const sf::Vector2f& position) { m_position = position; }
        void Move(const sf::Vector2f& offset) { m_position += offset; }

        // Updates every group; false once no group holds a particle and no
        // emitter is active: the effect is over.
        bool Update(float dt);
        void Draw(sf::RenderTarget& target) const;

        // Every emitter stops for good (its flow becomes 0); the particles in
        // flight live out their lives.
        void StopEmission();

        std::size_t GetParticleCount() const;
        // The smallest box, in the target's coordinates, that holds every living
        // particle; false when there is none.
        bool GetBounds(sf::Vector2f& topLeft, sf::Vector2f& bottomRight) const;

    private:
        std::vector<ParticleGroup> m_groups;
        sf::Vector2f m_position;
    };
}
