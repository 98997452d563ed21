// Animations placed on the level one by one (trees, rocks, wrecks), scrolling
// with the layer. Its element in the level file:
//
//     <layer type="sparse" scroll_factor="1">
//         <sprite x="3" y="40" resource="tree">      tile column and row
//             <offset x="4" y="-8"/>                 optional, pixels from the tile's corner
//             <rotation>90</rotation>                optional, degrees
//         </sprite>
//         ...
//     </layer>
//
// The animation is resources|tiles|sprites|<resource>|sprite.animation, each
// sprite playing its own copy. Other children of the layer are left alone.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/Layer.hpp"

#include <SFML/System/Vector2.hpp>

#include <memory>
#include <vector>

namespace Kestrum
{
    class Animation;

    class SparseLayer : public Layer
    {
    public:
        struct SpriteData
        {
            stable_ptr<Animation> animation;
            sf::Vector2u tile;    // column and row
            sf::Vector2f offset;  // pixels added to the tile's top-left corner
        };

        SparseLayer();
        ~SparseLayer() override;

        // Plays every animation on; before Load: LogicError "forgot to call Load()?".
        void OnUpdate() override;
        // Draws every animation at its tile's corner plus its offset (those
        // far off the screen are left out); before Load: LogicError "forgot to
        // call Load()?".
        void Draw() override;
        // Still when every animation has a single frame: only the scroll moves
        // its pictures. Draws the pictures that may reach the screen's rows
        // from top to bottom at the offset into the target, through a sprite
        // batch of its own; before Load: LogicError "forgot to call Load()?".
        bool IsStill() const override;
        void DrawStill(sf::RenderTarget& target, float offset, float top, float bottom) override;
        // The element must be a "layer" of type "sparse" (LogicError otherwise).
        // A missing or malformed attribute: XmlError; an animation that cannot
        // be read: the resource manager's error. A failed load keeps the sprites
        // read before.
        void Load(const pugi::xml_node& element) override;

        // The sprites read, in the order of the file; before Load: LogicError.
        const std::vector<SpriteData>& GetSprites() const;

    private:
        // Every animation near the screen's rows from top to bottom at the offset.
        void DrawSprites(float offset, float top, float bottom);

        std::unique_ptr<std::vector<SpriteData>> m_sprites;
    };
}
