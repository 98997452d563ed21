#include "flight/ShotBase.hpp"

namespace Kestrum
{
    ShotBase::ShotBase() : GameObject(LayerShot) {}
    ShotBase::~ShotBase() = default;

    void ShotBase::OnUpdate() {}
    void ShotBase::Draw() {}

    bool ShotBase::IsExpired() const
    {
        return false;
    }
}
