#include "flight/FlyingEnemy.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/DiveBomberBehaviour.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/KamikazeBehaviour.hpp"
#include "flight/StraightFlightBehaviour.hpp"
#include "flight/VisitAndFleeBehaviour.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/StateMachineBase.hpp"

namespace Kestrum
{
    namespace
    {
        stable_ptr<FlightBehaviour> LoadBehaviour(const pugi::xml_node& element,
                                                  const stable_ptr<StateMachineBase>& stateMachine)
        {
            AssertElementName(element, "flying_enemy");
            CheckAndReturnVersion(element, 1);
            const std::string type = GetAttributeText(element, "type");
            std::shared_ptr<FlightBehaviour> behaviour;
            if (type == "dive_bomber")
                behaviour = std::make_shared<DiveBomberBehaviour>(stateMachine);
            else if (type == "kamikaze")
                behaviour = std::make_shared<KamikazeBehaviour>(stateMachine);
            else if (type == "visit_and_flee")
                behaviour = std::make_shared<VisitAndFleeBehaviour>(stateMachine);
            else if (type == "straight_flight")
                behaviour = std::make_shared<StraightFlightBehaviour>(stateMachine);
            else
                BOOST_THROW_EXCEPTION(UnknownTypeError("behaviour type " + type + " is unknown"));
            behaviour->Load(element);
            return create_stable_ptr(behaviour);
        }
    }

    stable_ptr<FlyingEnemy> FlyingEnemy::Create(const std::string& folder)
    {
        const stable_ptr<StateMachineBase> stateMachine =
            GetFromRegistry<ResourceManager>()->CreateStateMachine(JoinResourcePath(folder, "ingame.statemachine"));
        const std::string path = JoinResourcePath(folder, "details.xml");
        return ReadDataFile(path, [&] {
            const stable_ptr<pugi::xml_document> details = LoadXmlFile(ToFilesystemPath(path));
            const pugi::xml_node root = details->document_element();
            if (!root)
                BOOST_THROW_EXCEPTION(XmlError(path + " has no root element"));
            const stable_ptr<FlightBehaviour> behaviour = LoadBehaviour(root, stateMachine);
            const std::uint32_t scorePoints = GetChildValue<unsigned long>(root, "score_points");
            return create_stable_ptr(std::shared_ptr<FlyingEnemy>(new FlyingEnemy(behaviour, scorePoints)));
        });
    }

    FlyingEnemy::FlyingEnemy(const stable_ptr<FlightBehaviour>& behaviour, std::uint32_t scorePoints)
        : Enemy(LayerAir, behaviour), m_behaviour(behaviour), m_scorePoints(scorePoints), m_shadowAdded(false)
    {
    }

    FlyingEnemy::~FlyingEnemy() = default;

    void FlyingEnemy::OnUpdate()
    {
        Enemy::OnUpdate();
        if (m_shadow && !m_shadowAdded)
        {
            GetFromRegistry<GameObjectManager>()->Add(create_stable_ptr(std::shared_ptr<GameObject>(m_shadow)));
            m_shadowAdded = true;
        }
        if (IsExpired() && m_shadow)
        {
            m_shadow->Remove();
            m_shadow.reset();
            m_shadowAdded = false;
        }
    }

    std::uint32_t FlyingEnemy::GetScorePoints() const
    {
        return m_scorePoints;
    }

    stable_ptr<const CircleList> FlyingEnemy::GetBoundary() const
    {
        return m_behaviour->GetStateMachine()->GetBoundary();
    }

    void FlyingEnemy::Reset(const sf::Vector2f& position)
    {
        Enemy::Reset(position);
        m_shadow = m_behaviour->GetStateMachine()->EnableShadow().get_shared();
        m_shadowAdded = false;
    }

    DamageEffect FlyingEnemy::ApplyDamage(std::uint32_t amount)
    {
        return m_behaviour->ApplyDamage(amount);
    }

    void FlyingEnemy::DrawBody()
    {
        m_behaviour->GetStateMachine()->Draw(false, sf::Color(255, 255, 255, 255));
    }

    sf::Vector2f FlyingEnemy::GetPosition() const
    {
        return m_behaviour->GetStateMachine()->GetPosition();
    }
}
