// A set of states of which exactly one is active. Commands name a transition
// of the active state ("explode"); its destination becomes active at once,
// restarted, even when it is the active state itself. A state whose action has
// run to its end passes by itself to the state its transition_on_end names.
//
//     <state_machine definition_source="inline" version="1">
//         <states>
//             <state definition_source="inline" version="2" name="idle"> ... </state>
//             <state definition_source="file">boom.state</state>
//         </states>
//         <initial_state>idle</initial_state>
//     </state_machine>
//
// Every destination of a transition must be a state of the machine; a
// transition_on_end that names none is never taken. The active state stands at
// the machine's position with the machine's rotation; the others stay where
// they were left.
#pragma once

#include "presentation/StateMachineBase.hpp"

#include <memory>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class StateMachine : public StateMachineBase
    {
    public:
        StateMachine();
        ~StateMachine() override;

        // Reads the definition; `name` is the resource path of the resource that
        // holds it. Failures: LogicError "reloading is not allowed", "expected
        // inline, found " + value, "state '" + name + "' is redundant", "empty
        // state machine is not allowed", "state " + destination + " missing for
        // transition " + name; InvalidArgumentError "initial state " + name +
        // " not available"; XmlError "no initial_state element defined"; the
        // errors of the states. A failed load leaves the machine unloaded.
        void Load(const std::string& name, const pugi::xml_node& element);

        // Everything below but the position getters fails with LogicError
        // "forgot to call Load()?" before Load, and changes nothing then.

        // A one-name path; an empty name throws InvalidArgumentError "transition
        // name is empty", a longer path "invalid transition path: " + path. A
        // transition the active state does not have answers false.
        bool Execute(const std::string& path) override;
        std::set<std::string> GetAllTransitions() const override;
        // The active state's first socket of that name. An empty name throws
        // InvalidArgumentError "socket name is empty", a longer path "invalid
        // socket path: " + path.
        bool GetSocket(const std::string& path, Socket& socket) const override;
        // A machine has no parts: LogicError "StateMachine can not have parts".
        bool RotatePart(const std::string& path, float localAimOrientation, float speed) override;
        bool RotatePart(const std::string& path, const sf::Vector2f& point, float speed) override;
        float GetPartRotation(const std::string& path) const override;
        // Whether any state, active or not, has a socket / transition of the
        // path's first name.
        bool HasSocket(const std::string& path) const override;
        bool HasTransition(const std::string& path) const override;
        bool HasPart(const std::string& path) const override;
        void OnUpdate() override;
        void Draw(bool showBoundary, const sf::Color& colour) override;
        void DrawDebugInformation() override;
        stable_ptr<const CircleList> GetBoundary() const override;
        // A machine sends no signals.
        void SetSignalHandler(const SignalHandler& handler) override;
        // The initial state active at (0, 0), turned 0; the shadow removed.
        void Reset() override;
        // The active state's silhouette; it switches with the state.
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
        Data& GetData() const;

        std::unique_ptr<Data> m_data;
    };
}
