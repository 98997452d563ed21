#include "flight/Spawn.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"
#include "presentation/GameObject.hpp"

#include <pugixml.hpp>

namespace Kestrum
{
    Spawn::Spawn(const std::vector<std::string>& upgradeIDs, unsigned x, unsigned y, const std::string& type)
        : m_upgradeIDs(upgradeIDs), m_x(x), m_y(y), m_type(type)
    {
    }

    Spawn::~Spawn() = default;

    void Spawn::Load(const pugi::xml_node& element)
    {
        m_x = GetAttributeValue<unsigned int>(element, "x");
        m_y = GetAttributeValue<unsigned int>(element, "y");
        m_type = GetAttributeText(element, "type");
        for (const pugi::xml_node& upgrade : element.child("upgrades").children("upgrade"))
            m_upgradeIDs.push_back(upgrade.text().get());
    }

    pugi::xml_node Spawn::Save(pugi::xml_node parent) const
    {
        pugi::xml_node element = parent.append_child(GetElementName().c_str());
        element.append_attribute("x").set_value(m_x);
        element.append_attribute("y").set_value(m_y);
        element.append_attribute("type").set_value(m_type.c_str());
        pugi::xml_node upgrades = element.append_child("upgrades");
        for (const std::string& id : m_upgradeIDs)
            upgrades.append_child("upgrade").text().set(id.c_str());
        return element;
    }

    void Spawn::Prepare(unsigned count)
    {
        for (unsigned i = 0; i < count; ++i)
            m_prepared.insert(CreateObject());
    }

    stable_ptr<GameObject> Spawn::Create(const sf::Vector2f& position)
    {
        if (m_prepared.empty())
            Prepare(1);
        const stable_ptr<GameObject> object = *m_prepared.begin();
        m_prepared.erase(m_prepared.begin());
        Reset(*object, position, m_upgradeIDs);
        return object;
    }
}
