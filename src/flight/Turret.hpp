// A gun emplacement on the ground: it scrolls down with the landscape, turns
// its head at the ship at once and fires volleys from the socket "weapon" of
// its head, but not at a ship closer than its blind radius. Only the player's
// shots hit it. Its folder holds "details.xml" and "ingame.statemachine", a
// group with the parts "socket" and "head", the socket "head|weapon" and the
// transition "explode":
//
//     <turret version="1">
//         <score_points>120</score_points>
//         <hit_points>4</hit_points>
//         <blind_radius>110</blind_radius>   pixels
//         <reload_time>0.2</reload_time>     seconds between the shots of a volley
//         <volley_size>3</volley_size>       shots per volley
//         <idle_time>1.8</idle_time>         seconds between volleys
//         <weapon>501</weapon>               an enemy weapon
//     </turret>
//
// Every wait lasts half a second longer by a random fraction of the game's
// generator. A turret that scrolls more than two bounding radii below the
// field explodes without score.
#pragma once

#include "flight/Enemy.hpp"

#include <string>

namespace Kestrum
{
    class TurretBehaviour;

    class Turret : public Enemy
    {
    public:
        // A new turret from the resource folder, not yet placed. A machine
        // without the parts, socket or transition: LoadError "part 'socket' not
        // found in <folder>", "part 'head' ...", "socket 'head|weapon' ...",
        // "transition 'explode' not found in <folder>".
        static stable_ptr<Turret> Create(const std::string& folder);
        ~Turret() override;

        std::uint32_t GetScorePoints() const override;
        stable_ptr<const CircleList> GetBoundary() const override;
        DamageEffect ApplyDamage(std::uint32_t amount) override;
        void DrawBody() override;
        // The boundary circles, and the blind radius in blue.
        void DrawDebugInformation() override;
        sf::Vector2f GetPosition() const override;

    private:
        Turret(const stable_ptr<TurretBehaviour>& behaviour, std::uint32_t scorePoints);

        stable_ptr<TurretBehaviour> m_behaviour;
        std::uint32_t m_scorePoints;
    };
}
