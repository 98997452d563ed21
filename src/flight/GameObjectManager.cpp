#include "flight/GameObjectManager.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/StatisticSystem.hpp"
#include "presentation/SpriteBatch.hpp"

#include <algorithm>

namespace Kestrum
{
    namespace
    {
        // Layer first (signed), then creation.
        bool SortsBefore(const GameObject& a, const GameObject& b)
        {
            if (a.GetLayer() != b.GetLayer())
                return a.GetLayer() < b.GetLayer();
            return a.GetSerial() < b.GetSerial();
        }

        struct ByOrder
        {
            bool operator()(const stable_ptr<GameObject>& a, const GameObject& b) const { return SortsBefore(*a, b); }
            bool operator()(const GameObject& a, const stable_ptr<GameObject>& b) const { return SortsBefore(a, *b); }
        };

        // Inserts in order; false when the object is there already.
        bool InsertSorted(std::vector<stable_ptr<GameObject>>& objects, const stable_ptr<GameObject>& object)
        {
            const auto place = std::lower_bound(objects.begin(), objects.end(), *object, ByOrder());
            if (place != objects.end() && place->get() == object.get())
                return false;
            objects.insert(place, object);
            return true;
        }

        // The square around the bounding circle of a body.
        EdgeRect SquareAround(const CircleList& body)
        {
            const Circle& bounding = body.GetBoundingCircle();
            return EdgeRect::Around(bounding.GetCenter(), bounding.radius);
        }

        bool Counts(DamageEffect effect)
        {
            return effect == Damaged || effect == Destroyed;
        }

        template <typename T>
        void RemoveListed(std::vector<T*>& list, const std::vector<const GameObject*>& sortedDying)
        {
            list.erase(std::remove_if(list.begin(), list.end(),
                                      [&](T* object) {
                                          return std::binary_search(sortedDying.begin(), sortedDying.end(),
                                                                    static_cast<const GameObject*>(object));
                                      }),
                       list.end());
        }
    }

    GameObjectManager::GameObjectManager() : m_batch(new SpriteBatch()) {}
    GameObjectManager::~GameObjectManager() = default;

    void GameObjectManager::Load()
    {
        if (!m_grid.empty())
            BOOST_THROW_EXCEPTION(LogicError("call Load() only once"));
        const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
        const float columns = static_cast<float>(configuration->GetSpacePartitionX());
        const float rows = static_cast<float>(configuration->GetSpacePartitionY());
        if (columns == 0.f)
            BOOST_THROW_EXCEPTION(LogicError());
        if (rows == 0.f)
            BOOST_THROW_EXCEPTION(LogicError());

        const EdgeRect area = GetFlightArea();
        const float cellWidth = (area.right - area.left) / columns;
        const float cellHeight = (area.bottom - area.top) / rows;
        std::vector<EdgeRect> grid;
        for (float i = 0.f; i < columns; i += 1.f)
        {
            for (float j = 0.f; j < rows; j += 1.f)
            {
                const float left = area.left + i * cellWidth;
                const float top = area.top + j * cellHeight;
                grid.push_back(EdgeRect{left, top, left + cellWidth, top + cellHeight});
            }
        }
        m_grid.swap(grid);
    }

    void GameObjectManager::Add(const stable_ptr<GameObject>& object)
    {
        if (!InsertSorted(m_live, object))
            return;
        GameObject* const added = object.get();
        if (auto* shot = dynamic_cast<CollidingShot*>(added))
            (shot->IsHostile() ? m_enemyShots : m_playerShots).list.push_back(shot);
        else if (auto* pickup = dynamic_cast<CollidingPickup*>(added))
            m_pickups.list.push_back(pickup);
        else if (auto* enemy = dynamic_cast<CollidingEnemy*>(added))
            (enemy->GetLayer() == LayerGround ? m_groundEnemies : m_airEnemies).list.push_back(enemy);
        else if (auto* ship = dynamic_cast<CollidingShip*>(added))
            m_ships.list.push_back(ship);
        else
            InsertSorted(m_others, object);
    }

