#include "interface/InputConfiguration.hpp"

#include "core/Exception.hpp"

namespace Kestrum
{
    pugi::xml_node GetInputConfigurationRoot(const pugi::xml_document& document)
    {
        return GetRequiredChildElement(document, "input_configuration");
    }

    pugi::xml_node GetRequiredChildElement(const pugi::xml_node& parent, const std::string& name)
    {
        const pugi::xml_node child = parent.child(name.c_str());
        if (!child)
            BOOST_THROW_EXCEPTION(XmlError("no " + name + " element defined"));
        return child;
    }

    pugi::xml_node GetOrCreateChildElement(pugi::xml_node parent, const std::string& name)
    {
        pugi::xml_node child = parent.child(name.c_str());
        if (!child)
            child = parent.append_child(name.c_str());
        return child;
    }

    std::string GetRequiredText(const pugi::xml_node& element)
    {
        const pugi::xml_node text = element.first_child();
        if (!text || (text.type() != pugi::node_pcdata && text.type() != pugi::node_cdata))
            BOOST_THROW_EXCEPTION(XmlError(std::string("element ") + element.name() + " has no text"));
        return text.value();
    }
}
