#include "campaign/SavingFileCheck.hpp"

#include "core/Exception.hpp"

#include <algorithm>
#include <cctype>
#include <boost/archive/basic_archive.hpp>
#include <boost/date_time/posix_time/posix_time.hpp>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <locale>
#include <optional>
#include <pugixml.hpp>
#include <sstream>
#include <string_view>
#include <vector>

namespace Kestrum
{
    namespace
    {
        const char* const blanks = " \t\r\n";
        const char* const decimalDigits = "0123456789";
        const long long mostUnsigned = 4294967295LL;
        const long long leastSigned = -2147483648LL;
        const long long mostSigned = 2147483647LL;

        // The saved classes, in the order in which a saving's type names them.
        // A set of pointers is followed by the classes of its items: the stable
        // pointer, the shared pointer inside it and the object.
        enum Class
        {
            savingClass,
            mapPointerClass,
            mapClass,
            missionSetClass,
            missionStableClass,
            missionPointerClass,
            missionClass,
            numberSetClass,
            textSetClass,
            vectorClass,
            textVectorClass,
            shipVectorClass,
            shipClass,
            selectionClass,
            treePointerClass,
            treeClass,
            nodeSetClass,
            nodeStableClass,
            nodePointerClass,
            nodeClass,
            costClass,
            classCount
        };

        // What the first element of a class carries: whether it has class
        // information at all, its tracking level and its class version.
        struct ClassForm
        {
            bool hasInformation;
            const char* tracking;
            const char* version;
        };

        ClassForm GetForm(Class type)
        {
            switch (type)
            {
            case numberSetClass:
                return {false, "0", "0"};
            case mapPointerClass:
            case missionPointerClass:
            case treePointerClass:
            case nodePointerClass:
                return {true, "0", "1"};
            case mapClass:
            case missionClass:
            case treeClass:
            case nodeClass:
                return {true, "1", "0"};
            default:
                return {true, "0", "0"};
            }
        }

        // Which equipment IDs a text field takes.
        enum class IdKind
        {
            any,
            hull,
            shield,
            weapon
        };

        // The sets of pointers that list every object of theirs once.
        enum class Listing
        {
            none,
            listed
        };

        // The text in quotes for a message, cut after 40 characters; control
        // characters (a line end, a tab) as \xNN, so that the message keeps to
        // one line.
        std::string Quote(std::string_view text)
        {
            const std::size_t most = 40;
            std::string quoted = "\"";
            for (const char c : text.substr(0, most))
            {
                if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f)
                    quoted += c;
                else
                {
                    char code[8];
                    std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
                    quoted += code;
                }
            }
            return quoted + (text.size() > most ? "...\"" : "\"");
        }

        bool AreDigits(std::string_view text)
        {
            return !text.empty() && text.find_first_not_of(decimalDigits) == std::string_view::npos;
        }

        // The path of the element names from the top, the item numbers included;
        // the pointer wrappers are dropped but where they end the path.
        std::string JoinPath(const std::vector<std::string>& names)
        {
            std::size_t trailing = names.size();
            while (trailing > 0 && (names[trailing - 1] == "sp" || names[trailing - 1] == "px"))
                --trailing;
            std::string path;
            for (std::size_t i = 0; i < names.size(); ++i)
                if (i >= trailing || (names[i] != "sp" && names[i] != "px"))
                    path += (path.empty() ? "" : "/") + names[i];
            return path;
        }

        // The whole number of the text, blanks after it allowed, when it is
        // written in decimal digits (with a "-" before them only where `least`
        // is negative) and lies from `least` to `most`.
        std::optional<long long> ReadWhole(std::string_view text, long long least, long long most)
        {
            const bool negative = !text.empty() && text[0] == '-';
            if (negative && least >= 0)
                return std::nullopt;
            const std::size_t at = negative ? 1 : 0;
            const std::size_t end = std::min(text.find_first_not_of(decimalDigits, at), text.size());
            if (end == at || text.find_first_not_of(blanks, end) != std::string_view::npos)
                return std::nullopt;
            long long value = 0;
            for (std::size_t i = at; i < end; ++i)
            {
                value = value * 10 + (text[i] - '0');
                if (value > (1LL << 40))
                    return std::nullopt;
            }
            value = negative ? -value : value;
            if (value < least || value > most)
                return std::nullopt;
            return value;
        }

        // The number of an object id or reference: "_" and the number as the
        // archive writes it.
        std::optional<std::size_t> ReadObjectId(std::string_view text)
        {
            const std::string_view digits = text.substr(std::min<std::size_t>(1, text.size()));
            if (text.empty() || text[0] != '_' || !AreDigits(digits) || digits.size() > 9 ||
                (digits.size() > 1 && digits[0] == '0'))
                return std::nullopt;
            return std::stoul(std::string(digits));
        }

