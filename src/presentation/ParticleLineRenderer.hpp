// Draws each particle as a streak: from the particle back along its velocity by
// velocity x length (so a faster particle leaves a longer trace), `width` pixels
// wide, in the particle's colour at its head fading out towards the tail.
#pragma once

#include "presentation/ParticleRenderer.hpp"

namespace Kestrum
{
    class ParticleLineRenderer : public ParticleRenderer
    {
    public:
        // length in seconds of travel, width in pixels.
        ParticleLineRenderer(float length, float width, const sf::BlendMode& blendMode);

        float GetLength() const { return m_length; }
        float GetWidth() const { return m_width; }

    protected:
        bool BuildQuad(const Particle& particle, sf::Vertex* quad) const override;

    private:
        float m_length;
        float m_width;
    };
}
