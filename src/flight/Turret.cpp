#include "flight/Turret.hpp"

#include "core/ConfigurationSystem.hpp"
#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/Graph.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/Timer.hpp"
#include "core/XmlReading.hpp"
#include "flight/Behaviour.hpp"
#include "flight/Scaling.hpp"
#include "flight/ScrollSystem.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"
#include "presentation/Angles.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SpriteBatch.hpp"
#include "presentation/StateMachineBase.hpp"

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

namespace Kestrum
{
    class TurretBehaviour : public Behaviour
    {
    public:
        explicit TurretBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
            : Behaviour(stateMachine), m_timer(0.f)
        {
        }

        void Load(const pugi::xml_node& element)
        {
            AssertElementName(element, "turret");
            CheckAndReturnVersion(element, 1);
            m_expiryLine = GetFlightArea().bottom + 2.f * GetStateMachine()->GetBoundary()->GetBoundingCircle().radius;
            m_initialHitPoints = m_hitPoints = GetChildValue<unsigned long>(element, "hit_points");
            m_blindRadius = GetChildValue<float>(element, "blind_radius");
            m_reloadTime = GetChildValue<float>(element, "reload_time");
            m_volleySize = m_shotsLeft = GetChildValue<unsigned long>(element, "volley_size");
            m_idleTime = GetChildValue<float>(element, "idle_time");
            const stable_ptr<Weapon> weapon =
                GetFromRegistry<WeaponFactory>()->CreateEnemyWeapon(GetChildValue<std::string>(element, "weapon"));
            // The turret alone paces its shots.
            weapon->SetReloadGated(false);
            m_weapon = weapon.get_shared();
            m_generator = GetFromRegistry<RandomizationSystem>()->GetGenerator().get_shared();
            Wait(m_idleTime);
            m_finished = false;
        }

        void Reset(const sf::Vector2f& position) override
        {
            Behaviour::Reset(position);
            if (!m_weapon)
                BOOST_THROW_EXCEPTION(LogicError("how can weapon be missing?"));
            m_weapon->Reset();
            m_weapon->SetReloadGated(false);
            m_shotsLeft = m_volleySize;
            m_hitPoints = m_initialHitPoints;
            Wait(m_idleTime);
            m_finished = false;
        }

        void OnUpdate() override
        {
            if (m_finished)
                return;
            StateMachineBase& machine = *GetStateMachine();
            if (m_hitPoints == 0 || machine.GetPositionY() > m_expiryLine)
            {
                machine.Execute("explode");
                m_finished = true;
            }

            // Down with the ground.
            const ScrollSystem& scroll = *GetFromRegistry<ScrollSystem>();
            machine.MovePositionY(ScaleByWindowHeight(scroll.GetSpeedGraph()->Evaluate(scroll.GetTime())) *
                                  GetFromRegistry<TimeSystem>()->GetFrameTime());

            // The head snaps toward the ship.
            machine.RotatePart("head", GetAngle(GetPlayerPosition() - machine.GetPosition()), 360000.f);
            machine.OnUpdate();

            if (!m_timer.IsElapsed())
                return;
            if (m_shotsLeft > 0)
            {
                if (GetSquaredDistanceToPlayer(machine.GetPosition()) >= m_blindRadius * m_blindRadius)
                {
                    Socket socket;
                    machine.GetSocket("head|weapon", socket);
                    m_weapon->Fire(socket.position, socket.orientation);
                    --m_shotsLeft;
                }
                else
                    m_shotsLeft = 0;  // the rest of the volley is dropped
            }
            if (m_shotsLeft == 0)
            {
                Wait(m_idleTime);
                m_shotsLeft = m_volleySize;
            }
            else
                Wait(m_reloadTime);
        }

        bool IsFinished() const override { return m_finished; }

        DamageEffect ApplyDamage(std::uint32_t amount) { return TakeHitPoints(m_hitPoints, amount); }

