#include "flight/GameObjectManager.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Registry.hpp"

namespace Kestrum
{
    GameObjectManager::GameObjectManager() : m_gridColumns(0), m_gridRows(0) {}
    GameObjectManager::~GameObjectManager() = default;

    void GameObjectManager::Load()
    {
        const stable_ptr<ConfigurationSystem> configuration = GetFromRegistry<ConfigurationSystem>();
        m_gridColumns = configuration->GetSpacePartitionX();
        m_gridRows = configuration->GetSpacePartitionY();
    }

    void GameObjectManager::Add(const stable_ptr<GameObject>& object)
    {
        m_objects.insert(object);
    }

    void GameObjectManager::RemoveDead()
    {
        for (auto it = m_objects.begin(); it != m_objects.end();)
        {
            if ((*it)->IsExpired())
                it = m_objects.erase(it);
            else
                ++it;
        }
    }
}
