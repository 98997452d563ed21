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

    unsigned long CheckInlineDefinition(const pugi::xml_node& element, const std::string& elementName,
                                        unsigned long highest)
    {
        AssertElementName(element, elementName);
        const std::string source = GetAttributeText(element, "definition_source");
        if (source != "inline")
            BOOST_THROW_EXCEPTION(LogicError("expected inline, found " + source));
        return CheckAndReturnVersion(element, highest);
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
