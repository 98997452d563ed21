#include "flight/ShieldFactory.hpp"

#include "campaign/EquipmentIcon.hpp"
#include "core/Exception.hpp"
#include "core/XmlReading.hpp"
#include "flight/Categories.hpp"
#include "flight/Shield.hpp"
#include "presentation/ResourceUtility.hpp"

#include <boost/exception/info.hpp>

namespace Kestrum
{
    namespace
    {
        const std::string shieldsFolder = "resources|equipment|shields";

        stable_ptr<Shield> LoadShield(const std::string& number)
        {
            const std::string folder = JoinResourcePath(shieldsFolder, number);
            const std::string details = JoinResourcePath(folder, "details.xml");
            try
            {
                const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(details));
                const pugi::xml_node root = document->document_element();
                AssertElementName(root, "shield");
                const std::string name = GetChildValue<std::string>(root, "name");
                const unsigned long price = GetChildValue<unsigned long>(root, "price");
                const float recoveryTime = GetChildValue<float>(root, "recovery_time");
                const float invincibleTime = GetChildValue<float>(root, "invincible_time");
                const stable_ptr<EquipmentIcon> icon(new EquipmentIcon(JoinResourcePath(folder, "icons")));
                return stable_ptr<Shield>(new Shield(icon, name, MakeEquipmentID(Categories::Shield, number), price,
                                                     recoveryTime, invincibleTime));
            }
            catch (boost::exception& error)
            {
                error << EquipmentDefinitionInfo(details);
                throw;
            }
        }
    }

    ShieldFactory::ShieldFactory() = default;
    ShieldFactory::~ShieldFactory() = default;

    void ShieldFactory::Load()
    {
        if (m_types)
            BOOST_THROW_EXCEPTION(LogicError("redundant loading of ShieldFactory"));
        auto types = std::make_unique<std::set<std::string>>();
        for (const std::string& number : ListNumberedEntries(shieldsFolder))
            types->insert(MakeEquipmentID(Categories::Shield, number));
        m_types = std::move(types);
    }

    std::set<std::string> ShieldFactory::GetShieldTypes() const
    {
        if (!m_types)
            BOOST_THROW_EXCEPTION(LogicError("forgot to call ShieldFactory::Load()?"));
        return *m_types;
    }

    stable_ptr<Shield> ShieldFactory::Create(const std::string& id)
    {
        std::string number = id;
        if (id.size() > 3)
        {
            const auto parsed = Categories::ParseEquipmentID(id);
            if (parsed.first != Categories::Shield)
                BOOST_THROW_EXCEPTION(RuntimeError(id + " is not a shield"));
            number = parsed.second;
        }
        auto prototype = m_prototypes.find(number);
        if (prototype == m_prototypes.end())
            prototype = m_prototypes.emplace(number, LoadShield(number)).first;
        return dynamic_stable_ptr_cast<Shield>(prototype->second->Clone());
    }
}
