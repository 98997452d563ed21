#include "flight/ShieldFactory.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/Categories.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/EquipmentPrototypes.hpp"
#include "flight/Shield.hpp"


namespace Kestrum
{
    namespace
    {
        const std::string shieldsFolder = "resources|equipment|shields";

        stable_ptr<Shield> LoadShield(const std::string& number)
        {
            const std::string folder = JoinResourcePath(shieldsFolder, number);
            const std::string details = JoinResourcePath(folder, "details.xml");
            return ReadDataFile(details, [&] {
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
            });
        }
    }

    ShieldFactory::ShieldFactory()
        : m_prototypes(std::make_unique<EquipmentPrototypes>(Categories::Shield, shieldsFolder, "ShieldFactory", "shield",
                                                             &LoadShield))
    {
    }

    ShieldFactory::~ShieldFactory() = default;

    void ShieldFactory::Load()
    {
        m_prototypes->Load();
    }

    std::set<std::string> ShieldFactory::GetShieldTypes() const
    {
        return m_prototypes->GetTypes();
    }

    stable_ptr<Shield> ShieldFactory::Create(const std::string& id)
    {
        return dynamic_stable_ptr_cast<Shield>(m_prototypes->Create(id));
    }
}
