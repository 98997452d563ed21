// Reading XML definition and configuration files: one failure behaviour for all
// loaders. A missing required element or attribute, and anything the XML parser
// reports, is an XmlError; a wrong element name or attribute value a LogicError.
// Numbers are converted with boost::lexical_cast (the whole text must be the
// number) through ConvertValue, which names the element or attribute and the
// text in its failures: a text that is not a number of the kind wanted is an
// XmlError "element <name> holds <text>, which is not a number" ("... a whole
// number" for int, "... an unsigned number" for the unsigned kinds, negative
// texts and numbers beyond 32 bits alike; "attribute <name> of element
// <element> holds ..."); a float that is not finite (nan, inf) a ParseError
// "... which is not a finite number". The readers that take a node attach its
// line as a LineInfo (the line of the element that holds the value, of the
// element that lacks the child or attribute); the file itself is named by
// ReadDataFile (core/Files.hpp), which puts it with the line before the message.
#pragma once

#include "core/Range.hpp"
#include "core/StablePtr.hpp"

#include <SFML/System/Vector2.hpp>
#include <boost/exception/exception.hpp>
#include <filesystem>
#include <pugixml.hpp>
#include <string>

namespace Kestrum
{
    // Parses an XML file (UTF-8; leading and trailing blanks of element texts are
    // dropped). Failure: XmlError with the parser's message, naming the file (as
    // ToShownPath of core/Files.hpp shows it) itself, so no reader names it again:
    // "<path>:<line>:<column>: <description>" for a syntax error, which carries the
    // line as LineInfo too, "<path>: <description>" otherwise; something other than
    // a regular file at the path (a folder, a named pipe): LoadError path + " is not
    // a regular file".
    stable_ptr<pugi::xml_document> LoadXmlFile(const std::filesystem::path& path);
    // The same for XML text held in memory; `source` names it in messages, shown
    // the same way.
    stable_ptr<pugi::xml_document> LoadXmlText(const std::string& text, const std::string& source);

    // The line, counted from 1, on which the node starts in the text of the
    // document that LoadXmlFile or LoadXmlText parsed; 0 for a node of a document
    // made otherwise.
    unsigned long GetLineNumber(const pugi::xml_node& node);

    // Attaches the node's line (LineInfo) to an error that carries none yet, where
    // the line is known.
    void AttachLineOf(boost::exception& error, const pugi::xml_node& node);
    // The error with the node's line attached, for readers that refuse what a node
    // holds: BOOST_THROW_EXCEPTION(WithLineOf(XmlError("..."), element)).
    template <typename E>
    E WithLineOf(E error, const pugi::xml_node& node)
    {
        AttachLineOf(error, node);
        return error;
    }

    // The document's top element, which must be called `name`; otherwise XmlError
    // "<source>: no <name> root element", which names its file itself as ReadDataFile
    // (core/Files.hpp) would, with the line of a top element of another name.
    pugi::xml_node GetRootElement(const pugi::xml_document& document, const std::string& name,
                                  const std::string& source);

    // The first child element called `name`; none: XmlError "no " + name + " element defined".
    pugi::xml_node GetChildElement(const pugi::xml_node& element, const std::string& name);

    // The attribute's text; missing: XmlError "attribute <name> does not exist in element <element>".
    std::string GetAttributeText(const pugi::xml_node& element, const std::string& name);

    // The element's own name must be `name`: LogicError "Expected element " + name + ", found " + its name.
    void AssertElementName(const pugi::xml_node& element, const std::string& name);

    namespace Details
    {
        // "1"/"true" and "0"/"false" in any case; anything else: InvalidArgumentError
        // "string " + text + " can not be cast to boolean value".
        template <typename T>
        T CastTo(const std::string& text);
        template <>
        bool CastTo<bool>(const std::string& text);

