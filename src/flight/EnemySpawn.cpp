#include "flight/EnemySpawn.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "core/XmlReading.hpp"
#include "flight/Enemy.hpp"
#include "flight/EnemyFactory.hpp"
#include "flight/EquipmentFactory.hpp"
#include "flight/MissionProgress.hpp"
#include "flight/Upgrade.hpp"

#include <pugixml.hpp>

namespace Kestrum
{
    EnemySpawn::EnemySpawn() : Spawn({}, 0, 0, ""), m_killToWin(false) {}

    EnemySpawn::EnemySpawn(unsigned x, unsigned y, const std::string& type, const std::vector<std::string>& upgradeIDs)
        : Spawn(upgradeIDs, x, y, type), m_killToWin(false)
    {
    }

    EnemySpawn::~EnemySpawn() = default;

    void EnemySpawn::Load(const pugi::xml_node& element)
    {
        AssertElementName(element, "enemy");
        Spawn::Load(element);
        if (element.child("speed"))
            m_speed = GetChildValue<float>(element, "speed");
        m_killToWin = bool(element.child("kill_to_win"));
        if (m_killToWin)
            ++GetFromRegistry<MissionProgress>()->GetData().m_killConditions;
    }

    pugi::xml_node EnemySpawn::Save(pugi::xml_node parent) const
    {
        pugi::xml_node element = Spawn::Save(parent);
        if (m_speed)
            element.append_child("speed").text().set(ToXmlText(*m_speed).c_str());
        if (m_killToWin)
            element.append_child("kill_to_win");
        return element;
    }

    stable_ptr<GameObject> EnemySpawn::CreateObject()
    {
        const stable_ptr<GameObject> object = GetFromRegistry<EnemyFactory>()->Create(GetType());
        if (Enemy* enemy = dynamic_cast<Enemy*>(object.get()))
            enemy->SetKillToWin(m_killToWin);
        return object;
    }

    void EnemySpawn::Reset(GameObject& object, const sf::Vector2f& position,
                           const std::vector<std::string>& upgradeIDs) const
    {
        Enemy* enemy = dynamic_cast<Enemy*>(&object);
        if (!enemy)
            BOOST_THROW_EXCEPTION(UnknownTypeError("could not set upgrades, unexpected class type"));
        enemy->Reset(position);
        const stable_ptr<EquipmentFactory> equipment = GetFromRegistry<EquipmentFactory>();
        for (const std::string& id : upgradeIDs)
            enemy->AddUpgrade(Upgrade::Create(equipment->Create(id)));
    }
}
