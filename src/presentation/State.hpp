// One state of a state machine: the action it shows and plays, its name, the
// named transitions that lead to other states of the machine, the state that
// follows by itself once the action has run to its end, and named sockets that
// follow the state as it is moved and turned.
//
//     <state definition_source="inline" version="2" name="idle">
//         <action definition_source="file">idle.action</action>
//         <transitions>
//             <transition version="1" name="explode" destination="boom"/>
//             <transition_on_end version="1" destination="idle"/>   <!-- optional -->
//         </transitions>
//         <sockets>                                  <!-- version 2 only, required there -->
//             <center x="32" y="32"/>                <!-- optional: lies on the state's position -->
//             <socket version="1" name="muzzle" x="32" y="0" orientation="270"/>
//         </sockets>
//     </state>
//
// A state is made at (0, 0), turned 0; its machine places it when it becomes
// active. A socket's place is the state's position plus the socket's point
// (relative to the centre) turned by the state's rotation; its orientation
// grows by that rotation.
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/InterfaceRotatable.hpp"
#include "presentation/Positionable.hpp"
#include "presentation/Socket.hpp"

#include <SFML/Graphics/Color.hpp>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class CircleList;
    class InterfaceShadow;

    class State : public Positionable<float>, public InterfaceRotatable
    {
    public:
        State();
        ~State() override;
        State(const State&) = delete;
        State& operator=(const State&) = delete;

        // Reads the definition; `name` is the resource path of the resource that
        // holds it. Failures: LogicError "redundant loading", "expected inline,
        // found " + value, "transition " + name + " is redundant"; the XML and
        // resource errors of what it reads. A failed load leaves the state
        // unloaded.
        void Load(const std::string& name, const pugi::xml_node& element);

        // Everything below but the position getters fails with LogicError
        // "forgot to call Load()?" before Load, and changes nothing then.

        void OnUpdate();
        // The colour and the flag stay on the action until the next draw.
        void Draw(bool showBoundary, const sf::Color& colour);
        std::optional<std::string> GetTransitionAtExit() const;
        bool ReachedEnd() const;
        const std::string& GetName() const;
        // Transition name to destination state.
        const std::map<std::string, std::string>& GetTransitions() const;
        // The action's body itself: later moves and turns show through it.
        stable_ptr<const CircleList> GetBoundary() const;
        // The placed sockets, in the order of the definition.
        const std::vector<Socket>& GetSockets() const;

        void SetPositionX(const float& x) override;
        void SetPositionY(const float& y) override;
        void MovePositionX(const float& dx) override;
        void MovePositionY(const float& dy) override;
        float GetRotation() const override;
        void SetRotation(float angle) override;

        // Restarts the action and puts the state back at (0, 0), turned 0.
        void Reset();
        stable_ptr<InterfaceShadow> EnableShadow();

    private:
        struct Data;
        Data& GetData() const;

        std::unique_ptr<Data> m_data;
    };
}