        // What is wrong with a time stamp, empty for none: the ISO basic form
        // YYYYMMDDTHHMMSS with an optional fraction of a second, a real date and
        // time of day, no more than savingMostHoursBetweenZones before
        // 1970-01-01 (a clock at 1970-01-01 00:00 UTC reads 1969 in local time
        // west of UTC).
        std::string DescribeTimeProblem(std::string_view text)
        {
            static const std::string earliest =
                boost::posix_time::to_iso_string(boost::posix_time::ptime(boost::gregorian::date(1970, 1, 1)) -
                                                 boost::posix_time::hours(savingMostHoursBetweenZones));
            const bool fraction = text.size() > 15;
            if (text.size() < 15 || text[8] != 'T' || !AreDigits(text.substr(0, 8)) || !AreDigits(text.substr(9, 6)) ||
                (fraction && ((text[15] != '.' && text[15] != ',') || !AreDigits(text.substr(16)))))
                return "is not a time of the form YYYYMMDDTHHMMSS";
            const auto number = [text](std::size_t at, std::size_t length) {
                return std::stoi(std::string(text.substr(at, length)));
            };
            const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
            const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
            const int daysInMonth[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            if (month < 1 || month > 12 || day < 1 || day > daysInMonth[month - 1] || number(9, 2) > 23 ||
                number(11, 2) > 59 || number(13, 2) > 59)
                return "is not a real date and time of day";
            // Written with digits of fixed widths, the times go in the order of their texts.
            if (text.substr(0, earliest.size()) < earliest)
                return "is more than " + std::to_string(savingMostHoursBetweenZones) + " hours before 1970-01-01";
            return std::string();
        }

        // A time stamp without problem as the saving's reader takes it. One the
        // date-time library does not read (the reader then refuses the file)
        // counts by its whole seconds.
        boost::posix_time::ptime ReadTime(std::string_view text)
        {
            try
            {
                const boost::posix_time::ptime time = boost::posix_time::from_iso_string(std::string(text));
                if (!time.is_special())
                    return time;
            }
            catch (const std::exception&)
            {
            }
            return boost::posix_time::from_iso_string(std::string(text.substr(0, 15)));
        }

        // Whether the text is an equipment ID of the category `code` (any of
        // the six when empty): the code and three digits.
        bool IsEquipmentId(std::string_view text, std::string_view code)
        {
            const std::string_view codes[] = {"wpn", "shd", "bmb", "ngn", "hll", "gdg"};
            if (text.size() != 6 || !AreDigits(text.substr(3)))
                return false;
            const std::string_view prefix = text.substr(0, 3);
            return code.empty() ? std::find(std::begin(codes), std::end(codes), prefix) != std::end(codes)
                                : prefix == code;
        }

        // Reads the document the way the game's writer writes it, keeping the
        // writer's tables of class ids and object ids as it goes.
        class Checker
        {
        public:
            Checker(const std::string& text, unsigned long id) : m_text(text), m_id(id)
            {
                m_floatStream.imbue(std::locale::classic());
            }

            // The file's time stamp, once it has passed.
            boost::posix_time::ptime Run()
            {
                if (m_text.size() > savingFileMostBytes)
                    Fail("boost_serialization", savingFileMostBytes,
                         "the text is " + std::to_string(m_text.size()) + " bytes long, more than the " +
                             std::to_string(savingFileMostBytes) + " a save file may hold");
                CheckHeader();
                Parse();
                CheckEnd();
                CheckMarkup();
                CheckSaving();
                return m_time;
            }

        private:
            class Attributes;
            class Children;

            struct ClassState
            {
                long id = -1;
                bool informed = false;
            };

            struct Object
            {
                Class type;
                bool ended;
                bool listed;
            };

            [[noreturn]] void Fail(const std::string& where, std::size_t offset, const std::string& problem) const
            {
                offset = std::min(offset, m_text.size());
                const auto end = m_text.begin() + static_cast<std::ptrdiff_t>(offset);
                const auto line = std::count(m_text.begin(), end, '\n');
                BOOST_THROW_EXCEPTION(ParseError(where + ": " + problem)
                                      << LineInfo(static_cast<unsigned long>(line) + 1));
            }

            [[noreturn]] void Fail(const pugi::xml_node& element, const std::string& problem) const
            {
                Fail(PathOf(element), Offset(element), problem);
            }

            std::size_t Offset(const pugi::xml_node& node) const
            {
                return static_cast<std::size_t>(std::max<std::ptrdiff_t>(node.offset_debug(), 0));
            }

            // The offset of a text that the parser left in its buffer.
            std::size_t Offset(const char* text) const
            {
                const bool inside = text >= m_buffer.data() && text < m_buffer.data() + m_buffer.size();
                return inside ? static_cast<std::size_t>(text - m_buffer.data()) : 0;
            }

            // Where the element's end tag lies, as near as the parse tells.
            std::size_t EndOffset(const pugi::xml_node& element) const
            {
                const pugi::xml_node last = element.last_child();
                if (last.type() == pugi::node_pcdata)
                    return Offset(last) + std::strlen(last.value());
                return Offset(last ? last : element);
            }

            std::string PathOf(pugi::xml_node element) const
            {
                if (element && element == m_root)
                    return "savingImpl";
                std::vector<std::string> names;
                for (; element && element != m_root; element = element.parent())
                {
                    std::string name = std::string(element.name()).substr(0, 40);
                    if (name == "item")
                    {
                        unsigned long number = 1;
                        for (pugi::xml_node before = element.previous_sibling("item"); before;
                             before = before.previous_sibling("item"))
                            ++number;
                        name += " " + std::to_string(number);
                    }
                    names.push_back(name);
                }
                if (!element)
                    return "boost_serialization";
                std::reverse(names.begin(), names.end());
                return JoinPath(names);
            }

            // The path of the innermost element still open at the offset, found
            // by a plain scan of the tags before it, for a text that did not parse;
            // elements deeper than the bound are left out of it.
            std::string OpenPathAt(std::size_t offset) const
            {
                const std::string_view text(m_text.data(), std::min(offset, m_text.size()));
                std::vector<std::string> open;
                std::vector<unsigned long> items;
                std::size_t hidden = 0;
                std::size_t at = 0;
                while ((at = text.find('<', at)) != std::string_view::npos)
                {
                    const auto after = [text, at](std::string_view end) {
                        const std::size_t found = text.find(end, at);
                        return found == std::string_view::npos ? found : found + end.size();
                    };
                    if (text.compare(at, 4, "<!--") == 0)
                        at = after("-->");
                    else if (text.compare(at, 9, "<![CDATA[") == 0)
                        at = after("]]>");
                    else if (text.compare(at, 2, "<?") == 0 || text.compare(at, 2, "<!") == 0)
                        at = after(">");
                    else
                    {
                        std::size_t end = at + 1;
                        for (char quote = 0; end < text.size() && (quote || text[end] != '>'); ++end)
                            if (text[end] == '"' || text[end] == '\'')
                                quote = quote == 0 ? text[end] : (quote == text[end] ? 0 : quote);
                        if (end >= text.size())
                            break;
                        if (text[at + 1] == '/' && hidden > 0)
                            --hidden;
                        else if (text[at + 1] == '/' && !open.empty())
                            open.pop_back(), items.pop_back();
                        else if (text[at + 1] != '/' && text[end - 1] != '/' && open.size() > savingElementMostDepth)
                            ++hidden;
                        else if (text[at + 1] != '/' && text[end - 1] != '/')
                        {
                            const std::size_t nameEnd = std::min(text.find_first_of(" \t\r\n/>", at + 1), end);
                            std::string name(text.substr(at + 1, std::min<std::size_t>(nameEnd - at - 1, 40)));
                            if (name == "item" && !items.empty())
                                name += " " + std::to_string(++items.back());
                            open.push_back(name);
                            items.push_back(0);
                        }
                        at = end + 1;
                    }
                }
                if (open.size() < 2)
                    return "boost_serialization";
                if (open.size() == 2)
                    return "savingImpl";
                return JoinPath(std::vector<std::string>(open.begin() + 2, open.end()));
            }

            // The three lines before the root: the declaration, the document type
            // and the outer element, as the archive writes them.
            void CheckHeader() const
            {
                if (m_text.compare(0, 3, "\xEF\xBB\xBF") == 0)
                    Fail("boost_serialization", 0, "a byte order mark before the XML declaration");
                const char* const lines[] = {"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\" ?>",
                                             "<!DOCTYPE boost_serialization>", "<boost_serialization "};
                const char* const problems[] = {
                    "the text does not begin with the XML declaration <?xml version=\"1.0\" encoding=\"UTF-8\" "
                    "standalone=\"yes\" ?> on a line of its own",
                    "the document type <!DOCTYPE boost_serialization> does not follow on a line of its own",
                    "the outer element boost_serialization does not follow the document type"};
                std::size_t at = 0;
                for (std::size_t line = 0; line < 3; ++line)
                {
                    const std::string_view expected = lines[line];
                    if (m_text.compare(at, expected.size(), expected) != 0)
                        Fail("boost_serialization", at, problems[line]);
                    at += expected.size();
                    if (line < 2 && m_text.compare(at, 1, "\n") == 0)
                        at += 1;
                    else if (line < 2 && m_text.compare(at, 2, "\r\n") == 0)
                        at += 2;
                    else if (line < 2)
                        Fail("boost_serialization", at, problems[line]);
                }
            }

            // Parses a copy of the text in which NUL bytes stand as other control
            // bytes: the parser would take them for the end of the text. Nothing
            // is unescaped, trimmed or dropped.
            void Parse()
            {
                m_buffer = m_text;
                std::replace(m_buffer.begin(), m_buffer.end(), '\0', '\x01');
                const unsigned int options = pugi::parse_minimal | pugi::parse_cdata | pugi::parse_comments |
                                             pugi::parse_pi | pugi::parse_declaration | pugi::parse_doctype |
                                             pugi::parse_ws_pcdata;
                const pugi::xml_parse_result result =
                    m_document.load_buffer_inplace(m_buffer.data(), m_buffer.size(), options, pugi::encoding_utf8);
                if (!result)
                {
                    std::string description = result.description();
                    description[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(description[0])));
                    const std::size_t offset = static_cast<std::size_t>(std::max<std::ptrdiff_t>(result.offset, 0));
                    Fail(OpenPathAt(offset), offset, "malformed XML (" + description + ")");
                }
                m_outer = m_document.child("boost_serialization");
                m_root = m_outer.first_child();
                while (m_root && m_root.type() != pugi::node_element)
                    m_root = m_root.next_sibling();
            }

            // Nothing but blanks after the outer element's end tag.
            void CheckEnd() const
            {
                const std::string_view endTag = "</boost_serialization>";
                const std::size_t end = m_text.rfind(endTag);
                const std::size_t after =
                    m_text.find_first_not_of(blanks, end == std::string::npos ? 0 : end + endTag.size());
                if (end == std::string::npos || after != std::string::npos || m_document.last_child() != m_outer ||
                    std::distance(m_document.begin(), m_document.end()) != 3)
                    Fail("boost_serialization", after == std::string::npos ? m_text.size() : after,
                         "something other than blanks follows the end of boost_serialization");
            }

            // The marks no save holds, in any element: comments, processing
            // instructions, CDATA, references, control bytes, empty-element tags,
            // start tags written otherwise; and nesting beyond the bound. Walked
            // without recursion, before anything else walks the tree.
            void CheckMarkup() const
            {
                std::size_t depth = 0;
                pugi::xml_node node = m_outer;
                while (true)
                {
                    switch (node.type())
                    {
                    case pugi::node_element:
                        if (depth > savingElementMostDepth)
                        {
                            pugi::xml_node top = node;
                            while (top.parent() != m_outer && top.parent().parent() != m_outer)
                                top = top.parent();
                            Fail(PathOf(top), Offset(node),
                                 "elements nest deeper than " + std::to_string(savingElementMostDepth) +
                                     " levels: at most " + std::to_string(savingMostNestedNodes) +
                                     " technology nodes may lie one inside another");
                        }
                        CheckStartTag(node);
                        break;
                    case pugi::node_pcdata:
                        CheckCharacters(node.parent(), node.value());
                        break;
                    case pugi::node_comment:
                        Fail(PathOf(node.parent()), Offset(node), "a comment, which no save file holds");
                    case pugi::node_pi:
                        Fail(PathOf(node.parent()), Offset(node), "a processing instruction, which no save file holds");
                    case pugi::node_cdata:
                        Fail(PathOf(node.parent()), Offset(node), "a CDATA section, which no save file holds");
                    default:
                        Fail(PathOf(node.parent()), Offset(node), "a declaration inside the document");
                    }
                    if (node.first_child())
                    {
                        node = node.first_child();
                        ++depth;
                        continue;
                    }
                    while (node != m_outer && !node.next_sibling())
                        node = node.parent(), --depth;
                    if (node == m_outer)
                        return;
                    node = node.next_sibling();
                }
            }

            void CheckCharacters(const pugi::xml_node& owner, const char* text) const
            {
                for (const char* character = text; *character; ++character)
                {
                    const unsigned char byte = static_cast<unsigned char>(*character);
                    const std::size_t offset = Offset(character);
                    if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7F)
                    {
                        char code[8];
                        std::snprintf(code, sizeof code, "0x%02X", static_cast<unsigned char>(m_text[offset]));
                        Fail(PathOf(owner), offset, std::string("control character ") + code);
                    }
                    if (byte == '&')
                    {
                        const std::string_view rest(character);
                        const std::string_view reference = rest.substr(0, std::min(rest.find(';') + 1, rest.size()));
                        Fail(PathOf(owner), offset, "character or entity reference " + Quote(reference));
                    }
                }
            }

