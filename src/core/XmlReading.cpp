#include "core/XmlReading.hpp"

#include "core/Exception.hpp"
#include "core/Files.hpp"

#include <algorithm>
#include <boost/algorithm/string/case_conv.hpp>
#include <boost/format.hpp>
#include <boost/lexical_cast.hpp>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

namespace Kestrum
{
    namespace
    {
        const unsigned int parseOptions = pugi::parse_default | pugi::parse_trim_pcdata;

        // The failure names its source itself: "<source>:<line>:<column>: <description>"
        // for a syntax error (with the line as LineInfo too), "<source>: <description>"
        // for anything else.
        void ThrowParseFailure(const pugi::xml_parse_result& result, const std::string& source,
                               const std::string& text)
        {
            XmlError error(result.description());
            std::string place = ToShownPath(source);
            const bool syntax = result.status != pugi::status_file_not_found &&
                                result.status != pugi::status_io_error &&
                                result.status != pugi::status_out_of_memory &&
                                result.status != pugi::status_internal_error;
            if (syntax)
            {
                // Both counted from 1.
                unsigned long line = 1;
                unsigned long column = 1;
                for (std::ptrdiff_t i = 0; i < result.offset && i < static_cast<std::ptrdiff_t>(text.size()); ++i)
                {
                    if (text[static_cast<std::size_t>(i)] == '\n')
                        ++line, column = 1;
                    else
                        ++column;
                }
                place += ':' + std::to_string(line) + ':' + std::to_string(column);
                error << LineInfo(line);
            }
            error.NameFile(place);
            BOOST_THROW_EXCEPTION(error);
        }

        // The texts of the documents that live, by their document node, so that an
        // element's line can be told when a reader refuses it. Never destroyed: a
        // document may go after the statics of this file.
        struct ParsedTexts
        {
            std::mutex mutex;
            std::map<const void*, std::string> texts;
        };

        ParsedTexts& GetParsedTexts()
        {
            static ParsedTexts* const parsed = new ParsedTexts();
            return *parsed;
        }

        bool IsNegativeText(const std::string& text)
        {
            const std::size_t first = text.find_first_not_of(" \t\r\n");
            return first != std::string::npos && text[first] == '-';
        }

        template <typename T>
        const char* DescribeKind()
        {
            if constexpr (std::is_integral_v<T> && std::is_unsigned_v<T>)
                return "an unsigned number";
            else if constexpr (std::is_integral_v<T>)
                return "a whole number";
            else
                return "a number";
        }

        std::string ElementText(const pugi::xml_node& child, const std::string& name)
        {
            const pugi::xml_text text = child.text();
            if (text.empty())
                BOOST_THROW_EXCEPTION(WithLineOf(XmlError("element " + name + " has no text"), child));
            return text.get();
        }

        // What `read` answers; whatever it throws carries the node's line, unless
        // it carries a line already.
        template <typename Read>
        auto ReadAt(const pugi::xml_node& node, Read&& read) -> decltype(read())
        {
            try
            {
                return read();
            }
            catch (boost::exception& error)
            {
                AttachLineOf(error, node);
                throw;
            }
        }
    }

    void AttachLineOf(boost::exception& error, const pugi::xml_node& node)
    {
        if (boost::get_error_info<LineInfo>(error))
            return;
        if (const unsigned long line = GetLineNumber(node))
            error << LineInfo(line);
    }

    template <typename T>
    T ConvertValue(const std::string& text, const std::string& owner, const pugi::xml_node& node)
    {
        T value;
        try
        {
            value = Details::ConvertText<T>(text);
        }
        catch (const boost::bad_lexical_cast&)
        {
            BOOST_THROW_EXCEPTION(
                WithLineOf(XmlError(owner + " holds " + text + ", which is not " + DescribeKind<T>()), node));
        }
        catch (boost::exception& error)
        {
            // A text that is no boolean.
            AttachLineOf(error, node);
            throw;
        }
        if constexpr (std::is_floating_point_v<T>)
        {
            if (!std::isfinite(value))
                BOOST_THROW_EXCEPTION(
                    WithLineOf(ParseError(owner + " holds " + text + ", which is not a finite number"), node));
        }
        return value;
    }

