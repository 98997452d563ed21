#include "flight/TankBoss.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/Timer.hpp"
#include "flight/Behaviour.hpp"
#include "flight/InterfaceBehaviour.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"
#include "presentation/CircleList.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/StateMachineBase.hpp"

#include <cmath>
#include <list>
#include <vector>

namespace Kestrum
{
    namespace
    {
        const char* const folder = "resources|enemies|groundbosss|000";

        void Require(bool present)
        {
            if (!present)
                BOOST_THROW_EXCEPTION(ResourceMissingError());
        }

        void CheckPhase1Parts(const StateMachineBase& machine)
        {
            for (const char* part : {"turret", "body", "body|body", "body|left_track", "body|right_track"})
                Require(machine.HasPart(part));
            Require(machine.HasTransition("turret|phase_end"));
            for (int gun = 0; gun < 5; ++gun)
                Require(machine.HasSocket("turret|gun" + std::to_string(gun)));
        }

        void CheckPhase2Parts(const StateMachineBase& machine)
        {
            for (const char* part : {"left_part", "right_part", "center_part", "right_part|body", "right_part|track",
                                     "right_part|turret", "left_part|body", "left_part|track", "left_part|turret"})
                Require(machine.HasPart(part));
            for (const char* transition : {"extend", "phase_end", "right_part|explode", "center_part|explode",
                                           "left_part|explode", "right_part|turret|explode", "left_part|turret|explode"})
                Require(machine.HasTransition(transition));
            for (const char* part : {"left_part", "right_part"})
                for (int muzzle = 0; muzzle < 8; ++muzzle)
                    Require(machine.HasSocket(std::string(part) + "|turret|muzzle" + std::to_string(muzzle)));
        }

        // One phase of the boss: its body, its guns and its hit points.
        class PhaseData
        {
        public:
            explicit PhaseData(float interval) : timer(interval) {}
            virtual ~PhaseData() = default;
            PhaseData(const PhaseData&) = delete;
            PhaseData& operator=(const PhaseData&) = delete;

            // Full hit points, the body back at the start.
            virtual void Reset()
            {
                hitPoints = initialHitPoints;
                if (stateMachine)
                    SetStateMachine(create_stable_ptr(stateMachine));
            }

            DamageEffect ApplyDamage(std::uint32_t amount) { return TakeHitPoints(hitPoints, amount); }

            virtual bool IsFinished() const = 0;
            virtual void OnUpdate() = 0;

            // The body, reset and turned to face down the screen.
            virtual void SetStateMachine(const stable_ptr<StateMachineBase>& machine)
            {
                stateMachine = machine.get_shared();
                machine->Reset();
                machine->SetRotation(90.f);
            }

            // The phase takes over where the one before it ended.
            virtual void Initialize(const sf::Vector2f& position, float rotation)
            {
                if (!stateMachine)
                    BOOST_THROW_EXCEPTION(LogicError("phase without a body"));
                stateMachine->SetPosition(position.x, position.y);
                stateMachine->SetRotation(rotation);
            }

            std::vector<stable_ptr<Weapon>> weapons;
            std::uint32_t hitPoints = 0;
            std::uint32_t initialHitPoints = 0;
            std::shared_ptr<StateMachineBase> stateMachine;
            Timer timer;
        };

        // The tank: it drives to its place, then aims and fires its five guns.
        class Phase1 : public PhaseData
        {
        public:
            Phase1() : PhaseData(0.5f) {}

            void Reset() override
            {
                PhaseData::Reset();
                positioned = false;
                timer.Restart(0.5f);
            }

            bool IsFinished() const override { return hitPoints == 0; }

