// Reading and writing the XML of graphs.
#pragma once

#include <pugixml.hpp>

#include <SFML/System/Vector2.hpp>

#include <string>

namespace Kestrum::GraphXml
{
    // Checks the element's name ("graph") and its "type" attribute.
    void CheckElement(const pugi::xml_node& element, const std::string& type);
    float ReadFloat(const pugi::xml_node& element, const std::string& child);
    unsigned long ReadUnsigned(const pugi::xml_node& element, const std::string& child);
    sf::Vector2f ReadPoint(const pugi::xml_node& element);
    // Appends <graph type="..."> to the parent.
    pugi::xml_node AppendGraph(pugi::xml_node parent, const std::string& type);
    // Appends <name>value</name>, the value as a stream writes it.
    void AppendValue(pugi::xml_node parent, const std::string& name, float value);
    void AppendValue(pugi::xml_node parent, const std::string& name, unsigned long value);
    std::string ToText(float value);
}
