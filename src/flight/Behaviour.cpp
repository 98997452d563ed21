#include "flight/Behaviour.hpp"

#include <cmath>

namespace Kestrum
{
    namespace
    {
        // Into [0, 360), each step rounded to float.
        float ToFullTurn(float angle)
        {
            const float once = std::fmod(angle, 360.f);
            return std::fmod(once + 360.f, 360.f);
        }
    }

    float AngleDifference(float from, float to)
    {
        const float difference = ToFullTurn(to) - ToFullTurn(from);
        if (difference > 180.f)
            return difference - 360.f;
        if (difference < -180.f)
            return difference + 360.f;
        return difference;
    }
}
