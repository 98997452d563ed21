// What a state of a state machine shows and does, and what a shot flies as:
// animations played together at one place and turn, a collision body of
// circles, and particle effects and sounds set off once per run, each after its
// own delay.
//
//     <action definition_source="inline" version="1">
//         <loop>false</loop>                  <!-- true: the action never ends -->
//         <animations>
//             <animation definition_source="file">explode.animation</animation>
//         </animations>
//         <boundary>                          <!-- optional: the collision body -->
//             <center x="32" y="32"/>         <!-- the point that lies on the action's position -->
//             <circle x="32" y="16" radius="8"/>
//         </boundary>
//         <particle_effects>                  <!-- any element name -->
//             <effect version="1" type="102">
//                 <position x="0" y="-20"/>   <!-- optional, turns with the action -->
//                 <delay>0.1</delay>          <!-- optional, seconds after the start -->
//             </effect>
//         </particle_effects>
//         <sounds>                            <!-- any element name -->
//             <sound version="1" file="boom.wav"><delay>0</delay></sound>
//         </sounds>
//     </action>
//
// File names (animations, sounds) are relative to the folder of the file that
// holds the action; a '$' starts again from the game root. A run lasts from
// Load or Reset to the next Reset; every emission fires once in it, on the
// first update at which its delay has passed (game time, so not while paused).
// A particle effect fires wherever the action is; a sound only while the
// action's position lies in the play field (borders included) and is dropped
// otherwise; a game without an audio device checks the sound files and keeps
// no sound. The ResourceManager makes a new action on every request, so every
// holder has its own timing.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/InterfaceRotatable.hpp"
#include "presentation/Positionable.hpp"

#include <SFML/Graphics/Color.hpp>

#include <memory>
#include <string>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class CircleList;
    class Shadow;

    class Action : public Positionable<float>, public InterfaceRotatable
    {
    public:
        Action();
        ~Action() override;
        Action(const Action&) = delete;
        Action& operator=(const Action&) = delete;

        // When set, Draw also shows the collision body (red outlines) and the pivot.
        bool showBoundary;

        // Reads the definition; `name` is the resource path of the file that holds
        // it. Failures: LogicError "redundant loading", "expected inline, found "
        // + value, "Expected element action, found " + name; the XML and resource
        // errors of what it reads. A failed load leaves the action unloaded.
        void Load(const std::string& name, const pugi::xml_node& element);

        // Everything below but the position getters fails with LogicError
        // "forgot to call Load()?" before Load, and changes nothing then.

        // Fires the emissions that fell due, then advances the animations.
        void OnUpdate();
        void Draw();

        // Moving the action moves its animations and its body.
        void SetPositionX(const float& x) override;
        void SetPositionY(const float& y) override;
        void MovePositionX(const float& dx) override;
        void MovePositionY(const float& dy) override;

        // The angle as last set (not brought into [0, 360)); turning the action
        // turns its body by the difference and sets the animations' rotation.
        float GetRotation() const override;
        void SetRotation(float angle) override;

        // The body itself: later moves and turns of the action show through it.
        stable_ptr<const CircleList> GetBody() const;
        bool IsLooping() const;
        // Never for a looping action; otherwise once every animation loops or has
        // ended (at once when there are none).
        bool ReachedEnd() const;
        // A new run: emissions re-armed, animations back to their start, the
        // action at (0, 0), turned 0, colour filter white.
        void Reset();
        void SetColorFilter(const sf::Color& colour);
        // The shadow of all the action's animations, made on the first call and
        // the same object afterwards; the holder adds it to the GameObjectManager
        // and removes it when it is done with it.
        stable_ptr<Shadow> EnableShadow();

    private:
        struct Data;
        Data& GetData() const;

        std::unique_ptr<Data> m_data;
    };
}
