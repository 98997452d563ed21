// The layer of a level in which the flight happens. It holds the level's enemy
// spawns, lets each enemy into the flight when the scroll brings its row near
// the top of the screen, and runs and draws the flight's game objects, so that
// the layers after it in the level file are drawn over ships, enemies and shots.
// Its element in the level file:
//
//     <stage type="tangible" scroll_factor="1">
//         <enemies>
//             <enemy x="12" y="40" type="airship002"> ... </enemy>     see EnemySpawn
//             ...
//         </enemies>
//     </stage>
//
// Every enemy is made while the level loads; with a window 768 pixels high an
// enemy whose tile row is r comes in once the layer has scrolled by
// 32 * (r - 27) pixels, entering from above the screen. Enemies due in the same
// frame come in by row, then column, then their order in the file, so that a
// flight runs the same way every time.
#pragma once

#include "core/StablePtr.hpp"
#include "levels/Layer.hpp"

#include <vector>

namespace Kestrum
{
    class Spawn;

    class TangibleStage : public Layer
    {
    public:
        TangibleStage();
        ~TangibleStage() override;

        // Lets in the enemies that are due, each at the centre of its tile,
        // through the registered ObjectSink, then runs the GameObjectManager's
        // update.
        void OnUpdate() override;
        // Draws every game object.
        void Draw() override;
        // The element must be a "stage" of type "tangible" (LogicError
        // otherwise) with a "scroll_factor" and an "enemies" child (XmlError
        // without them). Every child of "enemies" is read as an enemy spawn and
        // its enemy made at once; their errors pass through and stop the load,
        // as do a column beyond the field (OutOfRangeError "enemy <type> at
        // column <x> lies outside the field of 26 columns") and an upgrade that
        // the EquipmentFactory does not know (UnknownTypeError "upgrade <id> of
        // enemy <type> names no item"). The spawns add to those read before.
        void Load(const pugi::xml_node& element) override;
        // The enemies not let in yet.
        unsigned GetEnemyCount() const override;

    private:
        std::vector<stable_ptr<Spawn>> m_spawns;  // by row, column, then file order
    };
}
