// One strand of a group transition: the key frames of one part's position or
// rotation, or the timed commands or signals of the transition. A running
// transition hands each of its sequences, on every update, the game time since
// it started; the sequence applies what is due and answers whether it is done.
// Loading fills one set of sequences per transition; every start plays fresh
// clones of them.
#pragma once

#include "core/StablePtr.hpp"

namespace Kestrum
{
    class StateMachineBase;

    class TransitionSequence
    {
    public:
        TransitionSequence() = default;
        virtual ~TransitionSequence();
        TransitionSequence(const TransitionSequence&) = delete;
        TransitionSequence& operator=(const TransitionSequence&) = delete;

        // Applies what is due at `elapsed` seconds (never less than at the last
        // call); `group` is the machine that plays the transition. True once the
        // sequence has finished.
        virtual bool Execute(float elapsed, const StateMachineBase& group) = 0;
        // An independent copy in the present state.
        virtual stable_ptr<TransitionSequence> Clone() const = 0;
        // No key or trigger left.
        virtual bool IsEmpty() const = 0;
    };
}
