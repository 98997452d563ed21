// Holds the objects of a flight, updates them and removes the dead ones.
#pragma once

#include "core/StablePtr.hpp"
#include "flight/GameObject.hpp"

#include <memory>
#include <set>

namespace Kestrum
{
    class GameObjectManager
    {
    public:
        GameObjectManager();
        virtual ~GameObjectManager();
        GameObjectManager(const GameObjectManager&) = delete;
        GameObjectManager& operator=(const GameObjectManager&) = delete;

        // Reads the size of the collision grid from the configuration.
        void Load();

        void Add(const stable_ptr<GameObject>& object);
        // Removes every object that reports itself expired.
        void RemoveDead();

        // The live objects whose dynamic type is T.
        template <typename T>
        std::set<stable_ptr<T>> GetObjects() const
        {
            std::set<stable_ptr<T>> result;
            for (const auto& object : m_objects)
                if (std::shared_ptr<T> typed = std::dynamic_pointer_cast<T>(object.get_shared()))
                    result.insert(create_stable_ptr(typed));
            return result;
        }

    private:
        std::set<stable_ptr<GameObject>> m_objects;
        unsigned int m_gridColumns;
        unsigned int m_gridRows;
    };
}