    template float ConvertValue<float>(const std::string&, const std::string&, const pugi::xml_node&);
    template int ConvertValue<int>(const std::string&, const std::string&, const pugi::xml_node&);
    template unsigned int ConvertValue<unsigned int>(const std::string&, const std::string&, const pugi::xml_node&);
    template unsigned long ConvertValue<unsigned long>(const std::string&, const std::string&,
                                                       const pugi::xml_node&);
    template bool ConvertValue<bool>(const std::string&, const std::string&, const pugi::xml_node&);
    template std::string ConvertValue<std::string>(const std::string&, const std::string&, const pugi::xml_node&);

    template <typename T>
    T GetAttributeValue(const pugi::xml_node& element, const std::string& name)
    {
        return ConvertValue<T>(GetAttributeText(element, name),
                               "attribute " + name + " of element " + std::string(element.name()), element);
    }

    template float GetAttributeValue<float>(const pugi::xml_node&, const std::string&);
    template int GetAttributeValue<int>(const pugi::xml_node&, const std::string&);
    template unsigned int GetAttributeValue<unsigned int>(const pugi::xml_node&, const std::string&);
    template unsigned long GetAttributeValue<unsigned long>(const pugi::xml_node&, const std::string&);

    stable_ptr<pugi::xml_document> LoadXmlFile(const std::filesystem::path& path)
    {
        // Opened without waiting, and read only when it is a regular file: a folder
        // or a named pipe of that name neither blocks nor passes for a document.
        const int descriptor = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0)
        {
            pugi::xml_parse_result missing;
            missing.status = pugi::status_file_not_found;
            ThrowParseFailure(missing, path.string(), std::string());
        }
        std::string text;
        struct stat status;
        bool regular = fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
        bool readable = true;
        char buffer[65536];
        while (regular && readable)
        {
            const ssize_t count = read(descriptor, buffer, sizeof buffer);
            if (count > 0)
                text.append(buffer, static_cast<std::size_t>(count));
            else if (count == 0)
                break;
            else if (errno != EINTR)
                readable = false;
        }
        close(descriptor);
        if (!regular)
            BOOST_THROW_EXCEPTION(LoadError(path.string() + " is not a regular file"));
        if (!readable)
        {
            pugi::xml_parse_result failure;
            failure.status = pugi::status_io_error;
            ThrowParseFailure(failure, path.string(), std::string());
        }
        return LoadXmlText(text, path.string());
    }

    stable_ptr<pugi::xml_document> LoadXmlText(const std::string& text, const std::string& source)
    {
        const stable_ptr<pugi::xml_document> document =
            create_stable_ptr(std::shared_ptr<pugi::xml_document>(new pugi::xml_document(), [](pugi::xml_document* gone) {
                {
                    ParsedTexts& parsed = GetParsedTexts();
                    const std::lock_guard<std::mutex> lock(parsed.mutex);
                    parsed.texts.erase(gone->internal_object());
                }
                delete gone;
            }));
        const pugi::xml_parse_result result =
            document->load_buffer(text.data(), text.size(), parseOptions, pugi::encoding_utf8);
        if (!result)
            ThrowParseFailure(result, source, text);
        ParsedTexts& parsed = GetParsedTexts();
        const std::lock_guard<std::mutex> lock(parsed.mutex);
        parsed.texts[document->internal_object()] = text;
        return document;
    }

    unsigned long GetLineNumber(const pugi::xml_node& node)
    {
        const std::ptrdiff_t offset = node.offset_debug();
        ParsedTexts& parsed = GetParsedTexts();
        const std::lock_guard<std::mutex> lock(parsed.mutex);
        const auto found = parsed.texts.find(node.root().internal_object());
        if (offset < 0 || found == parsed.texts.end())
            return 0;
        const std::string& text = found->second;
        const auto end = text.begin() + std::min<std::ptrdiff_t>(offset, static_cast<std::ptrdiff_t>(text.size()));
        return 1 + static_cast<unsigned long>(std::count(text.begin(), end, '\n'));
    }

    pugi::xml_node GetRootElement(const pugi::xml_document& document, const std::string& name,
                                  const std::string& source)
    {
        const pugi::xml_node root = document.document_element();
        if (!root || name != root.name())
        {
            XmlError error("no " + name + " root element");
            AttachLineOf(error, root);
            NameDataFile(error, source);
            BOOST_THROW_EXCEPTION(error);
        }
        return root;
    }

    pugi::xml_node GetChildElement(const pugi::xml_node& element, const std::string& name)
    {
        const pugi::xml_node child = element.child(name.c_str());
        if (!child)
            BOOST_THROW_EXCEPTION(WithLineOf(XmlError("no " + name + " element defined"), element));
        return child;
    }

    std::string GetAttributeText(const pugi::xml_node& element, const std::string& name)
    {
        const pugi::xml_attribute attribute = element.attribute(name.c_str());
        if (!attribute)
            BOOST_THROW_EXCEPTION(WithLineOf(
                XmlError("attribute " + name + " does not exist in element " + std::string(element.name())), element));
        return attribute.value();
    }

    void AssertElementName(const pugi::xml_node& element, const std::string& name)
    {
        if (name != element.name())
            BOOST_THROW_EXCEPTION(
                WithLineOf(LogicError("Expected element " + name + ", found " + element.name()), element));
    }

    namespace Details
    {
        template <>
        bool CastTo<bool>(const std::string& text)
        {
            const std::string lower = boost::algorithm::to_lower_copy(text);
            if (lower == "1" || lower == "true")
                return true;
            if (lower == "0" || lower == "false")
                return false;
            BOOST_THROW_EXCEPTION(InvalidArgumentError("string " + text + " can not be cast to boolean value"));
        }

        template <typename T>
        T ConvertText(const std::string& text)
        {
            return boost::lexical_cast<T>(text);
        }

        template <>
        bool ConvertText<bool>(const std::string& text)
        {
            return CastTo<bool>(text);
        }

        template <>
        std::string ConvertText<std::string>(const std::string& text)
        {
            return text;
        }

        // The files hold 32-bit whole numbers: a text beyond that range does not
        // convert, here as on every other machine; nor does a negative one, which
        // the conversion would otherwise wrap round to a huge number.
        template <>
        unsigned long ConvertText<unsigned long>(const std::string& text)
        {
            if (IsNegativeText(text))
                boost::throw_exception(boost::bad_lexical_cast(typeid(std::string), typeid(unsigned long)));
            return boost::lexical_cast<std::uint32_t>(text);
        }

        template <>
        unsigned int ConvertText<unsigned int>(const std::string& text)
        {
            return static_cast<unsigned int>(ConvertText<unsigned long>(text));
        }

        template float ConvertText<float>(const std::string&);
        template int ConvertText<int>(const std::string&);
    }

    template <typename T>
    sf::Vector2<T> GetCoordinatesFromAttributes(const pugi::xml_node& element)
    {
        const T y = GetAttributeValue<T>(element, "y");
        const T x = GetAttributeValue<T>(element, "x");
        return sf::Vector2<T>(x, y);
    }

    template sf::Vector2<float> GetCoordinatesFromAttributes<float>(const pugi::xml_node&);
    template sf::Vector2<unsigned int> GetCoordinatesFromAttributes<unsigned int>(const pugi::xml_node&);

    template <typename T>
    Range<T> GetRangeFromAttributes(const pugi::xml_node& element)
    {
        Range<T> range;
        range.maximum = GetAttributeValue<T>(element, "maximum");
        range.minimum = GetAttributeValue<T>(element, "minimum");
        if (range.maximum < range.minimum)
            BOOST_THROW_EXCEPTION(WithLineOf(LogicError("range has reversed boundaries"), element));
        return range;
    }

    template Range<float> GetRangeFromAttributes<float>(const pugi::xml_node&);

    template <typename T>
    T GetChildValue(const pugi::xml_node& element, const std::string& name)
    {
        const pugi::xml_node child = GetChildElement(element, name);
        return ConvertValue<T>(ElementText(child, name), "element " + name, child);
    }

    template <>
    sf::Vector2f GetChildValue<sf::Vector2f>(const pugi::xml_node& element, const std::string& name)
    {
        return GetCoordinatesFromAttributes<float>(GetChildElement(element, name));
    }

    template <>
    sf::Vector2u GetChildValue<sf::Vector2u>(const pugi::xml_node& element, const std::string& name)
    {
        return GetCoordinatesFromAttributes<unsigned int>(GetChildElement(element, name));
    }

    template <>
    Range<float> GetChildValue<Range<float>>(const pugi::xml_node& element, const std::string& name)
    {
        return GetRangeFromAttributes<float>(GetChildElement(element, name));
    }

    template float GetChildValue<float>(const pugi::xml_node&, const std::string&);
    template bool GetChildValue<bool>(const pugi::xml_node&, const std::string&);
    template int GetChildValue<int>(const pugi::xml_node&, const std::string&);
    template unsigned int GetChildValue<unsigned int>(const pugi::xml_node&, const std::string&);
    template unsigned long GetChildValue<unsigned long>(const pugi::xml_node&, const std::string&);
    template std::string GetChildValue<std::string>(const pugi::xml_node&, const std::string&);

    template <typename T>
    void AssertAttribute(const pugi::xml_node& element, const std::string& name, const T& expected)
    {
        const pugi::xml_attribute attribute = element.attribute(name.c_str());
        if (!attribute)
            BOOST_THROW_EXCEPTION(
                WithLineOf(LogicError("Expected " + std::string(element.name()) + " to have " + name), element));
        const T found = ReadAt(element, [&] { return Details::ConvertText<T>(attribute.value()); });
        if (!(found == expected))
            BOOST_THROW_EXCEPTION(WithLineOf(
                LogicError(
                    (boost::format("Expected attribute %1% to be %2% but found %3%") % name % expected % found).str()),
                element));
    }

    template void AssertAttribute<int>(const pugi::xml_node&, const std::string&, const int&);
    template void AssertAttribute<std::string>(const pugi::xml_node&, const std::string&, const std::string&);

    void AssertAttribute(const pugi::xml_node& element, const std::string& name, const char* expected)
    {
        AssertAttribute<std::string>(element, name, std::string(expected));
    }

    unsigned long CheckAndReturnVersion(const pugi::xml_node& element, unsigned long highest)
    {
        const std::string text = GetAttributeText(element, "version");
        unsigned long version = 0;
        try
        {
            version = Details::ConvertText<unsigned long>(text);
        }
        catch (const boost::bad_lexical_cast&)
        {
            BOOST_THROW_EXCEPTION(WithLineOf(
                XmlError("version " + text + " of element " + std::string(element.name()) + " is not a number"),
                element));
        }
        if (version > highest)
            BOOST_THROW_EXCEPTION(WithLineOf(
                NotSupportedError((boost::format("highest supported version of %1% is %2%, encountered version %3%") %
                                   element.name() % highest % version)
                                      .str()),
                element));
        return version;
    }

    std::string ToXmlText(float value)
    {
        std::ostringstream text;
        text << value;
        return text.str();
    }

    std::string ToXmlText(bool value)
    {
        return value ? "1" : "0";
    }

    template <typename T>
    void AddUniqueChildElement(pugi::xml_node& parent, const std::string& name, const T& value)
    {
        if (parent.child(name.c_str()))
            BOOST_THROW_EXCEPTION(
                RuntimeError(std::string(parent.name()) + " already has child element " + name));
        parent.append_child(name.c_str()).text().set(ToXmlText(value).c_str());
    }

    template void AddUniqueChildElement<float>(pugi::xml_node&, const std::string&, const float&);
    template void AddUniqueChildElement<bool>(pugi::xml_node&, const std::string&, const bool&);

    std::string ToXmlString(const pugi::xml_document& document)
    {
        std::ostringstream text;
        document.save(text, "    ", pugi::format_default, pugi::encoding_utf8);
        return text.str();
    }

    void AddDeclaration(pugi::xml_document& document)
    {
        pugi::xml_node declaration = document.prepend_child(pugi::node_declaration);
        declaration.append_attribute("version") = "1.0";
        declaration.append_attribute("encoding") = "utf-8";
        declaration.append_attribute("standalone") = "yes";
    }
}
