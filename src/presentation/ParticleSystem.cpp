#include "presentation/ParticleSystem.hpp"

namespace Kestrum
{
    ParticleSystem::ParticleSystem() = default;
    ParticleSystem::~ParticleSystem() = default;
}
