// Launches particles from a point, in directions spread over a cone around its
// direction, at a steady rate.
//
// The cone: `SetAngles(a, b)` takes two full apertures in degrees. A particle
// leaves at an angle between a/2 and b/2 from the direction, spread evenly over
// that band of the sphere and all the way round the direction. So (0, 30) is a
// cone 30 degrees wide, (0, 180) the half-sphere around the direction, (0, 360)
// every direction and (300, 360) a cone 60 degrees wide pointing backwards.
// Effects are three-dimensional: x right, y down the screen, z up from the
// ground towards the viewer; z never moves a particle on the screen, but a
// particle below the ground (z < 0) is not drawn.
//
// The flow is particles per second; fractions carry over from frame to frame,
// so 10 per second at 60 frames per second emits one particle every sixth frame.
// The tank counts the particles the emitter may still launch (negative:
// unlimited). The emitter is active while its tank is not empty and its flow is
// above 0; setting the flow to 0 stops it for good.
#pragma once

#include <SFML/System/Vector3.hpp>

#include <string>

namespace Kestrum
{
    struct Particle;

    class SphericEmitter
    {
    public:
        // Straight up (0, 0, 1), the full sphere, at the origin, unlimited tank, no
        // flow, no force.
        SphericEmitter();

        // A zero direction: LogicError "emitter direction must not be zero".
        void SetDirection(const sf::Vector3f& direction);
        void SetAngles(float inner, float outer);
        // The point zone: where the particles are born, in the effect's coordinates.
        void SetZone(const sf::Vector3f& point);
        void SetName(const std::string& name) { m_name = name; }
        void SetTank(int tank) { m_tank = tank; }
        void SetFlow(float flow) { m_flow = flow; }
        // Launch speed in pixels per second, uniform between the two, divided by
        // the particle's mass.
        void SetForce(float minimum, float maximum);

        const sf::Vector3f& GetDirection() const { return m_direction; }
        float GetInnerAngle() const { return m_inner; }
        float GetOuterAngle() const { return m_outer; }
        const sf::Vector3f& GetZone() const { return m_zone; }
        const std::string& GetName() const { return m_name; }
        int GetTank() const { return m_tank; }
        float GetFlow() const { return m_flow; }
        float GetForceMinimum() const { return m_forceMinimum; }
        float GetForceMaximum() const { return m_forceMaximum; }

        bool IsActive() const { return m_tank != 0 && m_flow > 0.f; }

        // How many particles fall due over dt seconds (taken from the tank).
        unsigned TakeDue(float dt);
        // Places a newborn particle at the zone and launches it; its mass must be set.
        void Launch(Particle& particle) const;

    private:
        sf::Vector3f m_direction;
        // Two unit vectors at right angles to the direction and to each other.
        sf::Vector3f m_across;
        sf::Vector3f m_beside;
        float m_inner;
        float m_outer;
        // Cosines of the half apertures: the band of the sphere between them.
        float m_cosInner;
        float m_cosOuter;
        sf::Vector3f m_zone;
        std::string m_name;
        int m_tank;
        float m_flow;
        float m_carry;
        float m_forceMinimum;
        float m_forceMaximum;
    };
}
