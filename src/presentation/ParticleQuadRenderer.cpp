#include "presentation/ParticleQuadRenderer.hpp"

#include "core/Exception.hpp"
#include "presentation/Angles.hpp"

#include <algorithm>
#include <cmath>

namespace Kestrum
{
    ParticleQuadRenderer::ParticleQuadRenderer(const stable_ptr<sf::Texture>& texture, const sf::BlendMode& blendMode)
        : ParticleQuadRenderer(texture, sf::IntRect(0, 0, int(texture->getSize().x), int(texture->getSize().y)),
                               blendMode)
    {
    }

    ParticleQuadRenderer::ParticleQuadRenderer(const stable_ptr<sf::Texture>& texture, const sf::IntRect& image,
                                               const sf::BlendMode& blendMode)
        : ParticleRenderer(blendMode), m_texture(texture), m_image(image), m_scale(1.f, 1.f)
    {
        SetAtlasDimensions(1, 1);
    }

    void ParticleQuadRenderer::SetAtlasDimensions(unsigned columns, unsigned rows)
    {
        if (columns == 0 || rows == 0)
            BOOST_THROW_EXCEPTION(LogicError("atlas dimensions must not be zero"));
        m_atlas = sf::Vector2u(columns, rows);
        m_cell = sf::Vector2f(float(m_image.width) / float(columns), float(m_image.height) / float(rows));
    }

    void ParticleQuadRenderer::SetScale(float x, float y)
    {
        m_scale = sf::Vector2f(x, y);
    }

    bool ParticleQuadRenderer::BuildQuad(const Particle& particle, sf::Vertex* quad) const
    {
        const float size = particle.value[ParticleSize];
        const float halfX = 0.5f * m_scale.x * size;
        const float halfY = 0.5f * m_scale.y * size;
        // The corners' offsets from the centre, turned clockwise by the angle.
        sf::Vector2f right(halfX, 0.f);
        sf::Vector2f down(0.f, halfY);
        const float angle = particle.value[ParticleAngle];
        if (angle != 0.f)
        {
            const float radians = angle * DegreesToRadians;
            const float cosine = std::cos(radians);
            const float sine = std::sin(radians);
            right = sf::Vector2f(halfX * cosine, halfX * sine);
            down = sf::Vector2f(-halfY * sine, halfY * cosine);
        }
        const unsigned cells = m_atlas.x * m_atlas.y;
        const float index = particle.value[ParticleTextureIndex];
        const unsigned cell = index > 0.f ? unsigned(std::min(index, float(cells - 1))) : 0u;
        const float left = float(m_image.left) + float(cell % m_atlas.x) * m_cell.x;
        const float top = float(m_image.top) + float(cell / m_atlas.x) * m_cell.y;

        const sf::Vector2f centre(particle.position.x, particle.position.y);
        const sf::Color color = GetColor(particle);
        quad[0] = sf::Vertex(centre - right - down, color, sf::Vector2f(left, top));
        quad[1] = sf::Vertex(centre + right - down, color, sf::Vector2f(left + m_cell.x, top));
        quad[2] = sf::Vertex(centre + right + down, color, sf::Vector2f(left + m_cell.x, top + m_cell.y));
        quad[3] = sf::Vertex(centre - right + down, color, sf::Vector2f(left, top + m_cell.y));
        return true;
    }
}
