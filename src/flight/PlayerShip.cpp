#include "flight/PlayerShip.hpp"

#include "core/Exception.hpp"
#include "core/LogSystem.hpp"
#include "core/Registry.hpp"
#include "core/TimeSystem.hpp"
#include "core/Timer.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/GameObjectManager.hpp"
#include "flight/Hull.hpp"
#include "flight/Scaling.hpp"
#include "flight/ScoreSystem.hpp"
#include "flight/Shield.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/Weapon.hpp"
#include "presentation/Angles.hpp"
#include "presentation/ResourceManager.hpp"
#include "presentation/Shadow.hpp"
#include "presentation/StateMachineBase.hpp"

#include <SFML/Graphics/Color.hpp>
#include <boost/format.hpp>

#include <cmath>
#include <optional>
#include <string>

namespace Kestrum
{
    namespace
    {
        const char* const machinePath = "resources|equipment|hulls|000|ingame.statemachine";
        const char* const defaultShield = "000";
        // The ship faces up the screen and fires that way.
        const float heading = -90.f;
        const float fireAngle = -90.f;
        // How far the ship stays inside the play field.
        const float margin = 50.f;
        const std::uint32_t surplusPoints = 10000;
    }

    struct PlayerShip::Data
    {
        explicit Data(const stable_ptr<StateMachineBase>& machine) : machine(machine) {}

        stable_ptr<StateMachineBase> machine;
        std::shared_ptr<Shadow> shadow;
        // Set by steering, executed and cleared by the next update.
        std::string pendingTransition;
        std::optional<Timer> invincibility;
        // Only its alpha ever changes.
        sf::Color colour = sf::Color(255, 255, 255, 255);
        float speed = 0.f;  // pixels per second
        bool showBoundary = false;
        bool destroyed = false;
        bool alive = true;
        bool shadowAdded = false;
    };

    PlayerShip::PlayerShip(const std::shared_ptr<Hull>& hull) : m_hull(hull) {}

    PlayerShip::~PlayerShip() = default;