            // The start tag exactly as the archive writes it: the name, a blank
            // before each attribute, double quotes, no other blanks, no "/>";
            // the attribute values without control bytes and references.
            void CheckStartTag(const pugi::xml_node& element) const
            {
                std::size_t at = Offset(element) - 1;
                const auto expect = [&](std::string_view piece) {
                    if (at <= m_text.size() && m_text.compare(at, piece.size(), piece) == 0)
                    {
                        at += piece.size();
                        return;
                    }
                    std::size_t differs = at;
                    while (differs < m_text.size() && m_text[differs] == piece[differs - at])
                        ++differs;
                    const std::size_t next = std::min(m_text.find_first_not_of(blanks, differs), m_text.size());
                    if (m_text.compare(next, 2, "/>") == 0)
                        Fail(element, std::string("an empty-element tag, where the game writes <") + element.name() +
                                          "></" + element.name() + ">");
                    Fail(element, "a start tag written otherwise than the game writes it (one blank before each "
                                  "attribute, values in double quotes, no other blanks)");
                };
                expect("<");
                expect(element.name());
                for (pugi::xml_attribute attribute = element.first_attribute(); attribute;
                     attribute = attribute.next_attribute())
                {
                    CheckCharacters(element, attribute.value());
                    expect(" ");
                    expect(attribute.name());
                    expect("=\"");
                    expect(attribute.value());
                    expect("\"");
                }
                expect(">");
            }

