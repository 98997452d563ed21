#include "core/XmlReading.hpp"

#include "core/Exception.hpp"
#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <boost/lexical_cast.hpp>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Kestrum;
using Kestrum::Testing::ThrownMessage;

TEST(XmlReading, ChildValuesAndTheirFailures)
{
    const auto document = LoadXmlText("<ship version='1'><speed>  2.5 </speed><name>Kestrel</name><empty/>"
                                      "<count>7</count><largest>4294967295</largest>"
                                      "<beyond>4294967296</beyond><bad>fast</bad><wrong>yes</wrong>"
                                      "<at x='3' y='4'/><delay minimum='2' maximum='2'/></ship>",
                                      "ship.xml");
    const pugi::xml_node ship = document->document_element();
    EXPECT_FLOAT_EQ(2.5f, GetChildValue<float>(ship, "speed"));
    EXPECT_EQ("Kestrel", GetChildValue<std::string>(ship, "name"));
    EXPECT_EQ(7u, GetChildValue<unsigned int>(ship, "count"));
    EXPECT_EQ(7ul, GetChildValue<unsigned long>(ship, "count"));
    EXPECT_EQ(4294967295ul, GetChildValue<unsigned long>(ship, "largest"));
    EXPECT_EQ("element beyond holds 4294967296, which is not an unsigned number",
              ThrownMessage<XmlError>([&] { GetChildValue<unsigned long>(ship, "beyond"); }));
    EXPECT_EQ("element speed holds 2.5, which is not a whole number",
              ThrownMessage<XmlError>([&] { GetChildValue<int>(ship, "speed"); }));
    EXPECT_EQ(sf::Vector2f(3, 4), GetChildValue<sf::Vector2f>(ship, "at"));
    EXPECT_EQ(2.f, GetChildValue<Range<float>>(ship, "delay").maximum);

    EXPECT_EQ("no shield element defined",
              ThrownMessage<XmlError>([&] { GetChildValue<float>(ship, "shield"); }));
    EXPECT_EQ("no shield element defined",
              ThrownMessage<XmlError>([&] { GetChildValue<sf::Vector2f>(ship, "shield"); }));
    EXPECT_THROW(GetChildValue<float>(ship, "empty"), XmlError);
    EXPECT_EQ("element bad holds fast, which is not a number",
              ThrownMessage<XmlError>([&] { GetChildValue<float>(ship, "bad"); }));
    EXPECT_EQ("string yes can not be cast to boolean value",
              ThrownMessage<InvalidArgumentError>([&] { GetChildValue<bool>(ship, "wrong"); }));

    EXPECT_FLOAT_EQ(2.0f, GetOptionalChildValue<float>(ship, "shield", 2.0f));
    EXPECT_THROW(GetOptionalChildValue<float>(ship, "empty", 2.0f), XmlError);
    EXPECT_THROW(GetOptionalChildValue<float>(ship, "bad", 2.0f), XmlError);
}

