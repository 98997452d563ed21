// A stored rotation, kept within [0, 360] degrees.
#pragma once

#include "presentation/InterfaceRotatable.hpp"

namespace Kestrum
{
    class Rotatable : public InterfaceRotatable
    {
    public:
        float GetRotation() const override;
        // Stores the angle brought into [0, 360]: 370 gives 10, -90 gives 270.
        void SetRotation(float angle) override;
        virtual ~Rotatable();

    private:
        float m_rotation = 0.f;
    };
}
