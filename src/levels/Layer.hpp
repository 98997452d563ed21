// One layer of a level. A level is a stack of layers drawn in the order of its
// file, each moving with the scroll at its own rate: a scroll factor of 1 moves
// with the ground, 0.5 half as fast. The kinds are the tile layer
// (TangibleLayer), the layer of placed animations (SparseLayer), the procedural
// layer that shows nothing yet (ProceduralLayer) and the stage that carries the
// flight (TangibleStage).
#pragma once

#include <pugixml.hpp>

namespace sf
{
    class RenderTarget;
}

namespace Kestrum
{
    class Layer
    {
    public:
        Layer();
        virtual ~Layer();
        Layer(const Layer&) = delete;
        Layer& operator=(const Layer&) = delete;

        virtual void OnUpdate() = 0;
        virtual void Draw() = 0;
        // Reads the required float attribute "scroll_factor"; missing or not a
        // number: XmlError, and the factor stays as it was.
        virtual void Load(const pugi::xml_node& element);
        // The enemies the layer still holds back; none but for the stage.
        virtual unsigned GetEnemyCount() const;

        // A still layer's picture depends on the scroll alone (nothing in it
        // moves or plays), so the ground can keep it painted (GroundLayer);
        // none is still but for those that say so.
        virtual bool IsStill() const;
        // A still layer draws itself into the target as the screen would show
        // it at the pixel offset, at least the screen's rows from top to
        // bottom; other layers throw LogicError.
        virtual void DrawStill(sf::RenderTarget& target, float offset, float top, float bottom);

        // The layer's scroll offset in pixels: the scroll position (window
        // heights) times the scroll factor times the window's height.
        float GetOffset() const;
        float GetScrollFactor() const { return m_scrollFactor; }

    private:
        float m_scrollFactor;
    };
}
