#include "levels/ProceduralLayer.hpp"

namespace Kestrum
{
    ProceduralLayer::ProceduralLayer() = default;
    ProceduralLayer::~ProceduralLayer() = default;

    void ProceduralLayer::OnUpdate() {}
    void ProceduralLayer::Draw() {}
    void ProceduralLayer::Load(const pugi::xml_node&) {}

    bool ProceduralLayer::IsStill() const
    {
        return true;
    }

    void ProceduralLayer::DrawStill(sf::RenderTarget&, float, float, float) {}
}
