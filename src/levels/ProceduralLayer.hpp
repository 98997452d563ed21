// A layer meant to draw ground made up as the level goes. It shows nothing yet:
// it reads nothing of its element (its scroll factor stays 1) and does nothing
// each frame.
#pragma once

#include "levels/Layer.hpp"

namespace Kestrum
{
    class ProceduralLayer : public Layer
    {
    public:
        ProceduralLayer();
        ~ProceduralLayer() override;

        void OnUpdate() override;
        void Draw() override;
        void Load(const pugi::xml_node& element) override;
        // Still, showing nothing.
        bool IsStill() const override;
        void DrawStill(sf::RenderTarget& target, float offset, float top, float bottom) override;
    };
}
