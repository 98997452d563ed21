#include "presentation/Rotatable.hpp"

#include <cmath>

namespace Kestrum
{
    Rotatable::~Rotatable() = default;

    float Rotatable::GetRotation() const
    {
        return m_rotation;
    }

    void Rotatable::SetRotation(float angle)
    {
        float rotation = static_cast<float>(std::fmod(double(angle), 360.0));
        if (rotation < 0.f)
            rotation = static_cast<float>(rotation + 360.0);
        m_rotation = rotation;
    }
}
