// Keeps a pool of ready shots for every shot type and for each side, and hands
// out a pooled shot that nobody else holds any more. A pool grows only when
// every shot of it is in flight, and never shrinks.
//
// A shot type is a number below 1000 naming the folder of the shot's action,
// "resources|equipment|weapons|shots|%03d|fly.action". The action file is read
// once, when the type is first prepared (weapons prepare their shot types when
// they load); further shots of the type are built from the parsed definition,
// so handing out shots never reads a file.
#pragma once

#include "core/StablePtr.hpp"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace pugi
{
    class xml_document;
}

namespace Kestrum
{
    class Action;
    class ShotBase;

    class ShotManager
    {
    public:
        ShotManager();
        virtual ~ShotManager();
        ShotManager(const ShotManager&) = delete;
        ShotManager& operator=(const ShotManager&) = delete;

        // Adds one new shot of the type to the pool of the side. A type of 1000
        // or more: NotSupportedError "type must be smaller than 1000".
        void Prepare(unsigned long type, bool hostile);
        // Makes sure the pool of the type and side holds a shot.
        void Warm(unsigned long type, bool hostile);
        // A free shot of the type and side, made when none is free; it keeps the
        // state of its last flight until it is launched.
        stable_ptr<ShotBase> Get(unsigned long type, bool hostile);

        // The number of shots in the pool of the type and side.
        std::size_t GetPoolSize(unsigned long type, bool hostile) const;

        // A new action of the shot type.
        stable_ptr<Action> CreateShotAction(unsigned long type);

    private:
        struct PoolOrder
        {
            bool operator()(const std::shared_ptr<ShotBase>& a, const std::shared_ptr<ShotBase>& b) const
            {
                return a.owner_before(b);
            }
        };
        typedef std::set<std::shared_ptr<ShotBase>, PoolOrder> Pool;

        std::map<unsigned long, Pool> m_hostilePools;
        std::map<unsigned long, Pool> m_playerPools;
        std::map<unsigned long, stable_ptr<pugi::xml_document>> m_definitions;
    };

    // The resource path of the action of a shot type.
    std::string GetShotActionPath(unsigned long type);
}
