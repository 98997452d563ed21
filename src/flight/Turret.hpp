// A ground enemy that turns towards the ship and fires.
#pragma once

#include "flight/GameObject.hpp"

namespace Kestrum
{
    class Turret : public GameObject
    {
    public:
        Turret();
        ~Turret() override;

        void OnUpdate() override;
        void Draw() override;
        bool IsExpired() const override;
    };
}
