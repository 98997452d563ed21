#include "presentation/ParticleSystem.hpp"

namespace Kestrum
{
    ParticleSystem::ParticleSystem() : GameObject(LayerEffect) {}
    ParticleSystem::~ParticleSystem() = default;
}
