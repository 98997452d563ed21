// The base of the flying enemies' behaviours: hit points, movement and turning
// speeds, an optional weapon, and the life area, the play field grown by one
// and a half bounding radii of the body. An enemy is finished when its hit
// points are gone or when it leaves the life area after having been inside it
// (one that spawns above the field lives until it has come in and gone out);
// it then runs its state machine's "explode" and is done. Only the kinds
// differ in how they move and when they fire.
//
// Read from the "flying_enemy" element of the enemy's "details.xml":
//     <hit_points>3</hit_points>            at every spawn
//     <rotation_speed>90</rotation_speed>    degrees per second
//     <movement_speed>0.2</movement_speed>   window heights per second
//     <weapon>501</weapon>                   optional: an enemy weapon
#pragma once

#include "flight/Behaviour.hpp"
#include "presentation/GameObject.hpp"

#include <cstdint>
#include <memory>

namespace pugi
{
    class xml_node;
}

namespace Kestrum
{
    class Weapon;

    class FlightBehaviour : public Behaviour
    {
    public:
        explicit FlightBehaviour(const stable_ptr<StateMachineBase>& stateMachine);
        ~FlightBehaviour() override;

        // The machine must offer "explode": LoadError "transition 'explode' not
        // found". Restores the hit points and puts the enemy at the position.
        void Reset(const sf::Vector2f& position) override;
        // The finish check and the explosion; the kinds move after it.
        void OnUpdate() override;
        bool IsFinished() const override;

        // The element must be "flying_enemy". The weapon fires whenever the
        // behaviour says so: the behaviour alone paces it.
        virtual void Load(const pugi::xml_node& element);
        virtual DamageEffect ApplyDamage(std::uint32_t amount);

        // Empty for an enemy that does not shoot.
        std::shared_ptr<Weapon> GetWeapon() const;
        bool IsExploding() const;

    protected:
        float GetMovementSpeed() const;
        float GetRotationSpeed() const;
        // Reads the machine's position and rotation, steers them toward the
        // target (MoveAndTurn) and writes both back; true on arrival.
        bool FlyToward(const sf::Vector2f& target, float movementSpeed, bool helicopterMode);

    private:
        struct Data;
        std::unique_ptr<Data> m_data;
    };
}
