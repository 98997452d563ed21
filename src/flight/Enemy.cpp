#include "flight/Enemy.hpp"

#include "core/Registry.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/InterfaceBehaviour.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/Upgrade.hpp"
#include "presentation/SpriteBatch.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

#include <set>

namespace Kestrum
{
    struct Enemy::Data
    {
        explicit Data(const stable_ptr<InterfaceBehaviour>& behaviour) : behaviour(behaviour) {}

        stable_ptr<InterfaceBehaviour> behaviour;
        std::shared_ptr<MissionProgress> missionProgress;  // only while it must be killed to win
        std::set<stable_ptr<Upgrade>> pickups;
        bool debug = false;
    };

    Enemy::Enemy(ObjectLayer layer, const stable_ptr<InterfaceBehaviour>& behaviour)
        : CollidingEnemy(layer), m_data(new Data(behaviour))
    {
    }

    Enemy::~Enemy()
    {
        if (m_data->missionProgress)
            m_data->missionProgress->GetData().IncrementKillCount();
    }

    void Enemy::OnUpdate()
    {
        m_data->behaviour->OnUpdate();
        if (!m_data->behaviour->IsFinished() || m_data->pickups.empty())
            return;
        const sf::Vector2f position = GetPosition();
        std::set<stable_ptr<Upgrade>> pickups;
        pickups.swap(m_data->pickups);
        const stable_ptr<GameObjectManager> objects = GetFromRegistry<GameObjectManager>();
        for (const stable_ptr<Upgrade>& pickup : pickups)
        {
            pickup->SetPosition(position);
            objects->Add(pickup);
        }
    }

    void Enemy::Draw()
    {
        DrawBody();
        if (m_data->debug)
            DrawDebugInformation();
    }

    bool Enemy::IsExpired() const
    {
        return m_data->behaviour->IsFinished();
    }

    void Enemy::Reset(const sf::Vector2f& position)
    {
        m_data->pickups.clear();
        m_data->behaviour->Reset(position);
    }

    void Enemy::DrawDebugInformation()
    {
        FlushSprites();
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        for (const Circle& circle : GetBoundary()->GetCircles())
            window.draw(CreateCircleShape(circle, 1.f, sf::Color(255, 0, 0, 255)));
    }

    void Enemy::SetKillToWin(bool killToWin)
    {
        if (killToWin)
            m_data->missionProgress = GetFromRegistry<MissionProgress>().get_shared();
        else
            m_data->missionProgress.reset();
    }

    void Enemy::AddUpgrade(const stable_ptr<Upgrade>& pickup)
    {
        m_data->pickups.insert(pickup);
    }

    void Enemy::SetDebug(bool debug)
    {
        m_data->debug = debug;
    }
}
