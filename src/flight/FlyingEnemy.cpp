#include "flight/FlyingEnemy.hpp"

namespace Kestrum
{
    FlyingEnemy::FlyingEnemy() : GameObject(LayerAir) {}
    FlyingEnemy::~FlyingEnemy() = default;

    void FlyingEnemy::OnUpdate() {}
    void FlyingEnemy::Draw() {}

    bool FlyingEnemy::IsExpired() const
    {
        return false;
    }
}
