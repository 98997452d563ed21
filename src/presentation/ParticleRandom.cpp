#include "presentation/ParticleRandom.hpp"

#include "core/RandomNumberGenerator.hpp"

namespace Kestrum
{
    RandomNumberGenerator& GetParticleRandom()
    {
        static RandomNumberGenerator generator;
        return generator;
    }

    void SeedParticleRandom(std::int32_t seed)
    {
        GetParticleRandom().Seed(seed);
    }

    float ParticleRandomBetween(float low, float high)
    {
        if (low == high)
            return low;
        return low + (high - low) * GetParticleRandom().NextFraction();
    }
}
