// Definitions that stand inline or in a file of their own.
//
// Wherever a definition holds a sub-definition (an animation in an action, an
// action in a state, ...), it does so by an element named after the kind with
// the attribute definition_source:
//     <animation definition_source="inline"> ...the definition... </animation>
//     <animation definition_source="file">idle.animation</animation>
// A file name is relative to the folder of the enclosing resource; a '$' in it
// starts again from the game root.
//
// A kind T takes part through
//   - a specialisation naming its element:
//         template <> struct DefinitionKind<SpriteList>
//         {
//             static constexpr const char* ElementName = "sprite_list";
//         };
//   - a member void Load(const std::string& name, const pugi::xml_node& element)
//     that reads the definition; `name` is the resource path of the file that
//     holds it (the base for the file names the definition itself holds), and T
//     must be default-constructible.
#pragma once

#include "core/Exception.hpp"
#include "core/Files.hpp"
#include "core/ResourceUtility.hpp"
#include "core/StablePtr.hpp"
#include "core/XmlReading.hpp"

#include <memory>
#include <string>

namespace Kestrum
{
    template <typename T>
    struct DefinitionKind;

    enum class DefinitionSource
    {
        Inline,
        File
    };

    // The element's definition_source: "inline" or "file", compared exactly.
    // Missing: XmlError; another value: UnknownTypeError
    // "unknown type of definition_source: " + value.
    DefinitionSource GetDefinitionSource(const pugi::xml_node& element);

    // The opening of an inline definition's Load: the element must be named
    // `elementName` (as AssertElementName), stand inline (otherwise LogicError
    // "expected inline, found " + value) and be of a version up to `highest`
    // (as CheckAndReturnVersion), which is answered.
    unsigned long CheckInlineDefinition(const pugi::xml_node& element, const std::string& elementName,
                                        unsigned long highest);

    // The resource path that a definition_source="file" element names: its text
    // joined to the folder of `name`. No text: XmlError.
    std::string GetReferencedPath(const std::string& name, const pugi::xml_node& element);

    // Opens the XML file of a resource path (XmlError when it is missing or
    // malformed) and returns its document.
    stable_ptr<pugi::xml_document> LoadResourceDocument(const std::string& path);

    // Fills the object from the file's first element named after the kind, read
    // as a data file (ReadDataFile of core/Files.hpp: a file that names itself,
    // directly or through others, is refused, and errors name the file).
    template <typename T>
    void LoadFromXmlFile(T& object, const std::string& path)
    {
        ReadDataFile(path, [&] {
            const stable_ptr<pugi::xml_document> document = LoadResourceDocument(path);
            const pugi::xml_node element = GetChildElement(*document, DefinitionKind<T>::ElementName);
            object.Load(path, element);
        });
    }

    // LoadFromXmlFile without throwing: whatever goes wrong is written to the log
    // and the answer is false.
    template <typename T>
    bool LoadImpl(T& object, const std::string& path) noexcept
    {
        try
        {
            LoadFromXmlFile(object, path);
            return true;
        }
        catch (...)
        {
            LogCurrentException(BOOST_CURRENT_FUNCTION);
            return false;
        }
    }

    // A new object from an element of the kind's name, loaded inline (with the
    // enclosing resource's name) or from the file it names (with that file's
    // path as name). A file that does not load throws LoadError
    // "loading " + path + " failed"; its reason is in the log.
    template <typename T>
    stable_ptr<T> CreateResource(const std::string& name, const pugi::xml_node& element)
    {
        AssertElementName(element, DefinitionKind<T>::ElementName);
        const std::shared_ptr<T> object = std::make_shared<T>();
        if (GetDefinitionSource(element) == DefinitionSource::File)
        {
            const std::string target = GetReferencedPath(name, element);
            if (!LoadImpl(*object, target))
                BOOST_THROW_EXCEPTION(LoadError("loading " + target + " failed"));
        }
        else
        {
            object->Load(name, element);
        }
        return create_stable_ptr(object);
    }
}
