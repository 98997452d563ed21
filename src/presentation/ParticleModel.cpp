#include "presentation/ParticleModel.hpp"

#include "core/Exception.hpp"
#include "presentation/ParticleRandom.hpp"

namespace Kestrum
{
    namespace
    {
        const float defaults[ParticleParameterCount] = {1.f, 1.f, 1.f, 1.f, 1.f, 1.f, 0.f, 0.f, 0.f};
        const unsigned allFlags = (1u << ParticleParameterCount) - 1u;
    }

    ParticleModel::ParticleModel(unsigned enabled, unsigned mutableFlags, unsigned randomFlags)
        : m_enabled(enabled & allFlags), m_mutable(mutableFlags & allFlags), m_random(randomFlags & allFlags),
          m_mutableCount(0), m_lifeTimeMinimum(1.f), m_lifeTimeMaximum(1.f)
    {
        if ((m_mutable | m_random) & ~m_enabled)
            BOOST_THROW_EXCEPTION(LogicError("mutable and random parameters must be enabled"));
        for (unsigned parameter = 0; parameter < ParticleParameterCount; ++parameter)
        {
            const float value = defaults[parameter];
            m_values[parameter] = {value, value, value, value};
            if (m_mutable & ToParticleFlag(ParticleParameter(parameter)))
                m_mutableList[m_mutableCount++] = ParticleParameter(parameter);
        }
    }

    void ParticleModel::Store(ParticleParameter parameter, std::size_t count, const std::array<float, 4>& values)
    {
        const unsigned flag = ToParticleFlag(parameter);
        if (!(m_enabled & flag))
            BOOST_THROW_EXCEPTION(LogicError("particle parameter " + std::to_string(parameter) + " is not enabled"));
        const bool isMutable = (m_mutable & flag) != 0;
        const bool isRandom = (m_random & flag) != 0;
        const std::size_t expected = isMutable && isRandom ? 4 : (isMutable || isRandom ? 2 : 1);
        if (count != expected)
            BOOST_THROW_EXCEPTION(LogicError("particle parameter " + std::to_string(parameter) + " takes " +
                                             std::to_string(expected) + " values, not " + std::to_string(count)));
        m_values[parameter] = values;
    }

    void ParticleModel::SetParam(ParticleParameter parameter, float value)
    {
        Store(parameter, 1, {value, value, value, value});
    }

    void ParticleModel::SetParam(ParticleParameter parameter, float first, float second)
    {
        // Random: the start (and, unused, the end) between both; mutable: from first to second.
        if (m_random & ToParticleFlag(parameter))
            Store(parameter, 2, {first, second, first, second});
        else
            Store(parameter, 2, {first, first, second, second});
    }

    void ParticleModel::SetParam(ParticleParameter parameter, float startMinimum, float startMaximum,
                                 float endMinimum, float endMaximum)
    {
        Store(parameter, 4, {startMinimum, startMaximum, endMinimum, endMaximum});
    }

    void ParticleModel::SetLifeTime(float minimum, float maximum)
    {
        m_lifeTimeMinimum = minimum;
        m_lifeTimeMaximum = maximum;
    }

    void ParticleModel::Initialize(Particle& particle) const
    {
        particle.age = 0.f;
        particle.lifeTime = ParticleRandomBetween(m_lifeTimeMinimum, m_lifeTimeMaximum);
        for (unsigned parameter = 0; parameter < ParticleParameterCount; ++parameter)
        {
            const std::array<float, 4>& values = m_values[parameter];
            const float start = ParticleRandomBetween(values[0], values[1]);
            particle.value[parameter] = start;
            particle.start[parameter] = start;
            particle.rate[parameter] = 0.f;
        }
        for (const ParticleParameter* parameter = MutableBegin(); parameter != MutableEnd(); ++parameter)
        {
            const std::array<float, 4>& values = m_values[*parameter];
            const float end = ParticleRandomBetween(values[2], values[3]);
            if (particle.lifeTime > 0.f)
                particle.rate[*parameter] = (end - particle.start[*parameter]) / particle.lifeTime;
        }
    }
}
