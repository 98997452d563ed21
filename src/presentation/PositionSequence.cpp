#include "presentation/PositionSequence.hpp"

#include "presentation/Angles.hpp"

#include <memory>

namespace Kestrum
{
    PositionSequence::PositionSequence(const stable_ptr<StateMachineBase>& target)
        : InterpolatedSequence<sf::Vector2f>(target)
    {
    }

    stable_ptr<TransitionSequence> PositionSequence::Clone() const
    {
        const auto copy = std::make_shared<PositionSequence>(GetTargetPointer());
        copy->CopyFrom(*this);
        return create_stable_ptr<TransitionSequence>(copy);
    }

    void PositionSequence::SetValue(const sf::Vector2f& value)
    {
        GetTarget().SetPosition(value.x, value.y);
    }

    sf::Vector2f PositionSequence::GetValue() const
    {
        return GetTarget().GetPosition();
    }

    void PositionSequence::TransformToWorld(sf::Vector2f& value, const StateMachineBase& group)
    {
        Rotate(value, group.GetRotation());
        value += group.GetPosition();
    }
}
