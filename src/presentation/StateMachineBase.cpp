#include "presentation/StateMachineBase.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"

#include <cmath>

namespace Kestrum
{
    StateMachineBase::~StateMachineBase() = default;

    bool StateMachineBase::Rotate(float localAimOrientation, float speed)
    {
        float difference = static_cast<float>(std::fmod(double(localAimOrientation) - GetRotation(), 360.0));
        if (difference < -180.f)
            difference = static_cast<float>(difference + 360.0);
        else if (difference > 180.f)
            difference = static_cast<float>(difference - 360.0);
        if (std::isnan(difference))
            BOOST_THROW_EXCEPTION(LogicError("localAimOrientation is not in range (-180,180)"));
        // Straight opposite: either way is as short; turn clockwise.
        if (difference == -180.f)
            difference = 180.f;

        const float step = GetFromRegistry<TimeSystem>()->GetFrameTime() * speed;
        if (difference == 0.f)
            return true;
        if (difference > 0.f)
        {
            if (step < difference)
            {
                SetRotation(GetRotation() + step);
                return false;
            }
        }
        else if (-step > difference)
        {
            SetRotation(GetRotation() - step);
            return false;
        }
        SetRotation(localAimOrientation);
        return true;
    }

    float StateMachineBase::NormalizeRotation(float angle)
    {
        if (!std::isfinite(angle))
            return 0.f;
        float rotation = static_cast<float>(std::fmod(double(angle), 360.0));
        if (rotation < 0.f)
            rotation = static_cast<float>(rotation + 360.0);
        // A tiny negative angle rounds up to a whole turn.
        if (rotation >= 360.f)
            rotation = 0.f;
        return rotation + 0.f;
    }
}
