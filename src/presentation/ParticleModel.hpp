// What every particle of a group is like: how long it lives and how its colour,
// size, mass, angle, atlas cell and spin are chosen at birth and change over its
// life. A model is shared, unchanged, by an effect's prototype and all its copies.
//
// Each parameter is one of
//   - fixed: one value, the same for every particle;
//   - random: uniform between two values, drawn once at birth;
//   - mutable: runs linearly from a start value at birth to an end value at death;
//   - mutable and random: like mutable, with the start drawn between the first
//     two values and the end between the last two.
// A parameter that is not enabled keeps its default: red, green, blue, alpha,
// size and mass 1, angle, atlas cell and spin 0. Colours run from 0 to 1; angles
// are degrees (positive turns clockwise on the screen), spin is degrees per second.
#pragma once

#include <SFML/System/Vector3.hpp>

#include <array>
#include <cstddef>

namespace Kestrum
{
    enum ParticleParameter : unsigned
    {
        ParticleRed,
        ParticleGreen,
        ParticleBlue,
        ParticleAlpha,
        ParticleSize,
        ParticleMass,
        ParticleAngle,
        ParticleTextureIndex,
        ParticleRotationSpeed,
        ParticleParameterCount
    };

    // The flag of a parameter in the enabled, mutable and random masks: red 1,
    // green 2, blue 4, alpha 8, size 16, mass 32, angle 64, atlas cell 128, spin 256.
    constexpr unsigned ToParticleFlag(ParticleParameter parameter)
    {
        return 1u << parameter;
    }

    // One living particle, in the coordinates of its effect (x right, y down, z up
    // from the ground towards the viewer). A mutable parameter's value is
    // start + rate * age.
    struct Particle
    {
        sf::Vector3f position;
        sf::Vector3f velocity;
        float age;
        float lifeTime;
        std::array<float, ParticleParameterCount> value;
        std::array<float, ParticleParameterCount> start;
        std::array<float, ParticleParameterCount> rate;
    };

    class ParticleModel
    {
    public:
        // The masks are ORs of ToParticleFlag; mutable and random parameters must
        // be enabled (LogicError "mutable and random parameters must be enabled").
        ParticleModel(unsigned enabled, unsigned mutableFlags, unsigned randomFlags);

        // Sets the values of an enabled parameter: one for a fixed, two for a random
        // or a mutable, four for a mutable and random one. Another count, or a
        // parameter that is not enabled: LogicError.
        void SetParam(ParticleParameter parameter, float value);
        void SetParam(ParticleParameter parameter, float first, float second);
        void SetParam(ParticleParameter parameter, float startMinimum, float startMaximum, float endMinimum,
                      float endMaximum);
        // Every particle lives between the two durations, in seconds.
        void SetLifeTime(float minimum, float maximum);

        unsigned GetEnabledFlags() const { return m_enabled; }
        unsigned GetMutableFlags() const { return m_mutable; }
        unsigned GetRandomFlags() const { return m_random; }
        // The four values as stored: start minimum and maximum, end minimum and maximum.
        const std::array<float, 4>& GetValues(ParticleParameter parameter) const { return m_values[parameter]; }
        float GetLifeTimeMinimum() const { return m_lifeTimeMinimum; }
        float GetLifeTimeMaximum() const { return m_lifeTimeMaximum; }

        // Gives a newborn particle its lifetime and parameters (age 0).
        void Initialize(Particle& particle) const;
        // The parameters that change over a particle's life.
        const ParticleParameter* MutableBegin() const { return m_mutableList.data(); }
        const ParticleParameter* MutableEnd() const { return m_mutableList.data() + m_mutableCount; }

    private:
        void Store(ParticleParameter parameter, std::size_t count, const std::array<float, 4>& values);

        unsigned m_enabled;
        unsigned m_mutable;
        unsigned m_random;
        std::array<std::array<float, 4>, ParticleParameterCount> m_values;
        std::array<ParticleParameter, ParticleParameterCount> m_mutableList;
        std::size_t m_mutableCount;
        float m_lifeTimeMinimum;
        float m_lifeTimeMaximum;
    };
}
