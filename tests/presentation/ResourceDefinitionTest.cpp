#include "presentation/ResourceDefinition.hpp"

#include "support/ScratchGameRoot.hpp"
#include "support/ThrownMessage.hpp"

#include <gtest/gtest.h>

using namespace Kestrum;
using Kestrum::Testing::CapturedLog;
using Kestrum::Testing::ScratchGameRoot;

namespace
{
    // A small definition kind: <note definition_source="..." text="..."/>.
    struct Note
    {
        std::string name;
        std::string text;

        void Load(const std::string& resourceName, const pugi::xml_node& element)
        {
            name = resourceName;
            text = GetAttributeText(element, "text");
        }
    };
}

namespace Kestrum
{
    template <>
    struct DefinitionKind<Note>
    {
        static constexpr const char* ElementName = "note";
    };
}

namespace
{
    class ResourceDefinitionTest : public ::testing::Test
    {
    protected:
        stable_ptr<Note> Create(const std::string& name, const std::string& xml)
        {
            const stable_ptr<pugi::xml_document> document = LoadXmlText(xml, "test");
            return CreateResource<Note>(name, document->first_child());
        }

        template <typename Error>
        std::string Failure(const std::string& name, const std::string& xml)
        {
            return Testing::ThrownMessage<Error>([&] { Create(name, xml); });
        }

        ScratchGameRoot root;
        CapturedLog log;
    };
}

TEST_F(ResourceDefinitionTest, InlineDefinitionsTakeTheEnclosingNameAndFilesAreFoundBesideIt)
{
    const stable_ptr<Note> note =
        Create("resources|enemies|001|fly.action", "<note definition_source='inline' text='hello'/>");
    EXPECT_EQ("resources|enemies|001|fly.action", note->name);
    EXPECT_EQ("hello", note->text);

    root.WriteFile("resources/enemies/001/idle.note", "<?xml version='1.0'?><note text='beside'/>");
    root.WriteFile("resources/shared/common.note", "<other/><note text='shared'/>");
    const stable_ptr<Note> beside =
        Create("resources|enemies|001|fly.action", "<note definition_source='file'>idle.note</note>");
    EXPECT_EQ("resources|enemies|001|idle.note", beside->name);
    EXPECT_EQ("beside", beside->text);

    const stable_ptr<Note> shared = Create("resources|enemies|001|fly.action",
                                           "<note definition_source='file'>$resources|shared|common.note</note>");
    EXPECT_EQ("resources|enemies|001|$resources|shared|common.note", shared->name);
    EXPECT_EQ("shared", shared->text);
}

TEST_F(ResourceDefinitionTest, ReportsWhatIsWrong)
{
    root.WriteFile("resources/broken.note", "<note text='unclosed'>");
    EXPECT_EQ("loading resources|missing.note failed",
              Failure<LoadError>("resources|a.action", "<note definition_source='file'>missing.note</note>"));
    EXPECT_EQ("loading resources|broken.note failed",
              Failure<LoadError>("resources|a.action", "<note definition_source='file'>broken.note</note>"));
    EXPECT_TRUE(log.Contains("broken.note")) << "the reason is in the log";

    EXPECT_EQ("unknown type of definition_source: Inline",
              Failure<UnknownTypeError>("a", "<note definition_source='Inline' text='x'/>"));
    EXPECT_EQ("Expected element note, found animation",
              Failure<LogicError>("a", "<animation definition_source='inline'/>"));
    for (const char* xml :
         {"<note text='no source'/>", "<note definition_source='inline'/>", "<note definition_source='file'/>"})
        EXPECT_NE("<nothing thrown>", Failure<XmlError>("a", xml)) << xml;
}

TEST_F(ResourceDefinitionTest, LoadImplAnswersInsteadOfThrowing)
{
    root.WriteFile("resources/good.note", "<note text='fine'/>");
    Note note;
    EXPECT_TRUE(LoadImpl(note, "resources|good.note"));
    EXPECT_EQ("fine", note.text);
    EXPECT_FALSE(LoadImpl(note, "resources|absent.note"));
    EXPECT_FALSE(log.GetLines().empty());
}
