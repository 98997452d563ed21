// A running particle effect.
#pragma once

#include "flight/GameObject.hpp"

namespace Kestrum
{
    class ParticleSystem : public GameObject
    {
    public:
        ParticleSystem();
        ~ParticleSystem() override;

        void OnUpdate() override;
        void Draw() override;
        bool IsExpired() const override;
    };
}
