#include "core/GraphXml.hpp"

#include "core/Exception.hpp"

#include <boost/lexical_cast.hpp>

#include <sstream>

namespace Kestrum::GraphXml
{
    namespace
    {
        std::string ChildText(const pugi::xml_node& element, const std::string& child)
        {
            const pugi::xml_node found = element.child(child.c_str());
            if (!found)
                BOOST_THROW_EXCEPTION(XmlError("no " + child + " element defined"));
            const pugi::xml_node text = found.first_child();
            if (!text || (text.type() != pugi::node_pcdata && text.type() != pugi::node_cdata))
                BOOST_THROW_EXCEPTION(XmlError("element " + child + " has no text"));
            return text.value();
        }

        std::string AttributeText(const pugi::xml_node& element, const char* name)
        {
            const pugi::xml_attribute attribute = element.attribute(name);
            if (!attribute)
                BOOST_THROW_EXCEPTION(XmlError(std::string("attribute ") + name + " does not exist in element " +
                                               element.name()));
            return attribute.value();
        }
    }

    void CheckElement(const pugi::xml_node& element, const std::string& type)
    {
        if (element.name() != std::string("graph"))
            BOOST_THROW_EXCEPTION(LogicError(std::string("Expected element graph, found ") + element.name()));
        const pugi::xml_attribute attribute = element.attribute("type");
        if (!attribute)
            BOOST_THROW_EXCEPTION(LogicError("Expected graph to have type"));
        if (attribute.value() != type)
            BOOST_THROW_EXCEPTION(LogicError("Expected attribute type to be " + type + " but found " +
                                             attribute.value()));
    }

    float ReadFloat(const pugi::xml_node& element, const std::string& child)
    {
        return boost::lexical_cast<float>(ChildText(element, child));
    }

    unsigned long ReadUnsigned(const pugi::xml_node& element, const std::string& child)
    {
        return boost::lexical_cast<unsigned long>(ChildText(element, child));
    }

    sf::Vector2f ReadPoint(const pugi::xml_node& element)
    {
        const float y = boost::lexical_cast<float>(AttributeText(element, "y"));
        const float x = boost::lexical_cast<float>(AttributeText(element, "x"));
        return sf::Vector2f(x, y);
    }

    pugi::xml_node AppendGraph(pugi::xml_node parent, const std::string& type)
    {
        pugi::xml_node graph = parent.append_child("graph");
        graph.append_attribute("type") = type.c_str();
        return graph;
    }

    std::string ToText(float value)
    {
        std::ostringstream text;
        text << value;
        return text.str();
    }

    void AppendValue(pugi::xml_node parent, const std::string& name, float value)
    {
        parent.append_child(name.c_str()).text() = ToText(value).c_str();
    }

    void AppendValue(pugi::xml_node parent, const std::string& name, unsigned long value)
    {
        parent.append_child(name.c_str()).text() = std::to_string(value).c_str();
    }
}
