// Key frames of one value of a part machine (its position or its rotation),
// interpolated linearly between the keys. Keys are written in the group's frame
// and fixed in world terms when the sequence first runs, from the group's
// position and rotation at that moment. When the first key lies after the start,
// the motion starts from where the part stands. Rotations are interpolated as
// plain numbers: from 350 to 10 the part turns back through 180.
#pragma once

#include "core/Exception.hpp"
#include "presentation/StateMachineBase.hpp"
#include "presentation/TransitionSequence.hpp"

#include <iterator>
#include <map>

namespace Kestrum
{
    template <typename T>
    class InterpolatedSequence : public TransitionSequence
    {
    public:
        explicit InterpolatedSequence(const stable_ptr<StateMachineBase>& target)
            : m_target(target), m_started(false)
        {
        }

        // A key at the time point (seconds); one already there is replaced.
        // Negative: InvalidArgumentError "time point must not be negative"; once
        // the sequence has run: RuntimeError "can not add new state when
        // execution already begun".
        void Add(float timePoint, const T& value)
        {
            if (m_started)
                BOOST_THROW_EXCEPTION(RuntimeError("can not add new state when execution already begun"));
            if (timePoint < 0.f)
                BOOST_THROW_EXCEPTION(InvalidArgumentError("time point must not be negative"));
            m_keys[timePoint] = value;
        }

        bool Execute(float elapsed, const StateMachineBase& group) override
        {
            if (m_keys.empty())
                return true;
            if (elapsed < 0.f)
                BOOST_THROW_EXCEPTION(InvalidArgumentError("elapsed time must not be negative"));
            if (!m_started)
            {
                for (auto& key : m_keys)
                    TransformToWorld(key.second, group);
                m_started = true;
            }
            if (m_keys.begin()->first > elapsed)
                m_keys[0.f] = GetValue();

            const auto last = std::prev(m_keys.end());
            if (elapsed >= last->first)
            {
                SetValue(last->second);
                m_keys.clear();
                return true;
            }
            // The segment [A, B) that holds the elapsed time; steps above make
            // sure that it exists.
            auto next = m_keys.upper_bound(elapsed);
            const auto previous = std::prev(next);
            const float fraction = (elapsed - previous->first) / (next->first - previous->first);
            SetValue(previous->second + (next->second - previous->second) * fraction);
            return false;
        }

        bool IsEmpty() const override { return m_keys.empty(); }

    protected:
        virtual void SetValue(const T& value) = 0;
        virtual T GetValue() const = 0;
        // Turns a key written in the group's frame into world terms.
        virtual void TransformToWorld(T& value, const StateMachineBase& group) = 0;

        // For Clone: the same target, keys and progress.
        void CopyFrom(const InterpolatedSequence& other)
        {
            m_keys = other.m_keys;
            m_started = other.m_started;
        }
        StateMachineBase& GetTarget() const { return *m_target; }
        const stable_ptr<StateMachineBase>& GetTargetPointer() const { return m_target; }

    private:
        stable_ptr<StateMachineBase> m_target;
        std::map<float, T> m_keys;
        bool m_started;
    };
}
