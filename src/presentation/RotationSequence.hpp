// Rotation keys of one part of a group: the part's rotation at each key,
// relative to the group's rotation.
#pragma once

#include "presentation/InterpolatedSequence.hpp"

namespace Kestrum
{
    class RotationSequence : public InterpolatedSequence<float>
    {
    public:
        explicit RotationSequence(const stable_ptr<StateMachineBase>& target);

        stable_ptr<TransitionSequence> Clone() const override;

    protected:
        void SetValue(const float& value) override;
        float GetValue() const override;
        void TransformToWorld(float& value, const StateMachineBase& group) override;
    };
}
