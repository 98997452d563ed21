#include "presentation/Shadow.hpp"

namespace Kestrum
{
    const sf::Color Shadow::Colour(0, 0, 0, 128);
    const sf::Vector2f Shadow::Offset(50.f, 20.f);

    Shadow::Shadow() : GameObject(LayerShadow), m_removed(false) {}

    void Shadow::OnUpdate() {}

    bool Shadow::IsExpired() const
    {
        return m_removed;
    }

    void Shadow::Remove()
    {
        m_removed = true;
    }
}
