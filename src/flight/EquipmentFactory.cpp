#include "flight/EquipmentFactory.hpp"

#include "core/Exception.hpp"
#include "core/Registry.hpp"
#include "flight/Categories.hpp"
#include "flight/Hull.hpp"
#include "flight/HullFactory.hpp"
#include "flight/Shield.hpp"
#include "flight/ShieldFactory.hpp"
#include "flight/Weapon.hpp"
#include "flight/WeaponFactory.hpp"

#include <boost/format.hpp>

namespace Kestrum
{
    EquipmentFactory::EquipmentFactory() = default;
    EquipmentFactory::~EquipmentFactory() = default;

    void EquipmentFactory::Load()
    {
        if (m_types)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading of EquipmentFactory"));
        auto types = std::make_unique<std::set<std::string>>(GetFromRegistry<WeaponFactory>()->GetWeaponTypes());
        const std::set<std::string> shields = GetFromRegistry<ShieldFactory>()->GetShieldTypes();
        const std::set<std::string> hulls = GetFromRegistry<HullFactory>()->GetHullTypes();
        types->insert(shields.begin(), shields.end());
        types->insert(hulls.begin(), hulls.end());
        m_types = std::move(types);
    }

    std::set<std::string> EquipmentFactory::GetEquipmentTypes() const
    {
        if (!m_types)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call EquipmentFactory::Load()?"));
        return *m_types;
    }

    stable_ptr<Sellable> EquipmentFactory::Create(const std::string& id) const
    {
        const auto parsed = Categories::ParseEquipmentID(id);
        switch (parsed.first)
        {
        case Categories::Weapon:
            return GetFromRegistry<WeaponFactory>()->CreatePlayerWeapon(parsed.second);
        case Categories::Shield:
            return GetFromRegistry<ShieldFactory>()->Create(parsed.second);
        case Categories::Hull:
            return GetFromRegistry<HullFactory>()->Create(parsed.second);
        default:
            BOOST_THROW_EXCEPTION(
                LogicError((boost::format("unknown equipment category found (%d)") % int(parsed.first)).str()));
        }
    }

    bool EquipmentFactory::CanBeOwned(const std::string& id) const
    {
        if (!m_types)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call EquipmentFactory::Load()?"));
        return m_types->count(id) != 0;
    }

    bool CanBeMade(Categories::Equipment category)
    {
        return category == Categories::Weapon || category == Categories::Shield || category == Categories::Hull;
    }
}
