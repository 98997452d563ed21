#include "levels/TangibleStage.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/EnemySpawn.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/GameObjectManager.hpp"
#include "levels/Tile.hpp"
#include "levels/TileManager.hpp"
#include "presentation/ObjectSink.hpp"

#include <algorithm>
#include <optional>
#include <set>

namespace Kestrum
{
    namespace
    {
        // What would end the game only when the enemy comes in is refused while
        // the level loads.
        void CheckSpawn(const Spawn& spawn, std::optional<std::set<std::string>>& items)
        {
            if (spawn.GetX() >= TilesPerRow)
                BOOST_THROW_EXCEPTION(OutOfRangeError("enemy " + spawn.GetType() + " at column " +
                                                      std::to_string(spawn.GetX()) + " lies outside the field of " +
                                                      std::to_string(TilesPerRow) + " columns"));
            for (const std::string& id : spawn.GetUpgradeIDs())
            {
                if (!items)
                    items = GetFromRegistry<EquipmentFactory>()->GetEquipmentTypes();
                if (!items->count(id))
                    BOOST_THROW_EXCEPTION(
                        UnknownTypeError("upgrade " + id + " of enemy " + spawn.GetType() + " names no item"));
            }
        }

        void LoadEnemySpawns(const pugi::xml_node& element, std::vector<stable_ptr<Spawn>>& spawns)
        {
            const pugi::xml_node enemies = GetChildElement(element, "enemies");
            std::optional<std::set<std::string>> items;
            for (const pugi::xml_node child : enemies.children())
            {
                if (child.type() != pugi::node_element)
                    continue;
                const stable_ptr<EnemySpawn> spawn(new EnemySpawn());
                spawn->Load(child);
                CheckSpawn(*spawn, items);
                spawn->Prepare(1);
                spawns.push_back(spawn);
            }
            std::stable_sort(spawns.begin(), spawns.end(), [](const stable_ptr<Spawn>& a, const stable_ptr<Spawn>& b) {
                return std::make_pair(a->GetY(), a->GetX()) < std::make_pair(b->GetY(), b->GetX());
            });
        }
    }

    TangibleStage::TangibleStage() = default;
    TangibleStage::~TangibleStage() = default;

    void TangibleStage::OnUpdate()
    {
        const float offset = GetOffset();
        const unsigned revealed = GetFromRegistry<TileManager>()->GetRevealedRowCount(offset);
        const stable_ptr<ObjectSink> sink = GetFromRegistry<ObjectSink>();
        for (auto spawn = m_spawns.begin(); spawn != m_spawns.end();)
        {
            if ((*spawn)->GetY() <= revealed + (*spawn)->GetLeadRows())
            {
                const sf::Vector2f centre = TileToWorld((*spawn)->GetX(), (*spawn)->GetY(), offset) +
                                            sf::Vector2f(16.f, 16.f);
                sink->Add((*spawn)->Create(centre));
                spawn = m_spawns.erase(spawn);
            }
            else
                ++spawn;
        }
        GetFromRegistry<GameObjectManager>()->Update();
    }

    void TangibleStage::Draw()
    {
        GetFromRegistry<GameObjectManager>()->Draw();
    }

    void TangibleStage::Load(const pugi::xml_node& element)
    {
        *Log(LogLevel::debug) << "loading TangibleStage";
        AssertElementName(element, "stage");
        AssertAttribute(element, "type", "tangible");
        Layer::Load(element);
        LoadEnemySpawns(element, m_spawns);
    }

    unsigned TangibleStage::GetEnemyCount() const
    {
        return unsigned(m_spawns.size());
    }
}
