#include "flight/HullFactory.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ResourceUtility.hpp"
#include "core/XmlReading.hpp"
#include "flight/Categories.hpp"
#include "flight/EquipmentIcon.hpp"
#include "flight/EquipmentPrototypes.hpp"
#include "flight/EquipmentSlot.hpp"
#include "flight/Hull.hpp"


namespace Kestrum
{
    namespace
    {
        const std::string hullsFolder = "resources|equipment|hulls";

        Hull::Slots LoadSlots(const pugi::xml_node& slots)
        {
            Hull::Slots result;
            for (const pugi::xml_node& slot : slots.children())
            {
                if (slot.type() != pugi::node_element)
                    continue;
                AssertElementName(slot, "slot");
                const Categories::Equipment category =
                    Categories::EquipmentFromShortString(slot.text().get());
                result.push_back(EquipmentSlot::Create(GetCoordinatesFromAttributes<float>(slot), category));
            }
            return result;
        }

        stable_ptr<Hull> LoadHull(const std::string& number)
        {
            const std::string folder = JoinResourcePath(hullsFolder, number);
            const std::string details = JoinResourcePath(folder, "details.xml");
            return ReadDataFile(details, [&] {
                const stable_ptr<pugi::xml_document> document = LoadXmlFile(ToFilesystemPath(details));
                const pugi::xml_node root = document->document_element();
                AssertElementName(root, "hull");
                const std::string name = GetChildValue<std::string>(root, "name");
                const unsigned long price = GetChildValue<unsigned long>(root, "price");
                const unsigned long strength = GetChildValue<unsigned long>(root, "strength");
                const Hull::Slots slots = LoadSlots(GetChildElement(root, "slots"));
                const stable_ptr<EquipmentIcon> icon(new EquipmentIcon(JoinResourcePath(folder, "icons")));
                return stable_ptr<Hull>(new Hull(icon, name, MakeEquipmentID(Categories::Hull, number),
                                                 JoinResourcePath(folder, "straight.action"), strength, slots, price));
            });
        }
    }

    HullFactory::HullFactory()
        : m_prototypes(std::make_unique<EquipmentPrototypes>(Categories::Hull, hullsFolder, "HullFactory", "hull",
                                                             &LoadHull))
    {
    }

    HullFactory::~HullFactory() = default;

    void HullFactory::Load()
    {
        m_prototypes->Load();
    }

    std::set<std::string> HullFactory::GetHullTypes() const
    {
        return m_prototypes->GetTypes();
    }

    stable_ptr<Hull> HullFactory::Create(const std::string& id)
    {
        return dynamic_stable_ptr_cast<Hull>(m_prototypes->Create(id));
    }
}
