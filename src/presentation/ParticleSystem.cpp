#include "presentation/ParticleSystem.hpp"

namespace Kestrum
{
    ParticleSystem::ParticleSystem() : GameObject(LayerEffect) {}
    ParticleSystem::~ParticleSystem() = default;

    void ParticleSystem::OnUpdate() {}
    void ParticleSystem::Draw() {}

    bool ParticleSystem::IsExpired() const
    {
        return false;
    }
}