    PlayerShip::Data& PlayerShip::GetData() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call Load()?"));
        return *m_data;
    }

    void PlayerShip::Initialize()
    {
        const stable_ptr<StateMachineBase> machine = GetFromRegistry<ResourceManager>()->CreateStateMachine(machinePath);
        for (const char* transition : {"turn_left", "turn_right", "turn_straight", "explode"})
            if (!machine->HasTransition(transition))
                BOOST_THROW_EXCEPTION(LogicError("transition " + std::string(transition) + " is missing"));
        m_data.reset(new Data(machine));
        machine->SetRotation(heading);
        m_data->speed = ScaleByWindowHeight(0.6f);

        const Hull::Slots slots = m_hull->GetSlots(Categories::Shield);
        if (slots.empty())
            return;
        if (slots.size() > 1)
            BOOST_THROW_EXCEPTION(LogicError("more than one shield available"));
        slots.front()->SetEquipment(GetFromRegistry<ShieldFactory>()->Create(defaultShield).get_shared());
    }

    void PlayerShip::Reset(const sf::Vector2f& position)
    {
        Data& data = GetData();
        data.machine->Reset();
        data.destroyed = false;
        data.alive = true;
        data.machine->SetRotation(heading);
        data.machine->SetPosition(position.x, position.y);
        // Every item, of every category, made ready. (The hull's own Reset would
        // take its slots away.)
        for (const std::shared_ptr<EquipmentSlot>& slot : m_hull->GetAllSlots())
            if (const std::shared_ptr<Sellable> item = slot->GetEquipment())
                item->Reset();
        data.shadow = data.machine->EnableShadow();
        data.shadowAdded = false;
    }

    void PlayerShip::Move(const sf::Vector2f& direction)
    {
        Data& data = GetData();
        if (direction.x < 0.f)
            data.pendingTransition = "turn_left";
        else if (direction.x > 0.f)
            data.pendingTransition = "turn_right";
        const float step = data.speed * GetFromRegistry<TimeSystem>()->GetFrameTime();
        data.machine->MovePosition(step * direction.x, step * direction.y);

        const EdgeRect field = GetFlightArea();
        const sf::Vector2f position = data.machine->GetPosition();
        if (position.x < field.left + margin)
            data.machine->SetPositionX(field.left + margin);
        if (position.x > field.right - margin)
            data.machine->SetPositionX(field.right - margin);
        if (position.y < field.top + margin)
            data.machine->SetPositionY(field.top + margin);
        if (position.y > field.bottom - margin)
            data.machine->SetPositionY(field.bottom - margin);
    }

    void PlayerShip::Fire()
    {
        const sf::Vector2f position = GetData().machine->GetPosition();
        for (const std::shared_ptr<Weapon>& weapon : GetWeapons())
            weapon->Fire(position, fireAngle);
    }

    void PlayerShip::ThrowBomb()
    {
        *Log(LogLevel::warning) << "bomb throwing is not implemented yet";
    }

    void PlayerShip::Upgrade(const stable_ptr<Sellable>& item)
    {
        const Categories::Equipment category = item->GetCategory();
        const std::string categoryName = Categories::EquipmentToString(category);
        const Hull::Slots slots = m_hull->GetSlots(category);
        if (slots.empty())
        {
            *Log(LogLevel::info) << "hull does not have " << categoryName << " slots - upgrade dropped";
            return;
        }
        const std::shared_ptr<EquipmentSlot>& slot = slots.front();
        if (!slot)
            BOOST_THROW_EXCEPTION(LogicError("empty slot pointer"));

        std::shared_ptr<Sellable> fitted = slot->GetEquipment();
        if (!fitted)
            fitted = item;
        else if (fitted->GetCategory() != category)
            BOOST_THROW_EXCEPTION(LogicError("Hull::GetSlots() is wrong"));
        else if (fitted->GetID() != item->GetID())
            fitted = item;
        else if (fitted->GetActiveIncrement() + 1 < fitted->GetIncrementCount())
            fitted->SetActiveIncrement(fitted->GetActiveIncrement() + 1);
        else
            GetFromRegistry<ScoreSystem>()->score += surplusPoints;
        slot->SetEquipment(fitted);

        *Log(LogLevel::debug) << "upgrade set into first slot (category " << categoryName << ")";
        *Log(LogLevel::debug) << "new upgrade level: " << fitted->GetActiveIncrement();
    }

    DamageEffect PlayerShip::ApplyDamage(std::uint32_t)
    {
        Data& data = GetData();
        const std::shared_ptr<Shield> shield = GetShield();
        if (!shield)
        {
            const DamageEffect effect = data.alive ? Destroyed : AlreadyDestroyed;
            data.alive = false;
            return effect;
        }
        if (shield->IsReady())
        {
            shield->StartRecovery();
            data.invincibility.emplace(shield->GetInvincibleTime());
            return Damaged;
        }
        if (data.invincibility && !data.invincibility->IsElapsed())
            return NoDamage;
        data.alive = false;
        return Destroyed;
    }

    std::uint32_t PlayerShip::GetHitPoints() const
    {
        return GetData().alive ? 1 : 0;
    }

    sf::Vector2f PlayerShip::GetPosition() const
    {
        return GetData().machine->GetPosition();
    }

    stable_ptr<const CircleList> PlayerShip::GetBoundary() const
    {
        return GetData().machine->GetBoundary();
    }

    std::shared_ptr<Shield> PlayerShip::GetShield() const
    {
        const Hull::Slots slots = m_hull->GetSlots(Categories::Shield);
        if (slots.empty())
            return std::shared_ptr<Shield>();
        if (slots.size() > 1)
            BOOST_THROW_EXCEPTION(LogicError("more than one shield available"));
        const std::shared_ptr<Sellable> item = slots.front()->GetEquipment();
        if (!item)
            return std::shared_ptr<Shield>();
        std::shared_ptr<Shield> shield = std::dynamic_pointer_cast<Shield>(item);
        if (!shield)
            BOOST_THROW_EXCEPTION(LogicError(
                (boost::format("no shield in slot, it's a %1%") % Categories::EquipmentToString(item->GetCategory()))
                    .str()));
        return shield;
    }

    std::vector<std::shared_ptr<Weapon>> PlayerShip::GetWeapons() const
    {
        std::vector<std::shared_ptr<Weapon>> weapons;
        for (const std::shared_ptr<EquipmentSlot>& slot : m_hull->GetSlots(Categories::Weapon))
        {
            const std::shared_ptr<Sellable> item = slot->GetEquipment();
            if (!item)
                continue;
            std::shared_ptr<Weapon> weapon = std::dynamic_pointer_cast<Weapon>(item);
            if (!weapon)
                BOOST_THROW_EXCEPTION(LogicError());
            weapons.push_back(weapon);
        }
        return weapons;
    }

    std::set<stable_ptr<Sellable>> PlayerShip::GetEquipment() const
    {
        std::set<stable_ptr<Sellable>> equipment;
        for (const std::shared_ptr<EquipmentSlot>& slot : m_hull->GetAllSlots())
            if (const std::shared_ptr<Sellable> item = slot->GetEquipment())
                equipment.insert(create_stable_ptr(item));
        return equipment;
    }

    const std::shared_ptr<Hull>& PlayerShip::GetHull() const
    {
        return m_hull;
    }

    void PlayerShip::OnUpdate()
    {
        Data& data = GetData();
        data.destroyed = GetHitPoints() == 0;
        if (!data.destroyed)
            data.machine->Execute(data.pendingTransition.empty() ? "turn_straight" : data.pendingTransition);
        else
            data.machine->Execute("explode");
        data.pendingTransition.clear();
        data.machine->OnUpdate();

        if (data.shadow)
        {
            if (!data.shadowAdded)
            {
                GetFromRegistry<GameObjectManager>()->Add(stable_ptr<GameObject>(create_stable_ptr(data.shadow)));
                data.shadowAdded = true;
            }
            if (data.destroyed)
            {
                data.shadow->Remove();
                data.shadow.reset();
                data.shadowAdded = false;
            }
        }
    }

    void PlayerShip::Draw()
    {
        Data& data = GetData();
        const std::shared_ptr<Shield> shield = GetShield();
        if (shield && shield->IsReady())
            shield->Draw(GetPosition());
        if (data.invincibility)
        {
            if (!data.invincibility->IsElapsed())
                data.colour.a = GetInvincibilityAlpha(data.invincibility->GetRemainingTime());
            else
            {
                data.colour = sf::Color(255, 255, 255, 255);
                data.invincibility.reset();
            }
        }
        data.machine->Draw(data.showBoundary, data.colour);
    }

    bool PlayerShip::IsExpired() const
    {
        return !m_data || m_data->destroyed;
    }

    std::uint8_t GetInvincibilityAlpha(float remaining)
    {
        const float pulse = (std::cos(4.f * Pi * remaining) + 1.f) / 2.f;
        return static_cast<std::uint8_t>(255.f * (0.125f + 0.875f * pulse));
    }
}
