// Anything that lives in a flight: the player's ship, enemies and bosses, shots,
// pick-ups, particle effects, positioned sounds and shadows. The
// GameObjectManager owns the objects of the current level: it updates each of
// them once per frame, draws them in layer order and drops them at the start of
// the frame after they report themselves expired.
//
// A concrete object chooses its layer in its constructor and implements the
// three frame operations:
//
//     class Spark : public GameObject
//     {
//     public:
//         Spark() : GameObject(LayerEffect) {}
//         void OnUpdate() override { ... }        // one frame of game time
//         void Draw() override { ... }            // into the render window (see below)
//         bool IsExpired() const override { ... } // true once it may go
//     };
//
// Draw runs inside the manager's drawing pass, which batches sprites
// (presentation/SpriteBatch.hpp): sprites go through DrawSprite (animations do
// this), and whatever is drawn straight into the window calls FlushSprites
// first, so that it lands over the sprites drawn before it.
//
// Objects that take part in collisions derive from one of the colliding kinds
// instead (flight/CollidingShot.hpp, CollidingEnemy.hpp, CollidingShip.hpp,
// CollidingPickup.hpp), which are game objects themselves.
#pragma once

#include "presentation/EdgeRect.hpp"

#include <cstdint>

namespace Kestrum
{
    // Orders updating and drawing (lower layers first), and among enemies tells
    // ground (0) from air.
    enum ObjectLayer : std::int32_t
    {
        LayerGround = 0,  // turrets, the tank boss, positioned sounds
        LayerShadow = 1,  // shadows: over the ground, under everything that flies
        LayerAir = 2,     // flying enemies, the disk boss
        LayerEffect = 3,  // particle effects
        LayerPickup = 4,  // pick-ups
        LayerShot = 5,    // shots of both sides
        LayerPlayer = 6   // the player's ship, drawn last
    };

    // What a hit did to its target.
    enum DamageEffect
    {
        NoDamage = 0,         // no effect (nothing to hurt, or the target was invincible)
        Damaged = 1,          // taken; the target lives on (the ship: its shield took it)
        Destroyed = 2,        // this hit destroyed the target
        AlreadyDestroyed = 3  // the target had been destroyed before
    };

    // A hit of `amount` on the hit points: AlreadyDestroyed when none are left,
    // NoDamage for 0, Destroyed when it takes the last one (the points then 0),
    // Damaged otherwise (the amount taken off).
    DamageEffect TakeHitPoints(std::uint32_t& hitPoints, std::uint32_t amount);

    class GameObject
    {
    public:
        virtual ~GameObject();
        GameObject(const GameObject&) = delete;
        GameObject& operator=(const GameObject&) = delete;

        // Advances the object by one frame of game time.
        virtual void OnUpdate() = 0;
        virtual void Draw() = 0;
        // True once the object may be removed from the level.
        virtual bool IsExpired() const = 0;

        ObjectLayer GetLayer() const { return m_layer; }
        // Counts up with every object made: orders the objects of one layer by
        // their creation, the same way in every run.
        std::uint64_t GetSerial() const { return m_serial; }

    protected:
        explicit GameObject(ObjectLayer layer);

    private:
        const ObjectLayer m_layer;
        const std::uint64_t m_serial;
    };

    // The play field: the band of the window in which the flight takes place,
    // 832 pixels (26 tiles) wide, centred as the reference width of 1024 lays it
    // out, and as high as the window. Computed from the configured video mode.
    EdgeRect GetFlightArea();
    // The same for a window of the given size: a width of 1024 gives 198 to 1030.
    EdgeRect GetFlightArea(unsigned width, unsigned height);
}