        void DrawDebugInformation()
        {
            sf::CircleShape circle(m_blindRadius);
            circle.setOrigin(m_blindRadius, m_blindRadius);
            circle.setPosition(GetStateMachine()->GetPosition());
            circle.setFillColor(sf::Color(0, 0, 0, 0));
            circle.setOutlineThickness(1.f);
            circle.setOutlineColor(sf::Color(64, 64, 255, 255));
            FlushSprites();
            GetFromRegistry<sf::RenderWindow>()->draw(circle);
        }

    private:
        // The next shot after the time and up to half a second more.
        void Wait(float seconds) { m_timer.Restart(seconds + 0.5f * m_generator->NextFraction()); }

        std::shared_ptr<Weapon> m_weapon;
        std::uint32_t m_initialHitPoints = 0;
        std::uint32_t m_hitPoints = 0;
        std::uint32_t m_volleySize = 0;
        float m_reloadTime = 0.f;
        float m_idleTime = 0.f;
        float m_blindRadius = 0.f;
        float m_expiryLine = 0.f;
        bool m_finished = false;
        std::shared_ptr<RandomNumberGenerator> m_generator;
        std::uint32_t m_shotsLeft = 0;
        Timer m_timer;
    };

    namespace
    {
        void CheckStateMachine(const StateMachineBase& stateMachine, const std::string& name)
        {
            for (const char* part : {"socket", "head"})
                if (!stateMachine.HasPart(part))
                    BOOST_THROW_EXCEPTION(LoadError(std::string("part '") + part + "' not found in " + name));
            if (!stateMachine.HasSocket("head|weapon"))
                BOOST_THROW_EXCEPTION(LoadError("socket 'head|weapon' not found in " + name));
            if (!stateMachine.HasTransition("explode"))
                BOOST_THROW_EXCEPTION(LoadError("transition 'explode' not found in " + name));
        }
    }

    stable_ptr<Turret> Turret::Create(const std::string& folder)
    {
        const std::string path = JoinResourcePath(folder, "details.xml");
        return ReadDataFile(path, [&] {
            const stable_ptr<pugi::xml_document> details = LoadXmlFile(ToFilesystemPath(path));
            const pugi::xml_node element = details->child("turret");
            if (!element)
                BOOST_THROW_EXCEPTION(XmlError("no turret element defined in " + path));
            const stable_ptr<StateMachineBase> stateMachine =
                GetFromRegistry<ResourceManager>()->CreateStateMachine(JoinResourcePath(folder, "ingame.statemachine"));
            CheckStateMachine(*stateMachine, folder);
            const auto behaviour = std::make_shared<TurretBehaviour>(stateMachine);
            behaviour->Load(element);
            const std::uint32_t scorePoints = GetChildValue<unsigned long>(element, "score_points");
            return create_stable_ptr(std::shared_ptr<Turret>(new Turret(create_stable_ptr(behaviour), scorePoints)));
        });
    }

    Turret::Turret(const stable_ptr<TurretBehaviour>& behaviour, std::uint32_t scorePoints)
        : Enemy(LayerGround, behaviour), m_behaviour(behaviour), m_scorePoints(scorePoints)
    {
    }

    Turret::~Turret() = default;

    std::uint32_t Turret::GetScorePoints() const
    {
        return m_scorePoints;
    }

    stable_ptr<const CircleList> Turret::GetBoundary() const
    {
        return m_behaviour->GetStateMachine()->GetBoundary();
    }

    DamageEffect Turret::ApplyDamage(std::uint32_t amount)
    {
        return m_behaviour->ApplyDamage(amount);
    }

    void Turret::DrawBody()
    {
        m_behaviour->GetStateMachine()->Draw(false, sf::Color(255, 255, 255, 255));
    }

    void Turret::DrawDebugInformation()
    {
        Enemy::DrawDebugInformation();
        m_behaviour->DrawDebugInformation();
    }

    sf::Vector2f Turret::GetPosition() const
    {
        return m_behaviour->GetStateMachine()->GetPosition();
    }
}