            // The attributes of an element, to be taken in the order the writer writes them.
            class Attributes
            {
            public:
                Attributes(const Checker& checker, const pugi::xml_node& element)
                    : m_checker(checker), m_element(element), m_next(element.first_attribute())
                {
                }

                bool NextIs(const char* name, const char* value = nullptr) const
                {
                    return m_next && std::strcmp(m_next.name(), name) == 0 &&
                           (!value || std::strcmp(m_next.value(), value) == 0);
                }

                std::string_view Take(const char* name)
                {
                    if (!m_next)
                        m_checker.Fail(m_element, "attribute \"" + std::string(name) + "\" is missing");
                    if (!NextIs(name))
                        m_checker.Fail(m_element,
                                       "attribute " + Quote(m_next.name()) + " where \"" + name + "\" belongs");
                    const std::string_view value = m_next.value();
                    m_next = m_next.next_attribute();
                    return value;
                }

                void Expect(const char* name, const std::string& expected)
                {
                    const std::string_view value = Take(name);
                    if (value == expected)
                        return;
                    if (std::strcmp(name, "version") == 0 && AreDigits(value) &&
                        (value.size() > 9 || std::stoul(std::string(value)) > std::stoul(expected)))
                        m_checker.Fail(m_element,
                                       "class version " + Quote(value) + " is above the game's own, " + expected);
                    m_checker.Fail(m_element, "attribute " + std::string(name) + " is " + Quote(value) +
                                                  " where the game writes " + Quote(expected));
                }

