#include "interface/InputConfiguration.hpp"

#include "core/Exception.hpp"
#include "core/XmlReading.hpp"

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

    std::string GetElementText(const pugi::xml_node& element)
    {
        const pugi::xml_text text = element.text();
        if (text.empty())
            BOOST_THROW_EXCEPTION(XmlError(std::string("element ") + element.name() + " has no text"));
        return text.get();
    }
}
