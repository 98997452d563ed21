// Something that can be turned: angles in degrees, positive turns clockwise on
// the screen (y points down).
#pragma once

namespace Kestrum
{
    class InterfaceRotatable
    {
    public:
        virtual float GetRotation() const = 0;
        virtual void SetRotation(float angle) = 0;

    protected:
        // Never deleted through this interface.
        ~InterfaceRotatable() = default;
    };
}