        // An element's text converted to T (float, bool, int, unsigned int,
        // unsigned long, std::string).
        template <typename T>
        T ConvertText(const std::string& text);
        template <>
        bool ConvertText<bool>(const std::string& text);
        template <>
        std::string ConvertText<std::string>(const std::string& text);
        // 0 to 4294967295; a negative or larger number lets boost::bad_lexical_cast out.
        // Readers convert through ConvertValue, which names what failed.
        template <>
        unsigned int ConvertText<unsigned int>(const std::string& text);
        template <>
        unsigned long ConvertText<unsigned long>(const std::string& text);
    }

    // A text converted to T (float, int, unsigned int, unsigned long, bool,
    // std::string); `owner` names it in failures ("element speed", "attribute x of
    // element enemy", "hit points of airship000"), which are those listed above
    // and carry the line of `node`, the element that holds the text, where given.
    template <typename T>
    T ConvertValue(const std::string& text, const std::string& owner, const pugi::xml_node& node = pugi::xml_node());

    // The attribute converted to T (float, int, unsigned int, unsigned long) by
    // ConvertValue. Missing: XmlError.
    template <typename T>
    T GetAttributeValue(const pugi::xml_node& element, const std::string& name);

    // The attributes "x" and "y" (read "y" first), for T = float and unsigned int.
    template <typename T>
    sf::Vector2<T> GetCoordinatesFromAttributes(const pugi::xml_node& element);

    // The attributes "maximum" and "minimum" (in this order); a maximum below the
    // minimum: LogicError "range has reversed boundaries".
    template <typename T>
    Range<T> GetRangeFromAttributes(const pugi::xml_node& element);

    // The first child called `name`, its text converted to T; for sf::Vector2f and
    // Range<float> the child's attributes. A present child without text: XmlError.
    template <typename T>
    T GetChildValue(const pugi::xml_node& element, const std::string& name);
    template <>
    sf::Vector2f GetChildValue<sf::Vector2f>(const pugi::xml_node& element, const std::string& name);
    template <>
    sf::Vector2u GetChildValue<sf::Vector2u>(const pugi::xml_node& element, const std::string& name);
    template <>
    Range<float> GetChildValue<Range<float>>(const pugi::xml_node& element, const std::string& name);

    // As GetChildValue, but `fallback` when there is no such child (a present child
    // that is empty or malformed is still an error).
    template <typename T>
    T GetOptionalChildValue(const pugi::xml_node& element, const std::string& name, const T& fallback)
    {
        if (!element.child(name.c_str()))
            return fallback;
        return GetChildValue<T>(element, name);
    }

    // The attribute `name` converted to T must equal `expected`. Missing: LogicError
    // "Expected <element> to have <name>"; different: LogicError
    // "Expected attribute <name> to be <expected> but found <found>".
    template <typename T>
    void AssertAttribute(const pugi::xml_node& element, const std::string& name, const T& expected);
    void AssertAttribute(const pugi::xml_node& element, const std::string& name, const char* expected);

    // The attribute "version" as a number, at most `highest`; above it:
    // NotSupportedError "highest supported version of <element> is <highest>,
    // encountered version <version>". Missing or not a number: XmlError.
    unsigned long CheckAndReturnVersion(const pugi::xml_node& element, unsigned long highest);

    // Writing side: the text forms that the game's files use. Floats with six
    // significant digits (a standard stream's default), bools as "1" and "0".
    std::string ToXmlText(float value);
    std::string ToXmlText(bool value);

    // Appends a child `name` holding the value's text; a child of that name already
    // present: RuntimeError "<parent> already has child element <name>".
    template <typename T>
    void AddUniqueChildElement(pugi::xml_node& parent, const std::string& name, const T& value);

    // The document as text, with its declaration and four-blank indentation.
    std::string ToXmlString(const pugi::xml_document& document);
    // Appends the declaration version "1.0", encoding "utf-8", standalone "yes".
    void AddDeclaration(pugi::xml_document& document);
}
