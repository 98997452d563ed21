// Attributes of level files. A level file is refused as a whole with XmlError
// when an attribute is missing or its text is not a number of the kind wanted,
// so that every such mistake reads alike wherever it stands in the file.
#pragma once

#include <pugixml.hpp>

#include <string>

namespace Kestrum
{
    // The attribute converted to T (float, unsigned int). Missing: XmlError
    // "attribute <name> does not exist in element <element>"; a text that does
    // not convert: XmlError "attribute <name> of element <element> holds <text>,
    // which is not a number"; a float that is not finite or a negative unsigned
    // number: ParseError, as everywhere.
    template <typename T>
    T GetLevelAttribute(const pugi::xml_node& element, const std::string& name);
}
