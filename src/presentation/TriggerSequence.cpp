#include "presentation/TriggerSequence.hpp"

#include <memory>

namespace Kestrum
{
    TriggerSequence::TriggerSequence(const Triggers& triggers) : m_triggers(triggers) {}

    bool TriggerSequence::Execute(float elapsed, const StateMachineBase&)
    {
        while (!m_triggers.empty() && m_triggers.begin()->first <= elapsed)
        {
            // Taken out before it runs: whatever the trigger sets off (a command
            // that restarts the transition, a holder's handler) finds it gone.
            const Trigger trigger = m_triggers.begin()->second;
            m_triggers.erase(m_triggers.begin());
            trigger();
        }
        return m_triggers.empty();
    }

    stable_ptr<TransitionSequence> TriggerSequence::Clone() const
    {
        return create_stable_ptr<TransitionSequence>(std::make_shared<TriggerSequence>(m_triggers));
    }

    bool TriggerSequence::IsEmpty() const
    {
        return m_triggers.empty();
    }
}
