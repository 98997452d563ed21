// Helpers shared by the input devices for reading and writing their parts of the
// input configuration document.
#pragma once

#include "interface/InterfaceInput.hpp"

#include <functional>
#include <pugixml.hpp>
#include <string>

namespace Kestrum
{
    // The root element "input_configuration"; XmlError when the document has none.
    pugi::xml_node GetInputConfigurationRoot(const pugi::xml_document& document);

    // The first child element of that name, else a new empty one appended to the parent.
    pugi::xml_node GetOrCreateChildElement(pugi::xml_node parent, const std::string& name);

    // Calls `bind` with the action and the text of every child called `childName` of
    // each configured action's element: actions in their configured order, children
    // in document order. A missing action element or a child without text: XmlError.
    void ReadBindings(const pugi::xml_node& root, const char* childName,
                      const std::function<void(InterfaceInput::Action, const std::string&)>& bind);

    // Appends a child `childName` holding the text to the action's element, which is
    // appended to the root when there is none yet. Fixed actions are never written.
    void WriteBinding(pugi::xml_node root, InterfaceInput::Action action, const char* childName,
                      const std::string& text);
}
