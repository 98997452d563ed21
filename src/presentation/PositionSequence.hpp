// Position keys of one part of a group: where the part stands at each key, in
// the group's frame (relative to the group's position, turned with the group).
#pragma once

#include "presentation/InterpolatedSequence.hpp"

#include <SFML/System/Vector2.hpp>

namespace Kestrum
{
    class PositionSequence : public InterpolatedSequence<sf::Vector2f>
    {
    public:
        explicit PositionSequence(const stable_ptr<StateMachineBase>& target);

        stable_ptr<TransitionSequence> Clone() const override;

    protected:
        void SetValue(const sf::Vector2f& value) override;
        sf::Vector2f GetValue() const override;
        void TransformToWorld(sf::Vector2f& value, const StateMachineBase& group) override;
    };
}
