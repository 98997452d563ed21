#include "flight/WeaponFactory.hpp"

#include "core/Exception.hpp"
#include "flight/Categories.hpp"
#include "flight/Weapon.hpp"

#include <map>

namespace Kestrum
{
    namespace
    {
        // A full identifier becomes its digits; a text of three characters or
        // fewer is taken as the number itself.
        std::string ToWeaponNumber(const std::string& name)
        {
            if (name.size() <= 3)
                return name;
            Categories::AssertEquipmentID(name, Categories::Weapon);
            return name.substr(3);
        }
    }

    struct WeaponFactory::Data
    {
        std::set<std::string> types;
        std::map<std::string, stable_ptr<Weapon>> playerPrototypes;
        std::map<std::string, stable_ptr<Weapon>> enemyPrototypes;
    };

    WeaponFactory::WeaponFactory() = default;
    WeaponFactory::~WeaponFactory() = default;

    void WeaponFactory::Load()
    {
        if (m_data)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading of WeaponFactory"));
        auto data = std::make_unique<Data>();
        for (const std::string& number : ListNumberedEntries("resources|equipment|weapons"))
            if (number < "500")
                data->types.insert(MakeEquipmentID(Categories::Weapon, number));
        m_data = std::move(data);
    }

    std::set<std::string> WeaponFactory::GetWeaponTypes() const
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call WeaponFactory::Load()?"));
        return m_data->types;
    }

    stable_ptr<Weapon> WeaponFactory::CreatePlayerWeapon(const std::string& name)
    {
        return Create(name, false);
    }

    stable_ptr<Weapon> WeaponFactory::CreateEnemyWeapon(const std::string& name)
    {
        return Create(name, true);
    }

    stable_ptr<Weapon> WeaponFactory::Create(const std::string& name, bool hostile)
    {
        if (!m_data)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call WeaponFactory::Load()?"));
        const std::string number = ToWeaponNumber(name);
        auto& prototypes = hostile ? m_data->enemyPrototypes : m_data->playerPrototypes;
        auto prototype = prototypes.find(number);
        if (prototype == prototypes.end())
            prototype = prototypes.emplace(number, Weapon::Create(number, hostile)).first;
        return dynamic_stable_ptr_cast<Weapon>(prototype->second->Clone());
    }
}