// Numbers that convert but make no sense are refused with the element and the text.
TEST(XmlReading, NumbersThatAreNotFiniteOrNegativeForUnsignedAreRefused)
{
    const auto document = LoadXmlText("<v><nan>nan</nan><inf>inf</inf><minf>-INF</minf><minus>-1</minus>"
                                      "<zero>-0</zero><large>1e20</large><signed>-1</signed>"
                                      "<at x='inf' y='1'/><span minimum='-1' maximum='nan'/><grid x='-3' y='2'/></v>",
                                      "v.xml");
    const pugi::xml_node v = document->document_element();
    const std::pair<std::function<void()>, std::string> refused[] = {
        {[&] { GetChildValue<float>(v, "nan"); }, "element nan holds nan, which is not a finite number"},
        {[&] { GetChildValue<float>(v, "inf"); }, "element inf holds inf, which is not a finite number"},
        {[&] { GetOptionalChildValue<float>(v, "minf", 0.f); }, "element minf holds -INF, which is not a finite number"},
        {[&] { GetChildValue<unsigned int>(v, "minus"); }, "element minus holds -1, which is not an unsigned number"},
        {[&] { GetChildValue<unsigned long>(v, "zero"); }, "element zero holds -0, which is not an unsigned number"},
        {[&] { GetChildValue<sf::Vector2f>(v, "at"); }, "attribute x of element at holds inf, which is not a finite number"},
        {[&] { GetRangeFromAttributes<float>(v.child("span")); },
         "attribute maximum of element span holds nan, which is not a finite number"},
        {[&] { GetCoordinatesFromAttributes<unsigned int>(v.child("grid")); },
         "attribute x of element grid holds -3, which is not an unsigned number"}};
    for (const auto& [read, message] : refused)
        EXPECT_EQ(message, ThrownMessage<ParseError>(read));
    EXPECT_FLOAT_EQ(1e20f, GetChildValue<float>(v, "large"));
    EXPECT_EQ(-1, GetChildValue<int>(v, "signed"));
    EXPECT_THROW(Details::ConvertText<unsigned long>("-1"), boost::bad_lexical_cast);
}

TEST(XmlReading, BooleanTexts)
{
    for (const char* text : {"TRUE", "True", "1"})
        EXPECT_TRUE(Details::CastTo<bool>(text)) << text;
    for (const char* text : {"FALSE", "0", "false"})
        EXPECT_FALSE(Details::CastTo<bool>(text)) << text;
    for (const char* text : {"yes", "", " true"})
        EXPECT_EQ(std::string("string ") + text + " can not be cast to boolean value",
                  ThrownMessage<InvalidArgumentError>([&] { Details::CastTo<bool>(text); }));
}

TEST(XmlReading, AttributesRangesAndVersions)
{
    const auto document = LoadXmlText("<mission version='2'><point x='1' y='-2'/><half x='1'/>"
                                      "<range minimum='3' maximum='2'/><equal minimum='2' maximum='2'/>"
                                      "<graph type='polynomial'/><text version='x'/></mission>",
                                      "mission.xml");
    const pugi::xml_node mission = document->document_element();
    EXPECT_EQ(sf::Vector2f(1, -2), GetCoordinatesFromAttributes<float>(mission.child("point")));
    EXPECT_EQ("attribute y does not exist in element half",
              ThrownMessage<XmlError>([&] { GetCoordinatesFromAttributes<float>(mission.child("half")); }));
    EXPECT_EQ("range has reversed boundaries",
              ThrownMessage<LogicError>([&] { GetRangeFromAttributes<float>(mission.child("range")); }));
    EXPECT_EQ(2.f, GetRangeFromAttributes<float>(mission.child("equal")).minimum);
    EXPECT_THROW(GetRangeFromAttributes<float>(mission.child("point")), XmlError);

    EXPECT_EQ(2ul, CheckAndReturnVersion(mission, 2));
    EXPECT_EQ("highest supported version of mission is 1, encountered version 2",
              ThrownMessage<NotSupportedError>([&] { CheckAndReturnVersion(mission, 1); }));
    EXPECT_THROW(CheckAndReturnVersion(mission.child("point"), 1), XmlError);
    EXPECT_THROW(CheckAndReturnVersion(mission.child("text"), 1), XmlError);

    const pugi::xml_node graph = mission.child("graph");
    EXPECT_NO_THROW(AssertAttribute(graph, "type", "polynomial"));
    EXPECT_EQ("Expected attribute type to be flat_line but found polynomial",
              ThrownMessage<LogicError>([&] { AssertAttribute(graph, "type", "flat_line"); }));
    EXPECT_EQ("Expected graph to have kind",
              ThrownMessage<LogicError>([&] { AssertAttribute(graph, "kind", "flat_line"); }));
    EXPECT_EQ("Expected attribute version to be 1 but found 2",
              ThrownMessage<LogicError>([&] { AssertAttribute<int>(mission, "version", 1); }));

    EXPECT_NO_THROW(AssertElementName(graph, "graph"));
    EXPECT_EQ("Expected element curve, found graph",
              ThrownMessage<LogicError>([&] { AssertElementName(graph, "curve"); }));
}

