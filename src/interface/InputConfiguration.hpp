// Small helpers shared by the input devices for reading and writing their parts
// of the input configuration document.
#pragma once

#include <pugixml.hpp>
#include <string>

namespace Kestrum
{
    // The root element "input_configuration"; XmlError when the document has none.
    pugi::xml_node GetInputConfigurationRoot(const pugi::xml_document& document);

    // The first child element of that name, else a new empty one appended to the parent.
    pugi::xml_node GetOrCreateChildElement(pugi::xml_node parent, const std::string& name);

    // The element's own text; XmlError when it has none.
    std::string GetElementText(const pugi::xml_node& element);
}
