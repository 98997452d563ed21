// The one random source of every particle effect: lifetimes, launch directions
// and speeds, random parameters. The particle factory seeds it once, from the
// game's own generator, so that a run replays from the game's seed.
#pragma once

#include <cstdint>

namespace Kestrum
{
    class RandomNumberGenerator;

    // The generator shared by all particle effects.
    RandomNumberGenerator& GetParticleRandom();
    void SeedParticleRandom(std::int32_t seed);

    // Uniform between the two values (either order; equal values give that value).
    float ParticleRandomBetween(float low, float high);
}
