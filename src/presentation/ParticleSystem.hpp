// A particle effect in a flight (a shot's impact, an explosion, the disk boss's
// smoke): a game object that runs its own copy of an effect's prototype. Made
// only by ParticleFactory::Get; the caller adds it to the GameObjectManager.
//
// Each frame it advances its particles by the game time (nothing while the
// game is paused) and draws them into the render window. It expires once all
// its emitters have stopped and its last particle has died, or once the box
// around its particles, grown by 100 pixels on every side, no longer overlaps
// the play field (a box that only touches the field counts as outside); an
// effect kept outside the view expires only the first way.
//
// Its position is the point its particles are drawn from: moving the effect
// moves all its particles with it.
#pragma once

#include "presentation/GameObject.hpp"
#include "presentation/Positionable.hpp"

namespace Kestrum
{
    class ParticleSystem : public GameObject, public Positionable<float>
    {
    public:
        ~ParticleSystem() override;

        // True: the effect does not expire for leaving the play field.
        virtual void SetKeepOutsideView(bool keep) = 0;
        // Every emitter stops for good; the particles in flight live out their lives.
        virtual void StopEmission() = 0;

        void SetPosition(const float& x, const float& y) override = 0;
        void SetPositionX(const float& x) override = 0;
        void SetPositionY(const float& y) override = 0;
        void MovePosition(const float& dx, const float& dy) override = 0;
        void MovePositionX(const float& dx) override = 0;
        void MovePositionY(const float& dy) override = 0;

    protected:
        ParticleSystem();
    };
}
