// Straight flight: nose down, straight down the screen, firing at the ship
// after a random delay each time. Without a delay range it never fires.
//
//     <volley_delay_range minimum="1.2" maximum="2.4"/>   seconds, optional
#pragma once

#include "core/RandomNumberGenerator.hpp"
#include "core/Range.hpp"
#include "core/Timer.hpp"
#include "flight/FlightBehaviour.hpp"

namespace Kestrum
{
    class StraightFlightBehaviour : public FlightBehaviour
    {
    public:
        explicit StraightFlightBehaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~StraightFlightBehaviour() override;

        // Seeds its own generator from the game's and waits a new delay.
        void Reset(const sf::Vector2f& position) override;
        void OnUpdate() override;
        void Load(const pugi::xml_node& element) override;

    private:
        void RestartVolleyTimer();

        RandomNumberGenerator m_generator;
        Range<float> m_volleyDelay{10000.f, 10000.f};
        Timer m_volleyTimer;
    };
}
