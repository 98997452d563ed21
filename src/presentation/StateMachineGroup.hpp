// A body made of named parts, each a state machine of its own (a plain machine
// or another group), placed at an offset from the group and turned relative to
// it. The group moves and turns its parts as one rigid body, draws them by
// render priority (lower first, that is beneath; equal priorities in the order
// of the file), and hands every command whose first name is a part to that part
// ("turret|open"). A one-name command starts one of the group's own
// transitions: timed key frames that move and turn the parts, give commands to
// the parts and send signals to the holder.
//
//     <state_machine_group definition_source="inline" version="2">
//         <parts>
//             <part version="1" name="head">
//                 <state_machine definition_source="file">head.statemachine</state_machine>
//                 <position x="0" y="-10"/>          <!-- optional, pixels -->
//                 <rotation>0</rotation>             <!-- optional, degrees -->
//                 <render_priority>1</render_priority> <!-- optional, 0 -->
//             </part>
//         </parts>
//         <transitions>
//             <transition version="1" name="extend">
//                 <keyframes>
//                     <keyframe time_point="0.5">    <!-- seconds after the start -->
//                         <parts>                    <!-- in the group's frame -->
//                             <part version="1" name="head">
//                                 <position x="0" y="-30"/><rotation>90</rotation>
//                             </part>
//                         </parts>
//                         <transition_calls><call version="1">head|open</call></transition_calls>
//                         <signals><signal version="1">extended</signal></signals>
//                     </keyframe>
//                 </keyframes>
//             </transition>
//         </transitions>
//     </state_machine_group>
//
// Version 1 files hold their part elements right under the root and have no
// transitions. A signal reaches the holder's handler prefixed with the names of
// the parts it comes through ("slot2|opened"); with no handler installed it is
// ignored. Starting a transition while another runs drops the rest of the old
// one; the parts stay where it left them.
#pragma once

#include "presentation/StateMachineBase.hpp"

#include <memory>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class StateMachineGroup : public StateMachineBase
    {
    public:
        StateMachineGroup();
        ~StateMachineGroup() override;

        // Reads the definition; `name` is the resource path of the resource that
        // holds it. Failures: LogicError "reloading is not allowed", "expected
        // inline, found " + value, "part name '" + name + "' is redundant",
        // "transition '" + name + "' is redundant"; NotAvailableError "part name
        // is empty"; InvalidArgumentError "time point must not be negative"; the
        // errors of the parts' machines. A failed load leaves the group without
        // parts, ready for another try.
        void Load(const std::string& name, const pugi::xml_node& element);

        // A one-name path starts the group's own transition (a missing one is
        // logged and answers false); a longer one goes to the part its first name
        // names (none: false).
        bool Execute(const std::string& path) override;
        // The parts' transitions, each prefixed with its part's name and '|'.
        std::set<std::string> GetAllTransitions() const override;
        bool GetSocket(const std::string& path, Socket& socket) const override;
        // A part that does not exist: NotAvailableError "could not find " + path.
        bool RotatePart(const std::string& path, float localAimOrientation, float speed) override;
        bool RotatePart(const std::string& path, const sf::Vector2f& point, float speed) override;
        float GetPartRotation(const std::string& path) const override;
        bool HasSocket(const std::string& path) const override;
        // A one-name path asks for the group's own transition.
        bool HasTransition(const std::string& path) const override;
        bool HasPart(const std::string& path) const override;
        // Plays the running transition, then updates every part.
        void OnUpdate() override;
        void Draw(bool showBoundary, const sf::Color& colour) override;
        void DrawDebugInformation() override;
        // The circles of all parts at their world places, around the group's
        // position. Built once per frame (or after a move or a command); a list
        // handed out never changes.
        stable_ptr<const CircleList> GetBoundary() const override;
        void SetSignalHandler(const SignalHandler& handler) override;
        // Every part back at its offset from (0, 0) with its own rotation,
        // nothing running; the signal handler and the shadow stay.
        void Reset() override;
        // The shadows of all parts. A group without parts: LogicError "no parts
        // in state machine group".
        stable_ptr<Shadow> EnableShadow() override;
        void DisableShadow() override;

        void SetPositionX(const float& x) override;
        void SetPositionY(const float& y) override;
        void MovePositionX(const float& dx) override;
        void MovePositionY(const float& dy) override;
        float GetRotation() const override;
        void SetRotation(float angle) override;

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
