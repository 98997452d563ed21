// The conduct of the disk boss (flight/DiskBoss.hpp). It flies in from its
// spawn point to the centre of the play field, then roams the upper third of
// the field from one random point to the next, resting at each; below half of
// its hit points it roams the whole field and spins twice as fast. Every few
// seconds it opens the four gun slots on its rim and fires from each open slot
// until they close again. A smoke effect and a looping machine sound (none in a
// game without an audio device) follow it while it lives.
//
// Its body is a state-machine group with the part "body" and the slot parts
// "slot0" to "slot3", each a group with the part "weapon" whose states have the
// socket "muzzle"; the body has the transition "explode", every slot the
// transitions "open" and "close", and a slot signals "opened" and "closed"
// when it is done ("slot2|opened" reaches the behaviour).
//
// The definition ("details.xml" of the boss folder; the first element, of any
// name, holds these children):
//
//     <disk_boss>
//         <score_points>50000</score_points>
//         <hit_points>300</hit_points>                     at least 1
//         <initial_rotation_speed>40</initial_rotation_speed>   degrees per second, clockwise
//         <initial_movement_speed>0.12</initial_movement_speed> window heights per second
//         <dwell_duration>2.5</dwell_duration>             seconds at each point
//         <slots_open_duration>4</slots_open_duration>     seconds from opening to closing
//         <slot_closed_duration>3</slot_closed_duration>   seconds from closing to opening
//         <shot_delay>0.3</shot_delay>                     seconds between volleys
//         <weapon>504</weapon>                             an enemy weapon
//         <smoke_effect>104</smoke_effect>                 a particle effect
//         <machine_sound>machine.wav</machine_sound>       relative to the folder
//         <playfield_margin>140</playfield_margin>         pixels kept from the field's edges
//     </disk_boss>
//
// The four timers run on the wall clock from the loading on; turning and
// flying use the game time, so nothing moves while the game is paused.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/Behaviour.hpp"
#include "presentation/EdgeRect.hpp"
#include "presentation/GameObject.hpp"

#include <cstdint>
#include <memory>
#include <string>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class StateMachineBase;

    class DiskBossBehaviour : public Behaviour
    {
    public:
        enum State
        {
            Appear = 0,    // flying in to the centre of the field; the slots stay shut
            Approach = 1,  // flying to the next point
            Dwell = 2,     // resting at the point
            Die = 3,       // the hit points are gone: it explodes at the next step
            Finished = 4   // exploded; the boss leaves the level
        };

        enum SlotState
        {
            Closed = 0,
            Opening = 1,  // waiting for "slotN|opened"
            Open = 2,     // fires every shot delay
            Closing = 3   // waiting for "slotN|closed"
        };

        explicit DiskBossBehaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~DiskBossBehaviour() override;

        // Reads the definition; `folder` is the boss's resource folder, which
        // the machine sound is named relative to. Checks the body first:
        // LogicError "part body is missing", "part slotN is missing", "slotN|weapon
        // is missing", "muzzle of slotN|weapon is missing", "transition explode is
        // missing"; then the children (missing: XmlError "no <name> element
        // defined"); a hit_points of 0: LogicError "no hit points". Makes the
        // weapon, a first copy of the smoke and loads the machine sound, and
        // takes the body's signals.
        void Load(const pugi::xml_node& element, const std::string& folder);

        // Back to the start at the position: flying in toward the centre of the
        // play field with full hit points, slots shut, a new smoke and machine
        // sound in the level (those of an earlier spawn die out).
        void Reset(const sf::Vector2f& position) override;
        // The step of the present state, the body's update, then smoke and sound
        // follow the body.
        void OnUpdate() override;
        bool IsFinished() const override;

        // The body's signals: "slotN|opened" and "slotN|closed" for N of 0 to 3
        // open and close a slot; anything else is logged as the warning
        // "received unexpected signal " + signal and changes nothing.
        void Signal(const std::string& signal);

        // Every open slot's muzzle: a short line along its direction and a small
        // circle, in black. An open slot without its muzzle: LogicError
        // "socket slotN|weapon|muzzle is missing".
        void DrawDebugInformation();

        // Counts in every state: NoDamage for 0, Destroyed for the hit that takes
        // the last hit point, AlreadyDestroyed after it.
        DamageEffect ApplyDamage(std::uint32_t amount);
        std::uint32_t GetScorePoints() const;
        // Hit points left over the initial hit points.
        float GetHealthRatio() const;

        State GetState() const;
        SlotState GetSlotState(unsigned slot) const;
        // The point it flies to or rests at.
        sf::Vector2f GetTarget() const;
        // Where it draws its points: the field less the margin, its upper third
        // until the boss goes wild.
        EdgeRect GetMovementArea() const;

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