                void End() const
                {
                    if (m_next)
                        m_checker.Fail(m_element, "unexpected attribute " + Quote(m_next.name()));
                }

            private:
                const Checker& m_checker;
                pugi::xml_node m_element;
                pugi::xml_attribute m_next;
            };

            // The child elements of an element, to be taken in order; between
            // them nothing but blanks.
            class Children
            {
            public:
                Children(const Checker& checker, const pugi::xml_node& parent)
                    : m_checker(checker), m_parent(parent), m_next(parent.first_child())
                {
                }

                pugi::xml_node Peek()
                {
                    for (; m_next && m_next.type() != pugi::node_element; m_next = m_next.next_sibling())
                    {
                        const std::string_view text = m_next.value();
                        const std::size_t first = text.find_first_not_of(blanks);
                        if (first == std::string_view::npos)
                            continue;
                        const std::string_view words = text.substr(first, text.find_last_not_of(blanks) + 1 - first);
                        m_checker.Fail(m_checker.PathOf(m_parent), m_checker.Offset(m_next) + first,
                                       "text " + Quote(words) + " between elements");
                    }
                    return m_next;
                }

                pugi::xml_node Take(const char* name)
                {
                    const pugi::xml_node found = Peek();
                    if (!found)
                        m_checker.Fail(m_checker.PathOf(m_parent), m_checker.EndOffset(m_parent),
                                       "element \"" + std::string(name) + "\" is missing");
                    if (std::strcmp(found.name(), name) != 0)
                        m_checker.Fail(m_checker.PathOf(m_parent), m_checker.Offset(found),
                                       "element " + Quote(found.name()) + " where \"" + name + "\" belongs");
                    m_next = found.next_sibling();
                    return found;
                }

                void End()
                {
                    if (const pugi::xml_node found = Peek())
                        m_checker.Fail(m_checker.PathOf(m_parent), m_checker.Offset(found),
                                       "unexpected element " + Quote(found.name()));
                }

            private:
                const Checker& m_checker;
                pugi::xml_node m_parent;
                pugi::xml_node m_next;
            };

