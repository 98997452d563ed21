// The one service that owns the objects of the current level. Every frame runs:
//   1. RemoveDead (first thing in the main loop): the objects that report
//      themselves expired leave the level;
//   2. Update (the stage's update): every object's OnUpdate, in layer order,
//      then the collision pass over the grid;
//   3. Draw (the stage's draw): every object, in layer order.
// An expired object is therefore still drawn in the frame it expired in.
//
// Objects are ordered by layer (ascending) and, within a layer, by their
// creation (GameObject::GetSerial). Objects added during the update pass are
// updated in the same pass when they sort after the object being updated (a
// shot an enemy fires, layer 5 after layer 2, moves in the frame it is fired).
//
// The collision pass. Add sorts each object by its kind into one of six lists:
// enemy shots and player shots (CollidingShot, by IsHostile), air and ground
// enemies (CollidingEnemy, by layer), ships (CollidingShip), pick-ups
// (CollidingPickup); any other object takes no part in collisions. After the
// update pass every listed object's rectangle is taken once; then, cell by
// cell over the grid (columns of the play field, top to bottom, left to right),
// the objects whose rectangles strictly overlap the cell are tested pairwise:
//   1. ships against pick-ups,
//   2. ships against enemy shots,
//   3. air enemies against player shots,
//   4. ground enemies against player shots,
//   5. ships ramming air enemies.
// An object lying wholly inside a cell is not considered by later cells; one
// that straddles k cells is tested k times. A destroyed enemy adds its points
// to the ScoreSystem and a kill to the current mission statistic, once per
// destroying hit. Objects added during the collision pass (impact effects)
// take part from the next frame on.
//
// The grid has space_partition_x columns and space_partition_y rows (general
// configuration), fixed by Load at start-up; without it nothing collides.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/CollidingEnemy.hpp"
#include "flight/CollidingPickup.hpp"
#include "flight/CollidingShip.hpp"
#include "flight/CollidingShot.hpp"
#include "presentation/EdgeRect.hpp"
#include "presentation/GameObject.hpp"
#include "presentation/ObjectSink.hpp"

#include <memory>
#include <set>
#include <vector>

namespace Kestrum
{
    class SpriteBatch;

    class GameObjectManager : public ObjectSink
    {
    public:
        GameObjectManager();
        ~GameObjectManager() override;
        GameObjectManager(const GameObjectManager&) = delete;
        GameObjectManager& operator=(const GameObjectManager&) = delete;

        // Builds the collision grid from the configuration. A second call:
        // LogicError "call Load() only once"; a column or row count of 0: a
        // LogicError without message, and the grid stays empty.
        void Load();

        // Takes the object into the level; an object already there is left as it is.
        void Add(const stable_ptr<GameObject>& object) override;
        // The update pass, then the collision pass.
        void Update();
        // The two halves of Update, for measuring them apart.
        void UpdatePass();
        void CollisionPass();
        // Every object in order, their sprites through the manager's sprite
        // batch (presentation/SpriteBatch.hpp), which is open for the pass.
        void Draw();
        SpriteBatch& GetSpriteBatch() { return *m_batch; }
        // Removes every object that reports itself expired; the others keep their order.
        void RemoveDead();
        // Empties the level; the grid stays.
        void Clear();

        // The cells of the collision grid, column by column.
        const std::vector<EdgeRect>& GetGrid() const { return m_grid; }

        // Every object of the level whose dynamic type is or derives from T.
        template <typename T>
        std::set<stable_ptr<T>> GetObjects() const
        {
            std::set<stable_ptr<T>> result;
            for (const stable_ptr<GameObject>& object : m_live)
                if (std::shared_ptr<T> typed = std::dynamic_pointer_cast<T>(object.get_shared()))
                    result.insert(create_stable_ptr(typed));
            return result;
        }

        // Calls the function with every live object of the kind, in drawing
        // order, copying nothing: for looking through the objects every frame.
        template <typename T, typename Function>
        void ForEachObject(Function function) const
        {
            for (const stable_ptr<GameObject>& object : m_live)
                if (T* typed = dynamic_cast<T*>(object.get()))
                    function(*typed);
        }

    private:
        template <typename T>
        struct Candidate
        {
            T* object;
            EdgeRect rectangle;
            bool settled;  // lies wholly inside an earlier cell
        };
        template <typename T>
        struct Kind
        {
            std::vector<T*> list;                // in order of addition
            std::vector<Candidate<T>> candidates;  // this frame's collision pass
            std::vector<T*> cell;                // the candidates in the current cell
        };

        template <typename T, typename Rectangle>
        static void TakeCandidates(Kind<T>& kind, Rectangle rectangle);
        template <typename T>
        static void FillCell(Kind<T>& kind, const EdgeRect& cell);
        void TestCell();
        void ShotsAgainstEnemies(const std::vector<CollidingEnemy*>& enemies);
        static void CountKill(const CollidingEnemy& enemy);

        std::vector<stable_ptr<GameObject>> m_live;    // sorted by layer and serial; owns the objects
        std::vector<stable_ptr<GameObject>> m_others;  // sorted the same way; in no list
        std::vector<stable_ptr<GameObject>> m_dying;   // taken out by RemoveDead or Clear, released last
        std::vector<const GameObject*> m_dyingObjects;
        Kind<CollidingShot> m_enemyShots;
        Kind<CollidingShot> m_playerShots;
        Kind<CollidingEnemy> m_airEnemies;
        Kind<CollidingEnemy> m_groundEnemies;
        Kind<CollidingShip> m_ships;
        Kind<CollidingPickup> m_pickups;
        std::vector<EdgeRect> m_grid;
        std::unique_ptr<SpriteBatch> m_batch;
    };
}
