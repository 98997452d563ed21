#include "flight/KamikazeBehaviour.hpp"

#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    KamikazeBehaviour::KamikazeBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
        : FlightBehaviour(stateMachine)
    {
    }

    KamikazeBehaviour::~KamikazeBehaviour() = default;

    void KamikazeBehaviour::Reset(const sf::Vector2f& position)
    {
        FlightBehaviour::Reset(position);
        GetStateMachine()->SetRotation(90.f);
    }

    void KamikazeBehaviour::OnUpdate()
    {
        FlightBehaviour::OnUpdate();
        StateMachineBase& machine = *GetStateMachine();
        sf::Vector2f position = machine.GetPosition();
        float rotation = machine.GetRotation();
        if (MoveAndTurn(GetPlayerPosition(), position, rotation, GetMovementSpeed(), GetRotationSpeed(), false))
        {
            // Its own blow: it explodes in the next update.
            ApplyDamage(4294967295u);
            return;
        }
        machine.SetPosition(position.x, position.y);
        machine.SetRotation(rotation);
    }
}