// Each reader that takes a node attaches the line of the node at fault (the
// parent's for a missing child); a document parsed otherwise has no lines.
TEST(XmlReading, FailuresCarryTheLineOfTheirNode)
{
    const auto document = LoadXmlText("<ship version='x'>\n<speed>fast</speed>\n<at x='1'/>\n"
                                      "<range minimum='2' maximum='1'/>\n<empty/>\n<flag>maybe</flag></ship>",
                                      "ship.xml");
    const pugi::xml_node ship = document->document_element();
    pugi::xml_document made;
    made.load_string("<ship>\n<speed>fast</speed></ship>");
    const std::pair<std::function<void()>, unsigned long> reads[] = {
        {[&] { GetChildValue<float>(ship, "speed"); }, 2}, {[&] { GetChildValue<float>(ship, "none"); }, 1},
        {[&] { GetChildValue<sf::Vector2f>(ship, "at"); }, 3}, {[&] { GetChildValue<Range<float>>(ship, "range"); }, 4},
        {[&] { GetChildValue<float>(ship, "empty"); }, 5}, {[&] { GetChildValue<bool>(ship, "flag"); }, 6},
        {[&] { CheckAndReturnVersion(ship, 1); }, 1}, {[&] { AssertElementName(ship.child("at"), "point"); }, 3},
        {[&] { AssertAttribute(ship.child("at"), "y", "1"); }, 3},
        {[&] { AssertAttribute<int>(ship, "version", 1); }, 1},
        {[&] { GetRootElement(*document, "mission", "ship.xml"); }, 1},
        {[&] { GetChildValue<float>(made.first_child(), "speed"); }, 0}};
    for (const auto& [read, line] : reads)
        try
        {
            read();
            ADD_FAILURE() << line;
        }
        catch (const boost::exception& error)
        {
            const unsigned long* const found = boost::get_error_info<LineInfo>(error);
            EXPECT_EQ(line, found ? *found : 0ul);
        }
}

TEST(XmlReading, DocumentsAndWriting)
{
    EXPECT_EQ("broken.xml:2:6: Start-end tags mismatch",
              ThrownMessage<XmlError>([] { LoadXmlText("<a>\n<b></a>", "broken.xml"); }));
    const auto document = LoadXmlText("<other/>", "other.xml");
    EXPECT_EQ("other.xml:1: no graph root element",
              ThrownMessage<XmlError>([&] { GetRootElement(*document, "graph", "other.xml"); }));

    Testing::ScratchGameRoot root;
    EXPECT_EQ("missing.xml: File was not found", ThrownMessage<XmlError>([] { LoadXmlFile("missing.xml"); }));
    // A folder or a named pipe is refused at once; the pipe, which has no writer,
    // would otherwise block the reader for ever.
    std::filesystem::create_directory("folder.xml");
    ASSERT_EQ(0, mkfifo("pipe.xml", 0600));
    for (const char* path : {"folder.xml", "pipe.xml"})
        EXPECT_EQ(path + std::string(" is not a regular file"), ThrownMessage<LoadError>([&] { LoadXmlFile(path); }));

    pugi::xml_document written;
    AddDeclaration(written);
    pugi::xml_node general = written.append_child("general");
    AddUniqueChildElement(general, "swap_mouse_buttons", true);
    AddUniqueChildElement(general, "double_click_time", 0.3f);
    EXPECT_EQ("general already has child element swap_mouse_buttons",
              ThrownMessage<RuntimeError>([&] { AddUniqueChildElement(general, "swap_mouse_buttons", false); }));
    EXPECT_EQ("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>\n"
              "<general>\n"
              "    <swap_mouse_buttons>1</swap_mouse_buttons>\n"
              "    <double_click_time>0.3</double_click_time>\n"
              "</general>\n",
              ToXmlString(written));
}
