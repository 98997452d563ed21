#include "flight/DiskBoss.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/DiskBossBehaviour.hpp"
#include "flight/GameObjectManager.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    namespace
    {
        const char* const folder = "$resources|enemies|airbosss|001";
    }

    struct DiskBoss::Data
    {
        explicit Data(const stable_ptr<DiskBossBehaviour>& behaviour) : behaviour(behaviour) {}

        stable_ptr<DiskBossBehaviour> behaviour;
        std::shared_ptr<Shadow> shadow;
    };

    stable_ptr<DiskBoss> DiskBoss::Create()
    {
        const stable_ptr<StateMachineBase> stateMachine =
            GetFromRegistry<ResourceManager>()->CreateStateMachine(JoinResourcePath(folder, "ingame.statemachine"));
        const std::string details = JoinResourcePath(folder, "details.xml");
        const auto behaviour = create_stable_ptr(std::make_shared<DiskBossBehaviour>(stateMachine));
        ReadDataFile(details, [&] {
            const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(details));
            const pugi::xml_node element = document->document_element();
            if (!element)
                BOOST_THROW_EXCEPTION(XmlError(details + " holds no element"));
            behaviour->Load(element, folder);
        });
        return create_stable_ptr(std::shared_ptr<DiskBoss>(new DiskBoss(behaviour)));
    }

    DiskBoss::DiskBoss(const stable_ptr<DiskBossBehaviour>& behaviour)
        : Enemy(LayerAir, behaviour), m_data(std::make_unique<Data>(behaviour))
    {
    }

    DiskBoss::~DiskBoss() = default;

    void DiskBoss::OnUpdate()
    {
        Enemy::OnUpdate();
        Data& data = *m_data;
        if (!data.shadow)
        {
            const stable_ptr<Shadow> shadow = data.behaviour->GetStateMachine()->EnableShadow();
            GetFromRegistry<GameObjectManager>()->Add(shadow);
            data.shadow = shadow.get_shared();
        }
        if (IsExpired())
        {
            data.shadow->Remove();
            data.shadow.reset();
        }
    }

    std::uint32_t DiskBoss::GetScorePoints() const
    {
        return m_data->behaviour->GetScorePoints();
    }

    stable_ptr<const CircleList> DiskBoss::GetBoundary() const
    {
        return m_data->behaviour->GetStateMachine()->GetBoundary();
    }

    DamageEffect DiskBoss::ApplyDamage(std::uint32_t amount)
    {
        return m_data->behaviour->ApplyDamage(amount);
    }

    void DiskBoss::DrawBody()
    {
        m_data->behaviour->GetStateMachine()->Draw(false, sf::Color(255, 255, 255, 255));
    }

    void DiskBoss::DrawDebugInformation()
    {
        Enemy::DrawDebugInformation();
        m_data->behaviour->DrawDebugInformation();
    }

    sf::Vector2f DiskBoss::GetPosition() const
    {
        return m_data->behaviour->GetStateMachine()->GetPosition();
    }

    float DiskBoss::GetHealthRatio() const
    {
        return m_data->behaviour->GetHealthRatio();
    }

    const DiskBossBehaviour& DiskBoss::GetBehaviour() const
    {
        return *m_data->behaviour;
    }
}
