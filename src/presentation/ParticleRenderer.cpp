#include "presentation/ParticleRenderer.hpp"

#include "presentation/SpriteBatch.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        sf::Uint8 ToChannel(float value)
        {
            return sf::Uint8(std::clamp(value, 0.f, 1.f) * 255.f + 0.5f);
        }
    }

    ParticleRenderer::ParticleRenderer(const sf::BlendMode& blendMode) : m_blendMode(blendMode) {}
    ParticleRenderer::~ParticleRenderer() = default;

    sf::Color ParticleRenderer::GetColor(const Particle& particle)
    {
        return sf::Color(ToChannel(particle.value[ParticleRed]), ToChannel(particle.value[ParticleGreen]),
                         ToChannel(particle.value[ParticleBlue]), ToChannel(particle.value[ParticleAlpha]));
    }

    std::size_t ParticleRenderer::Render(const std::vector<Particle>& particles, std::vector<sf::Vertex>& vertices,
                                         sf::RenderTarget& target, sf::RenderStates states) const
    {
        if (vertices.size() < particles.size() * 4)
            vertices.resize(particles.size() * 4);
        std::size_t quads = 0;
        for (const Particle& particle : particles)
        {
            // Below the ground: hidden.
            if (particle.position.z < 0.f)
                continue;
            if (BuildQuad(particle, &vertices[quads * 4]))
                ++quads;
        }
        if (quads == 0)
            return 0;
        states.blendMode = m_blendMode;
        states.texture = GetTexture();
        DrawVertices(target, vertices.data(), quads * 4, sf::Quads, states);
        return quads;
    }
}
