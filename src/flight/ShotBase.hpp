// A shot of either side.
#pragma once

#include "flight/GameObject.hpp"

namespace Kestrum
{
    class ShotBase : public GameObject
    {
    public:
        ShotBase();
        ~ShotBase() override;

        void OnUpdate() override;
        void Draw() override;
        bool IsExpired() const override;
    };
}
