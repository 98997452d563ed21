#include "levels/NoiseMap.hpp"

namespace Kestrum
{
    NoiseMap::NoiseMap(unsigned width, unsigned height)
        : m_width(width), m_height(height), m_values(static_cast<std::size_t>(width) * height, 0.f)
    {
    }
}
