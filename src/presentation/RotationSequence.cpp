#include "presentation/RotationSequence.hpp"

#include <memory>

namespace Kestrum
{
    RotationSequence::RotationSequence(const stable_ptr<StateMachineBase>& target)
        : InterpolatedSequence<float>(target)
    {
    }

    stable_ptr<TransitionSequence> RotationSequence::Clone() const
    {
        const auto copy = std::make_shared<RotationSequence>(GetTargetPointer());
        copy->CopyFrom(*this);
        return create_stable_ptr<TransitionSequence>(copy);
    }

    void RotationSequence::SetValue(const float& value)
    {
        GetTarget().SetRotation(value);
    }

    float RotationSequence::GetValue() const
    {
        return GetTarget().GetRotation();
    }

    void RotationSequence::TransformToWorld(float& value, const StateMachineBase& group)
    {
        value += group.GetRotation();
    }
}
