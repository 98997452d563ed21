#include "flight/DiskBossBehaviour.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/RandomNumberGenerator.hpp"
#include "core/RandomizationSystem.hpp"
#include "core/Registry.hpp"
#include "core/ResourceUtility.hpp"
#include "core/TimeSystem.hpp"
#include "core/Timer.hpp"
#include "core/XmlReading.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/Scaling.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ParticleFactory.hpp"
#include "presentation/ParticleSystem.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/SoundEmitter.hpp"
#include "presentation/SpriteBatch.hpp"
#include "presentation/StateMachineBase.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace Kestrum
{
    namespace
    {
        const unsigned slotCount = 4;

        std::string SlotName(unsigned slot)
        {
            return "slot" + std::to_string(slot);
        }

        std::string MuzzleName(unsigned slot)
        {
            return SlotName(slot) + "|weapon|muzzle";
        }

        void CheckStateMachine(const StateMachineBase& machine)
        {
            if (!machine.HasPart("body"))
                BOOST_THROW_EXCEPTION(LogicError("part body is missing"));
            for (unsigned slot = 0; slot < slotCount; ++slot)
            {
                const std::string name = SlotName(slot);
                if (!machine.HasPart(name))
                    BOOST_THROW_EXCEPTION(LogicError("part " + name + " is missing"));
                const std::string weapon = name + "|weapon";
                if (!machine.HasPart(weapon))
                    BOOST_THROW_EXCEPTION(LogicError(weapon + " is missing"));
                if (!machine.HasSocket(weapon + "|muzzle"))
                    BOOST_THROW_EXCEPTION(LogicError("muzzle of " + weapon + " is missing"));
            }
            if (!machine.HasTransition("explode"))
                BOOST_THROW_EXCEPTION(LogicError("transition explode is missing"));
        }
    }

    struct DiskBossBehaviour::Data
    {
        explicit Data(const stable_ptr<StateMachineBase>& stateMachine)
            : stateMachine(stateMachine), dwellTimer(0.f), openTimer(0.f), closedTimer(0.f), shotTimer(0.f)
        {
            slots.fill(Closed);
        }

        stable_ptr<StateMachineBase> stateMachine;
        std::uint32_t scorePoints = 0;
        State state = Appear;
        std::uint32_t hitPoints = 0;
        std::uint32_t initialHitPoints = 0;
        float rotationSpeed = 0.f;
        float initialRotationSpeed = 0.f;
        float movementSpeed = 0.f;
        float initialMovementSpeed = 0.f;
        std::shared_ptr<Weapon> weapon;
        float playfieldMargin = 0.f;
        sf::Vector2f target;
        EdgeRect movementArea;
        std::shared_ptr<TimeSystem> timeSystem;
        Timer dwellTimer;
        Timer openTimer;
        Timer closedTimer;
        Timer shotTimer;
        std::uint32_t halfHitPoints = 0;
        RandomNumberGenerator generator;
        std::array<SlotState, slotCount> slots;
        std::uint32_t smokeEffect = 0;
        std::shared_ptr<ParticleSystem> smoke;
        std::shared_ptr<sf::SoundBuffer> machineSound;
        std::shared_ptr<SoundEmitter> machineSoundEmitter;

        float GetFrameTime() const { return timeSystem ? timeSystem->GetFrameTime() : 0.f; }

        void UpdateRotation()
        {
            StateMachineBase& machine = *stateMachine;
            machine.SetRotation(machine.GetRotation() + rotationSpeed * GetFrameTime());
        }

        // True once the body stands on the target.
        bool MoveToTarget()
        {
            StateMachineBase& machine = *stateMachine;
            const sf::Vector2f difference = target - machine.GetPosition();
            const float step = movementSpeed * GetFrameTime();
            if (difference.x * difference.x + difference.y * difference.y <= step * step)
            {
                machine.SetPosition(target.x, target.y);
                return true;
            }
            const sf::Vector2f move = ScaleToLength(difference, step);
            machine.MovePosition(move.x, move.y);
            return false;
        }

        // The play field less the margin (never less than 2 pixels a side), of
        // which the top `fraction` of the height.
        void SetMovementArea(float fraction)
        {
            EdgeRect area = GetFlightArea();
            const float margin = std::min({playfieldMargin, (area.right - area.left) / 2.f - 1.f,
                                           (area.bottom - area.top) / 2.f - 1.f});
            area.left += margin;
            area.top += margin;
            area.right -= margin;
            area.bottom -= margin;
            area.bottom = area.top + (area.bottom - area.top) * fraction;
            movementArea = area;
        }

        sf::Vector2f DrawRandomPoint()
        {
            const float x = movementArea.left + generator.NextFraction() * (movementArea.right - movementArea.left);
            const float y = movementArea.top + generator.NextFraction() * (movementArea.bottom - movementArea.top);
            return sf::Vector2f(x, y);
        }

        // A point at least a third of the area's diagonal away from the previous
        // one, if twenty draws find one; the last draw otherwise.
        sf::Vector2f ChooseTarget(const sf::Vector2f& previous)
        {
            if (hitPoints < halfHitPoints)
            {
                // Wild: the whole field, twice the spin, once per spawn.
                SetMovementArea(1.f);
                rotationSpeed *= 2.f;
                halfHitPoints = 0;
            }
            const float width = movementArea.right - movementArea.left;
            const float height = movementArea.bottom - movementArea.top;
            const float limit = (width * width + height * height) / 9.f;
            sf::Vector2f point;
            for (int draw = 0; draw < 20; ++draw)
            {
                point = DrawRandomPoint();
                const sf::Vector2f d = point - previous;
                if (d.x * d.x + d.y * d.y >= limit)
                    break;
            }
            return point;
        }

        void Execute(const std::string& transition)
        {
            if (!stateMachine->Execute(transition))
                BOOST_THROW_EXCEPTION(ResourceMissingError("transaction " + transition + " is missing"));
        }

        void UpdateSlots()
        {
            if (shotTimer.IsElapsed())
            {
                bool fired = false;
                for (unsigned slot = 0; slot < slotCount; ++slot)
                {
                    if (slots[slot] != Open)
                        continue;
                    Socket muzzle;
                    if (stateMachine->GetSocket(MuzzleName(slot), muzzle))
                    {
                        weapon->Fire(muzzle.position, muzzle.orientation);
                        fired = true;
                    }
                    else
                        *Log(LogLevel::warning) << "slot " << slot << " is open but socket " << MuzzleName(slot)
                                                << " is missing";
                }
                if (fired)
                    shotTimer.Restart();
            }
            // Slot 0 decides for all four.
            if (slots[0] == Open && openTimer.IsElapsed())
            {
                for (unsigned slot = 0; slot < slotCount; ++slot)
                {
                    Execute(SlotName(slot) + "|close");
                    slots[slot] = Closing;
                }
                closedTimer.Restart();
            }
            else if (slots[0] == Closed && closedTimer.IsElapsed())
            {
                for (unsigned slot = 0; slot < slotCount; ++slot)
                {
                    Execute(SlotName(slot) + "|open");
                    slots[slot] = Opening;
                }
                openTimer.Restart();
            }
        }

        // The smoke dies out and the machine falls silent; both leave the level
        // by themselves.
        void ReleaseSmokeAndSound()
        {
            if (smoke)
            {
                smoke->SetKeepOutsideView(false);
                smoke->StopEmission();
                smoke.reset();
            }
            if (machineSoundEmitter)
            {
                machineSoundEmitter->Stop();
                machineSoundEmitter.reset();
            }
        }

        void UpdateDie()
        {
            Execute("explode");
            state = Finished;
            if (!smoke)
                BOOST_THROW_EXCEPTION(LogicError("smoke is missing"));
            if (machineSound && !machineSoundEmitter)
                BOOST_THROW_EXCEPTION(LogicError("machine sound is missing"));
            ReleaseSmokeAndSound();
        }

        void CreateSmoke()
        {
            const stable_ptr<ParticleSystem> effect =
                GetFromRegistry<ParticleFactory>()->Get(smokeEffect, sf::Vector2f(0.f, 0.f));
            effect->SetKeepOutsideView(true);
            GetFromRegistry<GameObjectManager>()->Add(effect);
            smoke = effect.get_shared();
        }

        // A game without an audio device has no machine sound.
        void CreateMachineSound()
        {
            if (!machineSound)
                return;
            const stable_ptr<SoundEmitter> emitter =
                SoundEmitter::Create(create_stable_ptr(machineSound), true, stateMachine->GetPosition());
            GetFromRegistry<GameObjectManager>()->Add(emitter);
            machineSoundEmitter = emitter.get_shared();
        }
    };

    DiskBossBehaviour::DiskBossBehaviour(const stable_ptr<StateMachineBase>& stateMachine)
        : Behaviour(stateMachine), m_data(std::make_unique<Data>(stateMachine))
    {
    }

    DiskBossBehaviour::~DiskBossBehaviour() = default;

    void DiskBossBehaviour::Load(const pugi::xml_node& element, const std::string& folder)
    {
        Data& data = *m_data;
        CheckStateMachine(*data.stateMachine);
        data.scorePoints = GetChildValue<unsigned long>(element, "score_points");
        data.initialHitPoints = data.hitPoints = GetChildValue<unsigned long>(element, "hit_points");
        // A boss without hit points would die before it is seen.
        if (data.initialHitPoints == 0)
            BOOST_THROW_EXCEPTION(LogicError("no hit points"));
        data.initialRotationSpeed = data.rotationSpeed = GetChildValue<float>(element, "initial_rotation_speed");
        data.initialMovementSpeed = data.movementSpeed =
            ScaleByWindowHeight(GetChildValue<float>(element, "initial_movement_speed"));
        data.dwellTimer.Restart(GetChildValue<float>(element, "dwell_duration"));
        data.openTimer.Restart(GetChildValue<float>(element, "slots_open_duration"));
        data.closedTimer.Restart(GetChildValue<float>(element, "slot_closed_duration"));
        data.shotTimer.Restart(GetChildValue<float>(element, "shot_delay"));
        const stable_ptr<Weapon> weapon =
            GetFromRegistry<WeaponFactory>()->CreateEnemyWeapon(GetChildValue<std::string>(element, "weapon"));
        // The shot timer alone paces the volleys.
        weapon->SetReloadGated(false);
        data.weapon = weapon.get_shared();
        data.smokeEffect = GetChildValue<unsigned long>(element, "smoke_effect");
        data.smoke = GetFromRegistry<ParticleFactory>()->Get(data.smokeEffect, sf::Vector2f(0.f, 0.f)).get_shared();
        data.machineSound = GetFromRegistry<ResourceManager>()
                                ->GetSoundBuffer(JoinResourcePath(folder, GetChildValue<std::string>(element, "machine_sound")));
        data.playfieldMargin = GetChildValue<float>(element, "playfield_margin");
        data.state = Appear;
        data.SetMovementArea(1.f / 3.f);
        data.target = sf::Vector2f((data.movementArea.left + data.movementArea.right) / 2.f,
                                   (data.movementArea.top + data.movementArea.bottom) / 2.f);
        data.timeSystem = GetFromRegistry<TimeSystem>().get_shared();
        data.stateMachine->SetSignalHandler([this](const std::string& signal) { Signal(signal); });
        data.generator.Seed(GetFromRegistry<RandomizationSystem>()->Next());
        data.halfHitPoints = data.initialHitPoints / 2;
        data.slots.fill(Closed);
    }

    void DiskBossBehaviour::Reset(const sf::Vector2f& position)
    {
        Behaviour::Reset(position);
        Data& data = *m_data;
        const EdgeRect field = GetFlightArea();
        data.target = sf::Vector2f((field.left + field.right) / 2.f, (field.top + field.bottom) / 2.f);
        data.state = Appear;
        data.hitPoints = data.initialHitPoints;
        data.movementSpeed = data.initialMovementSpeed;
        data.rotationSpeed = data.initialRotationSpeed;
        if (data.weapon)
            data.weapon->Reset();
        data.SetMovementArea(1.f / 3.f);
        data.slots.fill(Closed);
        data.halfHitPoints = data.initialHitPoints / 2;
        // The smoke and sound of an earlier spawn must not go on for ever.
        data.ReleaseSmokeAndSound();
        data.CreateSmoke();
        data.CreateMachineSound();
    }

    void DiskBossBehaviour::OnUpdate()
    {
        Data& data = *m_data;
        switch (data.state)
        {
        case Appear:
            if (!data.smoke)
                BOOST_THROW_EXCEPTION(LogicError("no smoke"));
            if (data.machineSound && !data.machineSoundEmitter)
                BOOST_THROW_EXCEPTION(LogicError("no machine sound"));
            // Shot down while it flies in: it goes down like anywhere else.
            if (data.hitPoints == 0)
            {
                data.state = Die;
                break;
            }
            data.UpdateRotation();
            if (data.MoveToTarget())
            {
                data.dwellTimer.Restart();
                data.state = Dwell;
            }
            break;
        case Approach:
            data.UpdateSlots();
            data.UpdateRotation();
            if (data.hitPoints == 0)
                data.state = Die;
            else if (data.MoveToTarget())
            {
                data.dwellTimer.Restart();
                data.state = Dwell;
            }
            break;
        case Dwell:
            data.UpdateSlots();
            data.UpdateRotation();
            if (data.hitPoints == 0)
                data.state = Die;
            else if (data.dwellTimer.IsElapsed())
            {
                data.target = data.ChooseTarget(data.target);
                data.state = Approach;
            }
            break;
        case Die:
            data.UpdateDie();
            break;
        case Finished:
            break;
        }
        Behaviour::OnUpdate();
        const StateMachineBase& machine = *data.stateMachine;
        if (data.smoke)
            data.smoke->SetPosition(machine.GetPositionX(), machine.GetPositionY());
        if (data.machineSoundEmitter)
            data.machineSoundEmitter->SetPosition(machine.GetPosition());
    }

    bool DiskBossBehaviour::IsFinished() const
    {
        return m_data->state == Finished;
    }

    void DiskBossBehaviour::Signal(const std::string& signal)
    {
        // "slotN|opened" or "slotN|closed", N from 0 to 3.
        const bool slotSignal = signal.size() == 12 && signal.compare(0, 4, "slot") == 0 && signal[4] >= '0' &&
                                signal[4] < char('0' + slotCount) && signal[5] == '|';
        const std::string rest = slotSignal ? signal.substr(6) : std::string();
        if (rest != "opened" && rest != "closed")
        {
            *Log(LogLevel::warning) << "received unexpected signal " << signal;
            return;
        }
        m_data->slots[unsigned(signal[4] - '0')] = rest == "opened" ? Open : Closed;
    }

    void DiskBossBehaviour::DrawDebugInformation()
    {
        Data& data = *m_data;
        FlushSprites();
        sf::RenderWindow& window = *GetFromRegistry<sf::RenderWindow>();
        const sf::Color black(0, 0, 0, 255);
        for (unsigned slot = 0; slot < slotCount; ++slot)
        {
            if (data.slots[slot] != Open)
                continue;
            Socket muzzle;
            if (!data.stateMachine->GetSocket(MuzzleName(slot), muzzle))
                BOOST_THROW_EXCEPTION(LogicError("socket " + MuzzleName(slot) + " is missing"));
            sf::Vector2f direction(12.f, 0.f);
            Rotate(direction, muzzle.orientation);
            sf::VertexArray line(sf::Lines, 2);
            line[0] = sf::Vertex(muzzle.position, black);
            line[1] = sf::Vertex(muzzle.position + direction, black);
            window.draw(line);
            sf::CircleShape circle(3.f);
            circle.setOrigin(3.f, 3.f);
            circle.setPosition(muzzle.position);
            circle.setFillColor(sf::Color::Transparent);
            circle.setOutlineColor(black);
            circle.setOutlineThickness(1.f);
            window.draw(circle);
        }
    }

    DamageEffect DiskBossBehaviour::ApplyDamage(std::uint32_t amount)
    {
        return TakeHitPoints(m_data->hitPoints, amount);
    }

    std::uint32_t DiskBossBehaviour::GetScorePoints() const
    {
        return m_data->scorePoints;
    }

    float DiskBossBehaviour::GetHealthRatio() const
    {
        const Data& data = *m_data;
        return data.initialHitPoints == 0 ? 0.f : float(data.hitPoints) / float(data.initialHitPoints);
    }

    DiskBossBehaviour::State DiskBossBehaviour::GetState() const
    {
        return m_data->state;
    }

    DiskBossBehaviour::SlotState DiskBossBehaviour::GetSlotState(unsigned slot) const
    {
        return m_data->slots.at(slot);
    }

    sf::Vector2f DiskBossBehaviour::GetTarget() const
    {
        return m_data->target;
    }

    EdgeRect DiskBossBehaviour::GetMovementArea() const
    {
        return m_data->movementArea;
    }
}
