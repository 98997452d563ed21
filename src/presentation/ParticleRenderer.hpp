// Draws the particles of a group: every particle above the ground becomes one
// quad, written into the group's vertex buffer, and the whole group goes to the
// target in one draw call with the renderer's blend mode (and texture). A
// renderer is shared, unchanged, by an effect's prototype and all its copies.
#pragma once

#include "presentation/ParticleModel.hpp"

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/RenderStates.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace sf
{
    class RenderTarget;
}

namespace Kestrum
{
    class ParticleRenderer
    {
    public:
        explicit ParticleRenderer(const sf::BlendMode& blendMode);
        virtual ~ParticleRenderer();
        ParticleRenderer(const ParticleRenderer&) = delete;
        ParticleRenderer& operator=(const ParticleRenderer&) = delete;

        void SetName(const std::string& name) { m_name = name; }
        const std::string& GetName() const { return m_name; }
        const sf::BlendMode& GetBlendMode() const { return m_blendMode; }

        // Fills `vertices` (grown when needed, never shrunk) with the quads of the
        // particles whose z is not below 0 and draws them in one call. Returns the
        // number of quads drawn.
        std::size_t Render(const std::vector<Particle>& particles, std::vector<sf::Vertex>& vertices,
                           sf::RenderTarget& target, sf::RenderStates states) const;

    protected:
        // Writes four vertices for a particle; false when it shows nothing.
        virtual bool BuildQuad(const Particle& particle, sf::Vertex* quad) const = 0;
        virtual const sf::Texture* GetTexture() const { return nullptr; }

        // The particle's colour: its red, green, blue and alpha from 0 to 1, scaled to 255.
        static sf::Color GetColor(const Particle& particle);

    private:
        sf::BlendMode m_blendMode;
        std::string m_name;
    };
}
