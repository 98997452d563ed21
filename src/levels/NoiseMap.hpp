// A grid of noise values, one float per point, row by row: what a noise-map
// builder fills and a renderer colours.
#pragma once

#include <cstddef>
#include <vector>

namespace Kestrum
{
    class NoiseMap
    {
    public:
        // A map of the size, every value 0.
        NoiseMap(unsigned width, unsigned height);

        unsigned GetWidth() const { return m_width; }
        unsigned GetHeight() const { return m_height; }
        // The value of column x of row y; both must lie inside the map.
        float GetValue(unsigned x, unsigned y) const { return m_values[Index(x, y)]; }
        void SetValue(unsigned x, unsigned y, float value) { m_values[Index(x, y)] = value; }

    private:
        std::size_t Index(unsigned x, unsigned y) const { return static_cast<std::size_t>(y) * m_width + x; }

        unsigned m_width;
        unsigned m_height;
        std::vector<float> m_values;
    };
}