    void GameObjectManager::Update()
    {
        UpdatePass();
        CollisionPass();
    }

    void GameObjectManager::UpdatePass()
    {
        std::size_t index = 0;
        while (index < m_live.size())
        {
            // Held for the length of its update, whatever the update does to the level.
            const stable_ptr<GameObject> current = m_live[index];
            current->OnUpdate();
            if (index < m_live.size() && m_live[index].get() == current.get())
                ++index;
            else
                index = std::upper_bound(m_live.begin(), m_live.end(), *current, ByOrder()) - m_live.begin();
        }
    }

    void GameObjectManager::Draw()
    {
        m_batch->Open();
        try
        {
            for (std::size_t index = 0; index < m_live.size(); ++index)
                m_live[index]->Draw();
        }
        catch (...)
        {
            m_batch->Abandon();
            throw;
        }
        m_batch->Close();
    }

    void GameObjectManager::RemoveDead()
    {
        // Each object is asked once; the expired ones leave every list and set
        // together and are released last, when the manager is consistent again.
        m_dying.clear();
        auto kept = m_live.begin();
        for (auto& object : m_live)
        {
            if (object->IsExpired())
                m_dying.push_back(object);
            else
                *kept++ = object;
        }
        m_live.erase(kept, m_live.end());
        if (m_dying.empty())
            return;

        m_dyingObjects.clear();
        for (const stable_ptr<GameObject>& object : m_dying)
            m_dyingObjects.push_back(object.get());
        std::sort(m_dyingObjects.begin(), m_dyingObjects.end());
        RemoveListed(m_enemyShots.list, m_dyingObjects);
        RemoveListed(m_playerShots.list, m_dyingObjects);
        RemoveListed(m_airEnemies.list, m_dyingObjects);
        RemoveListed(m_groundEnemies.list, m_dyingObjects);
        RemoveListed(m_ships.list, m_dyingObjects);
        RemoveListed(m_pickups.list, m_dyingObjects);
        m_others.erase(std::remove_if(m_others.begin(), m_others.end(),
                                      [&](const stable_ptr<GameObject>& object) {
                                          return std::binary_search(m_dyingObjects.begin(), m_dyingObjects.end(),
                                                                    static_cast<const GameObject*>(object.get()));
                                      }),
                       m_others.end());
        m_dyingObjects.clear();
        m_dying.clear();
    }

    void GameObjectManager::Clear()
    {
        m_enemyShots.list.clear();
        m_playerShots.list.clear();
        m_airEnemies.list.clear();
        m_groundEnemies.list.clear();
        m_ships.list.clear();
        m_pickups.list.clear();
        m_others.clear();
        // Objects released here may add others in their destructors: those go
        // into the emptied level.
        m_dying.clear();
        m_dying.swap(m_live);
        m_dying.clear();
    }

    template <typename T, typename Rectangle>
    void GameObjectManager::TakeCandidates(Kind<T>& kind, Rectangle rectangle)
    {
        kind.candidates.clear();
        for (T* object : kind.list)
            kind.candidates.push_back(Candidate<T>{object, rectangle(*object), false});
    }

    template <typename T>
    void GameObjectManager::FillCell(Kind<T>& kind, const EdgeRect& cell)
    {
        kind.cell.clear();
        for (Candidate<T>& candidate : kind.candidates)
        {
            if (candidate.settled)
                continue;
            const EdgeRect common = candidate.rectangle.Overlap(cell);
            if (!(common.right > common.left && common.bottom > common.top))
                continue;
            kind.cell.push_back(candidate.object);
            if (common == candidate.rectangle)
                candidate.settled = true;
        }
    }