            void OnUpdate() override
            {
                StateMachineBase& machine = *stateMachine;
                if (hitPoints == 0)
                    machine.Execute("turret|phase_end");
                machine.OnUpdate();
                const float frameTime = GetFromRegistry<TimeSystem>()->GetFrameTime();
                if (!positioned)
                {
                    // The middle of the field, a quarter of its height from the top:
                    // across at once, then down (or up) to it.
                    const EdgeRect field = GetFlightArea();
                    target = sf::Vector2f((field.left + field.right) * 0.5f,
                                          field.top + (field.bottom - field.top) * 0.25f);
                    positioned = true;
                    machine.SetPositionX(target.x);
                }
                if (machine.GetPosition() != target)
                {
                    const sf::Vector2f difference = target - machine.GetPosition();
                    const float distance = std::sqrt(difference.x * difference.x + difference.y * difference.y);
                    // Pixels per second, whatever the window's height.
                    const float step = frameTime * 76.8f;
                    const sf::Vector2f move = difference * (step / distance);
                    if (move.x * move.x + move.y * move.y <= distance * distance)
                        machine.MovePosition(move.x, move.y);
                    else
                        machine.SetPosition(target.x, target.y);
                    return;
                }
                if (!timer.IsElapsed())
                    return;
                if (!machine.RotatePart("turret", GetPlayerPosition(), 100.f))
                    return;
                for (std::size_t gun = 0; gun < 5; ++gun)
                {
                    *Log(LogLevel::debug) << "phase1 shoot";
                    Socket socket;
                    if (gun < weapons.size() && machine.GetSocket("turret|gun" + std::to_string(gun), socket))
                        weapons[gun]->Fire(socket.position, socket.orientation);
                }
                timer.Restart();
            }

            bool positioned = false;
            sf::Vector2f target;
        };

        // The opened machine: it extends, then fires salvos from its side
        // turrets, right and left by turns, while they keep turning.
        class Phase2 : public PhaseData
        {
        public:
            Phase2() : PhaseData(0.2f) {}

            void Reset() override
            {
                PhaseData::Reset();
                timer.Restart(0.2f);
                side = 0;
                extended = false;
                finished = false;
            }

            bool IsFinished() const override { return finished; }

            void OnUpdate() override
            {
                StateMachineBase& machine = *stateMachine;
                if (extended && hitPoints == 0)
                {
                    machine.Execute("phase_end");
                    extended = false;
                }
                machine.OnUpdate();
                if (!extended)
                    return;
                if (timer.IsElapsed())
                {
                    side = (side + 1) % 2;
                    if (side == 0)
                        Shoot("left_part", 0);
                    else
                        Shoot("right_part", 8);
                    timer.Restart();
                }
                // The aim always lies ahead of the turrets: they never stop turning,
                // the left one anticlockwise.
                const float left = machine.GetPartRotation("left_part|turret");
                machine.RotatePart("left_part|turret", left + 170.f, -22.5f);
                const float right = machine.GetPartRotation("right_part|turret");
                machine.RotatePart("right_part|turret", right + 170.f, 22.222221f);
            }

            void SetStateMachine(const stable_ptr<StateMachineBase>& machine) override
            {
                PhaseData::SetStateMachine(machine);
                machine->SetSignalHandler([this](const std::string& signal) { OnSignal(signal); });
            }

            void Initialize(const sf::Vector2f& position, float rotation) override
            {
                PhaseData::Initialize(position, rotation);
                stateMachine->Execute("extend");
            }

            void OnSignal(const std::string& signal)
            {
                *Log(LogLevel::debug) << "TankBoss.Phase2 received signal " << signal;
                if (signal == "extension_finished")
                    extended = true;
                else if (signal == "kill_me")
                    finished = true;
                else
                    *Log(LogLevel::warning) << "received unexpected signal " << signal;
            }

            int side = 0;
            bool extended = false;
            bool finished = false;

        private:
            void Shoot(const std::string& part, std::size_t first)
            {
                *Log(LogLevel::debug) << "phase2 shoot, turret " << part;
                for (std::size_t muzzle = 0; muzzle < 8; ++muzzle)
                {
                    const std::string name = part + "|turret|muzzle" + std::to_string(muzzle);
                    Socket socket;
                    if (!stateMachine->GetSocket(name, socket))
                        *Log(LogLevel::error) << "logic error: why disappeared muzzle " << name;
                    else if (first + muzzle < weapons.size())
                        weapons[first + muzzle]->Fire(socket.position, socket.orientation);
                }
            }
        };

        typedef std::list<std::shared_ptr<PhaseData>> Phases;

        // A phase with its body and `count` guns of the enemy weapon.
        template <typename Phase>
        std::shared_ptr<PhaseData> CreatePhase(const std::string& file, void (*check)(const StateMachineBase&),
                                               std::uint32_t hitPoints, const std::string& weapon, int count)
        {
            const stable_ptr<StateMachineBase> machine =
                GetFromRegistry<ResourceManager>()->CreateStateMachine(JoinResourcePath(folder, file));
            check(*machine);
            const auto phase = std::make_shared<Phase>();
            phase->SetStateMachine(machine);
            phase->hitPoints = phase->initialHitPoints = hitPoints;
            // Each gun gets a weapon of its own: the factory hands out a new copy every time.
            for (int gun = 0; gun < count; ++gun)
                phase->weapons.push_back(GetFromRegistry<WeaponFactory>()->CreateEnemyWeapon(weapon));
            return phase;
        }
    }

