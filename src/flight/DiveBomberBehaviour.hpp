// A dive bomber comes straight down to its dive level, drops one shot at the
// ship there and climbs away at its escape speed until it has left the field.
// One reset at or below the dive level starts nose up, flies to its dive point
// and stays there without firing.
//
//     <screen_dive_level>0.5</screen_dive_level>  fraction of the field's height, from its top
//     <escape_speed>0.55</escape_speed>           window heights per second
//     <helicopter_mode>false</helicopter_mode>    slide toward the target while turning
#pragma once

#include "flight/FlightBehaviour.hpp"

namespace Kestrum
{
    class DiveBomberBehaviour : public FlightBehaviour
    {
    public:
        explicit DiveBomberBehaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~DiveBomberBehaviour() override;

        void Reset(const sf::Vector2f& position) override;
        void OnUpdate() override;
        void Load(const pugi::xml_node& element) override;

    private:
        sf::Vector2f m_target;
        float m_screenDiveLevel = 0.f;
        float m_escapeSpeed = 0.f;  // pixels per second
        bool m_helicopterMode = false;
        bool m_escaping = false;
    };
}