            // The class attributes the writer puts on the class's first element.
            void CheckClass(Attributes& attributes, Class type)
            {
                ClassState& state = m_classes[type];
                if (state.id < 0)
                    state.id = m_nextClassId++;
                const ClassForm form = GetForm(type);
                if (!form.hasInformation || state.informed)
                    return;
                attributes.Expect("class_id", std::to_string(state.id));
                attributes.Expect("tracking_level", form.tracking);
                attributes.Expect("version", form.version);
                state.informed = true;
            }

            // An element holding an object of the class (not through a pointer).
            void CheckObject(const pugi::xml_node& element, Class type)
            {
                Attributes attributes(*this, element);
                CheckClass(attributes, type);
                attributes.End();
            }

            // The text of an element that holds a value: no attributes, no elements.
            std::string_view Value(const pugi::xml_node& element) const
            {
                Attributes(*this, element).End();
                std::string_view value;
                for (const pugi::xml_node& child : element.children())
                {
                    if (child.type() == pugi::node_element)
                        Fail(PathOf(element), Offset(child), "unexpected element " + Quote(child.name()));
                    value = child.value();
                }
                return value;
            }

            // The text of an element that holds a number. The archive reads
            // numbers without skipping blanks before them; after them it does.
            std::string_view NumberText(const pugi::xml_node& element) const
            {
                const std::string_view text = Value(element);
                if (!text.empty() && std::strchr(blanks, text[0]))
                    Fail(element, Quote(text) + " has blanks before the number, which the archive cannot read");
                return text;
            }

            long long Whole(const pugi::xml_node& element, long long least, long long most) const
            {
                const std::string_view text = NumberText(element);
                const std::optional<long long> value = ReadWhole(text, least, most);
                if (!value)
                    Fail(element, Quote(text) + " is not a whole number from " + std::to_string(least) + " to " +
                                      std::to_string(most));
                return *value;
            }

            long long Unsigned(const pugi::xml_node& element) const { return Whole(element, 0, mostUnsigned); }
            void Signed(const pugi::xml_node& element) const { Whole(element, leastSigned, mostSigned); }

            bool Bool(const pugi::xml_node& element) const
            {
                const std::string_view text = NumberText(element);
                const std::optional<long long> value = ReadWhole(text, 0, 1);
                if (!value)
                    Fail(element, Quote(text) + " is not 0 or 1");
                return *value == 1;
            }

            void ItemVersion(const pugi::xml_node& element) const
            {
                const std::string_view text = NumberText(element);
                if (!ReadWhole(text, 0, 0))
                    Fail(element, Quote(text) + " is not 0, the item version the game writes");
            }

            // A saved float read as the game reads it: a stream of the classic
            // locale, blanks around the number allowed.
            void Float(const pugi::xml_node& element)
            {
                const std::string_view text = Value(element);
                m_floatStream.clear();
                m_floatStream.str(std::string(text));
                float value = 0.f;
                if (!(m_floatStream >> value) || !(m_floatStream >> std::ws).eof() || !std::isfinite(value))
                    Fail(element, Quote(text) + " is not a finite number");
            }

            void Time(const pugi::xml_node& element)
            {
                const std::string_view text = Value(element);
                const std::string problem = DescribeTimeProblem(text);
                if (!problem.empty())
                    Fail(element, Quote(text) + " " + problem);
                m_time = ReadTime(text);
            }

            void EquipmentId(const pugi::xml_node& element, IdKind kind) const
            {
                const std::string_view text = Value(element);
                switch (kind)
                {
                case IdKind::any:
                    if (!IsEquipmentId(text, ""))
                        Fail(element,
                             Quote(text) + " is not an equipment ID (wpn, shd, bmb, ngn, hll or gdg and three digits)");
                    break;
                case IdKind::hull:
                    if (!IsEquipmentId(text, "hll"))
                        Fail(element, Quote(text) + " is not a hull ID (hll and three digits)");
                    break;
                case IdKind::shield:
                    if (!text.empty() && !IsEquipmentId(text, "shd"))
                        Fail(element, Quote(text) + " is neither empty nor a shield ID (shd and three digits)");
                    break;
                case IdKind::weapon:
                    if (!text.empty() && !IsEquipmentId(text, "wpn"))
                        Fail(element, Quote(text) + " is neither empty nor a weapon ID (wpn and three digits)");
                    break;
                }
            }

