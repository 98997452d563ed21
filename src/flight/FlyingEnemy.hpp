// An enemy that flies its behaviours.
#pragma once

#include "flight/GameObject.hpp"

namespace Kestrum
{
    class FlyingEnemy : public GameObject
    {
    public:
        FlyingEnemy();
        ~FlyingEnemy() override;

        void OnUpdate() override;
        void Draw() override;
        bool IsExpired() const override;
    };
}
