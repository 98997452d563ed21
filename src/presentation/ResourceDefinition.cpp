#include "presentation/ResourceDefinition.hpp"

namespace Kestrum
{
    DefinitionSource GetDefinitionSource(const pugi::xml_node& element)
    {
        const std::string source = GetAttributeText(element, "definition_source");
        if (source == "inline")
            return DefinitionSource::Inline;
        if (source == "file")
            return DefinitionSource::File;
        BOOST_THROW_EXCEPTION(UnknownTypeError("unknown type of definition_source: " + source));
    }

    std::string GetReferencedPath(const std::string& name, const pugi::xml_node& element)
    {
        const std::string file = element.text().get();
        if (file.empty())
            BOOST_THROW_EXCEPTION(XmlError(std::string("element ") + element.name() + " names no file"));
        return JoinResourcePath(GetParentResourcePath(name), file);
    }

    stable_ptr<pugi::xml_document> LoadResourceDocument(const std::string& path)
    {
        return LoadXmlFile(ToFilesystemPath(path));
    }
}
