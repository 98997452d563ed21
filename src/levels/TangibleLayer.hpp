// The ground of a level: a grid of tiles, 26 to a row, drawn through the tile
// manager. Its element in the level file:
//
//     <layer type="tangible" scroll_factor="1">
//         <tile_grid repeat="2">                      the grid's rows, twice over
//             <tile_row repeat="3">                   this row three times
//                 <tile>65551</tile>                  column 0
//                 <tile_sequence repeat="25">15</tile_sequence>   columns 1 to 25
//             </tile_row>
//             ...
//         </tile_grid>
//         ...
//     </layer>
//
// Grids and rows are appended in the order of the file, the first row being the
// level's bottom row. A repeat of 0 adds nothing; other children of the layer
// and of a grid are left alone.
#pragma once

#include "levels/Layer.hpp"
#include "levels/Tile.hpp"

#include <memory>

namespace Kestrum
{
    class TangibleLayer : public Layer
    {
    public:
        // The most rows a layer takes: an hour of scrolling at any sensible speed.
        static const std::size_t MaximumRows = 65536;

        TangibleLayer();
        ~TangibleLayer() override;

        // Nothing moves in a tile layer of its own.
        void OnUpdate() override;
        // Draws the grid at the layer's offset; before Load: LogicError.
        void Draw() override;
        // Still: the tiles move with the scroll only. Draws the grid's rows
        // that the screen shows from top to bottom at the offset into the
        // target; before Load: LogicError.
        bool IsStill() const override;
        void DrawStill(sf::RenderTarget& target, float offset, float top, float bottom) override;
        // The element must be a "layer" of type "tangible" (LogicError otherwise).
        // A missing "repeat" or "scroll_factor": XmlError; a row child other than
        // "tile" and "tile_sequence": ParseError "unknown tile type found: <name>";
        // a row of other than 26 tiles: RuntimeError "row = <line of the
        // tile_row in the file>"; a tile or repeat text that is not an unsigned
        // 32-bit number: XmlError naming the element or attribute and the text
        // (see core/XmlReading.hpp); more than MaximumRows rows: RuntimeError.
        // A failed load keeps the grid read before.
        void Load(const pugi::xml_node& element) override;

        // The grid read; before Load: LogicError.
        const TileGrid& GetGrid() const;

    private:
        std::unique_ptr<TileGrid> m_grid;
    };
}
