#include "presentation/ParticleLineRenderer.hpp"

#include <cmath>

namespace Kestrum
{
    ParticleLineRenderer::ParticleLineRenderer(float length, float width, const sf::BlendMode& blendMode)
        : ParticleRenderer(blendMode), m_length(length), m_width(width)
    {
    }

    bool ParticleLineRenderer::BuildQuad(const Particle& particle, sf::Vertex* quad) const
    {
        const sf::Vector2f head(particle.position.x, particle.position.y);
        const sf::Vector2f trace(-particle.velocity.x * m_length, -particle.velocity.y * m_length);
        const float length = std::sqrt(trace.x * trace.x + trace.y * trace.y);
        if (!(length > 0.001f))
            return false;
        // Half the width, at right angles to the streak.
        const float half = 0.5f * m_width / length;
        const sf::Vector2f side(-trace.y * half, trace.x * half);
        const sf::Color color = GetColor(particle);
        const sf::Color tail(color.r, color.g, color.b, 0);
        quad[0] = sf::Vertex(head + side, color);
        quad[1] = sf::Vertex(head + trace + side, tail);
        quad[2] = sf::Vertex(head + trace - side, tail);
        quad[3] = sf::Vertex(head - side, color);
        return true;
    }
}
