// Noise for the content generators: the same numbers on every run and every
// machine, so that the generated pictures are reproducible.
#pragma once

#include <cstdint>

namespace Content
{
    // 16 well-mixed bits (0 to 65535) for a lattice point and a seed.
    std::uint32_t LatticeBits(std::uint32_t x, std::uint32_t y, std::uint32_t seed);

    // Smooth value noise in several octaves, values about 0..1. Each octave
    // reads the lattice with the next seed at `stretch` times the scale of the
    // one before, moved by (shiftX, shiftY), at half its weight.
    class ValueNoise
    {
    public:
        ValueNoise(std::uint32_t seed, float stretch, float shiftX, float shiftY)
            : m_seed(seed), m_stretch(stretch), m_shiftX(shiftX), m_shiftY(shiftY)
        {
        }

        float operator()(float x, float y, int octaves) const;

    private:
        float Lattice(int x, int y, std::uint32_t octave) const;
        float Value(float x, float y, std::uint32_t octave) const;

        std::uint32_t m_seed;
        float m_stretch;
        float m_shiftX;
        float m_shiftY;
    };
}
