#include "flight/EquipmentPrototypes.hpp"

#include "core/Exception.hpp"
#include "flight/Sellable.hpp"

namespace Kestrum
{
    EquipmentPrototypes::EquipmentPrototypes(Categories::Equipment category, const std::string& folder,
                                             const std::string& factory, const std::string& item, const Reader& read)
        : m_category(category), m_folder(folder), m_factory(factory), m_item(item), m_read(read)
    {
    }

    void EquipmentPrototypes::Load()
    {
        if (m_types)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading of " + m_factory));
        auto types = std::make_unique<std::set<std::string>>();
        for (const std::string& number : ListNumberedEntries(m_folder))
            types->insert(MakeEquipmentID(m_category, number));
        m_types = std::move(types);
    }

    std::set<std::string> EquipmentPrototypes::GetTypes() const
    {
        if (!m_types)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call " + m_factory + "::Load()?"));
        return *m_types;
    }

    stable_ptr<Sellable> EquipmentPrototypes::Create(const std::string& id)
    {
        std::string number = id;
        if (id.size() > 3)
        {
            const auto parsed = Categories::ParseEquipmentID(id);
            if (parsed.first != m_category)
                BOOST_THROW_EXCEPTION(RuntimeError(id + " is not a " + m_item));
            number = parsed.second;
        }
        auto prototype = m_prototypes.find(number);
        if (prototype == m_prototypes.end())
            prototype = m_prototypes.emplace(number, m_read(number)).first;
        return prototype->second->Clone();
    }
}
