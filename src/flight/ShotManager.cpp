#include "flight/ShotManager.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/ShotBase.hpp"
#include "presentation/Action.hpp"
#include "presentation/ResourceManager.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    namespace
    {
        void AssertType(unsigned long type)
        {
            if (type >= 1000)
                BOOST_THROW_EXCEPTION(NotSupportedError("type must be smaller than 1000"));
        }
    }

    std::string GetShotActionPath(unsigned long type)
    {
        return (boost::format("resources|equipment|weapons|shots|%03d|fly.action") % type).str();
    }

    ShotManager::ShotManager() = default;
    ShotManager::~ShotManager() = default;

    stable_ptr<Action> ShotManager::CreateShotAction(unsigned long type)
    {
        const std::string path = GetShotActionPath(type);
        return ReadDataFile(path, [&] {
            auto definition = m_definitions.find(type);
            if (definition == m_definitions.end())
                definition = m_definitions.emplace(type, LoadXmlFile(ToFilesystemPath(path))).first;
            return GetFromRegistry<ResourceManager>()->CreateAction(path, definition->second->document_element());
        });
    }

    void ShotManager::Prepare(unsigned long type, bool hostile)
    {
        AssertType(type);
        const stable_ptr<Action> action = CreateShotAction(type);
        std::shared_ptr<ShotBase> shot;
        if (hostile)
            shot = std::make_shared<HostileShot>(action);
        else
            shot = std::make_shared<PlayerShot>(action);
        (hostile ? m_hostilePools : m_playerPools)[type].insert(shot);
    }

    void ShotManager::Warm(unsigned long type, bool hostile)
    {
        if (GetPoolSize(type, hostile) == 0)
            Prepare(type, hostile);
    }

    stable_ptr<ShotBase> ShotManager::Get(unsigned long type, bool hostile)
    {
        AssertType(type);
        for (;;)
        {
            const auto pool = (hostile ? m_hostilePools : m_playerPools).find(type);
            if (pool != (hostile ? m_hostilePools : m_playerPools).end())
                for (const std::shared_ptr<ShotBase>& shot : pool->second)
                    if (shot.use_count() == 1)
                        return create_stable_ptr(shot);
            Prepare(type, hostile);
        }
    }

    std::size_t ShotManager::GetPoolSize(unsigned long type, bool hostile) const
    {
        const auto& pools = hostile ? m_hostilePools : m_playerPools;
        const auto pool = pools.find(type);
        return pool == pools.end() ? 0 : pool->second.size();
    }
}