            // "count", "item_version" and as many "item"s as counted, each
            // checked by `checkItem`.
            template <typename CheckItem>
            void Collection(const pugi::xml_node& element, Class type, CheckItem checkItem)
            {
                CheckObject(element, type);
                Children children(*this, element);
                const pugi::xml_node countElement = children.Take("count");
                const long long count = Unsigned(countElement);
                if (count > static_cast<long long>(savingCollectionMostItems))
                    Fail(PathOf(element), Offset(countElement),
                         "count " + std::to_string(count) + " is above the most a collection may hold, " +
                             std::to_string(savingCollectionMostItems));
                // A mission's successors, key equipment and goodies (the only
                // sets of numbers and of texts) and a node's predecessors.
                const bool ofMissionOrNode = type == numberSetClass || type == textSetClass ||
                                             std::strcmp(element.name(), "Predecessors") == 0;
                if (ofMissionOrNode &&
                    (m_listEntries += static_cast<std::size_t>(count)) > savingMostMissionAndNodeListEntries)
                    Fail(PathOf(element), Offset(countElement),
                         "count " + std::to_string(count) + " brings the entries of the lists of missions and " +
                             "technology nodes to " + std::to_string(m_listEntries) + ", more than the " +
                             std::to_string(savingMostMissionAndNodeListEntries) + " a save file may hold together");
                ItemVersion(children.Take("item_version"));
                const auto countDiffers = [&] {
                    const auto items = std::distance(element.children("item").begin(), element.children("item").end());
                    Fail(PathOf(element), Offset(countElement),
                         "count " + std::to_string(count) + " differs from the number of items, " +
                             std::to_string(items));
                };
                for (long long number = 1; number <= count; ++number)
                {
                    if (!children.Peek())
                        countDiffers();
                    checkItem(children.Take("item"));
                }
                const pugi::xml_node more = children.Peek();
                if (more && std::strcmp(more.name(), "item") == 0)
                    countDiffers();
                children.End();
            }

            void Texts(const pugi::xml_node& element, Class type, IdKind kind)
            {
                Collection(element, type, [this, kind](const pugi::xml_node& item) { EquipmentId(item, kind); });
            }

            void Vector(const pugi::xml_node& element)
            {
                CheckObject(element, vectorClass);
                Children children(*this, element);
                Float(children.Take("x"));
                Float(children.Take("y"));
                children.End();
            }

            void Optional(const pugi::xml_node& element, Class type)
            {
                CheckObject(element, type);
                Children children(*this, element);
                if (Bool(children.Take("initialized")))
                {
                    ItemVersion(children.Take("item_version"));
                    Unsigned(children.Take("value"));
                }
                children.End();
            }

            // A set of stable pointers: each item an "sp" holding the "px".
            void PointerSet(const pugi::xml_node& element, Class setType, Listing listing)
            {
                const Class stableType = static_cast<Class>(setType + 1);
                const Class sharedType = static_cast<Class>(setType + 2);
                const Class objectType = static_cast<Class>(setType + 3);
                Collection(element, setType, [&](const pugi::xml_node& item) {
                    CheckObject(item, stableType);
                    Children inItem(*this, item);
                    const pugi::xml_node stable = inItem.Take("sp");
                    CheckObject(stable, sharedType);
                    Children inStable(*this, stable);
                    const std::size_t index = *Pointer(inStable.Take("px"), objectType, false);
                    inStable.End();
                    inItem.End();
                    if (listing == Listing::none)
                        return;
                    if (m_objects[index].listed)
                        Fail(PathOf(item), Offset(item), "lists object _" + std::to_string(index) + " a second time");
                    m_objects[index].listed = true;
                });
            }

            // A shared pointer: the element of its own class holding "px".
            void SharedPointer(const pugi::xml_node& element, Class pointerType)
            {
                CheckObject(element, pointerType);
                Children children(*this, element);
                Pointer(children.Take("px"), static_cast<Class>(pointerType + 1), true);
                children.End();
            }

