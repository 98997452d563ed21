#include "presentation/SphericEmitter.hpp"

#include "core/Exception.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ParticleModel.hpp"
#include "presentation/ParticleRandom.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Kestrum
{
    namespace
    {
        const float fullTurn = 6.28318530718f;

        float Length(const sf::Vector3f& v)
        {
            return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
        }

        sf::Vector3f Cross(const sf::Vector3f& a, const sf::Vector3f& b)
        {
            return sf::Vector3f(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
        }
    }

    SphericEmitter::SphericEmitter()
        : m_tank(-1), m_flow(0.f), m_carry(0.f), m_forceMinimum(0.f), m_forceMaximum(0.f)
    {
        SetDirection(sf::Vector3f(0.f, 0.f, 1.f));
        SetAngles(0.f, 360.f);
    }

    void SphericEmitter::SetDirection(const sf::Vector3f& direction)
    {
        const float length = Length(direction);
        if (!(length > 0.f) || !std::isfinite(length))
            BOOST_THROW_EXCEPTION(LogicError("emitter direction must not be zero"));
        m_direction = direction / length;
        // Any axis that is not (nearly) parallel to the direction gives the two others.
        const sf::Vector3f axis = std::fabs(m_direction.z) < 0.9f ? sf::Vector3f(0.f, 0.f, 1.f) : sf::Vector3f(1.f, 0.f, 0.f);
        m_across = Cross(m_direction, axis);
        m_across /= Length(m_across);
        m_beside = Cross(m_direction, m_across);
    }

    void SphericEmitter::SetAngles(float inner, float outer)
    {
        m_inner = inner;
        m_outer = outer;
        m_cosInner = std::cos(std::clamp(inner, 0.f, 360.f) * 0.5f * DegreesToRadians);
        m_cosOuter = std::cos(std::clamp(outer, 0.f, 360.f) * 0.5f * DegreesToRadians);
    }

    void SphericEmitter::SetZone(const sf::Vector3f& point)
    {
        m_zone = point;
    }

    void SphericEmitter::SetForce(float minimum, float maximum)
    {
        m_forceMinimum = minimum;
        m_forceMaximum = maximum;
    }

    unsigned SphericEmitter::TakeDue(float dt)
    {
        if (!IsActive() || !(dt > 0.f))
            return 0;
        m_carry += m_flow * dt;
        const float whole = std::floor(m_carry);
        m_carry -= whole;
        unsigned due = whole < float(std::numeric_limits<int>::max()) ? unsigned(whole) : unsigned(std::numeric_limits<int>::max());
        if (m_tank > 0)
        {
            due = std::min(due, unsigned(m_tank));
            m_tank -= int(due);
        }
        return due;
    }

    void SphericEmitter::Launch(Particle& particle) const
    {
        // Even over the band of the sphere: the cosine of the angle from the
        // direction is uniform between the two cosines.
        const float cosine = ParticleRandomBetween(m_cosOuter, m_cosInner);
        const float sine = std::sqrt(std::max(0.f, 1.f - cosine * cosine));
        const float turn = ParticleRandomBetween(0.f, fullTurn);
        const sf::Vector3f heading =
            m_direction * cosine + (m_across * std::cos(turn) + m_beside * std::sin(turn)) * sine;
        const float mass = particle.value[ParticleMass];
        const float speed = ParticleRandomBetween(m_forceMinimum, m_forceMaximum) / (mass != 0.f ? mass : 1.f);
        particle.position = m_zone;
        particle.velocity = heading * speed;
    }
}
