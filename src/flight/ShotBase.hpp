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
    };
}
