// The timed commands or signals of a group transition: each trigger is called
// once per start of the transition, when the game time since the start reaches
// its time point. All triggers that came due since the last update fire in that
// update, in time order; triggers of one time point in the order they were
// added.
#pragma once

#include "presentation/TransitionSequence.hpp"

#include <functional>
#include <map>

namespace Kestrum
{
    class TriggerSequence : public TransitionSequence
    {
    public:
        typedef std::function<void()> Trigger;
        typedef std::multimap<float, Trigger> Triggers;

        explicit TriggerSequence(const Triggers& triggers);

        bool Execute(float elapsed, const StateMachineBase& group) override;
        stable_ptr<TransitionSequence> Clone() const override;
        bool IsEmpty() const override;

    private:
        Triggers m_triggers;
    };
}
