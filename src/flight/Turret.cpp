#include "flight/Turret.hpp"

namespace Kestrum
{
    Turret::Turret() : GameObject(LayerGround) {}
    Turret::~Turret() = default;

    void Turret::OnUpdate() {}
    void Turret::Draw() {}

    bool Turret::IsExpired() const
    {
        return false;
    }
}
