#include "presentation/ParticleFactory.hpp"

namespace Kestrum
{
    ParticleFactory::ParticleFactory() = default;
    ParticleFactory::~ParticleFactory() = default;

    void ParticleFactory::Load()
    {
    }
}