    // Runs the phases one after the other; done when the last is over.
    class TankBossBehaviour : public InterfaceBehaviour
    {
    public:
        void SetPhases(const Phases& phases)
        {
            float total = 0.f;
            for (const std::shared_ptr<PhaseData>& phase : phases)
            {
                if (!phase)
                    BOOST_THROW_EXCEPTION(LogicError("empty phase"));
                total += float(phase->initialHitPoints);
            }
            allPhases = activePhases = phases;
            totalHitPoints = total;
        }

        void Reset(const sf::Vector2f& position) override
        {
            for (const std::shared_ptr<PhaseData>& phase : allPhases)
                phase->Reset();
            activePhases = allPhases;
            if (!activePhases.empty())
                activePhases.front()->stateMachine->SetPosition(position.x, position.y);
        }

        void OnUpdate() override
        {
            if (activePhases.empty())
                return;
            const std::shared_ptr<PhaseData> front = activePhases.front();
            front->OnUpdate();
            if (!front->IsFinished())
                return;
            activePhases.pop_front();
            if (!activePhases.empty())
                activePhases.front()->Initialize(front->stateMachine->GetPosition(), front->stateMachine->GetRotation());
        }

        bool IsFinished() const override { return activePhases.empty(); }

        float totalHitPoints = 0.f;
        Phases activePhases;
        Phases allPhases;
    };

    stable_ptr<TankBoss> TankBoss::Create()
    {
        Phases phases;
        phases.push_back(CreatePhase<Phase1>("phase1.statemachine", &CheckPhase1Parts, 900, "500", 5));
        phases.push_back(CreatePhase<Phase2>("phase2.statemachine", &CheckPhase2Parts, 1100, "504", 16));
        const auto behaviour = create_stable_ptr(std::make_shared<TankBossBehaviour>());
        behaviour->SetPhases(phases);
        return create_stable_ptr(std::shared_ptr<TankBoss>(new TankBoss(behaviour)));
    }

    TankBoss::TankBoss(const stable_ptr<TankBossBehaviour>& behaviour)
        : Enemy(LayerGround, behaviour), m_behaviour(behaviour), m_scorePoints(200000)
    {
    }

    TankBoss::~TankBoss() = default;

    std::uint32_t TankBoss::GetScorePoints() const
    {
        return m_scorePoints;
    }

    stable_ptr<const CircleList> TankBoss::GetBoundary() const
    {
        if (m_behaviour->activePhases.empty())
            return create_stable_ptr(std::make_shared<const CircleList>());
        return m_behaviour->activePhases.front()->stateMachine->GetBoundary();
    }

    DamageEffect TankBoss::ApplyDamage(std::uint32_t amount)
    {
        const Phases& phases = m_behaviour->activePhases;
        if (phases.empty())
            return AlreadyDestroyed;
        if (phases.size() == 1)
            return phases.front()->ApplyDamage(amount);
        // Only the last phase's end pays: hits on the first count as damage,
        // even once it is down.
        if (amount == 0)
            return NoDamage;
        phases.front()->ApplyDamage(amount);
        return Damaged;
    }

    void TankBoss::DrawBody()
    {
        if (!m_behaviour->activePhases.empty())
            m_behaviour->activePhases.front()->stateMachine->Draw(false, sf::Color(255, 255, 255, 255));
    }

    void TankBoss::DrawDebugInformation()
    {
        Enemy::DrawDebugInformation();
        if (!m_behaviour->activePhases.empty())
            m_behaviour->activePhases.front()->stateMachine->DrawDebugInformation();
    }

    sf::Vector2f TankBoss::GetPosition() const
    {
        if (m_behaviour->activePhases.empty())
            return sf::Vector2f(0.f, 0.f);
        return m_behaviour->activePhases.front()->stateMachine->GetPosition();
    }

    float TankBoss::GetHealthRatio() const
    {
        float left = 0.f;
        for (const std::shared_ptr<PhaseData>& phase : m_behaviour->activePhases)
            left += float(phase->hitPoints);
        return left / m_behaviour->totalHitPoints;
    }
}