            // A "px": empty, a reference to an object written before, or a new
            // object; its index among the objects unless empty.
            std::optional<std::size_t> Pointer(const pugi::xml_node& element, Class type, bool mayBeEmpty)
            {
                Attributes attributes(*this, element);
                ClassState& state = m_classes[type];
                if (state.id < 0)
                    state.id = m_nextClassId++;
                if (attributes.NextIs("class_id", "-1"))
                {
                    if (!mayBeEmpty)
                        Fail(element, "an empty pointer inside a stable pointer, which is never empty");
                    attributes.Take("class_id");
                    attributes.End();
                    Children(*this, element).End();
                    return std::nullopt;
                }
                if (state.informed)
                    attributes.Expect("class_id_reference", std::to_string(state.id));
                else
                    CheckClass(attributes, type);
                if (attributes.NextIs("object_id_reference"))
                {
                    const std::string_view reference = attributes.Take("object_id_reference");
                    attributes.End();
                    const std::optional<std::size_t> index = ReadObjectId(reference);
                    if (!index || *index >= m_objects.size() || m_objects[*index].type != type)
                        Fail(element, "object_id_reference " + Quote(reference) +
                                          " names no object of its class written before");
                    if (!m_objects[*index].ended)
                        Fail(element, "object_id_reference " + Quote(reference) +
                                          " names a node still being read: a node would need itself, directly or "
                                          "through other nodes");
                    Children(*this, element).End();
                    return index;
                }
                attributes.Expect("object_id", "_" + std::to_string(m_objects.size()));
                attributes.End();
                const std::size_t index = m_objects.size();
                m_objects.push_back({type, false, false});
                if ((type == missionClass || type == nodeClass) && ++m_missionsAndNodes > savingMostMissionsAndNodes)
                    Fail(element, "the missions and technology nodes come to " + std::to_string(m_missionsAndNodes) +
                                      " here, more than the " + std::to_string(savingMostMissionsAndNodes) +
                                      " a save file may hold together");
                Children children(*this, element);
                switch (type)
                {
                case mapClass:
                    Signed(children.Take("m_seed"));
                    break;
                case missionClass:
                    Bool(children.Take("Open"));
                    Collection(children.Take("Successors"), numberSetClass,
                               [this](const pugi::xml_node& item) { Unsigned(item); });
                    Texts(children.Take("KeyEquipment"), textSetClass, IdKind::any);
                    Texts(children.Take("Goodies"), textSetClass, IdKind::any);
                    Vector(children.Take("m_position"));
                    Unsigned(children.Take("m_id"));
                    Signed(children.Take("m_seed"));
                    Signed(children.Take("m_type"));
                    Unsigned(children.Take("m_difficulty"));
                    Unsigned(children.Take("m_payment"));
                    break;
                case treeClass:
                    PointerSet(children.Take("m_nodes"), nodeSetClass, Listing::listed);
                    break;
                default:
                    EquipmentId(children.Take("Type"), IdKind::any);
                    Vector(children.Take("Position"));
                    PointerSet(children.Take("Predecessors"), nodeSetClass, Listing::none);
                    Optional(children.Take("Cost"), costClass);
                    Bool(children.Take("Open"));
                    break;
                }
                children.End();
                m_objects[index].ended = true;
                return index;
            }

            // The outer element and the saving in it, field by field.
            void CheckSaving()
            {
                Attributes outer(*this, m_outer);
                const std::string_view signature = outer.Take("signature");
                if (signature != "serialization::archive")
                    Fail(m_outer, "signature " + Quote(signature) + " is not \"serialization::archive\"");
                const std::string_view version = outer.Take("version");
                const unsigned long newest = boost::archive::BOOST_ARCHIVE_VERSION();
                if (!AreDigits(version) || version.size() > 9 || (version.size() > 1 && version[0] == '0') ||
                    std::stoul(std::string(version)) < 5 || std::stoul(std::string(version)) > newest)
                    Fail(m_outer, "archive version " + Quote(version) +
                                      " is an unsupported version: the game reads 5 to " + std::to_string(newest));
                outer.End();
                Children top(*this, m_outer);
                top.Take("savingImpl");
                top.End();

                CheckObject(m_root, savingClass);
                Children fields(*this, m_root);
                const pugi::xml_node id = fields.Take("ID");
                const long long savedId = Unsigned(id);
                if (savedId < 0 || static_cast<unsigned long>(savedId) != m_id)
                    Fail(id, std::to_string(savedId) + " is not the number of the file, " + std::to_string(m_id));
                Unsigned(fields.Take("FinalMission"));
                Unsigned(fields.Take("Money"));
                Signed(fields.Take("Seed"));
                SharedPointer(fields.Take("Map"), mapPointerClass);
                PointerSet(fields.Take("Missions"), missionSetClass, Listing::listed);
                Texts(fields.Take("Shop"), textVectorClass, IdKind::any);
                Collection(fields.Take("Ships"), shipVectorClass, [this](const pugi::xml_node& item) {
                    CheckObject(item, shipClass);
                    Children ship(*this, item);
                    EquipmentId(ship.Take("HullType"), IdKind::hull);
                    EquipmentId(ship.Take("ShieldType"), IdKind::shield);
                    Texts(ship.Take("WeaponTypes"), textVectorClass, IdKind::weapon);
                    ship.End();
                });
                Optional(fields.Take("SelectedShip"), selectionClass);
                Texts(fields.Take("TheInventory"), textVectorClass, IdKind::any);
                SharedPointer(fields.Take("TheTechnologyTree"), treePointerClass);
                Time(fields.Take("time"));
                fields.End();
            }

            const std::string& m_text;
            const unsigned long m_id;
            std::string m_buffer;
            pugi::xml_document m_document;
            pugi::xml_node m_outer;
            pugi::xml_node m_root;
            ClassState m_classes[classCount];
            long m_nextClassId = 0;
            std::vector<Object> m_objects;
            // The missions and nodes met so far, and the entries of their lists.
            std::size_t m_missionsAndNodes = 0;
            std::size_t m_listEntries = 0;
            std::istringstream m_floatStream;
            boost::posix_time::ptime m_time;
        };
    }

    boost::posix_time::ptime CheckSavingFile(const std::string& text, unsigned long id)
    {
        return Checker(text, id).Run();
    }
}
