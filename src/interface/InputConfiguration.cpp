#include "interface/InputConfiguration.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"
#include "interface/KeyboardSystem.hpp"

namespace Kestrum
{
    pugi::xml_node GetInputConfigurationRoot(const pugi::xml_document& document)
    {
        return GetRootElement(document, "input_configuration", "input configuration");
    }

    pugi::xml_node GetOrCreateChildElement(pugi::xml_node parent, const std::string& name)
    {
        pugi::xml_node child = parent.child(name.c_str());
        if (!child)
            child = parent.append_child(name.c_str());
        return child;
    }

    void ReadBindings(const pugi::xml_node& root, const char* childName,
                      const std::function<void(InterfaceInput::Action, const std::string&)>& bind)
    {
        for (InterfaceInput::Action action : GetConfiguredActions())
        {
            for (const pugi::xml_node& child : GetChildElement(root, ToString(action)).children(childName))
            {
                const pugi::xml_text text = child.text();
                if (text.empty())
                    BOOST_THROW_EXCEPTION(XmlError(std::string("element ") + childName + " has no text"));
                bind(action, text.get());
            }
        }
    }

    void WriteBinding(pugi::xml_node root, InterfaceInput::Action action, const char* childName,
                      const std::string& text)
    {
        if (IsConfigurableAction(action, false))
            GetOrCreateChildElement(root, ToString(action)).append_child(childName).text().set(text.c_str());
    }
}
