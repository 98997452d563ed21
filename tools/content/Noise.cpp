#include "Noise.hpp"

#include <cmath>

namespace Content
{
    std::uint32_t LatticeBits(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
    {
        std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return (h ^ (h >> 16)) & 0xFFFF;
    }

    float ValueNoise::operator()(float x, float y, int octaves) const
    {
        float sum = 0.f, amplitude = 0.5f, total = 0.f;
        for (int i = 0; i < octaves; ++i)
        {
            sum += amplitude * Value(x, y, std::uint32_t(i));
            total += amplitude;
            x = x * m_stretch + m_shiftX;
            y = y * m_stretch + m_shiftY;
            amplitude *= 0.5f;
        }
        return sum / total;
    }

    float ValueNoise::Lattice(int x, int y, std::uint32_t octave) const
    {
        return float(LatticeBits(std::uint32_t(x), std::uint32_t(y), m_seed + octave)) / 65535.f;
    }

    float ValueNoise::Value(float x, float y, std::uint32_t octave) const
    {
        const int ix = int(std::floor(x)), iy = int(std::floor(y));
        const float fx = x - float(ix), fy = y - float(iy);
        const float sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const float top = Lattice(ix, iy, octave) + (Lattice(ix + 1, iy, octave) - Lattice(ix, iy, octave)) * sx;
        const float bottom =
            Lattice(ix, iy + 1, octave) + (Lattice(ix + 1, iy + 1, octave) - Lattice(ix, iy + 1, octave)) * sx;
        return top + (bottom - top) * sy;
    }
}
