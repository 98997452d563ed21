// Draws each particle as a textured square centred on it: `scale` times its size
// in pixels, turned by its angle, tinted by its colour. With an atlas the
// texture is cut into columns x rows cells, numbered row by row from the top
// left, and the particle's atlas cell (its texture index, whole part) picks one.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/ParticleRenderer.hpp"

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    class ParticleQuadRenderer : public ParticleRenderer
    {
    public:
        ParticleQuadRenderer(const stable_ptr<sf::Texture>& texture, const sf::BlendMode& blendMode);
        // The image lies in the given rectangle of the texture (a sheet packed
        // with others, presentation/TextureAtlas.hpp).
        ParticleQuadRenderer(const stable_ptr<sf::Texture>& texture, const sf::IntRect& image,
                             const sf::BlendMode& blendMode);

        // Columns and rows of the atlas, 1 x 1 at first; a zero: LogicError
        // "atlas dimensions must not be zero".
        void SetAtlasDimensions(unsigned columns, unsigned rows);
        // The size of a particle of size 1, 1 x 1 at first.
        void SetScale(float x, float y);

        const sf::Vector2u& GetAtlasDimensions() const { return m_atlas; }
        const sf::Vector2f& GetScale() const { return m_scale; }

    protected:
        bool BuildQuad(const Particle& particle, sf::Vertex* quad) const override;
        const sf::Texture* GetTexture() const override { return m_texture.get(); }

    private:
        stable_ptr<sf::Texture> m_texture;
        sf::IntRect m_image;
        sf::Vector2u m_atlas;
        sf::Vector2f m_cell;
        sf::Vector2f m_scale;
    };
}
