// A kamikaze homes in on the ship and rams it; it never fires. Reaching the
// ship's position destroys it by its own hand, without score.
#pragma once

#include "flight/FlightBehaviour.hpp"

namespace Kestrum
{
    class KamikazeBehaviour : public FlightBehaviour
    {
    public:
        explicit KamikazeBehaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~KamikazeBehaviour() override;

        void Reset(const sf::Vector2f& position) override;
        void OnUpdate() override;
    };
}
