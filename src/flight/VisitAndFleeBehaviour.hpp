// Visit and flee: the enemy flies down to a random depth of the field below
// where it spawned, hovers there for its dwell duration, fires once straight
// ahead, and flees upward off to the side it is nearer to.
//
//     <visit_depth_range minimum="0.2" maximum="0.45"/>  fractions of the field's height, within [0, 1]
//     <dwell_duration>1.6</dwell_duration>               seconds
//     <helicopter_mode>true</helicopter_mode>            slide toward the target while turning
#pragma once

#include "core/Range.hpp"
#include "core/Timer.hpp"
#include "flight/FlightBehaviour.hpp"

namespace Kestrum
{
    class VisitAndFleeBehaviour : public FlightBehaviour
    {
    public:
        enum State
        {
            Visit = 0,
            Dwell = 1,
            Flee = 2
        };

        explicit VisitAndFleeBehaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~VisitAndFleeBehaviour() override;

        // Draws the visit depth and the flee point from the game's generator.
        void Reset(const sf::Vector2f& position) override;
        void OnUpdate() override;
        // The element's type must be "visit_and_flee": UnknownTypeError
        // "visit_and_flee expected but found <type>"; a depth range beyond
        // [0, 1]: OutOfRangeError "visit_depth_range must be in interval [0,1]".
        void Load(const pugi::xml_node& element) override;

        State GetState() const { return m_state; }
        const sf::Vector2f& GetVisitPoint() const { return m_visitPoint; }
        const sf::Vector2f& GetFleePoint() const { return m_fleePoint; }

    private:
        Timer m_dwellTimer;
        Range<float> m_visitDepth{0.f, 1.f};
        bool m_helicopterMode = false;
        State m_state = Visit;
        bool m_fired = false;
        sf::Vector2f m_visitPoint;
        sf::Vector2f m_fleePoint;
    };
}