    void GameObjectManager::CollisionPass()
    {
        if (m_grid.empty())
            return;
        const auto shotRectangle = [](const CollidingShot& shot) { return shot.GetBoundary(); };
        const auto enemyRectangle = [](const CollidingEnemy& enemy) { return SquareAround(*enemy.GetBoundary()); };
        TakeCandidates(m_enemyShots, shotRectangle);
        TakeCandidates(m_playerShots, shotRectangle);
        TakeCandidates(m_airEnemies, enemyRectangle);
        TakeCandidates(m_groundEnemies, enemyRectangle);
        TakeCandidates(m_ships, [](const CollidingShip& ship) { return SquareAround(*ship.GetBoundary()); });
        TakeCandidates(m_pickups, [](const CollidingPickup& pickup) {
            const Circle circle = pickup.GetPickupCircle();
            return EdgeRect::Around(circle.GetCenter(), circle.radius);
        });

        for (const EdgeRect& cell : m_grid)
        {
            FillCell(m_enemyShots, cell);
            FillCell(m_playerShots, cell);
            FillCell(m_airEnemies, cell);
            FillCell(m_groundEnemies, cell);
            FillCell(m_ships, cell);
            FillCell(m_pickups, cell);
            TestCell();
        }
    }

    void GameObjectManager::TestCell()
    {
        // Ships collect the pick-ups they touch.
        for (CollidingShip* ship : m_ships.cell)
        {
            const stable_ptr<const CircleList> body = ship->GetBoundary();
            for (CollidingPickup* pickup : m_pickups.cell)
                if (!pickup->IsExpired() && body->Intersects(pickup->GetPickupCircle()))
                    pickup->HandOver(*ship);
        }

        // Hostile shots hit ships; a hit that did nothing lets the shot fly on.
        for (CollidingShip* ship : m_ships.cell)
        {
            const stable_ptr<const CircleList> body = ship->GetBoundary();
            for (CollidingShot* shot : m_enemyShots.cell)
            {
                if (shot->IsExpired() || !shot->Collides(*body) || shot->GetDamage() == 0)
                    continue;
                if (Counts(ship->ApplyDamage(shot->GetDamage())))
                {
                    shot->Explode();
                    shot->Deactivate();
                }
            }
        }

        ShotsAgainstEnemies(m_airEnemies.cell);
        ShotsAgainstEnemies(m_groundEnemies.cell);

        // Ships ram air enemies: the ship takes a hit, the enemy one point of damage.
        for (CollidingShip* ship : m_ships.cell)
        {
            const stable_ptr<const CircleList> body = ship->GetBoundary();
            for (CollidingEnemy* enemy : m_airEnemies.cell)
            {
                if (!enemy->GetBoundary()->Intersects(*body))
                    continue;
                ship->ApplyDamage(1);
                if (enemy->ApplyDamage(1) == Destroyed)
                    CountKill(*enemy);
            }
        }
    }

    void GameObjectManager::ShotsAgainstEnemies(const std::vector<CollidingEnemy*>& enemies)
    {
        for (CollidingEnemy* enemy : enemies)
        {
            const stable_ptr<const CircleList> body = enemy->GetBoundary();
            for (CollidingShot* shot : m_playerShots.cell)
            {
                if (shot->IsExpired() || !shot->Collides(*body))
                    continue;
                const DamageEffect effect = enemy->ApplyDamage(shot->GetDamage());
                if (!Counts(effect))
                    continue;
                shot->Explode();
                shot->Deactivate();
                if (effect == Destroyed)
                    CountKill(*enemy);
            }
        }
    }

    void GameObjectManager::CountKill(const CollidingEnemy& enemy)
    {
        // The statistic is read only here: before the first flight no mission
        // statistic has been started, and reading one then is an error.
        GetFromRegistry<ScoreSystem>()->score += enemy.GetScorePoints();
        GetFromRegistry<StatisticSystem>()->GetCurrent().EnemyKilled();
    }
}
