// Writes a generated level as "structure.xml" in its mission folder, in the
// form that XmlLayerLoader reads:
//
//     <mission version="1">
//         <layers>
//             <layer type="tangible" scroll_factor="1">
//                 <tile_grid repeat="1">
//                     <tile_row repeat="1">              row 0, the bottom of the level, first
//                         <tile_sequence repeat="12">15</tile_sequence>
//                         <tile>65520</tile>
//                         <tile_sequence repeat="13">15</tile_sequence>
//                     </tile_row> ...
//             <stage type="tangible" scroll_factor="1">
//                 <enemies> <enemy x="13" y="30" type="airboss001"> ... </enemies>
//                 <enemy_formations />
//                 <objects />
//         </layers>
//         <seed>42</seed>
//         <background_music>1</background_music>
//         <scroll_behaviour><graph type="flat_line"><y>0.07</y></graph></scroll_behaviour>
//     </mission>
//
// Numbers are written as a standard stream writes them ("1", "0.025"). The
// enemies stand in the order of their row, column and type, so the same level
// always gives the same bytes.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/Tile.hpp"

#include <pugixml.hpp>

#include <set>
#include <string>

namespace Kestrum
{
    class EnemySpawn;
    class MissionBlueprint;

    class LevelWriter
    {
    public:
        // Generated levels scroll at the arcade missions' cruising speed, in
        // window heights per second.
        static constexpr float ScrollSpeed = 0.07f;

        LevelWriter() = delete;

        // Writes the level of the grid and the spawns into the folder of the
        // resource path, which is made with its parents when it is missing (no
        // folder made: FileError "could not create directory <path>"), replacing
        // an earlier "structure.xml" whole. Turret spawns (ApplyTurretSpeed) get
        // the turret speed first, whatever speed they had. A failure before the
        // file is written leaves the old one as it was.
        static void WriteDefinition(const std::string& directory, const MissionBlueprint& blueprint, float turretSpeed,
                                    const TileGrid& grid, unsigned long music,
                                    const std::set<stable_ptr<EnemySpawn>>& spawns);

        // Each appends its element to the parent and returns it: "tile_grid"
        // with every row in order; "tile_row" with the row's runs of equal
        // tiles from the left; for one run "tile" (one tile) or "tile_sequence"
        // with its length as "repeat". An empty run: LogicError "received
        // empty sequence".
        static pugi::xml_node CreateTileGridElement(pugi::xml_node parent, const TileGrid& grid);
        static pugi::xml_node CreateTileRowElement(pugi::xml_node parent, const TileRow& row);
        static pugi::xml_node CreateTileElement(pugi::xml_node parent, const TileRow& run);

        // Takes the first tile and the equal ones that follow it off the front
        // of the row and returns them; an empty row gives an empty run.
        static TileRow SplitLeadingRun(TileRow& row);
        // The row at the index; beyond the grid the error is logged ("Wrong row
        // index: index = 7, available rows = 3") and std::out_of_range passes on.
        static const TileRow& GetTileRow(const TileGrid& grid, unsigned index);
        // Whether the enemy type is a turret: it begins with "turret" in any case.
        static bool ApplyTurretSpeed(const std::string& type);
    };
}
