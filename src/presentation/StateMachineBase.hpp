// The animated body of every ship, enemy, turret and boss. Its holder places and
// turns it, calls OnUpdate once per frame and Draw when it draws, and sends it
// commands as paths (presentation/StateMachinePath.hpp): "explode" starts the
// transition explode, "head|weapon" names the socket weapon of the part head.
//
// Two kinds implement it: StateMachine, a set of states of which one is active,
// and StateMachineGroup, named parts (each a machine of its own) moved and
// turned as one body. The ResourceManager makes either from a file
// (CreateStateMachine); the file's root element decides which.
//
// Rotations are degrees in [0, 360), clockwise on the screen; a machine brings
// whatever it is given into that range (-30 becomes 330, 725 becomes 5, a value
// that is not finite becomes 0).
#pragma once

#include "core/StablePtr.hpp"
#include "presentation/InterfaceRotatable.hpp"
#include "presentation/Positionable.hpp"
#include "presentation/Socket.hpp"

#include <SFML/Graphics/Color.hpp>

#include <functional>
#include <set>
#include <string>

namespace Kestrum
{
    class CircleList;
    class Shadow;

    class StateMachineBase : public Positionable<float>, public InterfaceRotatable
    {
    public:
        // Receives the signals that a group's transitions send, prefixed with the
        // names of the parts they come from ("slot2|opened").
        typedef std::function<void(const std::string& signal)> SignalHandler;

        StateMachineBase() = default;
        ~StateMachineBase() override;
        StateMachineBase(const StateMachineBase&) = delete;
        StateMachineBase& operator=(const StateMachineBase&) = delete;

        // Starts the transition that the path names; answers whether one started.
        virtual bool Execute(const std::string& path) = 0;
        // The names of every transition a command can reach below this machine.
        virtual std::set<std::string> GetAllTransitions() const = 0;
        // Fills the socket and answers true when the active state offers it.
        virtual bool GetSocket(const std::string& path, Socket& socket) const = 0;
        // Turns the part toward an orientation (degrees, the part's own rotation)
        // or toward a point, at most `speed` degrees per second of game time;
        // answers whether the part has arrived.
        virtual bool RotatePart(const std::string& path, float localAimOrientation, float speed) = 0;
        virtual bool RotatePart(const std::string& path, const sf::Vector2f& point, float speed) = 0;
        virtual float GetPartRotation(const std::string& path) const = 0;
        // Whether any state offers the socket / transition, whether the part exists.
        virtual bool HasSocket(const std::string& path) const = 0;
        virtual bool HasTransition(const std::string& path) const = 0;
        virtual bool HasPart(const std::string& path) const = 0;
        // One frame of game time.
        virtual void OnUpdate() = 0;
        // Draws the active look, tinted by the colour; with the flag also the
        // collision circles.
        virtual void Draw(bool showBoundary, const sf::Color& colour) = 0;
        // Position and rotation as text at the machine, for finding faults.
        virtual void DrawDebugInformation() = 0;
        // The collision body in world terms.
        virtual stable_ptr<const CircleList> GetBoundary() const = 0;
        virtual void SetSignalHandler(const SignalHandler& handler) = 0;
        // Back to the state right after loading, at (0, 0) with rotation 0.
        virtual void Reset() = 0;
        // The shadow, a game object that the holder adds to the
        // GameObjectManager; the same object on every call until DisableShadow.
        virtual stable_ptr<Shadow> EnableShadow() = 0;
        virtual void DisableShadow() = 0;

        // Turns the machine's own rotation toward the aim the shorter way round,
        // by at most speed x the frame's game time; true once it has arrived (in
        // this call, or already before). The aim straight opposite is reached
        // turning clockwise. An aim or rotation that is not a number throws
        // LogicError "localAimOrientation is not in range (-180,180)".
        bool Rotate(float localAimOrientation, float speed);

    protected:
        // The angle brought into [0, 360): -30 gives 330, 725 gives 5; an
        // infinite or undefined angle gives 0.
        static float NormalizeRotation(float angle);
    };
}
