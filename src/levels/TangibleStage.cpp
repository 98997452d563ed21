#include "levels/TangibleStage.hpp"

#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/EnemySpawn.hpp"
#include "flight/GameObjectManager.hpp"
#include "levels/Tile.hpp"
#include "levels/TileManager.hpp"

namespace Kestrum
{
    namespace
    {
        void LoadEnemySpawns(const pugi::xml_node& element, std::set<stable_ptr<Spawn>>& spawns)
        {
            const pugi::xml_node enemies = GetChildElement(element, "enemies");
            for (const pugi::xml_node child : enemies.children())
            {
                if (child.type() != pugi::node_element)
                    continue;
                const stable_ptr<EnemySpawn> spawn(new EnemySpawn());
                spawn->Load(child);
                spawn->Prepare(1);
                spawns.insert(spawn);
            }
        }
    }

    TangibleStage::TangibleStage() = default;
    TangibleStage::~TangibleStage() = default;

    void TangibleStage::OnUpdate()
    {
        const float offset = GetOffset();
        const unsigned revealed = GetFromRegistry<TileManager>()->GetRevealedRowCount(offset);
        const stable_ptr<GameObjectManager> objects = GetFromRegistry<GameObjectManager>();
        for (auto spawn = m_spawns.begin(); spawn != m_spawns.end();)
        {
            if ((*spawn)->GetY() <= revealed + (*spawn)->GetLeadRows())
            {
                const sf::Vector2f centre = TileToWorld((*spawn)->GetX(), (*spawn)->GetY(), offset) +
                                            sf::Vector2f(16.f, 16.f);
                objects->Add((*spawn)->Create(centre));
                spawn = m_spawns.erase(spawn);
            }
            else
                ++spawn;
        }
        objects->Update();
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
